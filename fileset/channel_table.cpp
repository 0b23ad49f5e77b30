// The channel table: the letters of the French colour names, J for jaune
// and N for noir.
#include "fileset/channel_table.h"

namespace platelier {

const std::array<ChannelRow, channelCount> ChannelTable = {{
    {"C", "Cyan"},
    {"M", "Magenta"},
    {"J", "Jaune"},
    {"N", "Noir"},
}};

std::string plateColourName(const MasterReading& reading, std::size_t plate) {
    if (reading.format == MasterFormat::dcs1) {
        return plate < ChannelTable.size() ? ChannelTable[plate].colorName : std::string();
    }
    return plate < reading.plates.size() ? reading.plates[plate].colour : std::string();
}

} // namespace platelier
