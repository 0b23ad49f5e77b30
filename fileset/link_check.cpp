// The link check. A wildcard can only match names whose keys begin with
// its key's text before the first '*' or '?' and end with its text after
// the last; when that end holds a '.', their extension is known too. So a
// search looks only at the names with that extension that begin so: a
// handful of entries, however many filesets share the folder.
#include "fileset/link_check.h"

#include "fileset/channel_table.h"
#include "fileset/separation_discovery.h"
#include "platform/ascii_case.h"
#include "platform/file_names.h"
#include "platform/path_parts.h"

#include <algorithm>
#include <limits>
#include <tuple>

namespace platelier {

namespace {

// Who holds an entry, as a claimant or a seeker: a master's place in the
// index, or one of these.
constexpr std::size_t nobody = std::numeric_limits<std::size_t>::max();
constexpr std::size_t several = nobody - 1;

void hold(std::vector<std::size_t>& holders, std::size_t entry, std::size_t master) {
    std::size_t& holder = holders[entry];
    holder = holder == nobody || holder == master ? master : several;
}

bool heldByAnother(const std::vector<std::size_t>& holders, std::size_t entry, std::size_t master) {
    return !holders.empty() && holders[entry] != nobody && holders[entry] != master;
}

std::string foldedName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), foldAsciiCase);
    return name;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// The text after the name's last '.', the whole name when it has none.
std::string extensionOf(const std::string& name) {
    return name.substr(name.rfind('.') + 1);
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The file that the plate `plate` of `master` leads to, in the index of the
// master's folder `folder`: the entry the system opens under that name,
// when it is no folder, nor the master or its backup.
const FolderEntry* linkedEntry(const FolderIndex& index, const std::string& plate,
                               const std::string& folder, const MasterAndBackup& master) {
    const FolderEntry* entry = plate.empty() ? nullptr : index.named(plate);
    return entry && !entry->isFolder && !master.includes(folder, entry->name) ? entry : nullptr;
}

// True when `entry` of `index`, the folder `folder`, may be the file of a
// channel of `master` (its entry in the index, or null): it is neither the
// master nor its backup, nor a file another master of the folder links to.
bool mayBeTakenBy(const FolderIndex& index, const FolderEntry& entry, const std::string& folder,
                  const MasterAndBackup& masterAndBackup, const FolderEntry* master) {
    return !masterAndBackup.includes(folder, entry.name) && !index.claimedByAnother(entry, master);
}

struct Candidates {
    std::vector<FolderEntry> entries;
    bool soughtByAnother = false; // one of them could be another master's
};

// The entries that may be the channel's file: those the pattern matches, but
// the master, its backup and the files that other masters of their folder
// link to. That folder's masters are read only when the pattern matches.
Candidates candidates(const std::string& masterPath, const MasterAndBackup& masterAndBackup,
                      const std::string& pattern, FolderListings& listings) {
    const std::string folder = folderPart(pattern);
    const FolderIndex* index = listings.index(folder);
    Candidates found;
    const std::vector<const FolderEntry*> matches =
        index ? index->matching(pattern.substr(folder.size())) : std::vector<const FolderEntry*>();
    if (matches.empty()) {
        return found;
    }
    index = listings.indexWithMasters(folder); // the same index: `matches` stay valid
    const FolderEntry* master =
        folder == folderPart(masterPath) ? index->named(fileNamePart(masterPath)) : nullptr;
    for (const FolderEntry* entry : matches) {
        if (mayBeTakenBy(*index, *entry, folder, masterAndBackup, master)) {
            found.entries.push_back(*entry);
            found.soughtByAnother |= index->soughtByAnother(*entry, master);
        }
    }
    return found;
}

ChannelLink checkChannel(const std::string& masterPath, const MasterAndBackup& master,
                         const std::string& plate, const char* searchLetter,
                         FolderListings& listings) {
    ChannelLink link{plate, LinkState::missing, std::string(), 0};
    const std::optional<std::string> pattern = separationPattern(masterPath, searchLetter);
    const Candidates candidate =
        pattern ? candidates(masterPath, master, *pattern, listings) : Candidates();
    const std::vector<FolderEntry>& found = candidate.entries;
    link.matches = static_cast<int>(found.size());
    const std::string masterFolder = folderPart(masterPath);
    const FolderIndex* index = listings.index(masterFolder);
    if (const FolderEntry* linked =
            index ? linkedEntry(*index, plate, masterFolder, master) : nullptr) {
        link.state = LinkState::ok;
        link.file = masterFolder + linked->name;
    } else if (found.size() > 1 || candidate.soughtByAnother) {
        link.state = LinkState::ambiguous;
    } else if (found.size() == 1 && !found.front().isFolder) {
        link.state = LinkState::renamed;
        link.file = folderPart(*pattern) + found.front().name;
    }
    return link;
}

// Orders search names by their keys, and finds a key among them.
struct KeyOrder {
    template <class A, class B> bool operator()(const A& a, const B& b) const {
        return keyOf(a) < keyOf(b);
    }
    static const std::string& keyOf(const std::string& key) { return key; }
    template <class Name> static const std::string& keyOf(const Name& name) { return name.key; }
};

} // namespace

