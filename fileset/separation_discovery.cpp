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

MasterAndBackup::MasterAndBackup(const std::string& masterPath)
    : folder_(folderPart(masterPath)), masterName_(fileNamePart(masterPath)),
      backupName_(fileNamePart(backupPath(masterPath))) {}

bool MasterAndBackup::includes(const std::string& folder, const std::string& name) const {
    return folder == folder_ &&
           (sameFileName(name, masterName_) || sameFileName(name, backupName_));
}

int countMatchingFiles(const std::string& pattern, const std::string& masterPath,
                       std::string& foundName) {
    std::vector<std::string> names = findMatchingEntries(pattern);
    const std::string folder = folderPart(pattern);
    const MasterAndBackup master(masterPath);
    names.erase(
        std::remove_if(names.begin(), names.end(),
                       [&](const std::string& name) { return master.includes(folder, name); }),
        names.end());
    if (!names.empty()) {
        foundName = names.back();
    }
    return static_cast<int>(names.size());
}

} // namespace platelier
