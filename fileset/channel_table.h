// What the program knows of each channel: the extension letter its
// separation file is searched with, its colour's French name, and the file
// chooser's filter for it.
#pragma once

#include "master/channel.h"

#include <array>

namespace platelier {

struct ChannelRow {
    const char* searchLetter;
    const char* colorName;
    const char* filterText;
    const char* filterPattern;
};

// Indexed by ChannelIndex.
extern const std::array<ChannelRow, channelCount> ChannelTable;

} // namespace platelier
