// Renaming the separation files on disk to the names the user has given
// their channels, each in the folder where it already is. A fileset's master
// and its backup are never renamed as separation files, nor is a separation
// file given the name of either.
#pragma once

#include "master/plate.h"

#include <functional>
#include <string>
#include <vector>

namespace platelier {

// Why a rename did not take place, or would not.
enum class RenameFailure {
    none,
    nameRefused,       // the system refuses the name, or the new path passes 255 characters
    masterOrBackup,    // the file or its new name is the master's or its backup's
    refusedBySystem,   // the rename itself failed (an existing file is never replaced)
    fileGone,          // no file stands at the recorded path
    fileRecordedTwice, // an earlier channel renames the same file
    nameTaken,         // another file has the name, or an earlier channel gives it
};

struct RenameOutcome {
    enum Kind { skipped, renamed, failed };
    Kind kind = skipped;
    RenameFailure failure = RenameFailure::none;
    std::string from; // the recorded path
    std::string to;   // the new path: where the file now is, or would have been
};

// Each outcome as it happens, with its plate (a DCS 1.0 master's channel).
using RenameReport = std::function<void(std::size_t plate, const RenameOutcome& outcome)>;

// What renaming one plate's file would do, without touching the disk.
// Skipped when there is no recorded file or its name already is `name` as
// the system compares names; failed when the system refuses the name, the
// new path would pass 255 characters, or the file or the new name is that
// of the master at `masterPath` or its backup.
RenameOutcome planSeparationRename(const std::string& masterPath, const std::string& recordedPath,
                                   const std::string& name);

// Renames the file as planned; failed when the file system refuses (an
// existing file is never replaced).
RenameOutcome renameSeparationFile(const std::string& masterPath, const std::string& recordedPath,
                                   const std::string& name);

// Every rename that is sure to fail when the renames are done one after the
// other in the order of the plates: names that cannot be given, names
// taken on disk when their turn comes, one new name given to two files, one
// file recorded for two plates, and a file that is gone. Checked before
// anything is changed.
std::vector<RenameOutcome> separationRenameProblems(const std::string& masterPath,
                                                    const PlatePaths& recordedPaths,
                                                    const PlateNames& names);

// "Rename files": renames each plate's recorded file to its name, in the
// order of the plates, and reports each outcome but a skipped one before
// going on with the next plate. A renamed file's recorded path becomes its
// new path.
void renameSeparationFiles(const std::string& masterPath, PlatePaths& recordedPaths,
                           const PlateNames& names, const RenameReport& report);

} // namespace platelier
