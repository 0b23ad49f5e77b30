// Reads a master file line by line, each line with its own ending, so that
// the lines put back together give the file's bytes exactly.
#pragma once

#include "platform/file_stream.h"

#include <string>

namespace platelier {

// Reads one line of at most `maxLength` bytes into `line`, its ending
// included. An ending is one CR or LF, and one more CR or LF after it (CR LF,
// LF CR, CR CR and LF LF are single endings). A longer line comes back in
// pieces of `maxLength` bytes; when the last byte of a piece is CR or LF the
// piece can hold `maxLength` + 1 bytes. Returns the number of bytes taken from
// the file, 0 at its end. With a `maxLength` of 1 or less nothing is read and
// `line` is left as it was.
int readLine(std::string& line, int maxLength, FileReader& file);

// The maximum line length with which master files are read and rewritten.
constexpr int masterLineLength = 256;

} // namespace platelier
