// Where the program's help is: beside the program, under its name with the
// extension HLP for the help file, html for the user guide's page.
#pragma once

#include <optional>
#include <string>

namespace platelier {

// The program's own path with everything after its last '.' replaced by
// `extension` (C:\Tools\EDIT.EXE gives C:\Tools\EDIT.HLP; the last '.' may
// stand in a folder name). None when the path has no '.' or the result
// would not fit in a path buffer of 256 characters (pathLength).
std::optional<std::string> helpFilePath(const std::string& programPath,
                                        const std::string& extension);

} // namespace platelier
