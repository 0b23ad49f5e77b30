// The sequences of "Save all changes" and "Rename channels". "Save all
// changes" renames the separation files before it rewrites the master:
// undoing a rename is one more rename, and the rewrite changes nothing when
// it fails.
#include "fileset/fileset_commands.h"

#include "platform/file_names.h"
#include "platform/files.h"

namespace platelier {

namespace {

struct DoneRename {
    ChannelIndex channel;
    std::string from;
    std::string to;
};

// Gives the renamed files their names back, the last renamed first, and
// notes each one that keeps its new name.
void undoRenames(const std::vector<DoneRename>& done, SaveAllResult& result) {
    for (auto rename = done.rbegin(); rename != done.rend(); ++rename) {
        if (!moveFileNoReplace(rename->to, rename->from)) {
            result.notGivenBack.push_back({rename->from, rename->to});
        }
    }
}

// The plate bytes of each name into `plates`; none, and `plates` left
// incomplete, at the first channel whose name has none.
std::optional<ChannelIndex> namesAsPlates(const PerChannel& names, PerChannel& plates) {
    for (int channel = cyan; channel <= black; ++channel) {
        const auto i = static_cast<std::size_t>(channel);
        const std::optional<std::string> plate = plateOfFileName(names[i]);
        if (!plate) {
            return static_cast<ChannelIndex>(channel);
        }
        plates[i] = *plate;
    }
    return std::nullopt;
}

} // namespace

SaveAllResult saveAllChanges(const std::string& masterPath, const PerChannel& names,
                             PerChannel& recordedPaths) {
    SaveAllResult result;
    result.refusals = separationRenameProblems(masterPath, recordedPaths, names);
    PerChannel plates;
    if (const std::optional<ChannelIndex> unwritable = namesAsPlates(names, plates)) {
        result.failedRewrite = RewriteResult{RewriteError::nameNotInCodePage, *unwritable};
    }
    if (!result.done()) {
        return result;
    }
    std::vector<DoneRename> done;
    for (int channel = cyan; channel <= black; ++channel) {
        const auto i = static_cast<std::size_t>(channel);
        const RenameOutcome outcome = renameSeparationFile(masterPath, recordedPaths[i], names[i]);
        if (outcome.kind == RenameOutcome::failed) {
            result.failedRename = outcome;
            undoRenames(done, result);
            return result;
        }
        if (outcome.kind == RenameOutcome::renamed) {
            done.push_back({static_cast<ChannelIndex>(channel), outcome.from, outcome.to});
        }
    }
    const RewriteResult rewrite = rewriteMasterFile(masterPath, plates);
    if (rewrite.error != RewriteError::none) {
        result.failedRewrite = rewrite;
        undoRenames(done, result);
        return result;
    }
    for (const DoneRename& rename : done) {
        recordedPaths[static_cast<std::size_t>(rename.channel)] = rename.to;
        result.renamed.emplace_back(rename.channel, rename.to);
    }
    return result;
}

RewriteResult renameChannels(const std::string& masterPath, const PerChannel& names) {
    PerChannel plates;
    if (const std::optional<ChannelIndex> unwritable = namesAsPlates(names, plates)) {
        return {RewriteError::nameNotInCodePage, *unwritable};
    }
    return rewriteMasterFile(masterPath, plates);
}

} // namespace platelier
