// Folder listings on POSIX systems, with readdir.
#include "platform/folder_listing.h"

#include "platform/file_faults.h"

#include <algorithm>
#include <dirent.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>

namespace platelier {

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { closedir(directory); }
};

// Most file systems say in the entry what it is; for the others the entry
// itself is asked, without following a link.
FolderEntry entryOf(const std::string& folder, const dirent& entry) {
    FolderEntry listed{entry.d_name, entry.d_type == DT_DIR, std::string(), entry.d_type == DT_REG};
    struct stat status {};
    if (entry.d_type == DT_UNKNOWN && lstat((folder + entry.d_name).c_str(), &status) == 0) {
        listed.isFolder = S_ISDIR(status.st_mode);
        listed.isRegularFile = S_ISREG(status.st_mode);
    }
    return listed;
}

// Room for the entries a folder's own size tells it may hold: a folder of
// tens of thousands of entries is otherwise moved a dozen times while it is
// listed. ext4, tmpfs, btrfs and XFS give a folder a size that grows with
// its entries, at a few dozen bytes each (where it does not, the listing
// grows as it goes); room that no entry takes is never touched. A folder
// that once held many more entries than now (ext4's folders never shrink)
// gets a bounded room.
std::size_t roomFor(DIR* directory) {
    constexpr std::size_t bytesPerEntry = 24;
    constexpr std::size_t mostRoom = std::size_t{1} << 17;
    struct stat status {};
    if (fstat(dirfd(directory), &status) != 0 || status.st_size <= 0) {
        return 0;
    }
    return std::min(static_cast<std::size_t>(status.st_size) / bytesPerEntry, mostRoom);
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
    entries.reserve(roomFor(directory.get()));
    while (const dirent* entry = readdir(directory.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            entries.push_back(entryOf(folder, *entry));
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
