// What a run of the program may leave in a folder when it is ended by what
// no program can catch (SIGKILL, a power cut): the temporary file of a new
// master or of a backup's copy, and, on a system whose replacement of a
// file is two renames, a master only under its backup name. A later run
// finds them, tells of them, and puts them right when asked.
#pragma once

#include "fileset/folder_reading.h"

#include <string>
#include <vector>

namespace platelier {

struct Leftover {
    enum Kind {
        temporaryFile,      // that no run is writing
        backupWithoutMaster // a master's backup, and no master of the folder has it for backup
    };
    Kind kind;
    std::string name; // without folder
};

// The leftovers of the folder that `folder` read, in the index's order.
std::vector<Leftover> findLeftovers(const FolderReading& folder);

// The name that a backup without master is given back: the name DCS writers
// give a master, STEM.eps.
std::string restoredMasterName(const std::string& backupName);

// Removes a temporary file, or gives a backup without master its master's
// name back (never replacing a file); false when the system refuses.
bool tidyLeftover(const FolderReading& folder, const Leftover& leftover);

} // namespace platelier
