// The rename command: the dialog's three commands without the dialog. The
// separation files are those the check finds, as the dialog's discovery
// would record them; what the dialog refuses by leaving a command disabled
// (a channel without a name to write, or without a file to rename) is
// refused here before anything changes.
#include "app/cli/checked_master.h"
#include "app/cli/commands.h"
#include "app/cli/console_texts.h"
#include "app/cli/utf8_text.h"
#include "fileset/channel_table.h"
#include "fileset/fileset_commands.h"
#include "fileset/separation_renaming.h"
#include "master/master_file_rewriter.h"
#include "resources/fill_placeholders.h"

namespace platelier {

namespace {

std::vector<std::string> refusals(const RenameArguments& arguments,
                                  const std::array<std::string, channelCount>& names,
                                  const std::array<std::string, channelCount>& files) {
    std::vector<std::string> messages;
    for (std::size_t channel = 0; channel < names.size(); ++channel) {
        const std::string colour = ChannelTable[channel].colorName;
        if (arguments.scope != RenameArguments::filesOnly && names[channel].empty()) {
            messages.push_back(
                fillPlaceholders(texts::channelWithoutName, {arguments.master, colour}));
        }
        if (arguments.scope != RenameArguments::masterOnly && files[channel].empty()) {
            messages.push_back(
                fillPlaceholders(texts::noSingleSeparationFile, {arguments.master, colour}));
        }
    }
    return messages;
}

// Runs the command on the fileset; true when the master was rewritten. The
// files' new paths are told afterwards, from `files`, after the master's.
bool changeFileset(const RenameArguments& arguments,
                   const std::array<std::string, channelCount>& names,
                   std::array<std::string, channelCount>& files, const FailureReport& failed) {
    const RenameReport toldAfterwards = [](ChannelIndex, const std::string&) {};
    if (arguments.scope == RenameArguments::masterOnly) {
        return renameChannels(arguments.master, names, failed);
    }
    if (arguments.scope == RenameArguments::filesOnly) {
        renameSeparationFiles(files, names, failed, toldAfterwards);
        return false;
    }
    return saveAllChanges(arguments.master, names, files, failed, toldAfterwards);
}

} // namespace

int renameCommand(const RenameArguments& arguments, Console& console) {
    FolderListings listings;
    const std::optional<CheckedMaster> master = checkMaster(arguments.master, listings);
    if (!master) {
        console.message(refusalMessage(arguments.master));
        return statusUnusable;
    }
    std::array<std::string, channelCount> names;
    for (std::size_t channel = 0; channel < names.size(); ++channel) {
        names[channel] = arguments.names[channel].value_or(master->links[channel].plate);
    }
    const std::array<std::string, channelCount> found = linkedFiles(master->links);
    std::vector<std::string> messages = refusals(arguments, names, found);
    std::array<std::string, channelCount> files = found;
    const bool rewritten =
        messages.empty() && changeFileset(arguments, names, files, [&](const std::string& message) {
            messages.push_back(message);
        });
    if (rewritten) {
        console.result("rewrote " + mixedAsUtf8(arguments.master) + " (backup " +
                       mixedAsUtf8(backupPath(arguments.master)) + ")");
    }
    for (std::size_t channel = 0; channel < files.size(); ++channel) {
        if (files[channel] != found[channel]) {
            console.result("renamed " + mixedAsUtf8(found[channel]) + " -> " +
                           mixedAsUtf8(files[channel]));
        }
    }
    for (const std::string& message : messages) {
        console.message(message);
    }
    return messages.empty() ? statusOk : statusFailed;
}

} // namespace platelier
