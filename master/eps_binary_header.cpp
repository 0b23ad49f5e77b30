// Decoding of the EPS binary file header.
#include "master/eps_binary_header.h"

namespace platelier {

namespace {

std::uint32_t littleEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void putLittleEndian32(unsigned char* bytes, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

} // namespace

bool EpsBinaryHeader::startsWithMagic(const unsigned char* bytes, std::size_t count) {
    return count >= 4 && littleEndian32(bytes) == magicNumber;
}

bool EpsBinaryHeader::startsWithMagic(const FileStart& start) {
    return startsWithMagic(reinterpret_cast<const unsigned char*>(start.bytes.get()), start.size);
}

EpsBinaryHeader EpsBinaryHeader::decode(const unsigned char (&bytes)[size]) {
    EpsBinaryHeader header;
    header.postScriptOffset = littleEndian32(bytes + 4);
    header.postScriptLength = littleEndian32(bytes + 8);
    header.metafileOffset = littleEndian32(bytes + 12);
    header.metafileLength = littleEndian32(bytes + 16);
    header.tiffOffset = littleEndian32(bytes + 20);
    header.tiffLength = littleEndian32(bytes + 24);
    header.checksum = static_cast<std::uint16_t>(bytes[28] | bytes[29] << 8);
    return header;
}

} // namespace platelier

namespace platelier {

void EpsBinaryHeader::encode(unsigned char (&bytes)[size]) const {
    putLittleEndian32(bytes, magicNumber);
    putLittleEndian32(bytes + 4, postScriptOffset);
    putLittleEndian32(bytes + 8, postScriptLength);
    putLittleEndian32(bytes + 12, metafileOffset);
    putLittleEndian32(bytes + 16, metafileLength);
    putLittleEndian32(bytes + 20, tiffOffset);
    putLittleEndian32(bytes + 24, tiffLength);
    bytes[28] = static_cast<unsigned char>(checksum);
    bytes[29] = static_cast<unsigned char>(checksum >> 8);
}

} // namespace platelier
