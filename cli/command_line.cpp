// The command line, parsed with CLI11. The help and the usage messages are
// in English, as the dialog's own texts are; what the commands tell of the
// files is in the program's French.
#include "cli/command_line.h"

#include "cli/commands.h"
#include "resources/version.h"

#include <CLI/CLI.hpp>
#include <algorithm>

namespace platelier {

namespace {

// The names rename is given, as CLI11 parses them.
struct RenameNames {
    PerChannel channels;                              // --cyan NAME and the others
    std::array<CLI::Option*, channelCount> options{}; // which of them were given
    std::vector<std::string> plates;                  // --plate COLOUR=NAME
};

CLI::App* addCheck(CLI::App& program, CheckArguments& arguments) {
    CLI::App* check = program.add_subcommand(
        "check", "Tell, for each master, whether its separation files are where it says");
    check->add_flag("--recursive", arguments.recursive, "Look into the sub-folders of folders too");
    check->add_flag("--json", arguments.json, "One JSON object per line and master");
    check->add_flag(
        "--deep", arguments.deep,
        "Read the separation files found too: is each an EPS file of the master's page?");
    check->add_option("PATH", arguments.paths, "A master, or a folder of masters (*.eps)")
        ->required();
    return check;
}

CLI::App* addRelink(CLI::App& program, RelinkArguments& arguments) {
    CLI::App* relink = program.add_subcommand(
        "relink", "Write the new names of renamed separation files into their masters");
    relink->add_flag("--dry-run", arguments.dryRun,
                     "Make every check and refusal of the real run; change nothing");
    relink->add_flag("--recursive", arguments.recursive,
                     "Look into the sub-folders of folders too");
    relink->add_flag("--json", arguments.json, "One JSON object per line and master");
    relink->add_option("PATH", arguments.paths, "A master, or a folder of masters (*.eps)")
        ->required();
    return relink;
}

CLI::App* addRename(CLI::App& program, RenameArguments& arguments, RenameNames& names) {
    CLI::App* rename = program.add_subcommand(
        "rename", "Rename channels in the master and separation files on disk, as the dialog does");
    rename->add_option("MASTER", arguments.master, "A master file")->required();
    for (std::size_t channel = 0; channel < names.channels.size(); ++channel) {
        names.options[channel] =
            rename->add_option(std::string("--") + channelWords[channel], names.channels[channel],
                               "The process plate's new name");
    }
    rename
        ->add_option("--plate", names.plates,
                     "A plate's new name after its colour, as the master names it: "
                     "'PANTONE 185 C=POSTER.5' (DCS 2.0 spot plates)")
        ->check([](const std::string& value) {
            return value.find('=') == std::string::npos || value.front() == '='
                       ? std::string("COLOUR=NAME expected")
                       : std::string();
        });
    rename->add_flag("--json", arguments.json, "One JSON object on one line");
    rename->add_flag("--shared", arguments.shared,
                     "Rename files that other masters of the folder link to as well");
    CLI::Option* masterOnly = rename->add_flag("--master-only", "Rewrite the master only");
    CLI::Option* filesOnly = rename->add_flag("--files-only", "Rename the files only");
    masterOnly->excludes(filesOnly);
    rename->callback([&arguments, &names, masterOnly, filesOnly] {
        for (std::size_t channel = 0; channel < names.channels.size(); ++channel) {
            if (names.options[channel]->count() > 0) {
                arguments.names.emplace_back(channelWords[channel], names.channels[channel]);
            }
        }
        for (const std::string& plate : names.plates) {
            const std::size_t equals = plate.find('=');
            arguments.names.emplace_back(plate.substr(0, equals), plate.substr(equals + 1));
        }
        arguments.command = masterOnly->count() > 0  ? FilesetCommand::renameChannels
                            : filesOnly->count() > 0 ? FilesetCommand::renameFiles
                                                     : FilesetCommand::saveAllChanges;
    });
    return rename;
}

CLI::App* addTidy(CLI::App& program, TidyArguments& arguments) {
    CLI::App* tidy = program.add_subcommand(
        "tidy", "Remove what interrupted runs left in folders, and give masters their names back");
    tidy->add_flag("--recursive", arguments.recursive, "Look into the sub-folders of folders too");
    tidy->add_flag("--json", arguments.json, "One JSON object per line and file");
    tidy->add_option("FOLDER", arguments.paths, "A folder")->required();
    return tidy;
}

// CLI11 takes a first word that names no command for a missing command, and
// keeps it among the arguments it did not use.
int unknownCommand(const CLI::App& program, const std::string& word, std::ostream& err) {
    err << "Unknown command: " << word << "\nCommands:";
    for (const CLI::App* command : program.get_subcommands({})) {
        err << ' ' << command->get_name();
    }
    err << "\nRun with --help for more information.\n";
    return statusUnusable;
}

} // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   Terminals terminals) {
    CLI::App program("Check and repair the links of DCS filesets.", "platelier-cli");
    program.require_subcommand(1);
    program.set_version_flag("--version", "platelier-cli " PLATELIER_VERSION);
    program.footer("Exit status: 0 when every master is ok and every change was made, 1 when a "
                   "master is broken or a change failed, 2 for a wrong call, a path that "
                   "cannot be read, or results that cannot be written.");
    CheckArguments check;
    RelinkArguments relink;
    RenameArguments rename;
    RenameNames names;
    CLI::App* checkCall = addCheck(program, check);
    CLI::App* relinkCall = addRelink(program, relink);
    CLI::App* renameCall = addRename(program, rename, names);
    TidyArguments tidy;
    addTidy(program, tidy);
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    Console console(out, err, terminals);
    int status = statusUnusable;
    try {
        program.parse(reversed);
        status = checkCall->parsed()    ? checkCommand(check, console)
                 : relinkCall->parsed() ? relinkCommand(relink, console)
                 : renameCall->parsed() ? renameCommand(rename, console)
                                        : tidyCommand(tidy, console);
    } catch (const CLI::ParseError& error) {
        const std::vector<std::string> unused = program.remaining();
        status = program.get_subcommands().empty() && !unused.empty() && unused[0][0] != '-'
                     ? unknownCommand(program, unused[0], err)
                 : program.exit(error, out, err) == 0 ? statusOk
                                                      : statusUnusable;
    } catch (const ResultsUnread&) {
        status = statusUnusable;
    }
    return console.finish(status);
}

} // namespace platelier
