// The DOS EPS binary file header that may stand in front of a master's
// PostScript text: 30 bytes of little-endian fields locating the PostScript
// section and the optional Windows metafile and TIFF previews.
#pragma once

#include "platform/file_starts.h"

#include <cstddef>
#include <cstdint>

namespace platelier {

struct EpsBinaryHeader {
    static constexpr std::uint32_t magicNumber = 0xC6D3D0C5u;
    static constexpr std::size_t size = 30;

    std::uint32_t postScriptOffset = 0;
    std::uint32_t postScriptLength = 0;
    std::uint32_t metafileOffset = 0;
    std::uint32_t metafileLength = 0;
    std::uint32_t tiffOffset = 0;
    std::uint32_t tiffLength = 0;
    std::uint16_t checksum = 0;

    // True when `bytes` (of which `count` are valid) begin with the magic
    // number C5 D0 D3 C6.
    static bool startsWithMagic(const unsigned char* bytes, std::size_t count);

    // The same for the start of a file read before (readFileStarts).
    static bool startsWithMagic(const FileStart& start);

    // The fields of a header read from the first 30 bytes of a file.
    static EpsBinaryHeader decode(const unsigned char (&bytes)[size]);

    // The 30 bytes of this header, magic number first.
    void encode(unsigned char (&bytes)[size]) const;
};

} // namespace platelier
