// File-system operations on Win32: MoveFileA, which never replaces a file,
// and the FindFirstFileA wildcard search, which ignores letter case.
#include "app/platform/files.h"

#include <cstdio>
#include <memory>
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

bool moveFileNoReplace(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

std::vector<std::string> findMatchingEntries(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    HANDLE first = FindFirstFileA(pattern.c_str(), &entry);
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

} // namespace platelier
