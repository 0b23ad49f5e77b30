// Locating the PostScript section of a master.
#include "master/postscript_section.h"

#include <algorithm>

namespace platelier {

SectionError locatePostScriptSection(FileReader& file, PostScriptSection& section) {
    const std::uint64_t length = file.length();
    unsigned char bytes[EpsBinaryHeader::size];
    const std::size_t count = file.read(bytes, sizeof bytes);
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
        section.end = section.start + std::min<std::uint64_t>(section.header->postScriptLength,
                                                              length - section.start);
    }
    return file.seek(0) ? SectionError::none : SectionError::cannotRead;
}

} // namespace platelier
