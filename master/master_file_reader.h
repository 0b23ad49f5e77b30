// Reads a DCS master file: its title and the names of its four plates.
#pragma once

#include <functional>
#include <string>

namespace platelier {

// Which value of the master a delivery carries: the title, then the plate
// names in channel order (masterTitle + 1 + ChannelIndex).
enum MasterValue {
    masterTitle = 0,
    cyanPlateName,
    magentaPlateName,
    yellowPlateName,
    blackPlateName
};

using MasterValueSink = std::function<void(MasterValue which, const std::string& value)>;

// Reads the master file at `path` (behind an EPS binary header, only its
// PostScript section). Delivers the title as soon as the first
// "%%Title" line is read, then the four values of the plate block (the first
// "%%CyanPlate" line after the title and the three lines after it) once the
// whole block has been read. Returns false when the file cannot be opened,
// has a broken EPS binary header, or has no title line followed by a whole
// plate block; the title may have been delivered then, a plate name never.
bool readMasterFile(const std::string& path, const MasterValueSink& deliver);

} // namespace platelier
