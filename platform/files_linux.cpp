// File-system operations on POSIX systems (Linux first: the never-replacing
// rename uses renameat2 where the file system offers it).
#include "platform/files.h"

#include "platform/file_faults.h"
#include "platform/file_stream.h"
#include "platform/interruption.h"
#include "platform/path_parts.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace platelier {

namespace {

constexpr std::string_view temporaryPrefix = ".platelier-";

int hardLink(const std::string& from, const std::string& to) {
    if (fileSystemLacks(FileSystemFeature::hardLinks)) {
        errno = EPERM;
        return -1;
    }
    return link(from.c_str(), to.c_str());
}

// link() refuses an existing target, so link then unlink never replaces a
// file; it serves file systems without renameat2 (it cannot move folders).
bool linkThenUnlink(const std::string& from, const std::string& to) {
    if (hardLink(from, to) != 0) {
        return false;
    }
    if (unlink(from.c_str()) != 0) {
        unlink(to.c_str());
        return false;
    }
    return true;
}

int renameat2NoReplace(const std::string& from, const std::string& to) {
    if (fileSystemLacks(FileSystemFeature::noReplaceRename)) {
        errno = EINVAL;
        return -1;
    }
    return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

bool renameNoReplace(const std::string& from, const std::string& to) {
    return renameat2NoReplace(from, to) == 0 ||
           ((errno == EINVAL || errno == ENOSYS) && linkThenUnlink(from, to));
}

// A rename() that counts as an operation of the file layer.
bool countedRename(const std::string& from, const std::string& to) {
    return !fileOperationFails(FileOperation::rename) && rename(from.c_str(), to.c_str()) == 0;
}

// Only root gives a file to another owner, but a user may still give it one
// of their own groups. chown clears the set-ID bits, so the permissions come
// after it, and a set-ID bit only with the owner or group it stood for.
void takeOwnerAndPermissions(const std::string& file, const struct stat& from) {
    const bool ownerKept = chown(file.c_str(), from.st_uid, from.st_gid) == 0;
    const bool groupKept =
        ownerKept || chown(file.c_str(), static_cast<uid_t>(-1), from.st_gid) == 0;
    chmod(file.c_str(), from.st_mode & (ownerKept ? 07777u : groupKept ? 02777u : 0777u));
}

// Copies the bytes of `from` over the empty file `to`.
bool copyFile(const std::string& from, const std::string& to) {
    FileReader input = FileReader::open(from);
    FileWriter output = FileWriter::open(to);
    bool written = input && output;
    for (std::string_view bytes; written && !(bytes = input.bufferedBytes()).empty();) {
        written = output.write(bytes);
        input.skipBytes(bytes.size());
    }
    return output.close() && input.close() && written;
}

// For file systems without hard links: the backup is a copy of the target,
// written under a name of its own and then given the backup's name, which
// replaces an older backup in one step. The target's name never stands
// empty, and an interruption removes the unfinished copy.
bool copyAsBackup(const std::string& target, const std::string& backup,
                  const struct stat& targetStatus) {
    const std::optional<std::string> copy = createUniqueFile(folderPart(backup));
    if (!copy) {
        return false;
    }
    const TemporaryFileGuard removedOnInterrupt(*copy);
    if (copyFile(target, *copy)) {
        takeOwnerAndPermissions(*copy, targetStatus);
        if (countedRename(*copy, backup)) {
            return true;
        }
    }
    unlink(copy->c_str());
    return false;
}

// True when `path` is another name of the file whose status is `file` (a
// symbolic link to it is not).
bool namesFile(const std::string& path, const struct stat& file) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && status.st_dev == file.st_dev &&
           status.st_ino == file.st_ino;
}

} // namespace

std::size_t pathLength(const std::string& path) {
    return path.size();
}

char pathSeparator() {
    return '/';
}

const char* folderSeparators() {
    return "/";
}

bool moveFileNoReplace(const std::string& from, const std::string& to) {
    return !fileOperationFails(FileOperation::rename) && renameNoReplace(from, to);
}

// The target is never missing: a second name for it (or, without hard
// links, a copy of it) becomes the backup first, replacing the old backup in
// one step, then the replacement takes the target's name in one step. A
// backup that is already a hard link of the target is kept as it is:
// rename() does nothing between two names of one file, and would leave the
// second name behind. The replacement gets the target's owner, group and
// permissions, as a rewritten file should, where the system lets the
// program give them. A program that writes the target by a descriptor
// opened before writes it under the backup's name once the replacement
// took its place: the backup's identity tells, and the target comes back.
Replacement replaceFileWithBackup(const std::string& target, const std::string& replacement,
                                  const std::string& backup, const FileIdentity& asRead) {
    struct stat targetStatus {};
    if (fileOperationFails(FileOperation::rename) || stat(target.c_str(), &targetStatus) != 0) {
        return Replacement::failed;
    }
    if (const std::optional<FileIdentity> now = identityAt(target); now != asRead) {
        return now ? Replacement::targetChanged : Replacement::failed;
    }
    takeOwnerAndPermissions(replacement, targetStatus);
    bool linked = namesFile(backup, targetStatus);
    if (!linked) {
        const std::optional<std::string> backupLink = createUniqueFile(folderPart(backup));
        if (!backupLink) {
            return Replacement::failed;
        }
        const TemporaryFileGuard removedOnInterrupt(*backupLink);
        unlink(backupLink->c_str());
        linked = hardLink(target, *backupLink) == 0;
        if (linked ? !countedRename(*backupLink, backup)
                   : !copyAsBackup(target, backup, targetStatus)) {
            unlink(backupLink->c_str());
            return Replacement::failed;
        }
    }
    if (const std::optional<FileIdentity> now = identityAt(target); now != asRead) {
        return now ? Replacement::targetChanged : Replacement::failed;
    }
    if (!countedRename(replacement, target)) {
        return Replacement::failed;
    }
    const std::optional<FileIdentity> previous = linked ? identityAt(backup) : asRead;
    if (previous && previous != asRead) {
        rename(backup.c_str(), target.c_str());
        return Replacement::targetChanged;
    }
    return Replacement::done;
}

std::optional<std::string> createUniqueFile(const std::string& folder) {
    if (fileOperationFails(FileOperation::create)) {
        return std::nullopt;
    }
    std::string path =
        (folder.empty() ? std::string("./") : folder) + std::string(temporaryPrefix) + "XXXXXX";
    const int descriptor = mkstemp(path.data());
    if (descriptor < 0) {
        return std::nullopt;
    }
    close(descriptor);
    return path;
}

bool isTemporaryFileName(const std::string& name) {
    return name.size() == temporaryPrefix.size() + 6 && name.rfind(temporaryPrefix, 0) == 0;
}

bool mayWriteFile(const std::string& path) {
    struct stat status {};
    return !fileOperationFails(FileOperation::query) && stat(path.c_str(), &status) == 0 &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

bool isSymbolicLink(const std::string& path) {
    struct stat status {};
    return !fileOperationFails(FileOperation::query) && lstat(path.c_str(), &status) == 0 &&
           S_ISLNK(status.st_mode);
}

bool pathExists(const std::string& path) {
    struct stat status {};
    return !fileOperationFails(FileOperation::query) && lstat(path.c_str(), &status) == 0;
}

bool isSameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return !fileOperationFails(FileOperation::query) && stat(a.c_str(), &first) == 0 &&
           stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

bool removeFile(const std::string& path) {
    return !fileOperationFails(FileOperation::remove) && unlink(path.c_str()) == 0;
}

} // namespace platelier
