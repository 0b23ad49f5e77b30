// The master file reader. It reads only the lines it needs: from the start of
// the PostScript section to the plate block, on to the end of the header
// comments when the bounding box has not been found before the block, and,
// for a box deferred to the trailer, the end of the section.
#include "master/master_file_reader.h"

#include "master/comment_value.h"
#include "master/dsc_syntax.h"
#include "master/line_reader.h"
#include "master/postscript_section.h"

namespace platelier {

namespace {

MasterRefusal openPostScriptSection(FileReader& file, PostScriptSection& section) {
    const SectionError located = locatePostScriptSection(file, section);
    if (located != SectionError::none || !file.seek(section.start)) {
        return located == SectionError::damagedHeader ? MasterRefusal::damagedHeader
                                                      : MasterRefusal::noPlateBlock;
    }
    file.limitReading(section.end - section.start);
    return MasterRefusal::none;
}

bool skipToLineStartingWith(FileReader& file, std::string& line, std::string_view keyword,
                            HeaderComments& header) {
    while (readLine(line, masterLineLength, file) != 0) {
        header.follow(line);
        if (startsWithKeyword(line, keyword)) {
            return true;
        }
    }
    return false;
}

// Reads the plate block into `plates`; false when there is none.
bool readPlateBlock(FileReader& file, HeaderComments& header,
                    std::array<std::string, channelCount>& plates) {
    std::array<std::string, channelCount> plateLines;
    if (!skipToLineStartingWith(file, plateLines[cyan], cyanPlateKeyword, header)) {
        return false;
    }
    // A block cut short by the end of the file is refused: such a master
    // could not be written back with its four names.
    for (int channel = magenta; channel <= black; ++channel) {
        std::string& line = plateLines[static_cast<std::size_t>(channel)];
        if (readLine(line, masterLineLength, file) == 0) {
            return false;
        }
        header.follow(line);
    }
    for (std::size_t channel = 0; channel < plateLines.size(); ++channel) {
        plates[channel] = commentValue(plateLines[channel]);
    }
    return true;
}

} // namespace

MasterReading readMasterFile(const std::string& path) {
    MasterReading reading;
    FileReader file = FileReader::open(path);
    if (!file) {
        reading.refusal =
            file.notRegularFile() ? MasterRefusal::notRegularFile : MasterRefusal::cannotOpen;
        return reading;
    }
    PostScriptSection section;
    reading.refusal = openPostScriptSection(file, section);
    if (reading.refusal != MasterRefusal::none) {
        return reading;
    }
    reading.refusal = MasterRefusal::noPlateBlock;
    HeaderComments header;
    std::string line;
    if (!skipToLineStartingWith(file, line, titleKeyword, header)) {
        return reading;
    }
    reading.title = commentValue(line);
    if (readPlateBlock(file, header, reading.plates)) {
        header.readOn(file, headerCommentsReach);
        reading.boundingBox = header.boundingBox(file, section);
        reading.refusal = MasterRefusal::none;
    }
    return reading;
}

} // namespace platelier
