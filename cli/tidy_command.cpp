// The tidy command: what runs of the program left behind in the folders of
// a tree when they were ended by what nothing can catch, put right: each
// temporary file no run is writing is removed, each master found only under
// its backup name gets its master's name back.
#include "cli/commands.h"
#include "cli/console_texts.h"
#include "cli/master_walk.h"
#include "cli/report.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

namespace platelier {

int tidyCommand(const TidyArguments& arguments, Console& console) {
    const MasterVisit nothingToDo = [](const CheckedMaster&) { return Visited{statusOk, ""}; };
    const LeftoverVisit tidy = [&](const FolderReading& folder, const Leftover& leftover) {
        const bool tidied = tidyLeftover(folder, leftover);
        const LeftoverAction action = tidied ? LeftoverAction::tidied : LeftoverAction::notTidied;
        console.change(arguments.json ? leftoverAsJson(folder, leftover, action)
                                      : leftoverForPeople(folder, leftover, action));
        if (!tidied) {
            console.message(fillPlaceholders(texts::cannotTidy, {folder.folder + leftover.name}));
        }
        return tidied ? statusOk : statusFailed;
    };
    return walkMasters(arguments.paths, arguments.recursive, false, console, nothingToDo, tidy);
}

} // namespace platelier
