// Where a master's links stand, found without asking anyone: for each
// channel, whether the file the master names is beside it, or else which
// files the channel's discovery pattern finds there. The check does not
// ask the system's search: it lists a folder once for all the masters in it
// and matches the pattern against an index of the entries by the rules of
// the system's search (searchKey), so that a folder of thousands of
// filesets costs no more per master than a folder of one. A file that
// another master of its folder links to is never taken for this master's:
// that rule is the console program's own (the dialog knows one master), as
// is the next: a file that the lost channels of two masters of a folder
// could both take is taken by neither, since nothing tells whose it is.
#pragma once

#include "master/channel.h"
#include "master/master_file_reader.h"
#include "platform/files.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platelier {

// True when the entry is one of the masters the program looks for in a
// folder: no folder, and its name ends in ".eps" in any letter case.
bool namedAsMaster(const FolderEntry& entry);

// A master of a folder, read once for all the checks made in the folder.
struct FolderMaster {
    std::string name; // without folder
    MasterReading reading;
};

// The entries of one folder in the order of their names with the letters a-z
// folded, found by name and by wildcard as the system finds them.
class FolderIndex {
  public:
    explicit FolderIndex(std::vector<FolderEntry> entries);

    const std::vector<FolderEntry>& entries() const { return entries_; }

    // The entry the system opens under `name` (sameFileName; on Win32 its
    // short name too); null when there is none.
    const FolderEntry* named(const std::string& name) const;

    // The entries the system's search finds for `wildcard` (searchKey; on
    // Win32 by their short names too), each once.
    std::vector<const FolderEntry*> matching(const std::string& wildcard) const;

    // Reads the masters among the entries of the folder, which `folder`
    // names, and notes the files each links to (the entries of its ok
    // channels), then the files each could take for a channel that is not
    // ok (the other files its pattern matches).
    void readMasters(const std::string& folder);
    bool mastersRead() const { return mastersRead_; }
    const std::vector<FolderMaster>& masters() const { return masters_; }

    // True when a master of the folder other than `master` (an entry of
    // this index, or null) links to `entry`; false before readMasters.
    bool claimedByAnother(const FolderEntry& entry, const FolderEntry* master) const;

    // True when a master of the folder other than `master` could take
    // `entry` for a channel that is not ok; false before readMasters.
    bool soughtByAnother(const FolderEntry& entry, const FolderEntry* master) const;

  private:
    struct SearchName {
        std::string key;   // searchKey of the entry's name or short name
        std::size_t entry; // in entries_
    };

    void seekLostFiles(const std::string& folder, std::size_t master, ChannelIndex channel);
    // The entry's place in entries_, or nobody for null.
    std::size_t placeOf(const FolderEntry* entry) const;

    std::vector<FolderEntry> entries_;
    // The search names by extension (the key's text after its last '.'),
    // each group in the order of the keys.
    std::unordered_map<std::string, std::vector<SearchName>> byExtension_;
    bool mastersRead_ = false;
    std::vector<FolderMaster> masters_;
    // For each entry, the master in entries_ that links to it, and the one
    // that could take it for a channel that is not ok; nobody, or several.
    // Empty before readMasters.
    std::vector<std::size_t> claimants_;
    std::vector<std::size_t> seekers_;
};

// Lists the folders the link check needs, keeping the index of the last one:
// the masters of a folder are checked one after the other, so each folder is
// listed once, and a tree of any size holds one listing at a time.
class FolderListings {
  public:
    using Lister = std::function<std::optional<std::vector<FolderEntry>>(const std::string&)>;

    explicit FolderListings(Lister list = listFolder);

    // The index of `folder` (empty or ending with a separator); null when the
    // folder cannot be listed.
    const FolderIndex* index(const std::string& folder);

    // The same index, its masters read once per listing.
    const FolderIndex* indexWithMasters(const std::string& folder);

  private:
    Lister list_;
    std::optional<std::string> folder_;
    std::optional<FolderIndex> index_;
};

enum class LinkState {
    ok,       // the system opens a file (no folder) beside the master under the plate name
    renamed,  // otherwise, the channel has one candidate, a file no other master could take
    missing,  // it has none, or one that is a folder
    ambiguous // it has several, or one that another master could take
};

struct ChannelLink {
    std::string plate; // the name the master gives
    LinkState state = LinkState::missing;
    std::string file; // ok: the entry named as the plate; renamed: the candidate; with its folder
    // The candidates: the entries the channel's pattern matches, but the
    // master, its backup and the files other masters of their folder link to.
    // One that another master could take as well leaves it ambiguous.
    int matches = 0;
};

using MasterLinks = std::array<ChannelLink, channelCount>;

// The links of the master at `masterPath`, whose plate lines give `plates`.
// An empty plate name is never ok; a folder counts as a candidate, as it
// does for the dialog's search, but is never taken for a channel's file.
MasterLinks checkLinks(const std::string& masterPath,
                       const std::array<std::string, channelCount>& plates,
                       FolderListings& listings);

bool allLinksOk(const MasterLinks& links);

// The names that relinking writes into the master: each renamed channel takes
// its candidate's name, every other keeps its plate name. None while a channel is
// missing or ambiguous.
std::optional<std::array<std::string, channelCount>> relinkedNames(const MasterLinks& links);

// The files the links lead to, by channel (empty for a channel without one):
// what the dialog would record after discovery.
std::array<std::string, channelCount> linkedFiles(const MasterLinks& links);

} // namespace platelier
