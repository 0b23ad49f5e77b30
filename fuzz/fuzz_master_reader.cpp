// Fuzzes readMasterFile: it never fails in an uncontrolled way, a DCS 1.0
// master always has its title, a refused file never has plate names, no
// value read as it stands holds a line end (a PostScript string may, by its
// escapes), the plate lines follow each other from the first
// (the three after a "%%CyanPlate" line hold whatever the master holds
// there), a DCS 2.0 plate's file name stands where its line says, and a box
// is stated in the PostScript section and the same when the master is
// judged as a separation file.
#include "fileset/separation_content.h"
#include "fixtures.h"
#include "master/comment_value.h"
#include "master/master_file_reader.h"

#include <cstdint>
#include <cstdlib>

using namespace platelier;

// Whether a "%%BoundingBox:" line of the master's PostScript section, as far
// as the reader reads one line, states `box`.
static bool boxStated(const std::string& path, const std::string& bytes, const BoundingBox& box) {
    FileReader file = FileReader::open(path);
    PostScriptSection section;
    locatePostScriptSection(file, section);
    const std::string text = bytes.substr(section.start, section.end - section.start);
    std::size_t at = text.find("%%BoundingBox:");
    const auto states = [&](std::size_t line) {
        const auto stated = parseBoundingBox(commentValue(text.substr(line, 256)));
        return stated && samePage({stated, std::nullopt}, {box, std::nullopt}) == SamePage::yes;
    };
    while (at != std::string::npos && !states(at)) {
        at = text.find("%%BoundingBox:", at + 1);
    }
    return at != std::string::npos;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const testing::TempFolder folder;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string path = folder.write("master.eps", bytes);
    const MasterReading reading = readMasterFile(path);
    const auto holdsLineEnd = [](const std::string& value) {
        return value.find_first_of("\r\n") != std::string::npos;
    };
    bool anyPlate = false;
    std::uint64_t after = 0; // where the line before ends, at the least
    for (const Plate& plate : reading.plates) {
        anyPlate = anyPlate || !plate.name.empty();
        const bool first = &plate == &reading.plates.front();
        const bool nameOutside = reading.format == MasterFormat::dcs2 &&
                                 plate.where == Plate::file && !plate.quoted &&
                                 bytes.compare(plate.nameOffset, plate.nameLength, plate.name) != 0;
        if ((holdsLineEnd(plate.name) && !plate.quoted) || plate.lineOffset < after ||
            nameOutside || (first && bytes.compare(plate.lineOffset, 2, "%%") != 0)) {
            std::abort();
        }
        after = plate.lineOffset + 1;
    }
    const bool titled = reading.title || reading.format == MasterFormat::dcs2;
    if ((reading.isMaster() && !titled) || (!reading.isMaster() && anyPlate) ||
        (reading.title && holdsLineEnd(*reading.title)) ||
        (reading.boxes.box && !boxStated(path, bytes, *reading.boxes.box)) ||
        judgeSeparationFile(path, reading.boxes) == ContentVerdict::otherPage) {
        std::abort();
    }
    return 0;
}
