// What the masters of a folder hold on to: the files each links to (the
// entries of its ok plates), and the files each could take for a plate that
// is not ok (its candidates, once every master's links are known). The link
// check never gives a master a file another master links to, nor one that
// another master could take as well, since nothing tells whose it is: rules
// of the console program's own, where the dialog knows one master.
#pragma once

#include "fileset/folder_index.h"
#include "master/master_file_reader.h"

#include <cstddef>
#include <string>
#include <vector>

namespace platelier {

// A file of a folder read as a master, once for all the checks made there.
struct FolderMaster {
    std::string name;  // without folder
    std::size_t entry; // its place in the folder's index, or FolderIndex::none
    MasterReading reading;
};

class FolderClaims {
  public:
    // Nothing held: a folder without masters.
    FolderClaims() = default;

    // The claims of `masters`, the masters of `folder` (as paths spell it)
    // whose entries `index` holds.
    FolderClaims(const std::string& folder, const FolderIndex& index,
                 const std::vector<FolderMaster>& masters);

    // True when a master other than the one at `master` (its place among
    // the masters) links to the entry at `entry` (its place in the index).
    bool claimedByAnother(std::size_t entry, std::size_t master) const;

    // True when a master other than the one at `master` could take the
    // entry at `entry` for a plate that is not ok.
    bool soughtByAnother(std::size_t entry, std::size_t master) const;

  private:
    // For each entry, the master that links to it and the one that could
    // take it: nobody, one master's place, or several.
    std::vector<std::size_t> claimants_;
    std::vector<std::size_t> seekers_;
};

} // namespace platelier