bool namedAsMaster(const FolderEntry& entry) {
    const std::string& name = entry.name;
    return !entry.isFolder && name.size() >= 4 &&
           equalIgnoringAsciiCase(name.substr(name.size() - 4), ".eps");
}

FolderIndex::FolderIndex(std::vector<FolderEntry> entries) {
    std::vector<std::pair<std::string, FolderEntry>> sorted;
    sorted.reserve(entries.size());
    for (FolderEntry& entry : entries) {
        sorted.emplace_back(foldedName(entry.name), std::move(entry));
    }
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return std::tie(a.first, a.second.name) < std::tie(b.first, b.second.name);
    });
    for (auto& [folded, entry] : sorted) {
        for (const std::string* name : {&entry.name, &entry.shortName}) {
            if (!name->empty()) {
                std::string key = searchKey(*name);
                byExtension_[extensionOf(key)].push_back({std::move(key), entries_.size()});
            }
        }
        entries_.push_back(std::move(entry));
    }
    for (auto& group : byExtension_) {
        std::sort(group.second.begin(), group.second.end(), KeyOrder());
    }
}

const FolderEntry* FolderIndex::named(const std::string& name) const {
    const std::string key = searchKey(name);
    const auto group = byExtension_.find(extensionOf(key));
    if (group == byExtension_.end()) {
        return nullptr;
    }
    const auto [from, to] =
        std::equal_range(group->second.begin(), group->second.end(), key, KeyOrder());
    for (auto at = from; at != to; ++at) {
        const FolderEntry& entry = entries_[at->entry];
        if (sameFileName(entry.name, name) ||
            (!entry.shortName.empty() && sameFileName(entry.shortName, name))) {
            return &entry;
        }
    }
    return nullptr;
}

std::vector<const FolderEntry*> FolderIndex::matching(const std::string& wildcard) const {
    const std::string key = searchKey(wildcard);
    const std::string prefix = key.substr(0, key.find_first_of("*?"));
    const std::string suffix = key.substr(key.find_last_of("*?") + 1);
    std::vector<std::size_t> found;
    const auto search = [&](const std::vector<SearchName>& names) {
        auto at = std::lower_bound(names.begin(), names.end(), prefix, KeyOrder());
        for (; at != names.end() && startsWith(at->key, prefix); ++at) {
            if (endsWith(at->key, suffix) && searchKeyMatches(key, at->key)) {
                found.push_back(at->entry);
            }
        }
    };
    if (suffix.find('.') == std::string::npos) {
        for (const auto& group : byExtension_) {
            search(group.second);
        }
    } else if (const auto group = byExtension_.find(extensionOf(suffix));
               group != byExtension_.end()) {
        search(group->second);
    }
    // An entry may match by its name and by its short name.
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    std::vector<const FolderEntry*> matches;
    for (const std::size_t at : found) {
        matches.push_back(&entries_[at]);
    }
    return matches;
}

