// Builders of master file bytes for the tests: plain DSC masters in any
// line-ending convention, and masters behind an EPS binary header.
#pragma once

#include <cstdint>
#include <string>

namespace platelier::testing {

inline std::string plateBlock(const std::string& e, const std::string& c = "pic.C",
                              const std::string& m = "pic.M", const std::string& y = "pic.J",
                              const std::string& k = "pic.N") {
    return "%%CyanPlate: " + c + e + "%%MagentaPlate: " + m + e + "%%YellowPlate: " + y + e +
           "%%BlackPlate: " + k + e;
}

// A DCS master whose lines end with `e`, titled "My picture".
inline std::string masterText(const std::string& e) {
    return "%!PS-Adobe-3.0 EPSF-3.0" + e + "%%Creator: tests" + e + "%%Title: My picture" + e +
           "%%BoundingBox: 0 0 100 100" + e + plateBlock(e) + "%%EndComments" + e +
           "0 0 moveto showpage" + e + "%%EOF" + e;
}

inline void putLittleEndian32(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
    }
}

// An EPS binary header for the given section layout (checksum FFFF).
inline std::string epsBinaryHeader(std::uint32_t psOffset, std::uint32_t psLength,
                                   std::uint32_t wmfOffset = 0, std::uint32_t wmfLength = 0,
                                   std::uint32_t tiffOffset = 0, std::uint32_t tiffLength = 0) {
    std::string header(30, '\0');
    putLittleEndian32(header, 0, 0xC6D3D0C5u);
    putLittleEndian32(header, 4, psOffset);
    putLittleEndian32(header, 8, psLength);
    putLittleEndian32(header, 12, wmfOffset);
    putLittleEndian32(header, 16, wmfLength);
    putLittleEndian32(header, 20, tiffOffset);
    putLittleEndian32(header, 24, tiffLength);
    header[28] = header[29] = '\xff';
    return header;
}

} // namespace platelier::testing
