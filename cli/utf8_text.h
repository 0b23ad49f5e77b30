// Texts as the console and JSON take them, in UTF-8. The program's own texts
// are UTF-8; what a master holds, and on Linux what a folder lists, are
// bytes of unknown encoding, UTF-8 on most systems today, Windows-1252 on
// older ones.
#pragma once

#include <string>

namespace platelier {

// `bytes` as they are when they are valid UTF-8, otherwise each byte read as
// Windows-1252: for a text from a master.
std::string utf8FromOneEncoding(const std::string& bytes);

// Every valid UTF-8 sequence of `bytes` kept, every other byte read as
// Windows-1252: for paths, whose folders may come from different systems,
// and for the program's messages, which hold paths in their UTF-8 text.
std::string utf8FromMixedEncodings(const std::string& bytes);

// Valid UTF-8: no overlong form, no surrogate, nothing past U+10FFFF.
bool isUtf8(const std::string& bytes);

// utf8FromOneEncoding and utf8FromMixedEncodings for the lines that people read, where a name
// must not move the cursor, recolour the line or split it: each control
// character (C0, DEL and C1) is written as an escape that a terminal shows
// rather than obeys, \t, \n, \r, or \xHH for the character U+00HH. A
// backslash is kept as it is: it separates the folders of Windows paths.
std::string peopleTextFromOneEncoding(const std::string& bytes);
std::string peopleTextFromMixedEncodings(const std::string& bytes);

} // namespace platelier
