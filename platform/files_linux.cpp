// File-system operations on POSIX systems (Linux first: renameat2's rename
// that never replaces a file, and its exchange of two names, where the file
// system offers them).
#include "platform/files.h"

#include "platform/file_faults.h"
#include "platform/file_stream.h"
#include "platform/interruption.h"
#include "platform/path_parts.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <random>
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

// Trades the names of two files in one step: an operation of the file
// layer, failing with EINVAL where the file system cannot.
bool exchangeNames(const std::string& a, const std::string& b) {
    if (fileOperationFails(FileOperation::rename)) {
        errno = EIO;
        return false;
    }
    if (fileSystemLacks(FileSystemFeature::exchangingRename)) {
        errno = EINVAL;
        return false;
    }
    return renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
}

// What renameat2 answers on a kernel or file system without the exchange.
bool exchangeUnsupported(int error) {
    return error == EINVAL || error == ENOSYS || error == EOPNOTSUPP;
}

// Copies the bytes of `from` over the empty file `output`.
bool copyFile(const std::string& from, FileWriter output) {
    FileReader input = FileReader::open(from);
    bool written = input && output;
    for (std::string_view bytes; written && !(bytes = input.bufferedBytes()).empty();) {
        written = output.write(bytes);
        input.skipBytes(bytes.size());
    }
    return output.close() && input.close() && written;
}

FileOwnership ownershipOf(const struct stat& status) {
    return {static_cast<std::uint32_t>(status.st_mode & 07777), status.st_uid, status.st_gid};
}

// For file systems without hard links: the backup is a copy of the target,
// written under a name of its own and then given the backup's name, which
// replaces an older backup in one step. The target's name never stands
// empty, and an interruption removes the unfinished copy.
bool copyAsBackup(const std::string& target, const std::string& backup,
                  const struct stat& targetStatus) {
    FileWriter copy = FileWriter::create(folderPart(backup), ownershipOf(targetStatus));
    if (!copy) {
        return false;
    }
    const std::string copyPath = copy.path();
    const TemporaryFileGuard removedOnInterrupt(copyPath);
    if (copyFile(target, std::move(copy)) && countedRename(copyPath, backup)) {
        return true;
    }
    unlink(copyPath.c_str());
    return false;
}

// True when `path` is another name of the file whose status is `file` (a
// symbolic link to it is not).
bool namesFile(const std::string& path, const struct stat& file) {
    struct stat status {};
    return lstat(path.c_str(), &status) == 0 && status.st_dev == file.st_dev &&
           status.st_ino == file.st_ino;
}

// A second name of the target, drawn at random beside the backup: link()
// refuses a name that is taken, and another is drawn.
std::optional<std::string> linkToTarget(const std::string& target, const std::string& backup) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::optional<std::string> name = temporaryFilePath(folderPart(backup));
        if (name && hardLink(target, *name) == 0) {
            return name;
        }
        if (!name || errno != EEXIST) {
            break;
        }
    }
    return std::nullopt;
}

// The backup a second name of the target (or, without hard links, a copy of
// it), which then replaces the old backup in one step. A backup that is
// already a hard link of the target is kept as it is: rename() does nothing
// between two names of one file, and would leave the second name behind.
bool backUpThroughSecondName(const std::string& target, const std::string& backup,
                             const struct stat& targetStatus, bool& linked) {
    linked = namesFile(backup, targetStatus);
    if (linked) {
        return true;
    }
    const std::optional<std::string> backupLink = linkToTarget(target, backup);
    if (!backupLink) {
        return copyAsBackup(target, backup, targetStatus);
    }
    const TemporaryFileGuard removedOnInterrupt(*backupLink);
    linked = countedRename(*backupLink, backup);
    if (!linked) {
        unlink(backupLink->c_str());
    }
    return linked;
}

