// The command line of platelier-cli: its commands and their options, the
// help, and the usage message of a wrong call.
#pragma once

#include "cli/console.h"

#include <ostream>
#include <string>
#include <vector>

namespace platelier {

// Runs the command that `arguments` (without the program's name) call for,
// writing its results on `out` and its messages on `err`, of which
// `terminals` says which are terminals; returns the exit status.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   Terminals terminals);

} // namespace platelier
