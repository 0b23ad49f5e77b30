// The command rules. "Save all changes" needs what both of the others need.
#include "fileset/command_rules.h"

namespace platelier {

std::vector<CommandObstacle> commandObstacles(FilesetCommand command,
                                              const FilesetToChange& fileset) {
    if (fileset.master.empty()) {
        return {{CommandObstacle::noMaster, 0}};
    }
    const bool writesNames = command != FilesetCommand::renameFiles;
    const bool renamesFiles = command != FilesetCommand::renameChannels;
    std::vector<CommandObstacle> obstacles;
    for (std::size_t plate = 0; plate < fileset.names.size(); ++plate) {
        if (writesNames && fileset.names[plate].empty()) {
            obstacles.push_back({CommandObstacle::channelWithoutName, plate});
        }
        if (renamesFiles && fileset.files[plate].empty()) {
            obstacles.push_back({CommandObstacle::noSeparationFile, plate});
        }
    }
    return obstacles;
}

} // namespace platelier
