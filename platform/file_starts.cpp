// Files' starts read one after another, through the open files of the
// platform: the way of Win32, and of a Linux that refuses io_uring.
#include "platform/file_starts.h"

#include "platform/file_faults.h"
#include "platform/open_files.h"

namespace platelier {

std::vector<FileStart> readFileStartsOneByOne(const std::vector<std::string>& paths,
                                              std::size_t most) {
    std::vector<FileStart> starts(paths.size());
    for (std::size_t at = 0; at < paths.size(); ++at) {
        OpenedFileFacts facts;
        if (fileOperationFails(FileOperation::open)) {
            continue;
        }
        FileForReading file = FileForReading::open(paths[at], facts, ReadingFor::lookingAt);
        if (!file || fileOperationFails(FileOperation::read)) {
            continue;
        }
        FileStart& start = starts[at];
        start.bytes.reset(new char[most]);
        const std::optional<std::size_t> count = file.read(0, start.bytes.get(), most);
        start.size = count.value_or(0);
        start.whole = count && *count < most;
        countBytesRead(start.size);
    }
    return starts;
}

} // namespace platelier
