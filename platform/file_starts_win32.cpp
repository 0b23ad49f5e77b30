// Files' starts on Win32, read one by one: it has no batch of openings.
#include "platform/file_starts.h"

namespace platelier {

std::vector<FileStart> readFileStarts(const std::vector<std::string>& paths, std::size_t most) {
    return readFileStartsOneByOne(paths, most);
}

} // namespace platelier
