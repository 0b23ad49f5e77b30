// Splitting paths at the platform's separators: on Win32 a path typed at a
// command line may use '/' as well as '\\', or start with a drive's colon.
#include "platform/path_parts.h"

#include "platform/files.h"

namespace platelier {

std::string folderPart(const std::string& path) {
    const std::size_t separator = path.find_last_of(folderSeparators());
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string fileNamePart(const std::string& path) {
    return path.substr(folderPart(path).size());
}

} // namespace platelier
