// The backup path rule. A '.' in a folder's name is no extension: the backup
// stays in the master's folder instead of replacing a file in the folder
// above.
#include "master/backup_path.h"

#include "platform/path_parts.h"

namespace platelier {

std::string backupPath(const std::string& masterPath) {
    const std::size_t dot = masterPath.rfind('.');
    const bool inName = dot != std::string::npos && dot >= folderPart(masterPath).size();
    return masterPath.substr(0, inName ? dot : masterPath.size()) + ".BAK";
}

} // namespace platelier
