// The master file reader. It reads only the lines it needs: from the start of
// the PostScript section to the plate block, on to the end of the header
// comments when the bounding box has not been found before the block, and,
// for a box deferred to the trailer, the end of the section.
#include "master/master_file_reader.h"

#include "master/comment_value.h"
#include "master/dsc_syntax.h"
#include "master/eps_binary_header.h"
#include "master/line_reader.h"
#include "master/plate_file_line.h"
#include "master/postscript_section.h"

#include <algorithm>

namespace platelier {

namespace {

MasterRefusal openPostScriptSection(FileReader& file, PostScriptSection& section) {
    const SectionError located = locatePostScriptSection(file, section);
    if (located != SectionError::none) {
        return located == SectionError::cannotRead ? MasterRefusal::cannotOpen
                                                   : MasterRefusal::damagedHeader;
    }
    file.seek(section.start);
    file.limitReading(section.end - section.start);
    return MasterRefusal::none;
}

// Follows the lines of the PostScript section, counting where each starts.
class SectionLines {
  public:
    SectionLines(FileReader& file, std::uint64_t start, HeaderComments& header)
        : file_(file), next_(start), header_(header) {}

    // Reads the next line into `line`; false at the end of the section.
    bool read(std::string& line) {
        lineStart_ = next_;
        const int count = readLine(line, masterLineLength, file_);
        next_ += static_cast<std::uint64_t>(count);
        header_.follow(line);
        return count != 0;
    }

    // Where the line read last starts in the file.
    std::uint64_t lineStart() const { return lineStart_; }

