// File-system operations on Win32: MoveFileW, which never replaces a file,
// and ReplaceFileW, which keeps the replaced file's attributes. Paths are
// UTF-8 until the wide call.
#include "platform/files.h"

#include "platform/file_faults.h"
#include "platform/utf16.h"

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
    Handle file(CreateFileW(utf16FromUtf8(path).c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information{};
    if (file.get() == INVALID_HANDLE_VALUE ||
        !GetFileInformationByHandle(file.get(), &information)) {
        return std::nullopt;
    }
    return std::array<DWORD, 3>{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                                information.nFileIndexLow};
}

DWORD attributesOf(const std::string& path) {
    return GetFileAttributesW(utf16FromUtf8(path).c_str());
}

} // namespace

std::size_t pathLength(const std::string& path) {
    return utf16FromUtf8(path).size();
}

char pathSeparator() {
    return '\\';
}

const char* folderSeparators() {
    return "\\/:";
}

bool moveFileNoReplace(const std::string& from, const std::string& to) {
    return !fileOperationFails(FileOperation::rename) &&
           MoveFileW(utf16FromUtf8(from).c_str(), utf16FromUtf8(to).c_str()) != 0;
}

// ReplaceFileW gives the replacement the target's attributes and access
// control lists where it can (its owner stays the program's user). It
// cannot move the target to a backup path that is a hard link of the
// target: that name, which holds nothing the target does not, goes first.
Replacement replaceFileWithBackup(const std::string& target, const std::string& replacement,
                                  const std::string& backup, const FileIdentity& asRead) {
    if (fileOperationFails(FileOperation::rename)) {
        return Replacement::failed;
    }
    const std::wstring targetPath = utf16FromUtf8(target);
    const std::wstring backupPath = utf16FromUtf8(backup);
    const auto backupIdentity = fileIdentity(backup);
    if (backupIdentity && backupIdentity == fileIdentity(target)) {
        DeleteFileW(backupPath.c_str());
    }
    if (const std::optional<FileIdentity> now = identityAt(target); now != asRead) {
        return now ? Replacement::targetChanged : Replacement::failed;
    }
    if (!ReplaceFileW(targetPath.c_str(), utf16FromUtf8(replacement).c_str(), backupPath.c_str(),
                      REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
        // The target went to the backup name but the replacement could not
        // take its place: the target gets its own name back.
        if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            MoveFileW(backupPath.c_str(), targetPath.c_str());
        }
        return Replacement::failed;
    }
    const std::optional<FileIdentity> previous = identityAt(backup);
    if (previous && previous != asRead) {
        MoveFileExW(backupPath.c_str(), targetPath.c_str(), MOVEFILE_REPLACE_EXISTING);
        return Replacement::targetChanged;
    }
    return Replacement::done;
}

// Not GetTempFileNameW, which refuses folders longer than MAX_PATH - 14
// characters: the name is as long as the folder leaves room for, up to 9
// characters ('~' and random letters and digits), and at least 5 beside a
// master path of 255 characters.
std::optional<std::string> temporaryFilePath(const std::string& folder) {
    const std::string in = folder.empty() ? std::string(".\\") : folder;
    const std::size_t length = std::min<std::size_t>(
        9, MAX_PATH - 1 - std::min<std::size_t>(pathLength(in), MAX_PATH - 1));
    if (length < 2) {
        return std::nullopt;
    }
    thread_local std::mt19937 random(std::random_device{}() ^ GetCurrentProcessId());
    std::string path = in + '~';
    while (path.size() < in.size() + length) {
        path += "0123456789abcdefghijklmnopqrstuvwxyz"[random() % 36];
    }
    return path;
}

bool isTemporaryFileName(const std::string& name) {
    return name.size() >= 2 && name.size() <= 9 && name[0] == '~' &&
           std::all_of(name.begin() + 1, name.end(),
                       [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'); });
}

bool pathExists(const std::string& path) {
    return !fileOperationFails(FileOperation::query) &&
           attributesOf(path) != INVALID_FILE_ATTRIBUTES;
}

bool isSameFile(const std::string& a, const std::string& b) {
    if (fileOperationFails(FileOperation::query)) {
        return false;
    }
    const auto first = fileIdentity(a);
    return first && first == fileIdentity(b);
}

bool removeFile(const std::string& path) {
    return !fileOperationFails(FileOperation::remove) &&
           DeleteFileW(utf16FromUtf8(path).c_str()) != 0;
}

} // namespace platelier
