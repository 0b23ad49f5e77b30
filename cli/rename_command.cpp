// The rename command: the dialog's three commands without the dialog. The
// separation files are those the check finds, as the dialog's discovery
// would record them; what keeps the dialog's command disabled is refused
// here before anything changes, by the same rules. A call that would change
// nothing writes nothing, so that the backup of an earlier change is kept:
// a rule of the console program's own, where the dialog rewrites the master.
// So is the next: a file that another master of the folder links to as well
// is renamed only when asked for (--shared), since that master would lose it.
// Plates are named by their colours, a DCS 1.0 master's channels as a DCS
// 2.0 master's plates; a DCS 2.0 master that holds plates itself is
// refused.
#include "cli/commands.h"
#include "cli/console_texts.h"
#include "cli/report.h"
#include "fileset/command_rules.h"
#include "fileset/fileset_commands.h"
#include "fileset/folder_reading.h"
#include "fileset/separation_renaming.h"
#include "platform/ascii_case.h"
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
// command disabled, a renamed file that is not sound, a shared file, and
// plates inside the master.
std::vector<Problem> refusals(const RenameArguments& arguments, const FilesetToChange& fileset,
                              const CheckedMaster& master) {
    const auto inside = [](const Plate& plate) { return plate.where == Plate::inMaster; };
    const std::vector<Plate>& plates = master.reading.plates;
    if (std::any_of(plates.begin(), plates.end(), inside)) {
        return {{"plates-inside-master", fillPlaceholders(texts::singleFileMaster, {master.path})}};
    }
    std::vector<Problem> problems;
    for (const CommandObstacle& obstacle : commandObstacles(arguments.command, fileset)) {
        problems.push_back(obstacleProblem(obstacle, master));
    }
    const bool renamesFiles = arguments.command != FilesetCommand::renameChannels;
    const std::optional<std::size_t> unsound = unsoundRenamedFile(master);
    if (unsound && renamesFiles) {
        problems.push_back(unsoundFileProblem(master, *unsound));
    }
    for (std::size_t plate = 0; plate < master.sharedWith.size() && renamesFiles; ++plate) {
        const RenameOutcome plan =
            planSeparationRename(arguments.master, fileset.files[plate], fileset.names[plate]);
        if (!master.sharedWith[plate].empty() && !arguments.shared &&
            plan.kind == RenameOutcome::renamed) {
            problems.push_back(sharedFileProblem(master, plate));
        }
    }
    return problems;
}

// True when every name writes the plate's bytes as they are, where the
// command writes the master, and every file already has its name, as the
// system compares names, where it renames files.
bool changesNothing(const RenameArguments& arguments, const FilesetToChange& fileset,
                    const MasterReading& reading) {
    for (std::size_t plate = 0; plate < fileset.names.size(); ++plate) {
        const std::string& name = fileset.names[plate];
        if ((arguments.command != FilesetCommand::renameFiles &&
             plateOfFileName(name) != reading.plates[plate].name) ||
            (arguments.command != FilesetCommand::renameChannels &&
             planSeparationRename(arguments.master, fileset.files[plate], name).kind !=
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
        &master.reading);
}

// A few renames: they and what is told of them are one step.
void renameFilesOf(const CheckedMaster& master, const FilesetToChange& fileset, const Tell& tell) {
    const UninterruptedStep step;
    RenameResult result;
    PlatePaths files = fileset.files;
    renameSeparationFiles(fileset.master, files, fileset.names,
                          [&](std::size_t plate, const RenameOutcome& outcome) {
                              if (outcome.kind == RenameOutcome::failed) {
                                  result.problems.push_back(renameProblem(outcome));
                              } else {
                                  result.renamed.push_back({master.reading.plates[plate].colour,
                                                            outcome.from, outcome.to});
                              }
                          });
    tell(result);
}

void saveAllOf(const FolderReading& folder, const CheckedMaster& master,
               const FilesetToChange& fileset, const Tell& tell) {
    PlatePaths files = fileset.files;
    saveAllChanges(
        folder, master.path, fileset.names, files,
        [&](const SaveAllResult& saved) {
            RenameResult result;
            result.rewritten = saved.done();
            result.problems = saveAllProblems(saved, master.path);
            for (const auto& [plate, path] : saved.renamed) {
                result.renamed.push_back(
                    {master.reading.plates[plate].colour, fileset.files[plate], path});
            }
            tell(result);
        },
        &master.reading);
}

// The plate each name given is for: the one plate of its colour, letter
// case aside; none, with the message that says why, when no plate or
// several have that colour, or when a plate is given two names.
std::optional<PlateNames> namesGiven(const RenameArguments& arguments, const CheckedMaster& master,
                                     std::string& why) {
    const std::vector<Plate>& plates = master.reading.plates;
    PlateNames names;
    std::vector<bool> named(plates.size());
    for (const Plate& plate : plates) {
        names.push_back(fileNameOfPlate(plate.name));
    }
    for (const auto& given : arguments.names) {
        const auto ofColour = [&given](const Plate& plate) {
            return equalIgnoringAsciiCase(plate.colour, given.first);
        };
        const auto found = std::find_if(plates.begin(), plates.end(), ofColour);
        const auto place = static_cast<std::size_t>(found - plates.begin());
        const char* refusal = found == plates.end() ? texts::noPlateOfColour
                              : std::count_if(plates.begin(), plates.end(), ofColour) > 1
                                  ? texts::severalPlatesOfColour
                              : named[place] ? texts::plateNamedTwice
                                             : nullptr;
        if (refusal) {
            why = fillPlaceholders(refusal, {master.path, given.first});
            return std::nullopt;
        }
        named[place] = true;
        names[place] = given.second;
    }
    return names;
}

void renameFileset(const RenameArguments& arguments, const FolderReading& folder,
                   const CheckedMaster& master, const PlateNames& names, const Tell& tell) {
    const FilesetToChange fileset{arguments.master, names, linkedFiles(master)};
    RenameResult result;
    result.problems = refusals(arguments, fileset, master);
    result.unchanged =
        result.problems.empty() && changesNothing(arguments, fileset, master.reading);
    if (!result.problems.empty() || result.unchanged) {
        tell(result);
    } else if (arguments.command == FilesetCommand::renameChannels) {
        renameChannelsOf(folder, master, fileset, tell);
    } else if (arguments.command == FilesetCommand::renameFiles) {
        renameFilesOf(master, fileset, tell);
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
    std::string why;
    const std::optional<PlateNames> names = namesGiven(arguments, master, why);
    if (!names) {
        console.message(why);
        return statusUnusable;
    }
    judgeContents(master, FilesJudged::renamedOnly);
    int status = statusOk;
    renameFileset(arguments, folder, master, *names, [&](const RenameResult& result) {
        if (arguments.json) {
            console.change(renameAsJson(master, arguments.command, result));
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
