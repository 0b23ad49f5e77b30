// Separation file discovery's search, which never takes the master for a
// separation file.
#include "fileset/separation_discovery.h"

#include "master/master_file_rewriter.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/path_parts.h"

#include <algorithm>
#include <vector>

namespace platelier {

std::optional<std::string> separationPattern(const std::string& masterPath,
                                             const char* searchLetter) {
    const std::size_t nameStart = folderPart(masterPath).size();
    const std::size_t dot = masterPath.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) {
        return std::nullopt;
    }
    return masterPath.substr(0, dot - 1) + "*." + searchLetter;
}

bool isMasterOrBackup(const std::string& folder, const std::string& name,
                      const std::string& masterPath) {
    return folder == folderPart(masterPath) &&
           (sameFileName(name, fileNamePart(masterPath)) ||
            sameFileName(name, fileNamePart(backupPath(masterPath))));
}

int countMatchingFiles(const std::string& pattern, const std::string& masterPath,
                       std::string& foundName) {
    std::vector<std::string> names = findMatchingEntries(pattern);
    const std::string folder = folderPart(pattern);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [&](const std::string& name) {
                                   return isMasterOrBackup(folder, name, masterPath);
                               }),
                names.end());
    if (!names.empty()) {
        foundName = names.back();
    }
    return static_cast<int>(names.size());
}

} // namespace platelier