void FolderIndex::readMasters(const std::string& folder) {
    mastersRead_ = true;
    claimants_.assign(entries_.size(), nobody);
    seekers_.assign(entries_.size(), nobody);
    std::vector<std::pair<std::size_t, ChannelIndex>> lostChannels; // of a master, by entry
    for (std::size_t at = 0; at < entries_.size(); ++at) {
        if (!namedAsMaster(entries_[at])) {
            continue;
        }
        const std::string path = folder + entries_[at].name;
        const MasterAndBackup master(path);
        masters_.push_back({entries_[at].name, readMasterFile(path)});
        const MasterReading& reading = masters_.back().reading;
        for (std::size_t channel = 0; channel < channelCount && reading.isMaster(); ++channel) {
            if (const FolderEntry* linked =
                    linkedEntry(*this, reading.plates[channel], folder, master)) {
                hold(claimants_, placeOf(linked), at);
            } else {
                lostChannels.emplace_back(at, static_cast<ChannelIndex>(channel));
            }
        }
    }
    for (const auto& [master, channel] : lostChannels) {
        seekLostFiles(folder, master, channel);
    }
}

// Notes the files that the master at `master` could take for its channel
// that is not ok: its candidates, once every master's links are known.
void FolderIndex::seekLostFiles(const std::string& folder, std::size_t master,
                                ChannelIndex channel) {
    const std::string path = folder + entries_[master].name;
    const std::optional<std::string> pattern =
        separationPattern(path, ChannelTable[channel].searchLetter);
    if (!pattern || folderPart(*pattern) != folder) {
        return;
    }
    const MasterAndBackup masterAndBackup(path);
    for (const FolderEntry* entry : matching(pattern->substr(folder.size()))) {
        if (!entry->isFolder &&
            mayBeTakenBy(*this, *entry, folder, masterAndBackup, &entries_[master])) {
            hold(seekers_, placeOf(entry), master);
        }
    }
}

std::size_t FolderIndex::placeOf(const FolderEntry* entry) const {
    return entry ? static_cast<std::size_t>(entry - entries_.data()) : nobody;
}

bool FolderIndex::claimedByAnother(const FolderEntry& entry, const FolderEntry* master) const {
    return heldByAnother(claimants_, placeOf(&entry), placeOf(master));
}

bool FolderIndex::soughtByAnother(const FolderEntry& entry, const FolderEntry* master) const {
    return heldByAnother(seekers_, placeOf(&entry), placeOf(master));
}

FolderListings::FolderListings(Lister list) : list_(std::move(list)) {}

const FolderIndex* FolderListings::index(const std::string& folder) {
    if (folder_ != folder) {
        folder_ = folder;
        index_.reset();
        if (std::optional<std::vector<FolderEntry>> entries = list_(folder)) {
            index_.emplace(std::move(*entries));
        }
    }
    return index_ ? &*index_ : nullptr;
}

const FolderIndex* FolderListings::indexWithMasters(const std::string& folder) {
    if (index(folder) && !index_->mastersRead()) {
        index_->readMasters(folder);
    }
    return index_ ? &*index_ : nullptr;
}

MasterLinks checkLinks(const std::string& masterPath,
                       const std::array<std::string, channelCount>& plates,
                       FolderListings& listings) {
    MasterLinks links;
    const MasterAndBackup master(masterPath);
    for (std::size_t channel = 0; channel < links.size(); ++channel) {
        links[channel] = checkChannel(masterPath, master, plates[channel],
                                      ChannelTable[channel].searchLetter, listings);
    }
    return links;
}

bool allLinksOk(const MasterLinks& links) {
    return std::all_of(links.begin(), links.end(),
                       [](const ChannelLink& link) { return link.state == LinkState::ok; });
}

std::optional<std::array<std::string, channelCount>> relinkedNames(const MasterLinks& links) {
    std::array<std::string, channelCount> names;
    for (std::size_t channel = 0; channel < links.size(); ++channel) {
        const ChannelLink& link = links[channel];
        if (link.state == LinkState::missing || link.state == LinkState::ambiguous) {
            return std::nullopt;
        }
        names[channel] = link.state == LinkState::renamed ? fileNamePart(link.file) : link.plate;
    }
    return names;
}

std::array<std::string, channelCount> linkedFiles(const MasterLinks& links) {
    std::array<std::string, channelCount> files;
    for (std::size_t channel = 0; channel < links.size(); ++channel) {
        files[channel] = links[channel].file;
    }
    return files;
}

} // namespace platelier
