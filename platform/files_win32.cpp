// File-system operations on Win32: MoveFileA, which never replaces a file,
// ReplaceFileA, which keeps the replaced file's attributes, and the
// FindFirstFileA wildcard search, which ignores letter case.
#include "platform/files.h"

#include "platform/file_faults.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>

namespace platelier {

namespace {

struct SearchCloser {
    using pointer = HANDLE;
    void operator()(HANDLE search) const { FindClose(search); }
};

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

bool replaceFileWithBackup(const std::string& target, const std::string& replacement,
                           const std::string& backup) {
    if (fileOperationFails(FileOperation::rename)) {
        return false;
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

std::optional<std::string> createUniqueFile(const std::string& folder) {
    if (fileOperationFails(FileOperation::create)) {
        return std::nullopt;
    }
    char path[MAX_PATH] = {};
    if (GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "plt", 0, path) == 0) {
        return std::nullopt;
    }
    return std::string(path);
}

bool pathExists(const std::string& path) {
    return !fileOperationFails(FileOperation::query) &&
           GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

bool seekStream(std::FILE* stream, std::uint64_t offset) {
    return _fseeki64(stream, static_cast<__int64>(offset), SEEK_SET) == 0;
}

std::optional<std::uint64_t> streamLength(std::FILE* stream) {
    struct _stati64 status {};
    if (_fstati64(_fileno(stream), &status) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(status.st_size);
}

// Windows does not make a file that replaces another wait for its bytes to
// reach the disk, so there is no wait to spread over the writing.
void startWritingOut(std::FILE*) {}

} // namespace platelier
