// The bytes that give a master file its shape: the line ends, and the
// keywords of the DSC comment lines the program reads and rewrites, or
// compares with those of the separation files.
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
constexpr std::string_view endCommentsKeyword = "%%EndComments";
// With its colon: "%%BoundingBoxes" is another keyword.
constexpr std::string_view boundingBoxKeyword = "%%BoundingBox:";
constexpr std::string_view hiResBoundingBoxKeyword = "%%HiResBoundingBox:";

// The value of a header comment that the trailer gives instead.
constexpr std::string_view atEndValue = "(atend)";

// How every EPS file's PostScript text begins.
constexpr std::string_view epsFileStart = "%!PS-Adobe";

inline bool startsWithKeyword(std::string_view line, std::string_view keyword) {
    return line.substr(0, keyword.size()) == keyword;
}

} // namespace platelier
