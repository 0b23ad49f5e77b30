// The check command: each master that the paths name or hold, described for
// people or as JSON, broken ones making the status 1.
#include "cli/checked_master.h"
#include "cli/commands.h"
#include "cli/master_walk.h"

namespace platelier {

int checkCommand(const CheckArguments& arguments, Console& console) {
    return walkMasters(
        arguments.paths, arguments.recursive, console, [&](const CheckedMaster& master) {
            console.result(arguments.json ? describeAsJson(master) : describeForPeople(master));
            return allLinksOk(master.links) ? statusOk : statusFailed;
        });
}

} // namespace platelier