  private:
    FileReader& file_;
    std::uint64_t next_;
    std::uint64_t lineStart_ = 0;
    HeaderComments& header_;
};

// Reads the plate block into `plates`, from the current line, the cyan one;
// false when the file ends before its four lines. A block cut short is
// refused: such a master could not be written back with its four names.
bool readPlateBlock(SectionLines& lines, std::string& line, std::vector<Plate>& plates) {
    for (int channel = cyan; channel <= black; ++channel) {
        if (channel != cyan && !lines.read(line)) {
            return false;
        }
        plates.push_back({channelWords[static_cast<std::size_t>(channel)], commentValue(line),
                          lines.lineStart()});
    }
    return true;
}

// The plate a "%%PlateFile:" line names, as the master's plate; a line
// longer than a DSC line, read in pieces, names one that is not followed,
// and only a plate in a file has a file name.
Plate plateOfLine(const std::string& line, std::uint64_t lineStart, const PlateFileLine& parsed) {
    const bool whole = isLineEnd(line.back()) || line.size() < masterLineLength;
    Plate plate{parsed.colour, std::string(), lineStart, Plate::elsewhere};
    if (whole && parsed.where != PlateFileLine::elsewhere) {
        plate.name = parsed.name;
        plate.where = parsed.where == PlateFileLine::file ? Plate::file : Plate::inMaster;
        plate.nameOffset = lineStart + parsed.nameAt;
        plate.nameLength = parsed.nameLength;
        plate.quoted = parsed.quoted;
        plate.offset = parsed.offset;
        plate.length = parsed.length;
    }
    return plate;
}

// Reads the lines of the section up to a DCS 1.0 plate block after the
// title, or to the end of the header comments when they hold "%%PlateFile:"
// lines (a DCS 2.0 master, whose title they hold too, if any) or when
// `reach` ends there. True when a master was found.
bool readPlates(SectionLines& lines, const HeaderComments& header, MasterReach reach,
                MasterReading& reading) {
    std::string line;
    while (lines.read(line)) {
        const bool inHeader = !header.ended();
        if (!reading.title && startsWithKeyword(line, titleKeyword)) {
            reading.title = commentValue(line);
        } else if (const auto plateFile =
                       inHeader ? parsePlateFileLine(line.substr(0, line.find_first_of(lineEnds)))
                                : std::nullopt) {
            reading.format = MasterFormat::dcs2;
            reading.plates.push_back(plateOfLine(line, lines.lineStart(), *plateFile));
        } else if (reading.title && reading.format == MasterFormat::dcs1 &&
                   startsWithKeyword(line, cyanPlateKeyword)) {
            return readPlateBlock(lines, line, reading.plates);
        }
        if (header.ended() &&
            (reading.format == MasterFormat::dcs2 || reach == MasterReach::headerComments)) {
            return reading.format == MasterFormat::dcs2;
        }
    }
    return reading.format == MasterFormat::dcs2;
}

bool holdsPlates(const MasterReading& reading) {
    return std::any_of(reading.plates.begin(), reading.plates.end(),
                       [](const Plate& plate) { return plate.where == Plate::inMaster; });
}

// Takes the identity of a master that is read to be rewritten, or that
// holds its plates, and tells a refused one that is no regular file: a file
// opened to look at may be one (a FIFO fails its first read).
void identify(FileReader& file, MasterReading& reading, ReadingFor purpose) {
    if (purpose != ReadingFor::lookingAt || holdsPlates(reading)) {
        reading.identity = file.identity();
    }
    if (!reading.isMaster() && file.notRegularFile()) {
        reading.refusal = MasterRefusal::notRegularFile;
    }
}

// Reads the plates and boxes of an open file into `reading`, or its refusal.
void readContents(FileReader& file, MasterReach reach, MasterReading& reading) {
    PostScriptSection section;
    reading.refusal = openPostScriptSection(file, section);
    if (reading.refusal != MasterRefusal::none) {
        return;
    }
    HeaderComments header;
    SectionLines lines(file, section.start, header);
    const bool plates = readPlates(lines, header, reach, reading);
    if (plates) {
        header.readOn(file, headerCommentsReach);
        reading.boxes = header.boxes(file, section);
    }
    // A read that failed (a disk error, a share gone) says nothing of what
    // the rest of the file holds: the file is unreadable, not a file without
    // a plate block, which a walk would pass over in silence.
    if (!plates || file.failed()) {
        reading.refusal = file.failed() ? MasterRefusal::cannotOpen : MasterRefusal::noPlateBlock;
        reading.plates.clear();
        reading.boxes = {};
        reading.format = MasterFormat::dcs1;
    }
}

MasterReading readOpenedFile(FileReader& file, MasterReach reach, ReadingFor purpose) {
    MasterReading reading;
    if (!file) {
        reading.refusal =
            file.notRegularFile() ? MasterRefusal::notRegularFile : MasterRefusal::cannotOpen;
        return reading;
    }
    readContents(file, reach, reading);
    identify(file, reading, purpose);
    return reading;
}

} // namespace

MasterReading readMasterFile(const std::string& path, MasterReach reach, ReadingFor purpose) {
    FileReader file = FileReader::open(path, purpose);
    return readOpenedFile(file, reach, purpose);
}

std::optional<MasterReading> readMasterStart(FileStart start, MasterReach reach) {
    if (!start.whole && (start.size == 0 || EpsBinaryHeader::startsWithMagic(start))) {
        return std::nullopt;
    }
    FileReader file = FileReader::ofStart(std::move(start.bytes), start.size, start.whole);
    MasterReading reading;
    readContents(file, reach, reading);
    if (file.failed() || holdsPlates(reading)) {
        return std::nullopt;
    }
    return reading;
}

MasterReading readMasterForRewrite(const std::string& path, MasterReach reach, FileReader& opened) {
    opened = FileReader::open(path, ReadingFor::rewriting);
    if (!opened) {
        return readMasterFile(path, reach);
    }
    MasterReading reading = readOpenedFile(opened, reach, ReadingFor::rewriting);
    if (!reading.isMaster()) {
        opened = FileReader();
    }
    opened.releaseBuffer();
    return reading;
}

PerChannel MasterReading::channelNames() const {
    PerChannel names;
    for (std::size_t channel = 0; channel < names.size() && channel < plates.size(); ++channel) {
        names[channel] = plates[channel].name;
    }
    return names;
}

} // namespace platelier
