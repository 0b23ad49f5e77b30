// The master file reader. It reads only the DSC comments it needs, from the
// start of the PostScript section to the end of the file.
#include "master/master_file_reader.h"

#include "app/platform/file_stream.h"
#include "master/channel.h"
#include "master/comment_value.h"
#include "master/eps_binary_header.h"
#include "master/line_reader.h"

#include <algorithm>
#include <array>
#include <optional>

namespace platelier {

namespace {

bool startsWith(const std::string& line, const char* keyword) {
    return line.compare(0, std::char_traits<char>::length(keyword), keyword) == 0;
}

// Positions the file at the first byte of its PostScript text and limits
// the reading to that section: behind an EPS binary header, the section the
// header gives (cut at the end of the file), which is all the rewriter
// rewrites; without a header, the whole file. A header whose PostScript
// offset points into the header itself or at or past the end of the file is
// refused.
bool seekPostScriptSection(FileStream& file) {
    unsigned char bytes[EpsBinaryHeader::size];
    const std::size_t count = file.read(bytes, sizeof bytes);
    if (!EpsBinaryHeader::startsWithMagic(bytes, count)) {
        return file.seek(0);
    }
    const std::optional<std::uint64_t> length = file.length();
    if (count < sizeof bytes || !length) {
        return false;
    }
    const EpsBinaryHeader header = EpsBinaryHeader::decode(bytes);
    if (header.postScriptOffset < EpsBinaryHeader::size || header.postScriptOffset >= *length ||
        !file.seek(header.postScriptOffset)) {
        return false;
    }
    file.limitReading(
        std::min<std::uint64_t>(header.postScriptLength, *length - header.postScriptOffset));
    return true;
}

bool skipToLineStartingWith(FileStream& file, std::string& line, const char* keyword) {
    while (readLine(line, masterLineLength, file) != 0) {
        if (startsWith(line, keyword)) {
            return true;
        }
    }
    return false;
}

} // namespace

bool readMasterFile(const std::string& path, const MasterValueSink& deliver) {
    FileStream file = FileStream::open(path, "rb");
    if (!file || !seekPostScriptSection(file)) {
        return false;
    }
    std::string line;
    if (!skipToLineStartingWith(file, line, "%%Title")) {
        return false;
    }
    deliver(masterTitle, commentValue(line));
    std::array<std::string, channelCount> plateLines;
    if (!skipToLineStartingWith(file, plateLines[cyan], "%%CyanPlate")) {
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
