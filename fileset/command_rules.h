// When the three commands that change a fileset ("Save all changes",
// "Rename channels", "Rename files") may run, written once for every front
// end: the dialog enables a command when nothing stands in its way, and the
// console program refuses it, saying what stands in the way.
#pragma once

#include "master/plate.h"

#include <string>
#include <vector>

namespace platelier {

enum class FilesetCommand { saveAllChanges, renameChannels, renameFiles };

// What keeps a command from running.
struct CommandObstacle {
    enum Kind {
        noMaster,           // no master was opened
        channelWithoutName, // there is no name to write into the master
        noSeparationFile    // the channel's file was never found nor chosen
    };
    Kind kind;
    std::size_t plate; // of a plate's obstacle (a DCS 1.0 master's channel)
};

// What a command would change: the master, the plate names as they stand
// now and the separation files found or chosen (empty for a plate without
// one), in the order of the plates.
struct FilesetToChange {
    std::string master;
    PlateNames names;
    PlatePaths files;
};

// Everything that keeps `command` from running on `fileset`, plate by plate
// in their order; empty when it may run.
std::vector<CommandObstacle> commandObstacles(FilesetCommand command,
                                              const FilesetToChange& fileset);

} // namespace platelier
