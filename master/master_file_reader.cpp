// The master file reader. It reads only the DSC comments it needs, from the
// start of the PostScript section to its end.
#include "master/master_file_reader.h"

#include "master/comment_value.h"
#include "master/dsc_syntax.h"
#include "master/line_reader.h"
#include "master/postscript_section.h"

namespace platelier {

namespace {

MasterRefusal openPostScriptSection(FileReader& file) {
    PostScriptSection section;
    const SectionError located = locatePostScriptSection(file, section);
    if (located != SectionError::none || !file.seek(section.start)) {
        return located == SectionError::damagedHeader ? MasterRefusal::damagedHeader
                                                      : MasterRefusal::noPlateBlock;
    }
    file.limitReading(section.end - section.start);
    return MasterRefusal::none;
}

bool skipToLineStartingWith(FileReader& file, std::string& line, std::string_view keyword) {
    while (readLine(line, masterLineLength, file) != 0) {
        if (startsWithKeyword(line, keyword)) {
            return true;
        }
    }
    return false;
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
    reading.refusal = openPostScriptSection(file);
    if (reading.refusal != MasterRefusal::none) {
        return reading;
    }
    reading.refusal = MasterRefusal::noPlateBlock;
    std::string line;
    if (!skipToLineStartingWith(file, line, titleKeyword)) {
        return reading;
    }
    reading.title = commentValue(line);
    std::array<std::string, channelCount> plateLines;
    if (!skipToLineStartingWith(file, plateLines[cyan], cyanPlateKeyword)) {
        return reading;
    }
    // A block cut short by the end of the file is refused: such a master
    // could not be written back with its four names.
    for (int channel = magenta; channel <= black; ++channel) {
        if (readLine(plateLines[static_cast<std::size_t>(channel)], masterLineLength, file) == 0) {
            return reading;
        }
    }
    for (std::size_t channel = 0; channel < plateLines.size(); ++channel) {
        reading.plates[channel] = commentValue(plateLines[channel]);
    }
    reading.refusal = MasterRefusal::none;
    return reading;
}

} // namespace platelier
