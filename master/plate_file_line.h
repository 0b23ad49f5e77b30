// The "%%PlateFile:" lines with which a DCS 2.0 master names its plates, in
// the forms that DSC parsers in wide use accept: read the loosest way any of
// them reads a line, written the way all of them read one.
//     %%PlateFile: (PANTONE 185 C) EPS Local SPOT.5
//     %%PlateFile: (Cyan) EPSF local (IMAGE cyan.C)
//     %%PlateFile: (Black) EPS #40612 20480
// The plate's name is a PostScript string or a word without blanks; the file
// type EPS or EPSF and the location Local are taken in any letter case; a
// file in the master's folder is named by the rest of the line, or by a
// PostScript string, and a plate inside the master by its byte offset and
// length. A line with another type or location names a plate the program
// does not follow.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platelier {

constexpr std::string_view plateFileKeyword = "%%PlateFile:";

struct PlateFileLine {
    enum Where { file, inMaster, elsewhere };
    Where where = elsewhere;
    std::string colour; // the plate's name, unquoted
    std::string name;   // file: the file's name, unquoted
    // file: where the name stands in the line, as written (its parentheses
    // included when it is a PostScript string).
    std::size_t nameAt = 0;
    std::size_t nameLength = 0;
    bool quoted = false;
    std::uint64_t offset = 0; // inMaster: where the plate's bytes are in the master
    std::uint64_t length = 0;
};

// The plate a line names, from its first byte ("%%PlateFile:") to its end,
// line ending excluded; none when the line is no plate line at all (no
// plate name, no type or location). A zero byte ends the line's text.
std::optional<PlateFileLine> parsePlateFileLine(std::string_view line);

// A file name as a "%%PlateFile:" line writes it: bare, as `quoted` says it
// was, when every parser reads it back so (no blank, parenthesis, backslash
// or control character in it); otherwise in parentheses, its parentheses
// and backslashes escaped. None when it cannot be written bare and `quoted`
// is false: a line that named its file bare is read by parsers that would
// not take the parentheses.
std::optional<std::string> plateFileName(const std::string& name, bool quoted);

} // namespace platelier
