// Where a master's PostScript text lies: behind an EPS binary header, the
// section the header gives; without one, the whole file. The reader looks
// for comments only there, and the rewriter rewrites only that section.
#pragma once

#include "master/eps_binary_header.h"
#include "platform/file_stream.h"

#include <cstdint>
#include <optional>

namespace platelier {

struct PostScriptSection {
    std::uint64_t start = 0;
    std::uint64_t end = 0; // the header's length is cut at the end of the file
    std::uint64_t fileLength = 0;
    std::optional<EpsBinaryHeader> header;
};

enum class SectionError { none, cannotRead, damagedHeader };

// Reads the header, if the file has one, into `section` and leaves `file` at
// its start. A header cut short, or whose PostScript offset points into the
// header itself or at or past the end of the file, is damaged.
SectionError locatePostScriptSection(FileReader& file, PostScriptSection& section);

} // namespace platelier
