// The sequences of "Save all changes" and "Rename channels". "Save all
// changes" renames the separation files before it rewrites the master:
// undoing a rename is one more rename, and the rewrite changes nothing when
// it fails.
#include "fileset/fileset_commands.h"

#include "master/backup_path.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/interruption.h"
#include "platform/path_parts.h"

namespace platelier {

namespace {

// A rename made, which an interruption undoes until the command is done.
struct DoneRename {
    ChannelIndex channel;
    std::string from;
    std::string to;
    RenameGuard undoneOnInterrupt;
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

// Renames the files one after the other, each with the guard that undoes it
// on an interruption in the same uninterrupted step; false, with the outcome
// that failed, when one fails.
bool renameFiles(const std::string& masterPath, const PerChannel& names,
                 const PerChannel& recordedPaths, std::vector<DoneRename>& done,
                 SaveAllResult& result) {
    for (int channel = cyan; channel <= black; ++channel) {
        const auto i = static_cast<std::size_t>(channel);
        const UninterruptedStep step;
        const RenameOutcome outcome = renameSeparationFile(masterPath, recordedPaths[i], names[i]);
        if (outcome.kind == RenameOutcome::failed) {
            result.failedRename = outcome;
            return false;
        }
        if (outcome.kind == RenameOutcome::renamed) {
            done.push_back({static_cast<ChannelIndex>(channel), outcome.from, outcome.to,
                            RenameGuard(outcome.from, outcome.to)});
        }
    }
    return true;
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

RewriteResult backupConflict(const FolderReading& folder, const std::string& masterPath) {
    const FolderMaster* master = masterNamed(folder, fileNamePart(masterPath));
    return master ? backupConflict(folder, *master) : RewriteResult();
}

RewriteResult backupConflict(const FolderReading& folder, const FolderMaster& master) {
    const auto place = static_cast<std::size_t>(&master - folder.masters.data());
    const std::string backup = fileNamePart(backupPath(folder.folder + master.name));
    const auto otherPath = [&](std::size_t other) {
        return folder.folder + folder.masters[other].name;
    };
    if (const std::size_t other = folder.claims.otherNaming(backup, place);
        other != FolderIndex::none) {
        return {RewriteError::backupIsLinked, cyan, otherPath(other)};
    }
    if (const std::size_t other = folder.claims.otherBackedUpAs(backup, place);
        other != FolderIndex::none) {
        return {RewriteError::backupIsShared, cyan, otherPath(other)};
    }
    return {};
}

RewriteResult renameChannels(const FolderReading& folder, const std::string& masterPath,
                             const PerChannel& names,
                             const std::function<void(const RewriteResult&)>& told,
                             const FileIdentity* asRead) {
    RewriteResult result = backupConflict(folder, masterPath);
    PerChannel plates;
    if (const std::optional<ChannelIndex> unwritable = namesAsPlates(names, plates);
        unwritable && result.error == RewriteError::none) {
        result = {RewriteError::nameNotInCodePage, *unwritable};
    }
    std::optional<PreparedRewrite> rewrite;
    if (result.error == RewriteError::none) {
        rewrite.emplace(prepareRewrite(masterPath, plates, RewriteMode::replace, asRead));
    }
    const UninterruptedStep step;
    if (rewrite) {
        result = rewrite->commit();
    }
    if (told) {
        told(result);
    }
    return result;
}

SaveAllResult saveAllChanges(const FolderReading& folder, const std::string& masterPath,
                             const PerChannel& names, PerChannel& recordedPaths,
                             const std::function<void(const SaveAllResult&)>& told,
                             const FileIdentity* asRead) {
    SaveAllResult result;
    const auto finish = [&] {
        if (told) {
            told(result);
        }
        return result;
    };
    const RewriteResult conflict = backupConflict(folder, masterPath);
    if (conflict.error != RewriteError::none) {
        result.failedRewrite = conflict;
        return finish();
    }
    result.refusals = separationRenameProblems(masterPath, recordedPaths, names);
    PerChannel plates;
    if (const std::optional<ChannelIndex> unwritable = namesAsPlates(names, plates)) {
        result.failedRewrite = RewriteResult{RewriteError::nameNotInCodePage, *unwritable};
    }
    if (!result.done()) {
        return finish();
    }
    std::vector<DoneRename> done;
    const bool renamed = renameFiles(masterPath, names, recordedPaths, done, result);
    std::optional<PreparedRewrite> rewrite;
    if (renamed) {
        rewrite.emplace(prepareRewrite(masterPath, plates, RewriteMode::replace, asRead));
    }
    // The fileset is whole again at the end of this step, all new or all
    // old: the guards are let go in it.
    const UninterruptedStep step;
    const RewriteResult rewritten = rewrite ? rewrite->commit() : RewriteResult();
    if (!renamed || rewritten.error != RewriteError::none) {
        result.failedRewrite = renamed ? std::make_optional(rewritten) : std::nullopt;
        undoRenames(done, result);
    } else {
        for (const DoneRename& rename : done) {
            recordedPaths[static_cast<std::size_t>(rename.channel)] = rename.to;
            result.renamed.emplace_back(rename.channel, rename.to);
        }
    }
    done.clear();
    return finish();
}

} // namespace platelier
