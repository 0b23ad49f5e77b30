// Finding and tidying leftovers. A backup is read only when no master of
// its folder has it for backup: beside a healthy archive, never.
#include "fileset/leftovers.h"

#include "master/backup_path.h"
#include "master/master_file_reader.h"
#include "platform/ascii_case.h"
#include "platform/files.h"
#include "platform/open_files.h"

namespace platelier {

namespace {

bool namedAsBackup(const FolderEntry& entry) {
    const std::string& name = entry.name;
    return !entry.isFolder && name.size() >= 4 &&
           equalIgnoringAsciiCase(name.substr(name.size() - 4), ".BAK");
}

} // namespace

std::vector<Leftover> findLeftovers(const FolderReading& folder) {
    std::vector<Leftover> found;
    for (const FolderEntry& entry : folder.index.entries()) {
        const std::string path = folder.folder + entry.name;
        if (!entry.isFolder && isTemporaryFileName(entry.name) && !fileBeingWritten(path)) {
            found.push_back({Leftover::temporaryFile, entry.name});
        } else if (namedAsBackup(entry) &&
                   folder.claims.otherBackedUpAs(entry.name, FolderIndex::none) ==
                       FolderIndex::none &&
                   readMasterFile(path).isMaster()) {
            found.push_back({Leftover::backupWithoutMaster, entry.name});
        }
    }
    return found;
}

std::string restoredMasterName(const std::string& backupName) {
    return backupName.substr(0, backupName.size() - 4) + ".eps";
}

bool tidyLeftover(const FolderReading& folder, const Leftover& leftover) {
    const std::string path = folder.folder + leftover.name;
    return leftover.kind == Leftover::temporaryFile
               ? removeFile(path)
               : moveFileNoReplace(path, folder.folder + restoredMasterName(leftover.name));
}

} // namespace platelier
