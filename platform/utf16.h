// UTF-8 inside, UTF-16 at the Windows edge: the program holds paths, file
// names and its texts in UTF-8, and converts them right before each wide
// call of the system, and back right after it. Win32 only: on Linux paths
// are bytes and nothing is converted.
#pragma once

#include <string>
#include <string_view>

namespace platelier {

// `text` in UTF-16; a byte that is no UTF-8 becomes U+FFFD, which names no
// file.
std::wstring utf16FromUtf8(std::string_view text);

// `text` in UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(std::wstring_view text);

} // namespace platelier
