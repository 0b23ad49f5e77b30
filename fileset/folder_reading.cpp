// Reading a folder. Only names ending in ".eps" are opened: separation
// files, often hundreds of megabytes each, never are.
#include "fileset/folder_reading.h"

#include "platform/ascii_case.h"
#include "platform/file_names.h"
#include "platform/file_starts.h"
#include "platform/file_stream.h"
#include "platform/reading_threads.h"

#include <algorithm>
#include <atomic>
#include <future>
#include <optional>

namespace platelier {

namespace {

// From this many masters on, a folder's masters are read on several threads.
constexpr std::size_t manyMasters = 256;

// How many masters stay open for their rewrites, in the whole run: the
// masters of the folders read before wait for their rewrites too (beside
// the walk, see walkMasters), and together they never hold more than
// filesThatMayStayOpen. A master past that is closed after its reading, and
// its rewrite opens it again.
std::atomic<std::size_t> keptOpen{0};

std::shared_ptr<FileReader> keepOpen(FileReader& file) {
    const std::size_t most = filesThatMayStayOpen();
    std::size_t kept = keptOpen.load();
    do {
        if (!file || kept >= most) {
            return nullptr;
        }
    } while (!keptOpen.compare_exchange_weak(kept, kept + 1));
    return std::shared_ptr<FileReader>(new FileReader(std::move(file)), [](FileReader* reader) {
        delete reader;
        --keptOpen;
    });
}

// Reads `path` as a master; for `rewriting`, kept open for its rewrite where
// there is room.
MasterReading readMaster(const std::string& path, MasterReach reach, ReadingFor purpose,
                         std::shared_ptr<FileReader>& opened) {
    if (purpose != ReadingFor::rewriting) {
        return readMasterFile(path, reach, purpose);
    }
    FileReader file;
    MasterReading reading = readMasterForRewrite(path, reach, file);
    opened = keepOpen(file);
    return reading;
}

// How many masters a thread takes at once where they are only looked at:
// their starts are read in one batch (see readFileStarts).
constexpr std::size_t mastersInABatch = 32;

// Looks at the masters of [first, end): those the listing shows as regular
// files are read from their starts, a batch at once, and only what a start
// does not tell is read from the file itself (see readMasterStart).
void lookAtMasters(const std::string& folder, const FolderIndex& index,
                   std::vector<FolderMaster>& masters, const std::vector<MasterReach>& reaches,
                   std::size_t first, std::size_t end) {
    std::vector<std::size_t> batched;
    std::vector<std::string> paths;
    for (std::size_t at = first; at < end; ++at) {
        if (index.entries()[masters[at].entry].isRegularFile) {
            batched.push_back(at);
            paths.push_back(folder + masters[at].name);
        }
    }
    std::vector<FileStart> starts = readFileStarts(paths, FileReader::smallBufferSize);
    auto start = starts.begin();
    auto nextBatched = batched.begin();
    for (std::size_t at = first; at < end; ++at) {
        FolderMaster& master = masters[at];
        std::optional<MasterReading> reading;
        if (nextBatched != batched.end() && *nextBatched == at) {
            reading = readMasterStart(std::move(*start++), reaches[at]);
            ++nextBatched;
        }
        master.reading =
            reading ? std::move(*reading)
                    : readMasterFile(folder + master.name, reaches[at], ReadingFor::lookingAt);
    }
}

// Reads each master's file as far as its reach. A folder of many masters is
// read on one thread for each processor: reading one small file after
// another is mostly waiting on the system, and a walk has nothing else to do
// until the folder is read (each master's links are checked against every
// other master's). Each reading lands in its master's place, so the order
// is the index's however the threads go.
void readMasters(const std::string& folder, const FolderIndex& index,
                 std::vector<FolderMaster>& masters, const std::vector<MasterReach>& reaches,
                 ReadingFor purpose) {
    const std::size_t threads = masters.size() < manyMasters ? 1 : readingThreads();
    // Masters looked at go in runs of a batch, the others one by one.
    const bool looking = purpose == ReadingFor::lookingAt;
    const std::size_t run = looking ? mastersInABatch : 1;
    const auto readRuns = [&](std::size_t thread) {
        for (std::size_t first = thread * run; first < masters.size(); first += threads * run) {
            if (looking) {
                lookAtMasters(folder, index, masters, reaches, first,
                              std::min(first + run, masters.size()));
            } else {
                FolderMaster& master = masters[first];
                master.reading = readMaster(folder + master.name, reaches[first], purpose,
                                            master.openForRewrite);
            }
        }
    };
    std::vector<std::future<void>> others;
    for (std::size_t thread = 1; thread < threads; ++thread) {
        others.push_back(std::async(std::launch::async, readRuns, thread));
    }
    readRuns(0);
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

FolderReading readFolder(const std::string& folder, const std::vector<std::string>& named,
                         ReadingFor purpose) {
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
    // Counted first: grown by doubling, the masters of a large folder would
    // be moved a dozen times, each time onto fresh memory.
    reading.masters.reserve(
        static_cast<std::size_t>(std::count_if(entries.begin(), entries.end(), namedAsMaster)) +
        named.size());
    std::vector<MasterReach> reaches;
    reaches.reserve(reading.masters.capacity());
    for (std::size_t at = 0; at < entries.size(); ++at) {
        const bool isNamed =
            std::find(namedEntries.begin(), namedEntries.end(), &entries[at]) != namedEntries.end();
        if (namedAsMaster(entries[at])) {
            reading.masters.push_back({entries[at].name, at, {}, nullptr});
            reaches.push_back(isNamed ? MasterReach::wholeFile : MasterReach::headerComments);
        }
    }
    readMasters(folder, reading.index, reading.masters, reaches, purpose);
    for (const std::string& name : named) {
        const FolderEntry* entry = reading.index.named(name);
        if (!entry || !namedAsMaster(*entry)) {
            FolderMaster& master = reading.masters.emplace_back(FolderMaster{
                entry ? entry->name : name, reading.index.placeOf(entry), {}, nullptr});
            master.reading =
                readMaster(folder + name, MasterReach::wholeFile, purpose, master.openForRewrite);
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
