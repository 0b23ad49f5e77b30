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
    std::uint64_t end = 0;
    std::uint64_t fileLength = 0;
    std::optional<EpsBinaryHeader> header;
};

enum class SectionError {
    none,
    cannotRead,
    damagedHeader, // cut short, or the PostScript text would begin inside it
    pastTheEnd,    // a section runs past the end of the file: a file cut short
    overlapping    // two sections share bytes, or a preview lies inside the header
};

// Reads the header, if the file has one, into `section` and leaves `file` at
// its start. Every error but cannotRead is a header that does not fit the
// file: whatever a rewrite did with it, it would not describe the new file.
SectionError locatePostScriptSection(FileReader& file, PostScriptSection& section);

} // namespace platelier
