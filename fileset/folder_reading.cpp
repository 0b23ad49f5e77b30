// Reading a folder. Only names ending in ".eps" are opened: separation
// files, often hundreds of megabytes each, never are.
#include "fileset/folder_reading.h"

#include "platform/ascii_case.h"
#include "platform/file_names.h"
#include "platform/reading_threads.h"

#include <algorithm>
#include <future>

namespace platelier {

namespace {

// From this many masters on, a folder's masters are read on several threads.
constexpr std::size_t manyMasters = 256;

// Reads each master's file as far as its reach. A folder of many masters is
// read on one thread for each processor: reading one small file after
// another is mostly waiting on the system, and a walk has nothing else to do
// until the folder is read (each master's links are checked against every
// other master's). Each reading lands in its master's place, so the order
// is the index's however the threads go.
void readMasters(const std::string& folder, std::vector<FolderMaster>& masters,
                 const std::vector<MasterReach>& reaches) {
    const std::size_t threads = masters.size() < manyMasters ? 1 : readingThreads();
    const auto readEvery = [&](std::size_t first) {
        for (std::size_t at = first; at < masters.size(); at += threads) {
            masters[at].reading = readMasterFile(folder + masters[at].name, reaches[at]);
        }
    };
    std::vector<std::future<void>> others;
    for (std::size_t first = 1; first < threads; ++first) {
        others.push_back(std::async(std::launch::async, readEvery, first));
    }
    readEvery(0);
    for (std::future<void>& other : others) {
        other.get();
    }
}

} // namespace

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
    std::vector<MasterReach> reaches;
    for (std::size_t at = 0; at < entries.size(); ++at) {
        const bool isNamed =
            std::find(namedEntries.begin(), namedEntries.end(), &entries[at]) != namedEntries.end();
        if (namedAsMaster(entries[at])) {
            reading.masters.push_back({entries[at].name, at, {}});
            reaches.push_back(isNamed ? MasterReach::wholeFile : MasterReach::headerComments);
        }
    }
    readMasters(folder, reading.masters, reaches);
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
