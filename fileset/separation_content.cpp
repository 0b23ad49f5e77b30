// The check of a separation file's content. One stream reads the binary
// header, the header comments and, for a box deferred to the trailer, the
// end of the PostScript section; each read is limited to what is looked at,
// so that a stream's buffer never fills with the file's image data.
#include "fileset/separation_content.h"

#include "master/dsc_syntax.h"
#include "master/eps_binary_header.h"
#include "master/line_reader.h"

#include <algorithm>

namespace platelier {

namespace {

// The header comments' reach from the start of the PostScript text, and the
// line that passes it, read whole as a master's reader reads it.
constexpr std::uint64_t headerReadLimit = headerCommentsReach + masterLineLength + 1;

// The verdict on where the file's sections lie; sound when the PostScript
// text can be read.
ContentVerdict judgeLayout(SectionError located, const PostScriptSection& section) {
    const std::optional<EpsBinaryHeader>& header = section.header;
    switch (located) {
    case SectionError::none:
        return section.fileLength == 0 ? ContentVerdict::empty : ContentVerdict::sound;
    case SectionError::cannotRead:
        return ContentVerdict::unreadable;
    case SectionError::damagedHeader:
        // Cut short, or pointing past the end; a section that would start
        // inside the header itself is no layout of an EPS file.
        return header && header->postScriptOffset < EpsBinaryHeader::size
                   ? ContentVerdict::notEps
                   : ContentVerdict::truncated;
    case SectionError::pastTheEnd:
        return ContentVerdict::truncated;
    case SectionError::overlapping:
        break;
    }
    return ContentVerdict::notEps;
}

ContentVerdict judgePostScript(FileReader& file, const PostScriptSection& section,
                               const PageBoxes& masterBoxes) {
    file.seek(section.start);
    file.limitReading(std::min(headerReadLimit, section.end - section.start));
    std::string line;
    readLine(line, masterLineLength, file);
    if (!startsWithKeyword(line, epsFileStart)) {
        return file.failed() ? ContentVerdict::unreadable : ContentVerdict::notEps;
    }
    HeaderComments header;
    header.follow(line);
    header.readOn(file, headerCommentsReach - line.size());
    const bool compared = masterBoxes.box || masterBoxes.hiRes;
    const PageBoxes boxes = compared ? header.boxes(file, section) : PageBoxes();
    if (file.failed()) {
        return ContentVerdict::unreadable;
    }
    return samePage(boxes, masterBoxes) == SamePage::no ? ContentVerdict::otherPage
                                                        : ContentVerdict::sound;
}

// The verdict on an opened separation file, from its start.
ContentVerdict judgeOpened(FileReader& file, const PageBoxes& masterBoxes) {
    // Enough for the header comments of a file without binary header, read
    // once for the header probe and the comments both.
    file.limitReading(headerReadLimit);
    PostScriptSection section;
    const ContentVerdict layout = judgeLayout(locatePostScriptSection(file, section), section);
    return layout == ContentVerdict::sound ? judgePostScript(file, section, masterBoxes) : layout;
}

} // namespace

// The file is opened to look at: one call less for each of a tree's
// separation files. Whether it is a regular file is asked only of one found
// not sound, as a folder or a FIFO is (its first read fails); a device read
// at an offset is judged by what it holds.
ContentVerdict judgeSeparationFile(const std::string& path, const PageBoxes& masterBoxes) {
    FileReader file = FileReader::open(path, ReadingFor::lookingAt);
    if (!file) {
        return file.notRegularFile() ? ContentVerdict::notEps : ContentVerdict::unreadable;
    }
    const ContentVerdict verdict = judgeOpened(file, masterBoxes);
    return verdict != ContentVerdict::sound && file.notRegularFile() ? ContentVerdict::notEps
                                                                     : verdict;
}

std::vector<FileStart> readSeparationStarts(const std::vector<std::string>& paths) {
    return readFileStarts(paths, headerReadLimit);
}

// A file longer than its start is judged from it where its length does not
// count: a file without binary header, whose header comments the start
// holds, and whose box is not deferred to its end (the reading of the end
// fails, and the file is judged again). Behind a binary header, whose
// sections must fit the file, it is judged again at once.
ContentVerdict judgeSeparationStart(const std::string& path, FileStart start,
                                    const PageBoxes& masterBoxes) {
    const bool judged =
        start.whole || (start.size == headerReadLimit && !EpsBinaryHeader::startsWithMagic(start));
    FileReader file = FileReader::ofStart(std::move(start.bytes), start.size, start.whole);
    const ContentVerdict verdict =
        judged ? judgeOpened(file, masterBoxes) : ContentVerdict::unreadable;
    return verdict == ContentVerdict::sound ? verdict : judgeSeparationFile(path, masterBoxes);
}

ContentVerdict judgePlateInMaster(const std::string& path, std::uint64_t offset,
                                  std::uint64_t length, const PageBoxes& masterBoxes) {
    FileReader file = FileReader::open(path);
    if (!file) {
        return file.notRegularFile() ? ContentVerdict::notEps : ContentVerdict::unreadable;
    }
    const std::uint64_t fileLength = file.identity().size;
    if (length == 0 || offset > fileLength || length > fileLength - offset) {
        return length == 0 ? ContentVerdict::empty : ContentVerdict::truncated;
    }
    PostScriptSection section;
    section.start = offset;
    section.end = offset + length;
    section.fileLength = fileLength;
    return judgePostScript(file, section, masterBoxes);
}

std::string_view verdictWord(ContentVerdict verdict) {
    // In the order of ContentVerdict.
    static constexpr std::string_view words[] = {"sound",     "empty",      "not-eps",
                                                 "truncated", "other-page", "unreadable"};
    return words[static_cast<std::size_t>(verdict)];
}

} // namespace platelier
