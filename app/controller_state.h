// What the main dialog's controller keeps besides the dialog's own controls:
// the separation file paths recorded when a fileset was last opened (or, for
// a path, last chosen by hand), which "Rename files" renames from, and a
// master named when the program started, to be opened once the dialog shows.
#pragma once

#include "master/channel.h"
#include "master/plate.h"

#include <string>

namespace platelier {

struct ControllerState {
    PlatePaths recordedSeparationPaths = PlatePaths(channelCount); // by channel
    std::string masterToOpen;
};

} // namespace platelier
