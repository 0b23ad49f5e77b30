// The relink command: the common repair, where a master names separation
// files that were renamed since. The master is rewritten exactly as "Rename
// channels" rewrites it, only when it has something to change and only when
// every channel's file is known.
#include "cli/checked_master.h"
#include "cli/commands.h"
#include "cli/utf8_text.h"
#include "fileset/fileset_commands.h"
#include "platform/path_parts.h"

#include <algorithm>

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

int relinkMaster(const std::string& path, bool dryRun, FolderListings& listings, Console& console) {
    const CheckedMaster master = checkMaster(path, listings);
    if (!master.isMaster()) {
        console.message(refusalMessage(master));
        return statusUnusable;
    }
    const std::optional<std::array<std::string, channelCount>> names = relinkedNames(master.links);
    if (!names || allLinksOk(master.links)) {
        console.result(describeForPeople(master));
        return names ? statusOk : statusFailed;
    }
    if (dryRun) {
        console.result(describeRelink(master, "would relink"));
        return statusOk;
    }
    const bool rewritten =
        renameChannels(path, *names, [&](const std::string& message) { console.message(message); });
    if (rewritten) {
        console.result(describeRelink(master, "relinked"));
    }
    return rewritten ? statusOk : statusFailed;
}

} // namespace

int relinkCommand(const RelinkArguments& arguments, Console& console) {
    FolderListings listings;
    int status = statusOk;
    for (const std::string& master : arguments.masters) {
        status = std::max(status, relinkMaster(master, arguments.dryRun, listings, console));
    }
    return status;
}

} // namespace platelier
