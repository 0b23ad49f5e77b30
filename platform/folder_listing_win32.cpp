// Folder listings on Win32, with FindFirstFileW and "*", which also gives
// each entry's short name: each name exactly as the folder holds it, in
// UTF-8, where the ANSI listing would give a best-fit name for a character
// its code page lacks, the name of another file or of none.
#include "platform/folder_listing.h"

#include "platform/file_faults.h"
#include "platform/utf16.h"

#include <memory>
#include <windows.h>

namespace platelier {

namespace {

struct SearchCloser {
    using pointer = HANDLE;
    void operator()(HANDLE search) const { FindClose(search); }
};

} // namespace

// A junction or symbolic link to a folder is a reparse point: not walked.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder) {
    if (fileOperationFails(FileOperation::search)) {
        return std::nullopt;
    }
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAW entry{};
    HANDLE first = FindFirstFileW(utf16FromUtf8(folder + "*").c_str(), &entry);
    if (first == INVALID_HANDLE_VALUE) {
        // The root of an empty drive has no "." entry: nothing is found there.
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::make_optional(entries) : std::nullopt;
    }
    std::unique_ptr<void, SearchCloser> search(first);
    do {
        const std::string name = utf8FromUtf16(entry.cFileName);
        const DWORD attributes = entry.dwFileAttributes;
        if (name != "." && name != "..") {
            const bool link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
            const bool directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            entries.push_back({name, directory && !link, utf8FromUtf16(entry.cAlternateFileName),
                               !directory && !link && (attributes & FILE_ATTRIBUTE_DEVICE) == 0});
        }
    } while (FindNextFileW(search.get(), &entry));
    return entries;
}

bool isFolder(const std::string& path) {
    if (fileOperationFails(FileOperation::query)) {
        return false;
    }
    const DWORD attributes = GetFileAttributesW(utf16FromUtf8(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace platelier
