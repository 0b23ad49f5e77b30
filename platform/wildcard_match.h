// Matching of a file name against a wildcard as the Win32 directory search
// does it, for platforms whose own search knows no wildcards.
#pragma once

#include <string>

namespace platelier {

// '*' matches any run of characters (none included), '?' exactly one; every
// other character matches itself with the letters a-z and A-Z taken as equal.
bool matchesWildcard(const std::string& wildcard, const std::string& name);

} // namespace platelier
