// Folder listings on POSIX systems, with readdir.
#include "platform/folder_listing.h"

#include "platform/file_faults.h"

#include <dirent.h>
#include <memory>
#include <sys/stat.h>

namespace platelier {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

// Most file systems say in the entry whether it is a folder; for the others
// the entry itself is asked, without following a link.
bool isRealFolder(const std::string& folder, const dirent& entry) {
    struct stat status {};
    if (entry.d_type != DT_UNKNOWN) {
        return entry.d_type == DT_DIR;
    }
    return lstat((folder + entry.d_name).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    if (fileOperationFails(FileOperation::search)) {
        return std::nullopt;
    }
    std::unique_ptr<DIR, DirectoryCloser> directory(opendir(folder.empty() ? "." : folder.c_str()));
    if (!directory) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    while (const dirent* entry = readdir(directory.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            entries.push_back({name, isRealFolder(folder, *entry), std::string()});
        }
    }
    return entries;
}

bool isFolder(const std::string& path) {
    struct stat status {};
    return !fileOperationFails(FileOperation::query) && stat(path.c_str(), &status) == 0 &&
           S_ISDIR(status.st_mode);
}

} // namespace platelier
