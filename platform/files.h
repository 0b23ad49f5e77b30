// File-system operations that the program needs from its platform: renaming
// without ever replacing another file, replacing a file behind a backup, the
// wildcard directory search that finds separation files, the folder listing
// that the command line walks trees with, whether a file may be written, and
// what streams need beyond standard C. Each counts as one operation of the file layer
// (see file_faults.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace platelier {

// The size of the buffers in which the program has always held paths and
// file names: a path has at most 255 characters, and a longer one is
// refused rather than cut.
constexpr std::size_t pathBufferSize = 256;

// The separator between the folders of a path: '\\' on Win32, '/' elsewhere.
char pathSeparator();

// The characters a file name cannot hold because they lead out of its
// folder: the separators, and on Win32 the drive colon.
const char* folderSeparators();

// Renames the file or folder at `from` to `to`. Fails, changing nothing, when
// something already stands at `to` or nothing stands at `from`.
bool moveFileNoReplace(const std::string& from, const std::string& to);

// Puts the file `replacement` in the place of `target`, and the previous
// `target` under the name `backup`, replacing a file that stood there. The
// replacement takes the target's owner, group and permissions (on Win32 its
// attributes and access control lists) as far as the system lets it. On
// failure `target` still holds its previous bytes under its own name.
bool replaceFileWithBackup(const std::string& target, const std::string& replacement,
                           const std::string& backup);

// Creates a new empty file with a name of its own in `folder` (the current
// folder when empty) and returns its path; none when it cannot. Wherever a
// path of 255 characters can name a file in the folder, so can this one.
std::optional<std::string> createUniqueFile(const std::string& folder);

// True when the program may write the file at `path`. On Win32 the file is
// not read-only; on POSIX systems the process may write it, and so may
// someone: root may write any file, but not one its owner made read-only.
bool mayWriteFile(const std::string& path);

// True when a file or folder stands at `path`.
bool pathExists(const std::string& path);

// True when `a` and `b` both name one existing file or folder (names that
// differ only in letter case do on a file system that ignores it).
bool isSameFile(const std::string& a, const std::string& b);

// Deletes a file.
bool removeFile(const std::string& path);

// The names (without folder) of the entries of the pattern's folder whose
// names match the pattern's last component: '*' stands for any run of
// characters, '?' for one, letter case is ignored as searchKey says
// (file_names.h), folders count too. On Win32 an entry also matches by its
// short name, and is given by its name.
std::vector<std::string> findMatchingEntries(const std::string& pattern);

// One entry of a folder. A link to a folder is not a folder here, so that a
// walk through a tree never follows one back into the tree.
struct FolderEntry {
    std::string name; // without folder
    bool isFolder = false;
    std::string shortName; // on Win32 its short (8.3) name, when it has one of its own
};

// The entries of `folder` (empty for the current folder, otherwise ending
// with a separator), without "." and "..", in no particular order; none when
// the folder cannot be read.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder);

// True when `path` names a folder, or a link to one.
bool isFolder(const std::string& path);

// A regular file open for reading through the system's own calls, with no
// C stream between: the reader's buffer is the only one (file_stream.h),
// and opening takes no call beyond what the system needs to open and
// identify the file, which counts when a tree of small files is checked.
class FileForReading {
  public:
    FileForReading() = default;
    FileForReading(FileForReading&& other) noexcept : handle_(other.release()) {}
    FileForReading& operator=(FileForReading&& other) noexcept {
        const FileForReading replaced(release());
        handle_ = other.release();
        return *this;
    }
    FileForReading(const FileForReading&) = delete;
    FileForReading& operator=(const FileForReading&) = delete;
    ~FileForReading();

    // Opens `path`, but only a regular file: a folder, a FIFO or a device is
    // refused without waiting (opening a FIFO would block until a writer
    // comes) and `notRegular` is set. `length` receives the file's length,
    // which telling a regular file finds anyway. Closed when the file cannot
    // be opened or is refused.
    static FileForReading open(const std::string& path, bool& notRegular, std::uint64_t& length);

    explicit operator bool() const { return handle_ != closedHandle; }

    // Reads up to `size` bytes at the current position into `data`: how
    // many, 0 at the end of the file; none when the read fails.
    std::optional<std::size_t> read(char* data, std::size_t size);

    // Positions the file at a byte offset from its start; offsets past 2 GiB
    // included.
    bool seek(std::uint64_t offset);

    // Closes; false when the system reports a failure.
    bool close();

  private:
    // A descriptor on POSIX systems, a HANDLE on Win32: -1 stands for none
    // on both.
    static constexpr std::intptr_t closedHandle = -1;

    explicit FileForReading(std::intptr_t handle) : handle_(handle) {}
    std::intptr_t release() {
        const std::intptr_t handle = handle_;
        handle_ = closedHandle;
        return handle;
    }

    std::intptr_t handle_ = closedHandle;
};

// Opens a file as std::fopen does, in mode "r+b". On Win32 the file
// may meanwhile be renamed or deleted, as on POSIX systems: an interruption
// removes a temporary file that is being written (see interruption.h).
std::FILE* openStream(const std::string& path, const char* mode);

// Positions an open stream at a byte offset from its start; offsets past
// 2 GiB included.
bool seekStream(std::FILE* stream, std::uint64_t offset);

// Asks the system to start writing to the disk what has been written to the
// stream's file so far, without waiting for it. Only a hint: it may do
// nothing, and it is not an operation of the file layer.
void startWritingOut(std::FILE* stream);

} // namespace platelier
