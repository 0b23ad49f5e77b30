// "Rename channels" and "Save all changes" as sequences of their own, so that
// the dialog and the command line run the same steps in the same order and
// refuse the same things ("Rename files" is renameSeparationFiles).
#pragma once

#include "fileset/change_reports.h"
#include "master/master_file_rewriter.h"

#include <array>
#include <string>

namespace platelier {

// "Rename channels": writes `names` into the plate lines of the master at
// `masterPath`, behind its backup; with RewriteMode::checkOnly, only makes
// its checks. False, with the failure reported, when the master was not (or
// would not be) rewritten.
bool renameChannels(const std::string& masterPath,
                    const std::array<std::string, channelCount>& names, const FailureReport& failed,
                    RewriteMode mode = RewriteMode::replace);

// "Save all changes": all or nothing. Every rename that is sure to fail is
// reported first and stops the command before anything changes. Then the
// files are renamed and the master rewritten last; when any step fails, the
// files renamed so far get their names back and the master keeps its bytes,
// and the one failure reported says so (or, when a file could not be given
// its name back, where it now is). True when everything was changed; each
// new path is reported then.
bool saveAllChanges(const std::string& masterPath,
                    const std::array<std::string, channelCount>& names,
                    std::array<std::string, channelCount>& recordedPaths,
                    const FailureReport& failed, const RenameReport& renamed);

} // namespace platelier
