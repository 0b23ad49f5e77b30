// File-system operations on Win32: MoveFileA, which never replaces a file,
// ReplaceFileA, which keeps the replaced file's attributes, and the
// FindFirstFileA search, which ignores letter case in wildcards and lists
// whole folders with "*".
#include "platform/files.h"

#include "platform/file_faults.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <random>
#include <sys/stat.h>
#include <sys/types.h>
#include <utility>
#include <windows.h>

namespace platelier {

namespace {

struct SearchCloser {
    using pointer = HANDLE;
    void operator()(HANDLE search) const { FindClose(search); }
};

struct HandleCloser {
    using pointer = HANDLE;
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The file's identity: its volume and its index on the volume.
std::optional<std::array<DWORD, 3>> fileIdentity(const std::string& path) {
    Handle file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (file.get() == INVALID_HANDLE_VALUE ||
        !GetFileInformationByHandle(file.get(), &information)) {
        return std::nullopt;
    }
    return std::array<DWORD, 3>{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                                information.nFileIndexLow};
}

} // namespace

char pathSeparator() {
    return '\\';
}

const char* folderSeparators() {
    return "\\/:";
}

bool moveFileNoReplace(const std::string& from, const std::string& to) {
    return !fileOperationFails(FileOperation::rename) && MoveFileA(from.c_str(), to.c_str()) != 0;
}

// ReplaceFileA gives the replacement the target's attributes and access
// control lists where it can (its owner stays the program's user). It
// cannot move the target to a backup path that is a hard link of the
// target: that name, which holds nothing the target does not, goes first.
bool replaceFileWithBackup(const std::string& target, const std::string& replacement,
                           const std::string& backup) {
    if (fileOperationFails(FileOperation::rename)) {
        return false;
    }
    const auto backupIdentity = fileIdentity(backup);
    if (backupIdentity && backupIdentity == fileIdentity(target)) {
        DeleteFileA(backup.c_str());
    }
    if (ReplaceFileA(target.c_str(), replacement.c_str(), backup.c_str(),
                     REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        return true;
    }
    // The target went to the backup name but the replacement could not take
    // its place: the target gets its own name back.
    if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        MoveFileA(backup.c_str(), target.c_str());
    }
    return false;
}

// Not GetTempFileNameA, which refuses folders longer than MAX_PATH - 14
// characters: the name is as long as the folder leaves room for, up to 9
// characters ('~' and random letters and digits), and at least 5 beside a
// master path of 255 characters; names are drawn until one is new.
std::optional<std::string> createUniqueFile(const std::string& folder) {
    if (fileOperationFails(FileOperation::create)) {
        return std::nullopt;
    }
    const std::string in = folder.empty() ? std::string(".\\") : folder;
    const std::size_t length =
        std::min<std::size_t>(9, MAX_PATH - 1 - std::min<std::size_t>(in.size(), MAX_PATH - 1));
    static std::mt19937 random(std::random_device{}() ^ GetCurrentProcessId());
    for (int attempt = 0; length >= 2 && attempt < 100; ++attempt) {
        std::string path = in + '~';
        while (path.size() < in.size() + length) {
            path += "0123456789abcdefghijklmnopqrstuvwxyz"[random() % 36];
        }
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
            return path;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    return std::nullopt;
}

bool mayWriteFile(const std::string& path) {
    if (fileOperationFails(FileOperation::query)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool pathExists(const std::string& path) {
    return !fileOperationFails(FileOperation::query) &&
           GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isSameFile(const std::string& a, const std::string& b) {
    if (fileOperationFails(FileOperation::query)) {
        return false;
    }
    const auto first = fileIdentity(a);
    return first && first == fileIdentity(b);
}

bool removeFile(const std::string& path) {
    return !fileOperationFails(FileOperation::remove) && DeleteFileA(path.c_str()) != 0;
}

std::vector<std::string> findMatchingEntries(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    HANDLE first = fileOperationFails(FileOperation::search)
                       ? INVALID_HANDLE_VALUE
                       : FindFirstFileA(pattern.c_str(), &entry);
    if (first == INVALID_HANDLE_VALUE) {
        return names;
    }
    std::unique_ptr<void, SearchCloser> search(first);
    do {
        names.emplace_back(entry.cFileName);
    } while (FindNextFileA(search.get(), &entry));
    return names;
}

// A junction or symbolic link to a folder is a reparse point: not walked.
// Short names come too: the search matches wildcards against them as well.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    if (fileOperationFails(FileOperation::search)) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA entry{};
    HANDLE first = FindFirstFileA((folder + "*").c_str(), &entry);
    if (first == INVALID_HANDLE_VALUE) {
        // The root of an empty drive has no "." entry: nothing is found there.
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::make_optional(entries) : std::nullopt;
    }
    std::unique_ptr<void, SearchCloser> search(first);
    do {
        const std::string name = entry.cFileName;
        const DWORD attributes = entry.dwFileAttributes;
        if (name != "." && name != "..") {
            entries.push_back({name,
                               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                   (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0,
                               entry.cAlternateFileName});
        }
    } while (FindNextFileA(search.get(), &entry));
    return entries;
}

bool isFolder(const std::string& path) {
    if (fileOperationFails(FileOperation::query)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

FileForReading::~FileForReading() {
    close();
}

// A folder cannot be opened as a file; a device name (CON, NUL, COM1) or a
// pipe opens as something that is no file on a disk.
FileForReading FileForReading::open(const std::string& path, bool& notRegular,
                                    std::uint64_t& length) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    notRegular =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (notRegular) {
        return {};
    }
    FileForReading file(reinterpret_cast<std::intptr_t>(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) {
        return {};
    }
    const HANDLE handle = reinterpret_cast<HANDLE>(file.handle_);
    LARGE_INTEGER size{};
    notRegular = GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size);
    length = static_cast<std::uint64_t>(size.QuadPart);
    return notRegular ? FileForReading() : std::move(file);
}

std::optional<std::size_t> FileForReading::read(char* data, std::size_t size) {
    DWORD count = 0;
    const auto asked = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    if (!ReadFile(reinterpret_cast<HANDLE>(handle_), data, asked, &count, nullptr)) {
        return std::nullopt;
    }
    return count;
}

bool FileForReading::seek(std::uint64_t offset) {
    LARGE_INTEGER distance{};
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(reinterpret_cast<HANDLE>(handle_), distance, nullptr, FILE_BEGIN) != 0;
}

bool FileForReading::close() {
    const std::intptr_t handle = release();
    return handle == closedHandle || CloseHandle(reinterpret_cast<HANDLE>(handle)) != 0;
}

// fopen does not let others delete the file: the stream is made over a
// handle that does.
std::FILE* openStream(const std::string& path, const char* mode) {
    const bool writing = std::strchr(mode, '+') != nullptr;
    Handle file(CreateFileA(path.c_str(), GENERIC_READ | (writing ? GENERIC_WRITE : 0),
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return nullptr;
    }
    const int descriptor =
        _open_osfhandle(reinterpret_cast<std::intptr_t>(file.get()), writing ? 0 : _O_RDONLY);
    if (descriptor == -1) {
        return nullptr;
    }
    file.release();
    std::FILE* stream = _fdopen(descriptor, mode);
    if (stream == nullptr) {
        _close(descriptor);
    }
    return stream;
}

bool seekStream(std::FILE* stream, std::uint64_t offset) {
    return _fseeki64(stream, static_cast<__int64>(offset), SEEK_SET) == 0;
}

// Windows does not make a file that replaces another wait for its bytes to
// reach the disk, so there is no wait to spread over the writing.
void startWritingOut(std::FILE*) {}

} // namespace platelier
