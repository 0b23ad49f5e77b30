// Open files on Win32: HANDLEs of CreateFileW, read with ReadFile and
// written with WriteFile. Every file is opened letting others read, write,
// rename and delete it, as POSIX systems let them: an interruption deletes
// the new master being written (see interruption.h).
#include "platform/open_files.h"

#include "platform/file_faults.h"
#include "platform/files.h"
#include "platform/utf16.h"

#include <algorithm>
#include <windows.h>

namespace platelier {

namespace {

constexpr DWORD everySharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

FileIdentity identityOf(const BY_HANDLE_FILE_INFORMATION& information) {
    const auto wide = [](DWORD high, DWORD low) {
        return static_cast<std::uint64_t>(high) << 32 | low;
    };
    const FILETIME& written = information.ftLastWriteTime;
    return {information.dwVolumeSerialNumber,
            wide(information.nFileIndexHigh, information.nFileIndexLow),
            wide(information.nFileSizeHigh, information.nFileSizeLow),
            static_cast<std::int64_t>(wide(written.dwHighDateTime, written.dwLowDateTime))};
}

// The lock of a rewrite, and of a file being written: the last byte a file
// could have, so that it keeps out another rewrite and no reader.
bool lockForRewrite(HANDLE file) {
    OVERLAPPED last{};
    last.Offset = 0xFFFFFFFE;
    last.OffsetHigh = 0x7FFFFFFF;
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &last) !=
           0;
}

} // namespace

bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index && a.size == b.size &&
           a.modified == b.modified;
}

std::optional<FileIdentity> identityAt(const std::string& path) {
    if (fileOperationFails(FileOperation::query)) {
        return std::nullopt;
    }
    const HANDLE file = CreateFileW(utf16FromUtf8(path).c_str(), 0, everySharing, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION information{};
    const bool known =
        file != INVALID_HANDLE_VALUE && GetFileInformationByHandle(file, &information) != 0;
    if (file != INVALID_HANDLE_VALUE) {
        CloseHandle(file);
    }
    return known ? std::make_optional(identityOf(information)) : std::nullopt;
}

bool OpenFile::seek(std::uint64_t offset) {
    LARGE_INTEGER distance{};
    distance.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(handleOf(handle_), distance, nullptr, FILE_BEGIN) != 0;
}

bool OpenFile::close() {
    const std::intptr_t handle = release();
    return handle == closedHandle || CloseHandle(handleOf(handle)) != 0;
}

// A folder cannot be opened as a file; a device name (CON, NUL, COM1) or a
// pipe opens as something that is no file on a disk, refused even when the
// file is opened only to look at. For a rewrite, a reparse point is refused
// first, and a file another program has open for writing is refused as in
// use.
FileForReading FileForReading::open(const std::string& path, OpenedFileFacts& facts,
                                    ReadingFor purpose) {
    facts = {};
    const std::wstring widePath = utf16FromUtf8(path);
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    const auto has = [&](DWORD attribute) {
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & attribute) != 0;
    };
    const bool rewriting = purpose == ReadingFor::rewriting;
    facts.symbolicLink = rewriting && has(FILE_ATTRIBUTE_REPARSE_POINT);
    facts.notRegular = !facts.symbolicLink && has(FILE_ATTRIBUTE_DIRECTORY);
    facts.readOnly = rewriting && has(FILE_ATTRIBUTE_READONLY);
    if (facts.notRegular || facts.symbolicLink) {
        return {};
    }
    FileForReading file(reinterpret_cast<std::intptr_t>(
        CreateFileW(widePath.c_str(), GENERIC_READ,
                    rewriting ? FILE_SHARE_READ | FILE_SHARE_DELETE : everySharing, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) {
        facts.inUse = rewriting && GetLastError() == ERROR_SHARING_VIOLATION;
        return {};
    }
    facts.notRegular = GetFileType(handleOf(file.handle())) != FILE_TYPE_DISK;
    if (purpose == ReadingFor::lookingAt && !facts.notRegular) {
        facts.identified = false;
        return file;
    }
    facts.notRegular = facts.notRegular || !file.identify(facts);
    facts.inUse = rewriting && !facts.notRegular && !lockForRewrite(handleOf(file.handle()));
    return facts.notRegular || facts.inUse ? FileForReading() : std::move(file);
}

// Win32 keeps no owner here (see FileOwnership): the facts' ownership stays
// as it was.
bool FileForReading::identify(OpenedFileFacts& facts) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(handleOf(handle()), &information)) {
        return false;
    }
    facts.identified = true;
    facts.identity = identityOf(information);
    return true;
}

// The handle is moved only for a read elsewhere than where it stands. A
// read given its offset (ReadFile with an OVERLAPPED) would ask for no move
// at all, but under Wine it made the rewrite of a 256 MiB master take 1.35
// times CopyFileA, against 0.96 this way.
std::optional<std::size_t> FileForReading::read(std::uint64_t offset, char* data,
                                                std::size_t size) {
    LARGE_INTEGER to{};
    to.QuadPart = static_cast<LONGLONG>(offset);
    if (offset != handlePosition_ &&
        !SetFilePointerEx(handleOf(handle()), to, nullptr, FILE_BEGIN)) {
        return std::nullopt;
    }
    handlePosition_ = offset;
    DWORD count = 0;
    const auto asked = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    if (!ReadFile(handleOf(handle()), data, asked, &count, nullptr)) {
        return std::nullopt;
    }
    handlePosition_ += count;
    return count;
}

// `like` is not needed: the replacement takes the target's attributes and
// access control lists with its place (see replaceFileWithBackup). Names
// are drawn until one is new.
FileForWriting FileForWriting::create(const std::string& folder, const FileOwnership&,
                                      std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::optional<std::string> drawn = temporaryFilePath(folder);
        if (!drawn) {
            break;
        }
        path = *drawn;
        FileForWriting file(reinterpret_cast<std::intptr_t>(
            CreateFileW(utf16FromUtf8(path).c_str(), GENERIC_WRITE, everySharing, nullptr,
                        CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (file) {
            lockForRewrite(handleOf(file.handle()));
            return file;
        }
        if (GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    return {};
}

bool fileBeingWritten(const std::string& path) {
    const FileForReading file(reinterpret_cast<std::intptr_t>(
        CreateFileW(utf16FromUtf8(path).c_str(), GENERIC_READ, everySharing, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr)));
    return file && !lockForRewrite(handleOf(file.handle()));
}

// A write that takes fewer bytes than it was given has met a full disk or a
// quota; the rest are tried once more, and a write that takes none fails.
bool FileForWriting::write(const char* data, std::size_t size) {
    while (size > 0) {
        DWORD count = 0;
        const std::size_t most = fileSystemLacks(FileSystemFeature::wholeWrites)
                                     ? std::max<std::size_t>(1, size / 2)
                                     : size;
        const auto asked = static_cast<DWORD>(std::min<std::size_t>(most, MAXDWORD));
        if (!WriteFile(handleOf(handle()), data, asked, &count, nullptr) || count == 0) {
            return false;
        }
        data += count;
        size -= count;
    }
    return true;
}

// Windows does not make a file that replaces another wait for its bytes to
// reach the disk, so there is no wait to spread over the writing.
void FileForWriting::startWritingOut() {}

std::size_t filesThatMayStayOpen() {
    return mostOpenFiles / 2;
}

} // namespace platelier
