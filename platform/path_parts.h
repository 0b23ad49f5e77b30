// The folder and file name parts of a path, split at its last separator
// (any of folderSeparators()).
#pragma once

#include <string>

namespace platelier {

// Everything up to and including the last separator; empty without one.
std::string folderPart(const std::string& path);

// Everything after the last separator; the whole path without one.
std::string fileNamePart(const std::string& path);

} // namespace platelier
