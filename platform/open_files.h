// Files open through the system's own calls, with no C stream between: a
// regular file to read, and an existing file to write over. The streams of
// file_stream.h buffer them, so that their buffers are the only ones and each
// read or write that reaches the system is one operation of the file layer.
// Each holds a descriptor on POSIX systems and a HANDLE on Win32, closed when
// it goes out of scope.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platelier {

// What reading a file found when it opened it.
struct OpenedFileFacts {
    bool notRegular = false; // a folder, a FIFO or a device: refused, never read
    std::uint64_t length = 0;
};

// An open file of the system's, closed with the object.
class OpenFile {
  public:
    OpenFile(OpenFile&& other) noexcept : handle_(other.release()) {}
    OpenFile& operator=(OpenFile&& other) noexcept {
        const OpenFile replaced(release());
        handle_ = other.release();
        return *this;
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() { close(); }

    explicit operator bool() const { return handle_ != closedHandle; }

    // Positions the file at a byte offset from its start; offsets past 2 GiB
    // included.
    bool seek(std::uint64_t offset);

    // Closes; false when the system reports a failure. The handle is given
    // up either way, so it is never closed twice.
    bool close();

  protected:
    // -1 stands for none on both systems (it is INVALID_HANDLE_VALUE on Win32).
    static constexpr std::intptr_t closedHandle = -1;

    OpenFile() = default;
    explicit OpenFile(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t handle() const { return handle_; }

  private:
    std::intptr_t release() {
        const std::intptr_t handle = handle_;
        handle_ = closedHandle;
        return handle;
    }

    std::intptr_t handle_ = closedHandle;
};

// A regular file open for reading. Opening takes no call beyond what the
// system needs to open and identify the file, which counts when a tree of
// small files is checked.
class FileForReading : public OpenFile {
  public:
    FileForReading() = default;

    // Opens `path`, but only a regular file: a folder, a FIFO or a device is
    // refused without waiting (opening a FIFO would block until a writer
    // comes). Closed when the file cannot be opened or is refused.
    static FileForReading open(const std::string& path, OpenedFileFacts& facts);

    // Reads up to `size` bytes at the current position into `data`: how
    // many, 0 at the end of the file; none when the read fails.
    std::optional<std::size_t> read(char* data, std::size_t size);

  private:
    explicit FileForReading(std::intptr_t handle) : OpenFile(handle) {}
};

// An existing file open for writing over it from its start. On Win32 it may
// meanwhile be renamed or deleted, as on POSIX systems: an interruption
// removes a temporary file that is being written (see interruption.h).
class FileForWriting : public OpenFile {
  public:
    FileForWriting() = default;

    static FileForWriting open(const std::string& path);

    // Writes all `size` bytes at the current position; false when the system
    // takes fewer (a full disk, a quota) or fails.
    bool write(const char* data, std::size_t size);

    // Asks the system to start writing to the disk what was written so far,
    // without waiting for it. Only a hint: it may do nothing, and it is not
    // an operation of the file layer.
    void startWritingOut();

  private:
    explicit FileForWriting(std::intptr_t handle) : OpenFile(handle) {}
};

} // namespace platelier
