// Reading a folder. Only names ending in ".eps" are opened: separation
// files, often hundreds of megabytes each, never are.
#include "fileset/folder_reading.h"

#include "platform/ascii_case.h"
#include "platform/file_names.h"

#include <algorithm>

namespace platelier {

bool namedAsMaster(const FolderEntry& entry) {
    const std::string& name = entry.name;
    return !entry.isFolder && name.size() >= 4 &&
           equalIgnoringAsciiCase(name.substr(name.size() - 4), ".eps");
}

bool isMacMetadata(const FolderEntry& entry) {
    return entry.name.compare(0, 2, "._") == 0 || (entry.isFolder && entry.name == ".AppleDouble");
}

FolderReading readFolder(const std::string& folder, const std::vector<std::string>& named) {
    FolderReading reading;
    reading.folder = folder;
    if (std::optional<std::vector<FolderEntry>> entries = listFolder(folder)) {
        reading.listed = true;
        entries->erase(std::remove_if(entries->begin(), entries->end(), isMacMetadata),
                       entries->end());
        reading.index = FolderIndex(std::move(*entries));
    }
    std::vector<const FolderEntry*> namedEntries;
    for (const std::string& name : named) {
        namedEntries.push_back(reading.index.named(name));
    }
    const std::vector<FolderEntry>& entries = reading.index.entries();
    for (std::size_t at = 0; at < entries.size(); ++at) {
        const bool isNamed =
            std::find(namedEntries.begin(), namedEntries.end(), &entries[at]) != namedEntries.end();
        if (namedAsMaster(entries[at])) {
            reading.masters.push_back(
                {entries[at].name, at,
                 readMasterFile(folder + entries[at].name,
                                isNamed ? MasterReach::wholeFile : MasterReach::headerComments)});
        }
    }
    for (const std::string& name : named) {
        const FolderEntry* entry = reading.index.named(name);
        if (!entry || !namedAsMaster(*entry)) {
            reading.masters.push_back({entry ? entry->name : name, reading.index.placeOf(entry),
                                       readMasterFile(folder + name)});
        }
    }
    reading.claims = FolderClaims(folder, reading.index, reading.masters);
    return reading;
}

const FolderMaster* masterNamed(const FolderReading& folder, const std::string& name) {
    const std::size_t entry = folder.index.placeOf(folder.index.named(name));
    const auto found =
        std::find_if(folder.masters.begin(), folder.masters.end(), [&](const FolderMaster& master) {
            return entry != FolderIndex::none ? master.entry == entry
                                              : sameFileName(master.name, name);
        });
    return found == folder.masters.end() ? nullptr : &*found;
}

} // namespace platelier
