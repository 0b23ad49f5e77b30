// The entries of one folder, found by name and by candidate pattern as the
// system's own search finds them, without asking the system: a folder is
// listed once for all the masters in it, and a search costs no more in a
// folder of thousands of filesets than in a folder of one. The dialog's
// discovery and the console program's link check search the same index.
#pragma once

#include "fileset/candidate_pattern.h"
#include "platform/folder_listing.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace platelier {

class FolderIndex {
  public:
    // The place of no entry.
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    // The index of a folder without entries, or one that cannot be listed.
    FolderIndex() = default;

    // Orders the entries by their names with the letters a-z folded, the
    // order in which the console program goes through a folder.
    explicit FolderIndex(std::vector<FolderEntry> entries);

    const std::vector<FolderEntry>& entries() const { return entries_; }

    // The entry the system opens under `name` (sameFileName; on Win32 its
    // short name too); null when there is none.
    const FolderEntry* named(const std::string& name) const;

    // The entries whose names, or short names on Win32, the pattern matches
    // as the system's search matches STEM*.EXT (see searchKey), each once, in
    // the index's order.
    std::vector<const FolderEntry*> matching(const CandidatePattern& pattern) const;

    // The entries whose names, or short names on Win32, begin with `stem`
    // (searchKey), each once, in the index's order: whatever their
    // extensions, what a pattern of that stem could find.
    std::vector<const FolderEntry*> beginningWith(const std::string& stem) const;

    // The place of an entry of this index in entries(), or none for null.
    std::size_t placeOf(const FolderEntry* entry) const {
        return entry ? static_cast<std::size_t>(entry - entries_.data()) : none;
    }

  private:
    // The entries found at `places`, each once, in the index's order.
    std::vector<const FolderEntry*> entriesAt(std::vector<std::size_t> places) const;

    struct SearchName {
        std::string key;   // searchKey of the entry's name or short name
        std::size_t entry; // its place in entries_
    };

    std::vector<FolderEntry> entries_;
    // The search names by the text after their last '.', each group in the
    // order of the keys: a pattern's extension leads to its group, its stem
    // to a run of it, so that a search looks at a handful of names.
    std::unordered_map<std::string, std::vector<SearchName>> byExtension_;
};

} // namespace platelier
