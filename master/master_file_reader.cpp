// The master file reader. It reads only the DSC comments it needs, from the
// start of the PostScript section to its end.
#include "master/master_file_reader.h"

#include "master/channel.h"
#include "master/comment_value.h"
#include "master/dsc_syntax.h"
#include "master/line_reader.h"
#include "master/postscript_section.h"

#include <array>

namespace platelier {

namespace {

bool openPostScriptSection(FileReader& file) {
    PostScriptSection section;
    if (locatePostScriptSection(file, section) != SectionError::none || !file.seek(section.start)) {
        return false;
    }
    file.limitReading(section.end - section.start);
    return true;
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

bool readMasterFile(const std::string& path, const MasterValueSink& deliver) {
    FileReader file = FileReader::open(path);
    if (!file || !openPostScriptSection(file)) {
        return false;
    }
    std::string line;
    if (!skipToLineStartingWith(file, line, titleKeyword)) {
        return false;
    }
    deliver(masterTitle, commentValue(line));
    std::array<std::string, channelCount> plateLines;
    if (!skipToLineStartingWith(file, plateLines[cyan], cyanPlateKeyword)) {
        return false;
    }
    // A block cut short by the end of the file is refused: such a master
    // could not be written back with its four names.
    for (int channel = magenta; channel <= black; ++channel) {
        if (readLine(plateLines[static_cast<std::size_t>(channel)], masterLineLength, file) == 0) {
            return false;
        }
    }
    for (int channel = cyan; channel <= black; ++channel) {
        deliver(static_cast<MasterValue>(cyanPlateName + channel),
                commentValue(plateLines[static_cast<std::size_t>(channel)]));
    }
    return true;
}

} // namespace platelier
