// The rename command: the dialog's three commands without the dialog. The
// separation files are those the check finds, as the dialog's discovery
// would record them; what keeps the dialog's command disabled is refused
// here before anything changes, by the same rules. A call that would change
// nothing writes nothing, so that the backup of an earlier change is kept:
// a rule of the console program's own, where the dialog rewrites the master.
#include "cli/checked_master.h"
#include "cli/commands.h"
#include "cli/console_texts.h"
#include "cli/utf8_text.h"
#include "fileset/channel_table.h"
#include "fileset/command_rules.h"
#include "fileset/fileset_commands.h"
#include "fileset/separation_renaming.h"
#include "master/master_file_rewriter.h"
#include "platform/files.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

namespace platelier {

namespace {

std::vector<std::string> refusals(const RenameArguments& arguments, const OpenedFileset& fileset) {
    std::vector<std::string> messages;
    for (const CommandObstacle& obstacle : commandObstacles(arguments.command, fileset)) {
        const char* text = obstacle.kind == CommandObstacle::noMaster ? texts::noMasterLoaded
                           : obstacle.kind == CommandObstacle::channelWithoutName
                               ? texts::channelWithoutName
                               : texts::noSingleSeparationFile;
        messages.push_back(
            fillPlaceholders(text, {arguments.master, ChannelTable[obstacle.channel].colorName}));
    }
    return messages;
}

// True when every name is the plate name, byte for byte, where the command
// writes the master, and every file already has its name, as the system
// compares names, where it renames files.
bool changesNothing(const RenameArguments& arguments, const OpenedFileset& fileset,
                    const MasterLinks& links) {
    for (std::size_t channel = 0; channel < fileset.names.size(); ++channel) {
        const std::string& name = fileset.names[channel];
        if ((arguments.command != FilesetCommand::renameFiles && name != links[channel].plate) ||
            (arguments.command != FilesetCommand::renameChannels &&
             planSeparationRename(arguments.master, fileset.files[channel], name).kind !=
                 RenameOutcome::skipped)) {
            return false;
        }
    }
    return true;
}

// Runs the command on the fileset; true when the master was rewritten. The
// files' new paths are told afterwards, from `files`, after the master's.
bool changeFileset(const RenameArguments& arguments,
                   const std::array<std::string, channelCount>& names,
                   std::array<std::string, channelCount>& files, const FailureReport& failed) {
    const RenameReport toldAfterwards = [](ChannelIndex, const std::string&) {};
    if (arguments.command == FilesetCommand::renameChannels) {
        return renameChannels(arguments.master, names, failed);
    }
    if (arguments.command == FilesetCommand::renameFiles) {
        renameSeparationFiles(arguments.master, files, names, failed, toldAfterwards);
        return false;
    }
    return saveAllChanges(arguments.master, names, files, failed, toldAfterwards);
}

} // namespace

int renameCommand(const RenameArguments& arguments, Console& console) {
    if (isFolder(arguments.master)) {
        console.message(fillPlaceholders(texts::folderNotMaster, {arguments.master}));
        return statusUnusable;
    }
    FolderListings listings;
    CheckedMaster master = checkMaster(arguments.master, listings);
    if (!master.isMaster()) {
        console.message(refusalMessage(master));
        return statusUnusable;
    }
    judgeContents(master, false);
    OpenedFileset fileset{arguments.master, {}, linkedFiles(master.links)};
    for (std::size_t channel = 0; channel < fileset.names.size(); ++channel) {
        fileset.names[channel] = arguments.names[channel].value_or(master.links[channel].plate);
    }
    const std::array<std::string, channelCount>& found = fileset.files;
    std::vector<std::string> messages = refusals(arguments, fileset);
    const std::optional<ChannelIndex> unsound = unsoundRenamedFile(master);
    if (unsound && arguments.command != FilesetCommand::renameChannels) {
        messages.push_back(fillPlaceholders(
            texts::separationNotSound,
            {arguments.master, master.links[*unsound].file, ChannelTable[*unsound].colorName,
             std::string(verdictWord(*master.contents[*unsound]))}));
    }
    if (messages.empty() && changesNothing(arguments, fileset, master.links)) {
        console.result("unchanged " + mixedForPeople(arguments.master));
        return statusOk;
    }
    std::array<std::string, channelCount> files = found;
    const bool rewritten = messages.empty() && changeFileset(arguments, fileset.names, files,
                                                             [&](const std::string& message) {
                                                                 messages.push_back(message);
                                                             });
    if (rewritten) {
        console.result("rewrote " + mixedForPeople(arguments.master) + " (backup " +
                       mixedForPeople(backupPath(arguments.master)) + ")");
    }
    for (std::size_t channel = 0; channel < files.size(); ++channel) {
        if (files[channel] != found[channel]) {
            console.result("renamed " + mixedForPeople(found[channel]) + " -> " +
                           mixedForPeople(files[channel]));
        }
    }
    for (const std::string& message : messages) {
        console.message(message);
    }
    return messages.empty() ? statusOk : statusFailed;
}

} // namespace platelier
