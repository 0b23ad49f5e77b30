// Renaming the separation files on disk to the names the user has given
// their channels, each in the folder where it already is. A fileset's master
// and its backup are never renamed as separation files, nor is a separation
// file given the name of either.
#pragma once

#include "fileset/change_reports.h"
#include "master/channel.h"

#include <array>
#include <string>
#include <vector>

namespace platelier {

struct RenameOutcome {
    enum Kind { skipped, renamed, failed };
    Kind kind = skipped;
    std::string newPath; // renamed: where the file now is
    std::string message; // failed: what to tell the user
};

// What renaming one channel's file would do, without touching the disk.
// Skipped when there is no recorded file or its name already is `name` as
// the system compares names; failed, with the message to show, when the
// system refuses the name, the new path would pass 255 characters, or the
// file or the new name is that of the master at `masterPath` or its backup.
RenameOutcome planSeparationRename(const std::string& masterPath, const std::string& recordedPath,
                                   const std::string& name);

// Renames the file as planned; failed when the file system refuses (an
// existing file is never replaced).
RenameOutcome renameSeparationFile(const std::string& masterPath, const std::string& recordedPath,
                                   const std::string& name);

// The failure messages of every rename that is sure to fail when the renames
// are done one after the other in channel order: names that cannot be
// given, names taken on disk when their turn comes, one new name given to
// two files, and one file recorded for two channels. Checked before
// anything is changed.
std::vector<std::string>
separationRenameProblems(const std::string& masterPath,
                         const std::array<std::string, channelCount>& recordedPaths,
                         const std::array<std::string, channelCount>& names);

// "Rename files": renames each channel's recorded file to its name, in
// channel order, and reports each new path or failure before going on with
// the next channel. A renamed file's recorded path becomes its new path.
void renameSeparationFiles(const std::string& masterPath,
                           std::array<std::string, channelCount>& recordedPaths,
                           const std::array<std::string, channelCount>& names,
                           const FailureReport& failed, const RenameReport& renamed);

} // namespace platelier
