// The folder index. A name the system's search finds for STEM*.EXT has a key
// that begins with the stem's and ends with the extension's: with the names
// grouped by extension and ordered by key, the candidates of a pattern are
// one run of one group.
#include "fileset/folder_index.h"

#include "platform/ascii_case.h"
#include "platform/file_names.h"

#include <algorithm>

namespace platelier {

namespace {

std::string foldedName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), foldAsciiCase);
    return name;
}

// The text after the key's last '.', the whole key when it has none.
std::string extensionOf(const std::string& key) {
    return key.substr(key.rfind('.') + 1);
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
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
    std::vector<std::pair<std::string, std::size_t>> order;
    order.reserve(entries.size());
    for (std::size_t at = 0; at < entries.size(); ++at) {
        order.emplace_back(foldedName(entries[at].name), at);
    }
    // One comparison of the folded names decides nearly every pair.
    std::sort(order.begin(), order.end(), [&](const auto& a, const auto& b) {
        const int folded = a.first.compare(b.first);
        return folded != 0 ? folded < 0 : entries[a.second].name < entries[b.second].name;
    });
    entries_.reserve(entries.size());
    for (const auto& sorted : order) {
        const FolderEntry& entry = entries_.emplace_back(std::move(entries[sorted.second]));
        for (const std::string* name : {&entry.name, &entry.shortName}) {
            if (!name->empty()) {
                std::string key = searchKey(*name);
                std::vector<SearchName>& group = byExtension_[extensionOf(key)];
                group.push_back({std::move(key), entries_.size() - 1});
            }
        }
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

std::vector<const FolderEntry*> FolderIndex::matching(const CandidatePattern& pattern) const {
    const std::string prefix = searchKey(pattern.stem);
    const std::string suffix = searchKey("." + pattern.extension);
    const auto group = byExtension_.find(extensionOf(suffix));
    std::vector<std::size_t> found;
    if (group != byExtension_.end()) {
        const std::vector<SearchName>& names = group->second;
        for (auto at = std::lower_bound(names.begin(), names.end(), prefix, KeyOrder());
             at != names.end() && startsWith(at->key, prefix); ++at) {
            if (at->key.size() >= prefix.size() + suffix.size() && endsWith(at->key, suffix)) {
                found.push_back(at->entry);
            }
        }
    }
    return entriesAt(std::move(found));
}

std::vector<const FolderEntry*> FolderIndex::beginningWith(const std::string& stem) const {
    const std::string prefix = searchKey(stem);
    std::vector<std::size_t> found;
    for (const auto& group : byExtension_) {
        const std::vector<SearchName>& names = group.second;
        for (auto at = std::lower_bound(names.begin(), names.end(), prefix, KeyOrder());
             at != names.end() && startsWith(at->key, prefix); ++at) {
            found.push_back(at->entry);
        }
    }
    return entriesAt(std::move(found));
}

// An entry may be found by its name and by its short name.
std::vector<const FolderEntry*> FolderIndex::entriesAt(std::vector<std::size_t> places) const {
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    std::vector<const FolderEntry*> entries;
    entries.reserve(places.size());
    for (const std::size_t at : places) {
        entries.push_back(&entries_[at]);
    }
    return entries;
}

} // namespace platelier
