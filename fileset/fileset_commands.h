// "Save all changes" and "Rename channels" as sequences of their own, so
// that the dialog and the command line run the same steps in the same order
// and refuse the same things ("Rename files" is renameSeparationFiles). The
// names the user gives the channels are file names; the master receives
// each as the bytes of its plate line that name that file
// (plateOfFileName), and a name without such bytes is refused before
// anything changes.
#pragma once

#include "fileset/folder_reading.h"
#include "fileset/separation_renaming.h"
#include "master/master_file_rewriter.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platelier {

// A file renamed by a "Save all changes" that failed, which could not be
// given its name back.
struct NotGivenBack {
    std::string from; // the name it had
    std::string to;   // where it now is
};

// What "Save all changes" did: everything, or nothing but what it says.
struct SaveAllResult {
    // Every rename sure to fail, found before anything changed.
    std::vector<RenameOutcome> refusals;
    // Or the step that failed: a rename, the master not rewritten yet...
    std::optional<RenameOutcome> failedRename;
    // ... or the rewrite of the master, after the renames; or, beside the
    // refusals, a name the master cannot receive (nameNotInCodePage).
    std::optional<RewriteResult> failedRewrite;
    // After a failed step, the files that kept their new names.
    std::vector<NotGivenBack> notGivenBack;
    // When everything was changed, each renamed plate's new path, in the
    // order of the plates.
    std::vector<std::pair<std::size_t, std::string>> renamed;

    bool done() const { return refusals.empty() && !failedRename && !failedRewrite; }
};

// Why the backup of the master at `masterPath`, in the folder that `folder`
// read, would replace what it must not: a file that another master of the
// folder names as a plate (there or not), another master's backup, or a
// folder (cannotReplaceMaster). Nothing when it would not.
RewriteResult backupConflict(const FolderReading& folder, const std::string& masterPath);

// The same for `master`, one of `folder`'s masters: no search for it among
// them, which a walk through a folder of thousands would make for each.
RewriteResult backupConflict(const FolderReading& folder, const FolderMaster& master);

// "Rename channels": the backup's conflicts, then the rewrite with the plate
// bytes of `names`; RewriteError::nameNotInCodePage, before the master is
// read, for the first plate whose name has none. `told` and `asRead` as
// for saveAllChanges.
RewriteResult renameChannels(const FolderReading& folder, const std::string& masterPath,
                             const PlateNames& names,
                             const std::function<void(const RewriteResult&)>& told = {},
                             const MasterReading* asRead = nullptr);

// "Save all changes": all or nothing. A backup that conflicts, every rename
// that is sure to fail and a name that the master cannot receive stop the
// command before anything changes.
// Then the files are renamed and the master rewritten last; when any step
// fails, or the program is interrupted, the files renamed so far get their
// names back and the master keeps its bytes. When everything was changed,
// `recordedPaths` holds the files' new paths.
// `told`, given, is called with the result in the step that makes the
// fileset whole again, so that what is told of a change cannot be cut off
// by an interruption. `asRead`, given, is the master as it was read, any
// DCS master (see prepareRewrite): one that changed since is refused.
// Without it, the master is a DCS 1.0 one, with a name for each channel.
SaveAllResult saveAllChanges(const FolderReading& folder, const std::string& masterPath,
                             const PlateNames& names, PlatePaths& recordedPaths,
                             const std::function<void(const SaveAllResult&)>& told = {},
                             const MasterReading* asRead = nullptr);

} // namespace platelier
