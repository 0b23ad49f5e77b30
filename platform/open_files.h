// Files open through the system's own calls, with no C stream between: a
// regular file to read, and a new file to write. The streams of
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

// Which file a path names and how it stood when it was looked at: another
// identity later means the file was replaced or changed meanwhile.
struct FileIdentity {
    std::uint64_t volume = 0; // the device; on Win32 the volume's serial number
    std::uint64_t index = 0;  // the inode; on Win32 the file's index on its volume
    std::uint64_t size = 0;
    std::int64_t modified = 0; // the last write, in the system's own units
};

bool operator==(const FileIdentity& a, const FileIdentity& b);
inline bool operator!=(const FileIdentity& a, const FileIdentity& b) {
    return !(a == b);
}

// The identity of the file that `path` names now (through a link), none when
// nothing stands there. One operation of the file layer.
std::optional<FileIdentity> identityAt(const std::string& path);

// Why a file is read: only to read it; only to look at its first bytes, as
// a separation file is judged, when the file is not identified as it is
// opened (see FileForReading::identify); or to rewrite it, when no other run
// of the program may rewrite it meanwhile (it is locked against them), and
// on Win32 no other program may write it either (it is opened without write
// sharing, as Windows programs expect).
enum class ReadingFor { reading, lookingAt, rewriting };

// Who owns a file and who may read and write it, on POSIX systems: what a
// file that takes its place is given. Win32 keeps none of it here: there
// the replacement takes the attributes and access control lists with the
// target's place (see replaceFileWithBackup).
struct FileOwnership {
    std::uint32_t mode = 0600; // the permission bits, set-ID and sticky bits included
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
};

// What opening a file found.
struct OpenedFileFacts {
    bool identified = true;  // false until a file opened to look at is identified
    bool notRegular = false; // a folder, a FIFO or a device: refused, never read
    // For rewriting: a symbolic link (on Win32 a reparse point), refused
    // unopened; the file that it leads to is rewritten by its own path.
    bool symbolicLink = false;
    bool inUse = false; // for rewriting: another rewrite holds it, or a writer has it open
    // For rewriting: the file may not be written. On Win32 it is read-only;
    // on POSIX systems the process may not write it, or no one may: root
    // may write any file, but not one its owner made read-only.
    bool readOnly = false;
    FileIdentity identity; // of a regular file; its length is identity.size
    FileOwnership ownership;
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
    // comes). Closed when the file cannot be opened or is refused, or is in
    // use where it is opened for rewriting.
    //
    // A file opened to look at is not identified: `facts` say only what
    // the opening itself found (on Win32 a folder or a device is still
    // refused). On POSIX systems it may then be a folder, a FIFO or a
    // device, opened without waiting: a read of a folder or a FIFO fails at
    // once, and a device that can be read at an offset is read as a disk
    // is, without taking anything from it.
    static FileForReading open(const std::string& path, OpenedFileFacts& facts,
                               ReadingFor purpose = ReadingFor::reading);

    // Fills in the facts that opening to look at left out: whether the file
    // is a regular one, its identity and ownership. A tree of small files
    // takes one call less per file where none of that is asked. False when
    // the system cannot tell.
    bool identify(OpenedFileFacts& facts);

    // Reads up to `size` bytes at `offset` from the file's start into
    // `data`: how many, 0 at the end of the file; none when the read fails.
    // Each read names where it reads, so that a stream that goes back to a
    // place it read before asks the system for no seek.
    std::optional<std::size_t> read(std::uint64_t offset, char* data, std::size_t size);

  private:
    friend bool fileBeingWritten(const std::string& path);
    explicit FileForReading(std::intptr_t handle) : OpenFile(handle) {}

    // On Win32, where the handle's own position stands: a read there is a
    // plain ReadFile, and only a read elsewhere moves it first. POSIX reads
    // name their offset (pread), and leave it alone.
    [[maybe_unused]] std::uint64_t handlePosition_ = 0;
};

// A new file open for writing, locked for as long as it is open: another
// run that finds it (fileBeingWritten) knows it is no file left behind. On
// Win32 it may meanwhile be renamed or deleted, as on POSIX systems: an
// interruption removes a temporary file that is being written (see
// interruption.h).
class FileForWriting : public OpenFile {
  public:
    FileForWriting() = default;

    // Creates a new file with a name of its own in `folder` (the current
    // folder when empty) and sets `path` to it, given `like`'s owner, group
    // and permissions as far as the system lets the program give them, and
    // never readable by more than `like` lets read. Closed when it cannot be
    // created. Wherever a path of 255 characters can name a file in the
    // folder, so can this one.
    static FileForWriting create(const std::string& folder, const FileOwnership& like,
                                 std::string& path);

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

// True when a run of the program has the file at `path` open for writing.
bool fileBeingWritten(const std::string& path);

// The most files a process of the program holds open at once on any
// system. On Linux the console program raises its limit of open files to
// it where the system lets it: Debian's limit is 1,024.
constexpr std::size_t mostOpenFiles = 65536;

// How many files the program may keep open for later, beyond what its own
// work opens: half of what the process may open (of mostOpenFiles on
// Win32, which bounds a process's handles by its memory alone).
std::size_t filesThatMayStayOpen();

} // namespace platelier
