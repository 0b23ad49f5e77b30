// Locating the PostScript section of a master, and checking that the
// header's sections fit the file.
#include "master/postscript_section.h"

#include <algorithm>
#include <iterator>

namespace platelier {

namespace {

struct Span {
    std::uint64_t offset;
    std::uint64_t length;
    std::uint64_t end() const { return offset + length; }
};

SectionError judgeSpans(const EpsBinaryHeader& header, std::uint64_t fileLength) {
    const Span sections[] = {{header.postScriptOffset, header.postScriptLength},
                             {header.metafileOffset, header.metafileLength},
                             {header.tiffOffset, header.tiffLength}};
    for (const Span& section : sections) {
        if (section.length > 0 && section.end() > fileLength) {
            return SectionError::pastTheEnd;
        }
    }
    for (std::size_t a = 0; a < std::size(sections); ++a) {
        const Span& one = sections[a];
        if (one.length > 0 && one.offset < EpsBinaryHeader::size) {
            return SectionError::overlapping;
        }
        for (std::size_t b = a + 1; b < std::size(sections); ++b) {
            const Span& other = sections[b];
            if (one.length > 0 && other.length > 0 && one.offset < other.end() &&
                other.offset < one.end()) {
                return SectionError::overlapping;
            }
        }
    }
    return SectionError::none;
}

} // namespace

// The length is asked after the first read, which tells it for a small
// file opened to look at.
SectionError locatePostScriptSection(FileReader& file, PostScriptSection& section) {
    unsigned char bytes[EpsBinaryHeader::size];
    const std::size_t count = file.read(bytes, sizeof bytes);
    const std::uint64_t length = file.length();
    if (file.failed()) {
        return SectionError::cannotRead;
    }
    section = {0, length, length, std::nullopt};
    if (EpsBinaryHeader::startsWithMagic(bytes, count)) {
        if (count < sizeof bytes) {
            return SectionError::damagedHeader;
        }
        section.header = EpsBinaryHeader::decode(bytes);
        section.start = section.header->postScriptOffset;
        if (section.start < EpsBinaryHeader::size || section.start >= length) {
            return SectionError::damagedHeader;
        }
        if (const SectionError fit = judgeSpans(*section.header, length);
            fit != SectionError::none) {
            return fit;
        }
        section.end = section.start + section.header->postScriptLength;
    }
    file.seek(0);
    return SectionError::none;
}

} // namespace platelier
