// What the user is told of the commands that change a fileset, in the
// program's own French words: the dialog shows each message in a box, the
// console program writes it on standard error. The commands themselves
// return what happened as values (fileset_commands.h, separation_renaming.h,
// master_file_rewriter.h).
#pragma once

#include "fileset/fileset_commands.h"
#include "fileset/separation_renaming.h"
#include "master/master_file_rewriter.h"

#include <string>
#include <vector>

namespace platelier {

// A rewrite of the master at `masterPath` that did not take place: why, and
// that the master was not changed.
std::string rewriteErrorMessage(const RewriteResult& result, const std::string& masterPath);

// A rename that failed or would fail.
std::string renameFailureMessage(const RenameOutcome& outcome);

// The messages of a "Save all changes" of the master at `masterPath`: one
// for each rename refused before anything changed, or one for the step that
// failed, saying what became of the fileset; none when it was all done.
std::vector<std::string> saveAllMessages(const SaveAllResult& result,
                                         const std::string& masterPath);

} // namespace platelier
