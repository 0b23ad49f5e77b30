// A folder as the console program reads it: listed once, each of its
// masters read once, and what those masters hold on to. The walk through a
// tree and a master named on the command line both check a master against
// the reading of its folder; nothing reads a master twice to check it.
#pragma once

#include "fileset/folder_claims.h"
#include "fileset/folder_index.h"

#include <string>
#include <vector>

namespace platelier {

struct FolderReading {
    std::string folder;  // as paths spell it: empty, or ending with a separator
    bool listed = false; // false: the folder could not be listed, its index is empty
    FolderIndex index;
    // The files whose names end in ".eps" (any letter case) in the index's
    // order, refused ones too, then the named ones that are not among them.
    std::vector<FolderMaster> masters;
    FolderClaims claims;
};

// True when the entry is one of the masters the program looks for in a
// folder: no folder, and its name ends in ".eps" in any letter case.
bool namedAsMaster(const FolderEntry& entry);

// True for what a Mac leaves beside files on a volume that has no room for
// their metadata: AppleDouble files (._NAME) and .AppleDouble folders. The
// console program never takes them for masters nor separation files.
bool isMacMetadata(const FolderEntry& entry);

// Lists `folder`, its Mac metadata left out, and reads its masters (only
// their header comments, see MasterReach), and the files of `named` (names
// of files of the folder) whole whatever their names: a master named on the
// command line, which is read even where the folder cannot be listed. For
// `lookingAt`, the masters are read as a check reads them, for nothing to
// rewrite: from their starts, read in batches, where those tell all
// (readMasterStart), else by readMasterFile. For `rewriting`, they are read
// as their rewrites open them, and stay open for those
// (FolderMaster::openForRewrite), as many as the program keeps open for
// later (filesThatMayStayOpen) in the whole run.
FolderReading readFolder(const std::string& folder, const std::vector<std::string>& named = {},
                         ReadingFor purpose = ReadingFor::reading);

// The master of `folder` read as `name`, or null.
const FolderMaster* masterNamed(const FolderReading& folder, const std::string& name);

} // namespace platelier
