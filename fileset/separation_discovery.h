// Finding a master's separation files in the index of its folder: the entry
// a plate name leads to, and the entries a plate's pattern matches. The
// master and its backup are never separation files. The dialog's discovery
// takes these matches as they are; the link check (plate_links.h) weighs
// them against what the folder's other masters hold.
#pragma once

#include "fileset/candidate_pattern.h"
#include "fileset/folder_index.h"
#include "master/master_file_reader.h"

#include <optional>
#include <string>
#include <vector>

namespace platelier {

// The master and its backup among the entries of the master's folder.
class MasterEntries {
  public:
    MasterEntries(const FolderIndex& index, const std::string& masterPath);

    bool holds(const FolderEntry& entry) const { return &entry == master_ || &entry == backup_; }

  private:
    const FolderEntry* master_;
    const FolderEntry* backup_;
};

// The entries that `pattern` matches, folders included, but the master and
// its backup.
std::vector<const FolderEntry*> discoveryMatches(const FolderIndex& index,
                                                 const CandidatePattern& pattern,
                                                 const MasterEntries& own);

// The file the plate name `plate` (the bytes of the plate line) leads to:
// the entry the system opens under that name (fileNameOfPlate), when it is
// a file and neither the master nor its backup.
const FolderEntry* linkedEntry(const FolderIndex& index, const std::string& plate,
                               const MasterEntries& own);

// The pattern the console program searches the separation file of plate
// `plate` of a master with: the master's pattern with the extension of the
// plate's file name (SPOT.EPS with a plate SPOT.5: SPO*.5; IMAGE.EPS with a
// DCS 1.0 plate IMAGE.Y: IMAG*.Y), or, for a DCS 1.0 plate name without
// one, the channel's letter. A rule of the console program's own: the
// dialog, which asks the user when it finds nothing, searches with the
// channel's letter. None for a DCS 2.0 plate file name without extension,
// and so for a plate not in a file, which has no file name.
std::optional<CandidatePattern> platePattern(const std::string& masterPath,
                                             const MasterReading& reading, std::size_t plate);

} // namespace platelier
