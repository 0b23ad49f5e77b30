// File-system operations that the program needs from its platform: renaming a
// file without ever replacing another, the wildcard directory search that
// finds separation files, and what streams need beyond standard C.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platelier {

// The separator between the folders of a path: '\\' on Win32, '/' elsewhere.
char pathSeparator();

// Renames the file or folder at `from` to `to`. Fails, changing nothing, when
// something already stands at `to` or nothing stands at `from`.
bool moveFileNoReplace(const std::string& from, const std::string& to);

// The names (without folder) of the entries of the pattern's folder whose
// names match the pattern's last component: '*' stands for any run of
// characters, '?' for one, letter case is ignored, folders count too.
std::vector<std::string> findMatchingEntries(const std::string& pattern);

// Positions an open stream at a byte offset from its start; offsets past
// 2 GiB included.
bool seekStream(std::FILE* stream, std::uint64_t offset);

} // namespace platelier
