// The sequences of the commands that change a fileset. "Save all changes"
// renames the separation files before it rewrites the master: undoing a
// rename is one more rename, and the rewrite changes nothing when it fails.
#include "fileset/fileset_commands.h"

#include "fileset/rewrite_messages.h"
#include "fileset/separation_renaming.h"
#include "master/master_file_rewriter.h"
#include "platform/files.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

#include <vector>

namespace platelier {

namespace {

struct DoneRename {
    ChannelIndex channel;
    std::string from;
    std::string to;
};

// Gives the renamed files their names back, the last renamed first; says
// that nothing was changed, or where each file that kept its new name is.
std::string undoRenames(const std::vector<DoneRename>& done) {
    std::string notGivenBack;
    for (auto rename = done.rbegin(); rename != done.rend(); ++rename) {
        if (!moveFileNoReplace(rename->to, rename->from)) {
            notGivenBack +=
                fillPlaceholders(texts::separationFileNotGivenBack, {rename->from, rename->to});
        }
    }
    return notGivenBack.empty() ? texts::separationFilesKeptTheirNames : notGivenBack;
}

} // namespace

bool renameChannels(const std::string& masterPath,
                    const std::array<std::string, channelCount>& names, const FailureReport& failed,
                    RewriteMode mode) {
    const RewriteResult result = rewriteMasterFile(masterPath, names, mode);
    if (result.error != RewriteError::none) {
        failed(rewriteErrorMessage(result, masterPath));
    }
    return result.error == RewriteError::none;
}

bool saveAllChanges(const std::string& masterPath,
                    const std::array<std::string, channelCount>& names,
                    std::array<std::string, channelCount>& recordedPaths,
                    const FailureReport& failed, const RenameReport& renamed) {
    const std::vector<std::string> problems =
        separationRenameProblems(masterPath, recordedPaths, names);
    for (const std::string& problem : problems) {
        failed(problem);
    }
    if (!problems.empty()) {
        return false;
    }
    std::vector<DoneRename> done;
    for (int channel = cyan; channel <= black; ++channel) {
        const auto i = static_cast<std::size_t>(channel);
        const RenameOutcome outcome = renameSeparationFile(masterPath, recordedPaths[i], names[i]);
        if (outcome.kind == RenameOutcome::failed) {
            failed(outcome.message + texts::masterNotRewritten + undoRenames(done));
            return false;
        }
        if (outcome.kind == RenameOutcome::renamed) {
            done.push_back({static_cast<ChannelIndex>(channel), recordedPaths[i], outcome.newPath});
        }
    }
    const RewriteResult result = rewriteMasterFile(masterPath, names);
    if (result.error != RewriteError::none) {
        failed(rewriteErrorMessage(result, masterPath) + undoRenames(done));
        return false;
    }
    for (const DoneRename& rename : done) {
        recordedPaths[static_cast<std::size_t>(rename.channel)] = rename.to;
        renamed(rename.channel, rename.to);
    }
    return true;
}

} // namespace platelier
