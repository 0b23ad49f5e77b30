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
#include <tuple>

namespace platelier {

namespace {

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

ChannelLink checkChannel(const std::string& masterPath, const MasterAndBackup& master,
                         const std::string& plate, const char* searchLetter,
                         FolderListings& listings) {
    ChannelLink link{plate, LinkState::missing, std::string(), 0};
    const std::optional<std::string> pattern = separationPattern(masterPath, searchLetter);
    std::string found;
    if (pattern) {
        const std::string folder = folderPart(*pattern);
        const FolderIndex* index = listings.index(folder);
        auto matches = index ? index->matching(pattern->substr(folder.size()))
                             : std::vector<const FolderEntry*>();
        matches.erase(std::remove_if(matches.begin(), matches.end(),
                                     [&](const FolderEntry* entry) {
                                         return master.includes(folder, entry->name);
                                     }),
                      matches.end());
        link.matches = static_cast<int>(matches.size());
        if (matches.size() == 1) {
            found = folder + matches.front()->name;
        }
    }
    const std::string masterFolder = folderPart(masterPath);
    const FolderIndex* index = listings.index(masterFolder);
    const FolderEntry* named = (index && !plate.empty()) ? index->named(plate) : nullptr;
    if (named && !master.includes(masterFolder, named->name)) {
        link.state = LinkState::ok;
        link.file = masterFolder + named->name;
    } else if (link.matches == 1) {
        link.state = LinkState::renamed;
        link.file = found;
    } else if (link.matches > 1) {
        link.state = LinkState::ambiguous;
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
