// What the user is told when a rewrite of a master did not take place.
#pragma once

#include "master/master_file_rewriter.h"

#include <string>

namespace platelier {

// The message for a failed rewrite of the master at `masterPath`: why, and
// that the master was not changed.
std::string rewriteErrorMessage(const RewriteResult& result, const std::string& masterPath);

} // namespace platelier
