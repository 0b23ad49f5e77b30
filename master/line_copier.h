// Passes a master's lines through unchanged, in blocks rather than line by
// line: the rewriter only needs to look at the few lines that begin with '%'.
#pragma once

#include "master/byte_sink.h"
#include "platform/file_stream.h"

#include <cstdint>

namespace platelier {

// From a position where readLine(line, maxLength, input) would start a line,
// copies to `output` the lines it would read one after the other, up to the
// first whose first byte is `first` (not CR or LF), and leaves `input` at that
// line's start, or at its end. `written` grows by the bytes copied. False
// when a write fails; a failed read ends the input.
bool copyLinesUntilOneStartsWith(char first, int maxLength, FileReader& input, ByteSink& output,
                                 std::uint64_t& written);

} // namespace platelier
