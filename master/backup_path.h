// Where a master's previous bytes are kept when it is rewritten: a name that
// discovery and renaming must know too, since the backup is never taken for
// a separation file nor given to one.
#pragma once

#include <string>

namespace platelier {

// The master path with everything from the last '.' of its file name
// replaced by ".BAK", or ".BAK" appended when the file name has no '.'.
std::string backupPath(const std::string& masterPath);

} // namespace platelier
