// Open files on POSIX systems: descriptors, read and written with read() and
// write(), each call taken up again when a signal interrupts it.
#include "platform/open_files.h"

#include "platform/file_faults.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platelier {

namespace {

FileIdentity identityOf(const struct stat& status) {
    return {static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size),
            static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec};
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
// anything waits on it; a regular file reads the same without blocking. A
// rewrite takes an advisory lock that another run's rewrite asks for too:
// other programs are not held back by it.
FileForReading FileForReading::open(const std::string& path, OpenedFileFacts& facts,
                                    ReadingFor purpose) {
    facts = {};
    FileForReading file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file && fstat(static_cast<int>(file.handle()), &status) == 0) {
        facts.notRegular = !S_ISREG(status.st_mode);
        facts.identity = identityOf(status);
        facts.inUse = purpose == ReadingFor::rewriting && !facts.notRegular &&
                      flock(static_cast<int>(file.handle()), LOCK_EX | LOCK_NB) != 0;
        if (!facts.notRegular && !facts.inUse) {
            return file;
        }
    }
    return {};
}

std::optional<std::size_t> FileForReading::read(char* data, std::size_t size) {
    ssize_t count = 0;
    do {
        count = ::read(static_cast<int>(handle()), data, size);
    } while (count < 0 && errno == EINTR);
    if (count < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(count);
}

FileForWriting FileForWriting::open(const std::string& path) {
    FileForWriting file(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (file) {
        flock(static_cast<int>(file.handle()), LOCK_EX | LOCK_NB);
    }
    return file;
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
// producing it, and reaches the disk sooner.
void FileForWriting::startWritingOut() {
    sync_file_range(static_cast<int>(handle()), 0, 0, SYNC_FILE_RANGE_WRITE);
}

} // namespace platelier
