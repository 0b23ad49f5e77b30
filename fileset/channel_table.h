// What the program knows of each channel of a DCS 1.0 fileset: the
// extension letter its separation file is searched with, and its colour's
// French name, with which messages name it.
#pragma once

#include "master/channel.h"
#include "master/master_file_reader.h"

#include <array>
#include <string>

namespace platelier {

struct ChannelRow {
    const char* searchLetter;
    const char* colorName;
};

// Indexed by ChannelIndex.
extern const std::array<ChannelRow, channelCount> ChannelTable;

// The colour messages name plate `plate` of a master by: a DCS 1.0
// channel's French name, a DCS 2.0 plate's own name.
std::string plateColourName(const MasterReading& reading, std::size_t plate);

} // namespace platelier
