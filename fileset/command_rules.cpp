// The command rules. "Save all changes" needs what both of the others need.
#include "fileset/command_rules.h"

namespace platelier {

std::vector<CommandObstacle> commandObstacles(FilesetCommand command,
                                              const FilesetToChange& fileset) {
    if (fileset.master.empty()) {
        return {{CommandObstacle::noMaster, cyan}};
    }
    const bool writesNames = command != FilesetCommand::renameFiles;
    const bool renamesFiles = command != FilesetCommand::renameChannels;
    std::vector<CommandObstacle> obstacles;
    for (int channel = cyan; channel <= black; ++channel) {
        const auto i = static_cast<std::size_t>(channel);
        if (writesNames && fileset.names[i].empty()) {
            obstacles.push_back(
                {CommandObstacle::channelWithoutName, static_cast<ChannelIndex>(channel)});
        }
        if (renamesFiles && fileset.files[i].empty()) {
            obstacles.push_back(
                {CommandObstacle::noSeparationFile, static_cast<ChannelIndex>(channel)});
        }
    }
    return obstacles;
}

} // namespace platelier
