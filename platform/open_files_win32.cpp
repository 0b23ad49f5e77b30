// Open files on Win32: HANDLEs of CreateFileW, read with ReadFile and
// written with WriteFile. Every file is opened letting others read, write,
// rename and delete it, as POSIX systems let them: an interruption deletes
// the new master being written (see interruption.h).
#include "platform/open_files.h"

#include "platform/utf16.h"

#include <algorithm>
#include <windows.h>

namespace platelier {

namespace {

constexpr DWORD everySharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

HANDLE handleOf(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

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
// pipe opens as something that is no file on a disk.
FileForReading FileForReading::open(const std::string& path, OpenedFileFacts& facts) {
    facts = {};
    const std::wstring widePath = utf16FromUtf8(path);
    const DWORD attributes = GetFileAttributesW(widePath.c_str());
    facts.notRegular =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (facts.notRegular) {
        return {};
    }
    FileForReading file(reinterpret_cast<std::intptr_t>(
        CreateFileW(widePath.c_str(), GENERIC_READ, everySharing, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file) {
        return {};
    }
    LARGE_INTEGER size{};
    facts.notRegular = GetFileType(handleOf(file.handle())) != FILE_TYPE_DISK ||
                       !GetFileSizeEx(handleOf(file.handle()), &size);
    facts.length = static_cast<std::uint64_t>(size.QuadPart);
    return facts.notRegular ? FileForReading() : std::move(file);
}

std::optional<std::size_t> FileForReading::read(char* data, std::size_t size) {
    DWORD count = 0;
    const auto asked = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
    if (!ReadFile(handleOf(handle()), data, asked, &count, nullptr)) {
        return std::nullopt;
    }
    return count;
}

FileForWriting FileForWriting::open(const std::string& path) {
    return FileForWriting(reinterpret_cast<std::intptr_t>(
        CreateFileW(utf16FromUtf8(path).c_str(), GENERIC_WRITE, everySharing, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

// A write that takes fewer bytes than it was given has met a full disk or a
// quota; the rest are tried once more, and a write that takes none fails.
bool FileForWriting::write(const char* data, std::size_t size) {
    while (size > 0) {
        DWORD count = 0;
        const auto asked = static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
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

} // namespace platelier
