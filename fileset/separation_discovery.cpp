// Separation file discovery's search.
#include "fileset/separation_discovery.h"

#include "platform/files.h"

#include <vector>

namespace platelier {

std::optional<std::string> separationPattern(const std::string& masterPath,
                                             const char* searchLetter) {
    const std::size_t dot = masterPath.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return std::nullopt;
    }
    return masterPath.substr(0, dot - 1) + "*." + searchLetter;
}

int countMatchingFiles(const std::string& pattern, std::string& foundName) {
    const std::vector<std::string> names = findMatchingEntries(pattern);
    if (!names.empty()) {
        foundName = names.back();
    }
    return static_cast<int>(names.size());
}

} // namespace platelier
