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

} // namespace platelier
