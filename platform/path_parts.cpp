// Splitting paths at the platform's separator.
#include "platform/path_parts.h"

#include "platform/files.h"

namespace platelier {

std::string folderPart(const std::string& path) {
    const std::size_t separator = path.rfind(pathSeparator());
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string fileNamePart(const std::string& path) {
    return path.substr(folderPart(path).size());
}

} // namespace platelier
