// The file chooser's filter for each channel's separation file. Yellow and
// black offer a second extension (Y, K), the English letters some programs
// write; discovery searches only the first.
#pragma once

#include "app/dialog.h"
#include "master/channel.h"

#include <array>

namespace platelier {

// Indexed by ChannelIndex.
extern const std::array<FileFilter, channelCount> separationFilters;

} // namespace platelier
