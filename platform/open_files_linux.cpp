// Open files on POSIX systems: descriptors, read and written with read() and
// write(), each call taken up again when a signal interrupts it.
#include "platform/open_files.h"

#include "platform/file_faults.h"
#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platelier {

namespace {

FileIdentity identityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
}

// Only root gives a file to another owner, but a user may still give it one
// of their own groups. fchown clears the set-ID bits, so the permissions
// come after it, and a set-ID bit only with the owner or group it stood
// for. A file the program just made usually has its owner and permissions
// already: then neither is asked for.
void takeOwnerAndPermissions(int file, const FileOwnership& like) {
    struct stat status {};
    if (fstat(file, &status) != 0) {
        return;
    }
    const bool ownerSame = status.st_uid == like.owner && status.st_gid == like.group;
    const bool ownerKept = ownerSame || fchown(file, like.owner, like.group) == 0;
    const bool groupKept = ownerKept || fchown(file, static_cast<uid_t>(-1), like.group) == 0;
    const mode_t mode = like.mode & (ownerKept ? 07777u : groupKept ? 02777u : 0777u);
    if (!ownerSame || (status.st_mode & 07777u) != mode) {
        fchmod(file, mode);
    }
}

// The process may write the file, and so may someone: root may write any
// file, but not one its owner made read-only. The owner's write permission
// is read from the status, with no call to the system: for a file on a
// read-only file system that lets a rewrite go on to fail at its new file,
// before anything changed, as it would for a folder that may not be
// written.
bool mayWrite(const std::string& path, const struct stat& status) {
    static const uid_t user = getuid(); // whom access() asks for
    const bool ownerMay = status.st_uid == user && (status.st_mode & S_IWUSR) != 0;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
           (ownerMay || access(path.c_str(), W_OK) == 0);
}

// What FileForReading::identify fills in, from the status it leaves in
// `status` for the rest of an opening.
bool identifyFile(int file, OpenedFileFacts& facts, struct stat& status) {
    if (fstat(file, &status) != 0) {
        return false;
    }
    facts.identified = true;
    facts.notRegular = !S_ISREG(status.st_mode);
    facts.identity = identityOf(status);
    facts.ownership = {static_cast<std::uint32_t>(status.st_mode & 07777u), status.st_uid,
                       status.st_gid};
    return true;
}

} // namespace

bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index && a.size == b.size &&
           a.modified == b.modified;
}

std::optional<FileIdentity> identityAt(const std::string& path) {
    struct stat status {};
    if (fileOperationFails(FileOperation::query) || stat(path.c_str(), &status) != 0) {
        return std::nullopt;
    }
    return identityOf(status);
}

bool OpenFile::seek(std::uint64_t offset) {
    return lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool OpenFile::close() {
    const std::intptr_t handle = release();
    return handle == closedHandle || ::close(static_cast<int>(handle)) == 0;
}

// Opened without blocking, so that a FIFO is seen for what it is before
// anything waits on it; a regular file reads the same without blocking. For
// a rewrite, a symbolic link is refused by the opening itself (O_NOFOLLOW),
// and the file takes an advisory lock that another run's rewrite asks for
// too: other programs are not held back by it. Reads name their offset
// (pread), which a FIFO refuses: opened to look at, it is never read.
FileForReading FileForReading::open(const std::string& path, OpenedFileFacts& facts,
                                    ReadingFor purpose) {
    facts = {};
    const bool rewriting = purpose == ReadingFor::rewriting;
    FileForReading file(
        ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | (rewriting ? O_NOFOLLOW : 0)));
    facts.symbolicLink = rewriting && !file && errno == ELOOP;
    if (file && purpose == ReadingFor::lookingAt) {
        facts.identified = false;
        return file;
    }
    struct stat status {};
    if (!file || !identifyFile(static_cast<int>(file.handle()), facts, status)) {
        return {};
    }
    if (rewriting && !facts.notRegular) {
        facts.inUse = flock(static_cast<int>(file.handle()), LOCK_EX | LOCK_NB) != 0;
        facts.readOnly = !mayWrite(path, status);
    }
    return facts.notRegular || facts.inUse ? FileForReading() : std::move(file);
}

bool FileForReading::identify(OpenedFileFacts& facts) {
    struct stat status {};
    return identifyFile(static_cast<int>(handle()), facts, status);
}

std::optional<std::size_t> FileForReading::read(std::uint64_t offset, char* data,
                                                std::size_t size) {
    ssize_t count = 0;
    do {
        count = pread(static_cast<int>(handle()), data, size, static_cast<off_t>(offset));
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(count);
}

// Created with no more permissions than `like` has (and the umask leaves),
// so that the new file is never readable by someone the old one kept out.
FileForWriting FileForWriting::create(const std::string& folder, const FileOwnership& like,
                                      std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = temporaryFilePath(folder).value_or(std::string());
        FileForWriting file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                   static_cast<mode_t>(like.mode & 0777u)));
        if (file) {
            flock(static_cast<int>(file.handle()), LOCK_EX | LOCK_NB);
            takeOwnerAndPermissions(static_cast<int>(file.handle()), like);
            return file;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    return {};
}

bool fileBeingWritten(const std::string& path) {
    const FileForReading file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    return file && flock(static_cast<int>(file.handle()), LOCK_EX | LOCK_NB) != 0;
}

// A write may take fewer bytes than it was given (a signal, a disk that
// fills up on the way); the rest is written after them, and a write that
// takes none has met a full disk or a quota.
bool FileForWriting::write(const char* data, std::size_t size) {
    while (size > 0) {
        const std::size_t asked = fileSystemLacks(FileSystemFeature::wholeWrites)
                                      ? std::max<std::size_t>(1, size / 2)
                                      : size;
        const ssize_t count = ::write(static_cast<int>(handle()), data, asked);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        data += count;
        size -= static_cast<std::size_t>(count);
    }
    return true;
}

// A file that replaces another by rename makes ext4 write all of it out
// there and then, and wait while the device takes it. Started block by block
// while the file is still being written, that writing overlaps the work of
// producing it, and reaches the disk sooner. A file that takes another's
// place by an exchange of names is not written out by ext4 at all: started
// at its close, its bytes reach the disk before the exchange does, and a
// crash never finds the master empty (a small file is not asked for: see
// FileWriter::smallFileSize).
void FileForWriting::startWritingOut() {
    sync_file_range(static_cast<int>(handle()), 0, 0, SYNC_FILE_RANGE_WRITE);
}

// Looked up once: the console program sets its limit before anything else.
std::size_t filesThatMayStayOpen() {
    static const std::size_t files = [] {
        struct rlimit limit {};
        return getrlimit(RLIMIT_NOFILE, &limit) != 0
                   ? 0
                   : static_cast<std::size_t>(std::min<rlim_t>(limit.rlim_cur, mostOpenFiles) / 2);
    }();
    return files;
}

} // namespace platelier
