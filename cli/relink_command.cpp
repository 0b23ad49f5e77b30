// The relink command: the common repair, where a master names separation
// files that were renamed since. The master is rewritten exactly as "Rename
// channels" rewrites it, only when it has something to change and only when
// every plate's file is known and fits, its name included. A dry run makes
// the same rewrite with its writing left out, so that it refuses what the
// real run refuses.
#include "cli/commands.h"
#include "cli/master_walk.h"
#include "cli/report.h"

namespace platelier {

namespace {

RelinkResult relink(CheckedMaster& master, bool dryRun) {
    judgeContents(master, FilesJudged::renamedOnly);
    if (const std::optional<std::size_t> plate = renamedFileWithoutPlate(master)) {
        const RewriteResult refusal{RewriteError::nameNotInCodePage,
                                    static_cast<ChannelIndex>(*plate)};
        return {RelinkResult::refused, {rewriteProblem(refusal, master.path)}};
    }
    const std::optional<PerChannel> names = relinkedNames(master);
    if (!names || allLinksOk(master.links)) {
        return {names ? RelinkResult::unchanged : RelinkResult::broken, {}};
    }
    const RewriteResult rewrite = rewriteMasterFile(
        master.path, *names, dryRun ? RewriteMode::checkOnly : RewriteMode::replace);
    if (rewrite.error != RewriteError::none) {
        return {RelinkResult::refused, {rewriteProblem(rewrite, master.path)}};
    }
    return {dryRun ? RelinkResult::wouldRelink : RelinkResult::relinked, {}};
}

} // namespace

int relinkCommand(const RelinkArguments& arguments, Console& console) {
    return walkMasters(
        arguments.paths, arguments.recursive, console, [&](const CheckedMaster& checked) {
            CheckedMaster master = checked;
            const RelinkResult result = relink(master, arguments.dryRun);
            for (const Problem& problem : result.problems) {
                console.message(problem.message);
            }
            const std::string line =
                arguments.json ? relinkAsJson(master, result) : relinkForPeople(master, result);
            if (!line.empty()) {
                console.result(line);
            }
            const bool ok =
                result.kind != RelinkResult::broken && result.kind != RelinkResult::refused;
            return ok ? statusOk : statusFailed;
        });
}

} // namespace platelier
