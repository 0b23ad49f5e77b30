// The rename command: the dialog's three commands without the dialog. The
// separation files are those the check finds, as the dialog's discovery
// would record them; what keeps the dialog's command disabled is refused
// here before anything changes, by the same rules. A call that would change
// nothing writes nothing, so that the backup of an earlier change is kept:
// a rule of the console program's own, where the dialog rewrites the master.
// So is the next: a file that another master of the folder links to as well
// is renamed only when asked for (--shared), since that master would lose it.
#include "cli/commands.h"
#include "cli/console_texts.h"
#include "cli/report.h"
#include "fileset/command_rules.h"
#include "fileset/fileset_commands.h"
#include "fileset/folder_reading.h"
#include "fileset/separation_renaming.h"
#include "platform/file_names.h"
#include "platform/folder_listing.h"
#include "platform/interruption.h"
#include "platform/path_parts.h"
#include "resources/fill_placeholders.h"

#include <functional>

namespace platelier {

namespace {

using Tell = std::function<void(const RenameResult&)>;

// What stands in the way before anything changes: what keeps the dialog's
// command disabled, a renamed file that is not sound, and a shared file.
std::vector<Problem> refusals(const RenameArguments& arguments, const FilesetToChange& fileset,
                              const CheckedMaster& master) {
    std::vector<Problem> problems;
    for (const CommandObstacle& obstacle : commandObstacles(arguments.command, fileset)) {
        problems.push_back(obstacleProblem(obstacle, arguments.master));
    }
    const bool renamesFiles = arguments.command != FilesetCommand::renameChannels;
    const std::optional<std::size_t> unsound = unsoundRenamedFile(master);
    if (unsound && renamesFiles) {
        problems.push_back(unsoundFileProblem(master, *unsound));
    }
    for (std::size_t channel = 0; channel < master.sharedWith.size() && renamesFiles; ++channel) {
        const RenameOutcome plan =
            planSeparationRename(arguments.master, fileset.files[channel], fileset.names[channel]);
        if (!master.sharedWith[channel].empty() && !arguments.shared &&
            plan.kind == RenameOutcome::renamed) {
            problems.push_back(sharedFileProblem(master, channel));
        }
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

void renameChannelsOf(const FolderReading& folder, const CheckedMaster& master,
                      const FilesetToChange& fileset, const Tell& tell) {
    renameChannels(
        folder, master.path, fileset.names,
        [&](const RewriteResult& rewritten) {
            RenameResult result;
            result.rewritten = rewritten.error == RewriteError::none;
            if (!result.rewritten) {
                result.problems.push_back(rewriteProblem(rewritten, master.path));
            }
            tell(result);
        },
        &master.reading.identity);
}

// Four renames at most: they and what is told of them are one step.
void renameFilesOf(const FilesetToChange& fileset, const Tell& tell) {
    const UninterruptedStep step;
    RenameResult result;
    PerChannel files = fileset.files;
    renameSeparationFiles(fileset.master, files, fileset.names,
                          [&](ChannelIndex channel, const RenameOutcome& outcome) {
                              if (outcome.kind == RenameOutcome::failed) {
                                  result.problems.push_back(renameProblem(outcome));
                              } else {
                                  result.renamed.push_back({channel, outcome.from, outcome.to});
                              }
                          });
    tell(result);
}

void saveAllOf(const FolderReading& folder, const CheckedMaster& master,
               const FilesetToChange& fileset, const Tell& tell) {
    PerChannel files = fileset.files;
    saveAllChanges(
        folder, master.path, fileset.names, files,
        [&](const SaveAllResult& saved) {
            RenameResult result;
            result.rewritten = saved.done();
            result.problems = saveAllProblems(saved, master.path);
            for (const auto& [channel, path] : saved.renamed) {
                result.renamed.push_back({channel, fileset.files[channel], path});
            }
            tell(result);
        },
        &master.reading.identity);
}

// The names are file names, as the command line gives them; a channel not
// named keeps the file name its plate names.
void renameFileset(const RenameArguments& arguments, const FolderReading& folder,
                   const CheckedMaster& master, const Tell& tell) {
    FilesetToChange fileset{arguments.master, {}, linkedFiles(master)};
    const PerChannel plates = master.reading.channelNames();
    for (std::size_t channel = 0; channel < fileset.names.size(); ++channel) {
        fileset.names[channel] =
            arguments.names[channel].value_or(fileNameOfPlate(plates[channel]));
    }
    RenameResult result;
    result.problems = refusals(arguments, fileset, master);
    result.unchanged = result.problems.empty() && changesNothing(arguments, fileset, plates);
    if (!result.problems.empty() || result.unchanged) {
        tell(result);
    } else if (arguments.command == FilesetCommand::renameChannels) {
        renameChannelsOf(folder, master, fileset, tell);
    } else if (arguments.command == FilesetCommand::renameFiles) {
        renameFilesOf(fileset, tell);
    } else {
        saveAllOf(folder, master, fileset, tell);
    }
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
    int status = statusOk;
    renameFileset(arguments, folder, master, [&](const RenameResult& result) {
        if (arguments.json) {
            console.change(renameAsJson(arguments.master, arguments.command, result));
        }
        for (const std::string& line : arguments.json ? std::vector<std::string>()
                                                      : renameForPeople(arguments.master, result)) {
            console.change(line);
        }
        for (const Problem& problem : result.problems) {
            console.message(problem.message);
        }
        status = result.problems.empty() ? statusOk : statusFailed;
    });
    return status;
}

} // namespace platelier
