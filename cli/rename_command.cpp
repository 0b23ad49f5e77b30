// The rename command: the dialog's three commands without the dialog. The
// separation files are those the check finds, as the dialog's discovery
// would record them; what keeps the dialog's command disabled is refused
// here before anything changes, by the same rules. A call that would change
// nothing writes nothing, so that the backup of an earlier change is kept:
// a rule of the console program's own, where the dialog rewrites the master.
#include "cli/commands.h"
#include "cli/console_texts.h"
#include "cli/report.h"
#include "fileset/command_rules.h"
#include "fileset/fileset_commands.h"
#include "fileset/folder_reading.h"
#include "fileset/separation_renaming.h"
#include "platform/file_names.h"
#include "platform/folder_listing.h"
#include "platform/path_parts.h"
#include "resources/fill_placeholders.h"

namespace platelier {

namespace {

// What stands in the way before anything changes: what keeps the dialog's
// command disabled, and a renamed file that is not sound.
std::vector<Problem> refusals(const RenameArguments& arguments, const FilesetToChange& fileset,
                              const CheckedMaster& master) {
    std::vector<Problem> problems;
    for (const CommandObstacle& obstacle : commandObstacles(arguments.command, fileset)) {
        problems.push_back(obstacleProblem(obstacle, arguments.master));
    }
    const std::optional<std::size_t> unsound = unsoundRenamedFile(master);
    if (unsound && arguments.command != FilesetCommand::renameChannels) {
        problems.push_back(unsoundFileProblem(master, *unsound));
    }
    return problems;
}

// True when every name writes the plate's bytes as they are, where the
// command writes the master, and every file already has its name, as the
// system compares names, where it renames files.
bool changesNothing(const RenameArguments& arguments, const FilesetToChange& fileset,
                    const PerChannel& plates) {
    for (std::size_t channel = 0; channel < fileset.names.size(); ++channel) {
        const std::string& name = fileset.names[channel];
        if ((arguments.command != FilesetCommand::renameFiles &&
             plateOfFileName(name) != plates[channel]) ||
            (arguments.command != FilesetCommand::renameChannels &&
             planSeparationRename(arguments.master, fileset.files[channel], name).kind !=
                 RenameOutcome::skipped)) {
            return false;
        }
    }
    return true;
}

// Runs the command on the fileset.
RenameResult changeFileset(const RenameArguments& arguments, const FilesetToChange& fileset) {
    RenameResult result;
    PerChannel files = fileset.files;
    if (arguments.command == FilesetCommand::renameChannels) {
        const RewriteResult rewrite = renameChannels(arguments.master, fileset.names);
        result.rewritten = rewrite.error == RewriteError::none;
        if (!result.rewritten) {
            result.problems.push_back(rewriteProblem(rewrite, arguments.master));
        }
    } else if (arguments.command == FilesetCommand::renameFiles) {
        renameSeparationFiles(arguments.master, files, fileset.names,
                              [&](ChannelIndex channel, const RenameOutcome& outcome) {
                                  if (outcome.kind == RenameOutcome::failed) {
                                      result.problems.push_back(renameProblem(outcome));
                                  } else {
                                      result.renamed.push_back({channel, outcome.from, outcome.to});
                                  }
                              });
    } else {
        const SaveAllResult saved = saveAllChanges(arguments.master, fileset.names, files);
        result.rewritten = saved.done();
        result.problems = saveAllProblems(saved, arguments.master);
        for (const auto& [channel, path] : saved.renamed) {
            result.renamed.push_back({channel, fileset.files[channel], path});
        }
    }
    return result;
}

// The names are file names, as the command line gives them; a channel not
// named keeps the file name its plate names.
RenameResult renameFileset(const RenameArguments& arguments, const CheckedMaster& master) {
    FilesetToChange fileset{arguments.master, {}, linkedFiles(master)};
    const PerChannel plates = master.reading.channelNames();
    for (std::size_t channel = 0; channel < fileset.names.size(); ++channel) {
        fileset.names[channel] =
            arguments.names[channel].value_or(fileNameOfPlate(plates[channel]));
    }
    RenameResult result;
    result.problems = refusals(arguments, fileset, master);
    if (result.problems.empty() && changesNothing(arguments, fileset, plates)) {
        result.unchanged = true;
    } else if (result.problems.empty()) {
        result = changeFileset(arguments, fileset);
    }
    return result;
}

} // namespace

int renameCommand(const RenameArguments& arguments, Console& console) {
    if (isFolder(arguments.master)) {
        console.message(fillPlaceholders(texts::folderNotMaster, {arguments.master}));
        return statusUnusable;
    }
    const std::string name = fileNamePart(arguments.master);
    const FolderReading folder = readFolder(folderPart(arguments.master), {name});
    const FolderMaster& read = *masterNamed(folder, name);
    if (!read.reading.isMaster()) {
        console.message(refusalMessage(arguments.master, read.reading.refusal));
        return statusUnusable;
    }
    CheckedMaster master = checkMaster(arguments.master, folder, read);
    judgeContents(master, FilesJudged::renamedOnly);
    const RenameResult result = renameFileset(arguments, master);
    if (arguments.json) {
        console.result(renameAsJson(arguments.master, arguments.command, result));
    } else {
        for (const std::string& line : renameForPeople(arguments.master, result)) {
            console.result(line);
        }
    }
    for (const Problem& problem : result.problems) {
        console.message(problem.message);
    }
    return result.problems.empty() ? statusOk : statusFailed;
}

} // namespace platelier
