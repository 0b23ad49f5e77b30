// Finding one byte value in a run of bytes: the search that passes over a
// master's image data, hundreds of megabytes, while its rewrite looks for the
// lines that begin with '%'. Each platform's implementation is as fast as
// its C runtime lets it be.
#pragma once

#include <cstddef>
#include <string_view>

namespace platelier {

// The offset of the first `byte` in `bytes` at `from` or after, or npos.
std::size_t findByte(std::string_view bytes, char byte, std::size_t from = 0);

} // namespace platelier
