// Where each plate's link stands: whether the file the master names is
// beside it, or else which files the plate's pattern finds there. A plain
// function of the master's reading, its folder's index and what the
// folder's other masters hold on to (folder_claims.h), so that two front
// ends, or two runs, that hand it the same values decide the same.
#pragma once

#include "fileset/folder_reading.h"

#include <optional>
#include <string>
#include <vector>

namespace platelier {

// The states of a plate in a file beside the master; a plate inside the
// master (DCS 2.0) is ok or cutShort, one in another place unchecked.
enum class LinkState {
    ok,        // the system opens a file (no folder) beside the master under the plate name;
               // inside the master: its bytes lie inside the file
    renamed,   // otherwise, the plate has one candidate, a file no other master could take
    missing,   // it has none, or one that is a folder
    ambiguous, // it has several, or one that another master could take
    cutShort,  // inside the master: its bytes run past the end of the file
    unchecked  // another file type or place than an EPS file beside the master: not followed
};

struct PlateLink {
    LinkState state = LinkState::missing;
    std::string file; // ok: the entry named as the plate; renamed: the candidate; with its folder
    // The candidates: the entries the plate's pattern matches, but the
    // master, its backup and the files other masters of the folder link to.
    // One that another master could take as well leaves it ambiguous.
    int matches = 0;
    // The folder's listing showed the file as a regular file: its start
    // may be read with others' (readSeparationStarts).
    bool regularFile = false;
};

// One link per plate of the master, in the order of its plates.
using MasterLinks = std::vector<PlateLink>;

// The links of `master`, one of the masters of `folder`. An empty plate name
// is never ok; a folder counts as a candidate, as it does for the dialog's
// search, but is never taken for a plate's file. The candidates are found
// with the plate's own pattern (platePattern).
MasterLinks checkLinks(const FolderReading& folder, const FolderMaster& master);

bool allLinksOk(const MasterLinks& links);

} // namespace platelier
