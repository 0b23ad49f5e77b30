// The sequences of the commands that change a fileset.
#include "fileset/fileset_commands.h"

#include "fileset/rewrite_messages.h"
#include "fileset/separation_renaming.h"
#include "master/master_file_rewriter.h"

namespace platelier {

bool renameChannels(const std::string& masterPath,
                    const std::array<std::string, channelCount>& names,
                    const FailureReport& failed) {
    const RewriteResult result = rewriteMasterFile(masterPath, names);
    if (result.error != RewriteError::none) {
        failed(rewriteErrorMessage(result, masterPath));
    }
    return result.error == RewriteError::none;
}

bool saveAllChanges(const std::string& masterPath,
                    const std::array<std::string, channelCount>& names,
                    std::array<std::string, channelCount>& recordedPaths,
                    const FailureReport& failed, const RenameReport& renamed) {
    const std::vector<std::string> problems = separationRenameProblems(recordedPaths, names);
    for (const std::string& problem : problems) {
        failed(problem);
    }
    if (!problems.empty() || !renameChannels(masterPath, names, failed)) {
        return false;
    }
    renameSeparationFiles(recordedPaths, names, failed, renamed);
    return true;
}

} // namespace platelier
