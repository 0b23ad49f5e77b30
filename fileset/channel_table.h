// What the program knows of each channel: the extension letter its
// separation file is searched with, its colour's French name, the file
// chooser's filter for it, and its controls in the main dialog.
#pragma once

#include "master/channel.h"
#include "platform/dialog.h"

#include <array>
#include <string>

namespace platelier {

struct ChannelRow {
    const char* searchLetter;
    const char* colorName;
    const char* filterText;
    const char* filterPattern;
    int nameEdit;
    int pathEdit;
    int browseButton;
};

// Indexed by ChannelIndex.
extern const std::array<ChannelRow, channelCount> ChannelTable;

// The four channel names, read from the dialog's edits from `firstNameEdit`
// on in channel order.
std::array<std::string, channelCount> readChannelNames(Dialog& dialog, int firstNameEdit);

} // namespace platelier
