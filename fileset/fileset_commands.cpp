// The sequences of "Save all changes" and "Rename channels". "Save all
// changes" renames the separation files before it rewrites the master:
// undoing a rename is one more rename, and the rewrite changes nothing when
// it fails.
#include "fileset/fileset_commands.h"

#include "master/backup_path.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/interruption.h"
#include "platform/path_parts.h"

namespace platelier {

namespace {

// A rename made, which an interruption undoes until the command is done.
struct DoneRename {
    std::size_t plate;
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
bool renameFiles(const std::string& masterPath, const PlateNames& names,
                 const PlatePaths& recordedPaths, std::vector<DoneRename>& done,
                 SaveAllResult& result) {
    for (std::size_t plate = 0; plate < recordedPaths.size(); ++plate) {
        const UninterruptedStep step;
        const RenameOutcome outcome =
            renameSeparationFile(masterPath, recordedPaths[plate], names[plate]);
        if (outcome.kind == RenameOutcome::failed) {
            result.failedRename = outcome;
            return false;
        }
        if (outcome.kind == RenameOutcome::renamed) {
            done.push_back(
                {plate, outcome.from, outcome.to, RenameGuard(outcome.from, outcome.to)});
        }
    }
    return true;
}

// The plate bytes of each name into `plates`; none, and `plates` left
// incomplete, at the first plate whose name has none.
std::optional<std::size_t> namesAsPlates(const PlateNames& names, PlateNames& plates) {
    plates.clear();
    for (const std::string& name : names) {
        const std::optional<std::string> plate = plateOfFileName(name);
        if (!plate) {
            return plates.size();
        }
        plates.push_back(*plate);
    }
    return std::nullopt;
}

// A folder at the backup's name, or a link to one, which a POSIX system
// would replace: the exchange of names that puts the new master in place
// never takes it, but the folder's listing tells before the new master is
// written. Only an entry the listing shows as neither a folder nor a
// regular file (a link, or one it could not tell) is looked at; a folder
// that came there since the listing is left to the exchange.
bool standsInTheWay(const FolderReading& folder, const std::string& backup) {
    const FolderEntry* entry = folder.index.named(backup);
    return entry &&
           (entry->isFolder || (!entry->isRegularFile && isFolder(folder.folder + entry->name)));
}

// The rewrite of the master with `plates`: as `asRead` read it, or as a
// DCS 1.0 master.
PreparedRewrite prepare(const std::string& masterPath, const PlateNames& plates,
                        const MasterReading* asRead) {
    if (asRead) {
        return prepareRewrite(masterPath, *asRead, plates);
    }
    PerChannel channels;
    std::copy_n(plates.begin(), std::min(plates.size(), channels.size()), channels.begin());
    return prepareRewrite(masterPath, channels);
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
    return {standsInTheWay(folder, backup) ? RewriteError::cannotReplaceMaster
                                           : RewriteError::none};
}

RewriteResult renameChannels(const FolderReading& folder, const std::string& masterPath,
                             const PlateNames& names,
                             const std::function<void(const RewriteResult&)>& told,
                             const MasterReading* asRead) {
    RewriteResult result = backupConflict(folder, masterPath);
    PlateNames plates;
    if (const std::optional<std::size_t> unwritable = namesAsPlates(names, plates);
        unwritable && result.error == RewriteError::none) {
        result = {RewriteError::nameNotInCodePage, *unwritable};
    }
    std::optional<PreparedRewrite> rewrite;
    if (result.error == RewriteError::none) {
        rewrite.emplace(prepare(masterPath, plates, asRead));
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
                             const PlateNames& names, PlatePaths& recordedPaths,
                             const std::function<void(const SaveAllResult&)>& told,
                             const MasterReading* asRead) {
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
    PlateNames plates;
    if (const std::optional<std::size_t> unwritable = namesAsPlates(names, plates)) {
        result.failedRewrite = RewriteResult{RewriteError::nameNotInCodePage, *unwritable};
    }
    if (!result.done()) {
        return finish();
    }
    std::vector<DoneRename> done;
    const bool renamed = renameFiles(masterPath, names, recordedPaths, done, result);
    std::optional<PreparedRewrite> rewrite;
    if (renamed) {
        rewrite.emplace(prepare(masterPath, plates, asRead));
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
            recordedPaths[rename.plate] = rename.to;
            result.renamed.emplace_back(rename.plate, rename.to);
        }
    }
    done.clear();
    return finish();
}

} // namespace platelier
