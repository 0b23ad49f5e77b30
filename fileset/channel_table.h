// What the program knows of each channel of a DCS 1.0 fileset: the
// extension letter its separation file is searched with, and its colour's
// French name, with which messages name it.
#pragma once

#include "master/channel.h"

#include <array>

namespace platelier {

struct ChannelRow {
    const char* searchLetter;
    const char* colorName;
};

// Indexed by ChannelIndex.
extern const std::array<ChannelRow, channelCount> ChannelTable;

} // namespace platelier
