// The relink command: the common repair, where a master names separation
// files that were renamed since. The master is rewritten exactly as "Rename
// channels" rewrites it, only when it has something to change and only when
// every plate's file is known and fits, its name included, from the reading
// its links were checked with: a master that changed since is refused. A dry
// run makes the same rewrite with its writing left out, so that it refuses
// what the real run refuses. The renamed files are judged beside the walk,
// on other threads: each is a small file read, which the rewrites of the
// masters before it need not wait for.
#include "cli/commands.h"
#include "cli/master_walk.h"
#include "cli/report.h"
#include "fileset/channel_table.h"
#include "platform/interruption.h"

namespace platelier {

namespace {

// Tells what became of the master: a change in the same uninterrupted step
// as the change itself, so that an interruption never ends the program
// between the two.
Visited relink(const CheckedMaster& master, bool dryRun, bool json, Console& console) {
    const auto tell = [&](const RelinkResult& result) {
        for (const Problem& problem : result.problems) {
            console.message(problem.message);
        }
        const std::string line =
            json ? relinkAsJson(master, result) : relinkForPeople(master, result);
        const bool changed = result.kind == RelinkResult::relinked;
        if (!line.empty()) {
            changed ? console.change(line) : console.result(line);
        }
        const bool ok = result.kind != RelinkResult::broken && result.kind != RelinkResult::refused;
        return Visited{ok ? statusOk : statusFailed, relinkStateWord(master, result)};
    };
    if (const std::optional<std::size_t> plate = renamedFileWithoutPlate(master)) {
        RewriteResult refusal{RewriteError::nameNotInCodePage, *plate};
        refusal.colour = plateColourName(master.reading, *plate);
        return tell({RelinkResult::refused, {rewriteProblem(refusal, master.path)}});
    }
    const std::optional<PlateNames> names = relinkedNames(master);
    if (!names || allLinksOk(master.links)) {
        return tell({names ? RelinkResult::unchanged : RelinkResult::broken, {}});
    }
    if (master.backup.error != RewriteError::none) {
        return tell({RelinkResult::refused, {rewriteProblem(master.backup, master.path)}});
    }
    PreparedRewrite rewrite = prepareRewrite(master.path, master.reading, *names,
                                             dryRun ? RewriteMode::checkOnly : RewriteMode::replace,
                                             master.openForRewrite.get());
    const UninterruptedStep step;
    const RewriteResult result = rewrite.commit();
    if (result.error != RewriteError::none) {
        return tell({RelinkResult::refused, {rewriteProblem(result, master.path)}});
    }
    return tell({dryRun ? RelinkResult::wouldRelink : RelinkResult::relinked, {}});
}

} // namespace

int relinkCommand(const RelinkArguments& arguments, Console& console) {
    return walkMasters(
        arguments.paths, arguments.recursive, !arguments.json, console,
        [&](const CheckedMaster& master) {
            return relink(master, arguments.dryRun, arguments.json, console);
        },
        leftoversTold(console, arguments.json),
        {[](std::vector<CheckedMaster>& masters, std::size_t& done) {
             judgeContents(masters, FilesJudged::renamedOnly, done);
         },
         [](const CheckedMaster& master) { return !allLinksOk(master.links); }},
        ReadingFor::rewriting);
}

} // namespace platelier
