// When the three commands that change a fileset ("Save all changes",
// "Rename channels", "Rename files") may run, written once for every front
// end: the dialog enables a command when nothing stands in its way, and the
// console program refuses it, saying what stands in the way.
#pragma once

#include "master/channel.h"

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
    ChannelIndex channel; // of a channel's obstacle
};

// What a command would change: the master, the channel names as they stand
// now and the separation files found or chosen (empty for a channel without
// one).
struct FilesetToChange {
    std::string master;
    PerChannel names;
    PerChannel files;
};

// Everything that keeps `command` from running on `fileset`, channel by
// channel in channel order; empty when it may run.
std::vector<CommandObstacle> commandObstacles(FilesetCommand command,
                                              const FilesetToChange& fileset);

} // namespace platelier
