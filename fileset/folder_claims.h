// What the masters of a folder hold on to: the files each links to (the
// entries of its ok plates), and the files each could take for a plate that
// is not ok (its candidates, once every master's links are known). A master
// that cannot be read or whose binary header is damaged could take any file
// its pattern finds, whatever the extension: nothing tells what it links
// to. The link check never gives a master a file another master links to,
// nor one that another master could take as well, since nothing tells whose
// it is: rules of the console program's own, where the dialog knows one
// master.
#pragma once

#include "fileset/folder_index.h"
#include "master/master_file_reader.h"

#include <cstddef>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace platelier {

// A file of a folder read as a master, once for all the checks made there.
struct FolderMaster {
    std::string name;  // without folder
    std::size_t entry; // its place in the folder's index, or FolderIndex::none
    MasterReading reading;
    // Where the folder was read for rewrites: the master as its reading left
    // it open (see readMasterForRewrite), or null.
    std::shared_ptr<FileReader> openForRewrite;
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

    // The place of a master other than the one at `master` that links to
    // the entry at `entry`, or FolderIndex::none.
    std::size_t otherClaimant(std::size_t entry, std::size_t master) const;

    // True when a master other than the one at `master` could take the
    // entry at `entry` for a plate that is not ok.
    bool soughtByAnother(std::size_t entry, std::size_t master) const;

    // The place of a master other than the one at `master` that has a plate
    // named `name`, whether a file of that name is there or not, or
    // FolderIndex::none: a name that a backup must not take.
    std::size_t otherNaming(const std::string& name, std::size_t master) const;

    // The place of a master other than the one at `master` whose backup is
    // named `name`, or FolderIndex::none.
    std::size_t otherBackedUpAs(const std::string& name, std::size_t master) const;

  private:
    // The first two masters, by their places, that hold an entry.
    struct Holders {
        std::size_t first = FolderIndex::none;
        std::size_t second = FolderIndex::none;
    };

    // For each entry, the masters that link to it, and those that could take it.
    std::vector<Holders> claimants_;
    std::vector<Holders> seekers_;
    // By fileNameKey, the masters whose plates name a file, and those whose
    // backups have a name.
    std::unordered_map<std::string, Holders> plateNames_;
    std::unordered_map<std::string, Holders> backupNames_;
};

} // namespace platelier
