// The bytes that give a master file its shape: the line ends, and the
// keywords of the DSC comment lines the program reads and rewrites.
#pragma once

#include <string_view>

namespace platelier {

// A line ends with CR or LF (and may take one more of them, see readLine).
constexpr std::string_view lineEnds = "\r\n";

inline bool isLineEnd(int byte) {
    return byte == '\r' || byte == '\n';
}

// Where the text of a comment line ends for the program: at its line end, or
// at a zero byte, where a C string would end.
constexpr std::string_view commentTextEnds("\r\n\0", 3);

// A keyword counts only at the very start of a line, compared byte for byte.
constexpr std::string_view titleKeyword = "%%Title";
constexpr std::string_view cyanPlateKeyword = "%%CyanPlate";

inline bool startsWithKeyword(std::string_view line, std::string_view keyword) {
    return line.substr(0, keyword.size()) == keyword;
}

} // namespace platelier
