// The entries of a folder as the system lists them: what the link check
// indexes and the dialog's discovery searches, and what the console program
// walks trees with. Each listing counts as one operation of the file layer
// (see file_faults.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platelier {

// One entry of a folder. A link to a folder is not a folder here, so that a
// walk through a tree never follows one back into the tree.
struct FolderEntry {
    std::string name; // without folder
    bool isFolder = false;
    std::string shortName; // on Win32 its short (8.3) name, when it has one of its own
    // A regular file: no folder, link, FIFO or device, nor an entry the
    // system could not tell.
    bool isRegularFile = false;
};

// The entries of `folder` (empty for the current folder, otherwise ending
// with a separator), without "." and "..", in no particular order; none when
// the folder cannot be read.
std::optional<std::vector<FolderEntry>> listFolder(const std::string& folder);

// True when `path` names a folder, or a link to one.
bool isFolder(const std::string& path);

} // namespace platelier
