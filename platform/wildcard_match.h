// Matching of a file name against a wildcard as the Win32 directory search
// does it, for platforms whose own search knows no wildcards, and for the
// keys of names on Win32 (file_names.h), which are UTF-8.
#pragma once

#include <string>

namespace platelier {

// What '?' stands for: a byte, or a whole UTF-8 sequence.
enum class CharacterWidth { byte, utf8Sequence };

// '*' matches any run of characters (none included), '?' exactly one; every
// other character matches itself with the letters a-z and A-Z taken as equal.
bool matchesWildcard(const std::string& wildcard, const std::string& name,
                     CharacterWidth width = CharacterWidth::byte);

} // namespace platelier
