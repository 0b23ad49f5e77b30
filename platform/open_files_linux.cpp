// Open files on POSIX systems: descriptors, read and written with read() and
// write(), each call taken up again when a signal interrupts it.
#include "platform/open_files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platelier {

bool OpenFile::seek(std::uint64_t offset) {
    return lseek(static_cast<int>(handle_), static_cast<off_t>(offset), SEEK_SET) >= 0;
}

bool OpenFile::close() {
    const std::intptr_t handle = release();
    return handle == closedHandle || ::close(static_cast<int>(handle)) == 0;
}

// Opened without blocking, so that a FIFO is seen for what it is before
// anything waits on it; a regular file reads the same without blocking.
FileForReading FileForReading::open(const std::string& path, OpenedFileFacts& facts) {
    facts = {};
    FileForReading file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (file && fstat(static_cast<int>(file.handle()), &status) == 0) {
        facts.notRegular = !S_ISREG(status.st_mode);
        facts.length = static_cast<std::uint64_t>(status.st_size);
        if (!facts.notRegular) {
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
    return FileForWriting(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
}

// A write may take fewer bytes than it was given (a signal, a disk that
// fills up on the way); the rest is written after them, and a write that
// takes none has met a full disk or a quota.
bool FileForWriting::write(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t count = ::write(static_cast<int>(handle()), data, size);
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
