// The value of a DSC comment line ("%%Keyword: value") and the blank-trimming
// it relies on.
#pragma once

#include <string>

namespace platelier {

// The text after the line's first colon, up to its first CR or LF (or a zero
// byte, where a C string would end), without blanks at either end. Later
// colons, tabs and other bytes belong to the value. A line without a colon
// before that point has an empty value.
std::string commentValue(const std::string& line);

// Removes the blanks (0x20) at the start of `text`.
void trimLeadingSpaces(std::string& text);

// Removes the blanks (0x20) at the end of `text`.
void trimTrailingSpaces(std::string& text);

} // namespace platelier
