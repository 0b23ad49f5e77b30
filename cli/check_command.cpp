// The check command: each master that the paths name or hold, described for
// people or as JSON, broken ones making the status 1; with --deep the files
// its links lead to are judged too.
#include "cli/checked_master.h"
#include "cli/commands.h"
#include "cli/master_walk.h"

namespace platelier {

int checkCommand(const CheckArguments& arguments, Console& console) {
    return walkMasters(arguments.paths, arguments.recursive, console, [&](CheckedMaster master) {
        if (arguments.deep) {
            judgeContents(master, true);
        }
        console.result(arguments.json ? describeAsJson(master) : describeForPeople(master));
        return isSound(master) ? statusOk : statusFailed;
    });
}

} // namespace platelier
