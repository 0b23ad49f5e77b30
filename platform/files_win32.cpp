// File-system operations on Win32: MoveFileA, which never replaces a file,
// and ReplaceFileA, which keeps the replaced file's attributes.
#include "platform/files.h"

#include "platform/file_faults.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <random>
#include <windows.h>

namespace platelier {

namespace {

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
Replacement replaceFileWithBackup(const std::string& target, const std::string& replacement,
                                  const std::string& backup, const FileIdentity& asRead) {
    if (fileOperationFails(FileOperation::rename)) {
        return Replacement::failed;
    }
    const auto backupIdentity = fileIdentity(backup);
    if (backupIdentity && backupIdentity == fileIdentity(target)) {
        DeleteFileA(backup.c_str());
    }
    if (const std::optional<FileIdentity> now = identityAt(target); now != asRead) {
        return now ? Replacement::targetChanged : Replacement::failed;
    }
    if (!ReplaceFileA(target.c_str(), replacement.c_str(), backup.c_str(),
                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        // The target went to the backup name but the replacement could not
        // take its place: the target gets its own name back.
        if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            MoveFileA(backup.c_str(), target.c_str());
        }
        return Replacement::failed;
    }
    const std::optional<FileIdentity> previous = identityAt(backup);
    if (previous && previous != asRead) {
        MoveFileExA(backup.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING);
        return Replacement::targetChanged;
    }
    return Replacement::done;
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

bool isTemporaryFileName(const std::string& name) {
    return name.size() >= 2 && name.size() <= 9 && name[0] == '~' &&
           std::all_of(name.begin() + 1, name.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

bool mayWriteFile(const std::string& path) {
    if (fileOperationFails(FileOperation::query)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

bool isSymbolicLink(const std::string& path) {
    if (fileOperationFails(FileOperation::query)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
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

} // namespace platelier