// The way of file systems without the exchange: the target is never
// missing, but for a moment it has two names. A program that writes the
// target by a descriptor opened before writes it under the backup's name
// once the replacement took its place: the backup's identity tells, and the
// target comes back.
Replacement replaceThroughSecondName(const std::string& target, const std::string& replacement,
                                     const std::string& backup, const FileIdentity& asRead) {
    struct stat targetStatus {};
    bool linked = false;
    if (stat(target.c_str(), &targetStatus) != 0 ||
        !backUpThroughSecondName(target, backup, targetStatus, linked)) {
        return Replacement::failed;
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

enum class Swap { done, unsupported, failed };

// Undoes the first step of swapIntoPlace: the replacement gets its own name
// back, and an older backup its.
void undoBackupStep(const std::string& replacement, const std::string& backup, bool hadBackup) {
    if (hadBackup) {
        renameat2(AT_FDCWD, replacement.c_str(), AT_FDCWD, backup.c_str(), RENAME_EXCHANGE);
    } else {
        rename(backup.c_str(), replacement.c_str());
    }
}

// The replacement takes the backup's name first: by a rename that replaces
// nothing, or, where an older backup stands, by trading names with it (so
// that a failure can give it back; it goes last). Then it trades names with
// the target: the previous target is the backup, and no name ever stood
// empty or named a file that another name held too. A folder that came to
// stand at the backup's name is given it back.
Swap swapIntoPlace(const std::string& target, const std::string& replacement,
                   const std::string& backup, bool& hadBackup) {
    hadBackup = false;
    errno = EIO; // what a failure of the file layer's own reports
    const bool renamed =
        !fileOperationFails(FileOperation::rename) && renameat2NoReplace(replacement, backup) == 0;
    if (!renamed) {
        hadBackup = errno == EEXIST && exchangeNames(replacement, backup);
        if (!hadBackup) {
            return exchangeUnsupported(errno) ? Swap::unsupported : Swap::failed;
        }
    }
    struct stat older {};
    if (hadBackup && lstat(replacement.c_str(), &older) == 0 && S_ISDIR(older.st_mode)) {
        undoBackupStep(replacement, backup, hadBackup);
        return Swap::failed;
    }
    if (!exchangeNames(backup, target)) {
        const bool unsupported = exchangeUnsupported(errno);
        undoBackupStep(replacement, backup, hadBackup);
        return unsupported ? Swap::unsupported : Swap::failed;
    }
    return Swap::done;
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

// Where the file system trades two names in one step (renameat2's
// RENAME_EXCHANGE), the replacement takes the target's place so, in two
// steps and with no hard link; elsewhere the target gets a second name
// first. Ended between the two steps by what no program can catch (a power
// cut, SIGKILL), the target is as it was and the backup's name holds the
// replacement. A target that changed or was replaced since it was read,
// or a program that writes it by a descriptor opened before, and so writes
// it under the backup's name once the replacement took its place: the
// backup's identity tells, and every name gets its file back. The target
// is not looked at before: that would cost a call for every master, for
// what the backup's identity tells all the same.
Replacement replaceFileWithBackup(const std::string& target, const std::string& replacement,
                                  const std::string& backup, const FileIdentity& asRead) {
    if (fileOperationFails(FileOperation::rename)) {
        return Replacement::failed;
    }
    bool hadBackup = false;
    switch (swapIntoPlace(target, replacement, backup, hadBackup)) {
    case Swap::unsupported:
        return replaceThroughSecondName(target, replacement, backup, asRead);
    case Swap::failed:
        return Replacement::failed;
    case Swap::done:
        break;
    }
    if (const std::optional<FileIdentity> previous = identityAt(backup);
        previous && previous != asRead) {
        renameat2(AT_FDCWD, backup.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE);
        undoBackupStep(replacement, backup, hadBackup);
        return Replacement::targetChanged;
    }
    if (hadBackup) {
        unlink(replacement.c_str());
    }
    return Replacement::done;
}

// Six letters or digits, as mkstemp draws them: among 62^6 names, a draw
// almost never meets one that is taken.
std::optional<std::string> temporaryFilePath(const std::string& folder) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937_64 random(std::random_device{}() ^
                                        static_cast<std::uint64_t>(getpid()) << 32);
    std::string path = (folder.empty() ? std::string("./") : folder) + std::string(temporaryPrefix);
    for (int letter = 0; letter < 6; ++letter) {
        path += letters[random() % (sizeof letters - 1)];
    }
    return path;
}

bool isTemporaryFileName(const std::string& name) {
    return name.size() == temporaryPrefix.size() + 6 && name.rfind(temporaryPrefix, 0) == 0;
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
