// The check command: each master that the paths name or hold, described for
// people or as JSON, broken ones making the status 1; with --deep the files
// its links lead to are judged too, beside the walk.
#include "cli/commands.h"
#include "cli/master_walk.h"
#include "cli/report.h"

namespace platelier {

int checkCommand(const CheckArguments& arguments, Console& console) {
    const auto describe = [&](const CheckedMaster& master) {
        console.result(arguments.json ? checkAsJson(master) : checkForPeople(master));
        return Visited{isSound(master) ? statusOk : statusFailed, masterStateWord(master)};
    };
    const MasterPreparation judge{[](std::vector<CheckedMaster>& masters, std::size_t& done) {
                                      judgeContents(masters, FilesJudged::everyFileFound, done);
                                  },
                                  [](const CheckedMaster&) { return true; }};
    return walkMasters(arguments.paths, arguments.recursive, !arguments.json, console, describe,
                       leftoversTold(console, arguments.json),
                       arguments.deep ? judge : MasterPreparation(), ReadingFor::lookingAt);
}

} // namespace platelier
