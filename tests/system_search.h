// The system's own wildcard search, the oracle that the program's folder
// index is held to: FindFirstFileW on Win32; on Linux, which has no search of
// its own, the folder's listing matched by fnmatch, which folds the letters
// A-Z as the program's search has always folded them.
#pragma once

#include <string>
#include <vector>

#ifdef _WIN32
#include "platform/utf16.h"

#include <windows.h>
#else
#include <dirent.h>
#include <fnmatch.h>
#include <memory>
#endif

namespace platelier::testing {

#ifdef _WIN32
// The names FindFirstFileW gives for STEM*.EXT in `folder` (ending with a
// separator), in UTF-8.
inline std::vector<std::string> systemSearch(const std::string& folder, const std::string& stem,
                                             const std::string& extension) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry{};
    HANDLE search = FindFirstFileW(utf16FromUtf8(folder + stem + "*." + extension).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.push_back(utf8FromUtf16(entry.cFileName));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}
#else
// The names of `folder` that fnmatch matches with STEM*.EXT, the stem and
// the extension escaped: their '*', '?' and '[' stand for themselves.
inline std::vector<std::string> systemSearch(const std::string& folder, const std::string& stem,
                                             const std::string& extension) {
    const auto escaped = [](const std::string& text) {
        std::string escapes;
        for (const char c : text) {
            escapes += std::string(std::string("*?[\\").find(c) != std::string::npos, '\\') + c;
        }
        return escapes;
    };
    const std::string pattern = escaped(stem) + "*." + escaped(extension);
    std::vector<std::string> names;
    const std::unique_ptr<DIR, int (*)(DIR*)> directory(opendir(folder.c_str()), closedir);
    while (const dirent* entry = directory ? readdir(directory.get()) : nullptr) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." &&
            fnmatch(pattern.c_str(), name.c_str(), FNM_CASEFOLD) == 0) {
            names.push_back(name);
        }
    }
    return names;
}
#endif

} // namespace platelier::testing
