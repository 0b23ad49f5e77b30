// The three commands of platelier-cli, each run with its arguments as the
// command line gave them, each returning its exit status.
#pragma once

#include "cli/console.h"
#include "fileset/command_rules.h"
#include "master/channel.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platelier {

struct CheckArguments {
    std::vector<std::string> paths;
    bool recursive = false;
    bool json = false;
    bool deep = false; // judge the content of every file found
};

// The state of every master that the paths name or hold.
int checkCommand(const CheckArguments& arguments, Console& console);

struct RelinkArguments {
    std::vector<std::string> paths;
    bool recursive = false;
    bool dryRun = false;
    bool json = false;
};

// Writes into each master that the paths name or hold, as check finds them,
// the names of its separation files that were renamed, when every one of
// its channels is ok or renamed.
int relinkCommand(const RelinkArguments& arguments, Console& console);

struct RenameArguments {
    std::string master;
    // The new names, each with the colour of the plate it is for, as given:
    // --cyan NAME gives "cyan" and NAME, --plate 'COLOUR=NAME' any plate. A
    // plate not named keeps the file name its plate names.
    std::vector<std::pair<std::string, std::string>> names;
    FilesetCommand command = FilesetCommand::saveAllChanges;
    bool json = false;
    bool shared = false; // rename files that other masters of the folder link to as well
};

// The dialog's "Save all changes", "Rename channels" or "Rename files".
int renameCommand(const RenameArguments& arguments, Console& console);

struct TidyArguments {
    std::vector<std::string> paths;
    bool recursive = false;
    bool json = false;
};

// Removes the temporary files runs left behind, and gives masters left only
// under their backup names their names back.
int tidyCommand(const TidyArguments& arguments, Console& console);

} // namespace platelier
