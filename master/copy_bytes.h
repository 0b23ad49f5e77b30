// Copies a counted run of bytes from an open stream to where the new master
// goes: the parts of a master that the rewriter passes through untouched.
#pragma once

#include "master/byte_sink.h"
#include "platform/file_stream.h"

#include <cstdint>

namespace platelier {

// Copies `count` bytes from the input's position to the output's, in chunks
// of 2048 bytes. False when the input ends first or a read or write fails.
bool copyBytes(FileReader& input, ByteSink& output, std::uint64_t count);

} // namespace platelier
