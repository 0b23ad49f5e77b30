// The relink command: the common repair, where a master names separation
// files that were renamed since. The master is rewritten exactly as "Rename
// channels" rewrites it, only when it has something to change and only when
// every channel's file is known and fits. A dry run makes the same rewrite with its
// writing left out, so that it refuses what the real run refuses.
#include "cli/checked_master.h"
#include "cli/commands.h"
#include "cli/master_walk.h"
#include "cli/utf8_text.h"
#include "fileset/fileset_commands.h"
#include "platform/path_parts.h"

namespace platelier {

namespace {

std::string describeRelink(const CheckedMaster& master, const char* verb) {
    std::string line = verb + (' ' + mixedForPeople(master.path));
    const char* separator = "  ";
    for (std::size_t channel = 0; channel < master.links.size(); ++channel) {
        const ChannelLink& link = master.links[channel];
        if (link.state == LinkState::renamed) {
            line += separator + std::string(channelWords[channel]) + " \"" +
                    textForPeople(link.plate) + "\" -> \"" +
                    mixedForPeople(fileNamePart(link.file)) + '"';
            separator = "; ";
        }
    }
    return line;
}

// A renamed file is taken only when its content is sound; a file that is
// already the plate's is not judged.
int relinkMaster(CheckedMaster master, bool dryRun, Console& console) {
    judgeContents(master, false);
    const std::optional<std::array<std::string, channelCount>> names = relinkedNames(master.links);
    if (!names || allLinksOk(master.links) || unsoundRenamedFile(master)) {
        console.result(describeForPeople(master));
        return names && allLinksOk(master.links) ? statusOk : statusFailed;
    }
    const bool relinked = renameChannels(
        master.path, *names, [&](const std::string& message) { console.message(message); },
        dryRun ? RewriteMode::checkOnly : RewriteMode::replace);
    if (relinked) {
        console.result(describeRelink(master, dryRun ? "would relink" : "relinked"));
    }
    return relinked ? statusOk : statusFailed;
}

} // namespace

int relinkCommand(const RelinkArguments& arguments, Console& console) {
    return walkMasters(arguments.paths, arguments.recursive, console,
                       [&](const CheckedMaster& master) {
                           return relinkMaster(master, arguments.dryRun, console);
                       });
}

} // namespace platelier
