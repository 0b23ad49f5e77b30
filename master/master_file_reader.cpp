// The master file reader. It reads only the DSC comments it needs, from the
// start of the PostScript section to the end of the file.
#include "master/master_file_reader.h"

#include "app/platform/file_stream.h"
#include "master/channel.h"
#include "master/comment_value.h"
#include "master/eps_binary_header.h"
#include "master/line_reader.h"

#include <array>

namespace platelier {

namespace {

bool startsWith(const std::string& line, const char* keyword) {
    return line.compare(0, std::char_traits<char>::length(keyword), keyword) == 0;
}

// Positions the file at the first byte of its PostScript text: behind the
// EPS binary header when there is one, at its first byte otherwise. A header
// whose PostScript offset points into the header itself or at or past the
// end of the file is refused.
bool seekPostScriptSection(FileStream& file) {
    unsigned char bytes[EpsBinaryHeader::size];
    const std::size_t count = file.read(bytes, sizeof bytes);
    if (!EpsBinaryHeader::startsWithMagic(bytes, count)) {
        return file.seek(0);
    }
    if (count < sizeof bytes) {
        return false;
    }
    const std::uint32_t offset = EpsBinaryHeader::decode(bytes).postScriptOffset;
    if (offset < EpsBinaryHeader::size || !file.seek(offset)) {
        return false;
    }
    const int first = file.getByte();
    if (first == FileStream::endOfFile) {
        return false;
    }
    file.ungetByte(first);
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
