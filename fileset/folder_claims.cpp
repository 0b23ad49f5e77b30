// The claims of a folder's masters, found in two rounds: every master's
// links first, then the candidates of the plates that are not ok, which
// leave out the files linked to.
#include "fileset/folder_claims.h"

#include "fileset/separation_discovery.h"
#include "master/backup_path.h"
#include "platform/file_names.h"
#include "platform/path_parts.h"

#include <optional>
#include <utility>

namespace platelier {

namespace {

template <class Holders> void hold(Holders& held, std::size_t master) {
    if (held.first == FolderIndex::none) {
        held.first = master;
    } else if (held.first != master && held.second == FolderIndex::none) {
        held.second = master;
    }
}

template <class Holders> std::size_t other(const Holders& held, std::size_t master) {
    return held.first != master ? held.first : held.second;
}

template <class Holders>
std::size_t other(const std::vector<Holders>& holders, std::size_t entry, std::size_t master) {
    return entry < holders.size() ? other(holders[entry], master) : FolderIndex::none;
}

template <class Holders>
std::size_t other(const std::unordered_map<std::string, Holders>& holders, const std::string& name,
                  std::size_t master) {
    const auto held = holders.find(fileNameKey(name));
    return held == holders.end() ? FolderIndex::none : other(held->second, master);
}

// A master that is refused for what it is, no master, has no fileset; one
// that cannot be read or whose header is damaged may well have one.
bool unknownFileset(const MasterReading& reading) {
    return reading.refusal == MasterRefusal::cannotOpen ||
           reading.refusal == MasterRefusal::damagedHeader;
}

} // namespace

FolderClaims::FolderClaims(const std::string& folder, const FolderIndex& index,
                           const std::vector<FolderMaster>& masters)
    : claimants_(index.entries().size()), seekers_(index.entries().size()) {
    std::vector<std::pair<std::size_t, std::size_t>> lostPlates; // master, plate
    for (std::size_t master = 0; master < masters.size(); ++master) {
        const FolderMaster& read = masters[master];
        const MasterEntries own(index, folder + read.name);
        const std::optional<CandidatePattern> anyPlate =
            candidatePattern(folder + read.name, std::string());
        for (const FolderEntry* entry : unknownFileset(read.reading) && anyPlate
                                            ? index.beginningWith(anyPlate->stem)
                                            : std::vector<const FolderEntry*>()) {
            if (!entry->isFolder && !own.holds(*entry)) {
                hold(seekers_[index.placeOf(entry)], master);
            }
        }
        if (read.reading.isMaster() || unknownFileset(read.reading)) {
            hold(backupNames_[fileNameKey(fileNamePart(backupPath(folder + read.name)))], master);
        }
        for (std::size_t plate = 0; plate < read.reading.plates.size(); ++plate) {
            const Plate& named = read.reading.plates[plate];
            if (named.where != Plate::file) {
                continue;
            }
            hold(plateNames_[fileNameKey(named.name)], master);
            if (const FolderEntry* linked = linkedEntry(index, named.name, own)) {
                hold(claimants_[index.placeOf(linked)], master);
            } else {
                lostPlates.emplace_back(master, plate);
            }
        }
    }
    for (const auto& [master, plate] : lostPlates) {
        const FolderMaster& read = masters[master];
        const std::string path = folder + read.name;
        const auto pattern = platePattern(path, read.reading, plate);
        if (!pattern) {
            continue;
        }
        for (const FolderEntry* entry :
             discoveryMatches(index, *pattern, MasterEntries(index, path))) {
            const std::size_t place = index.placeOf(entry);
            if (!entry->isFolder && !claimedByAnother(place, master)) {
                hold(seekers_[place], master);
            }
        }
    }
}

bool FolderClaims::claimedByAnother(std::size_t entry, std::size_t master) const {
    return otherClaimant(entry, master) != FolderIndex::none;
}

std::size_t FolderClaims::otherClaimant(std::size_t entry, std::size_t master) const {
    return other(claimants_, entry, master);
}

bool FolderClaims::soughtByAnother(std::size_t entry, std::size_t master) const {
    return other(seekers_, entry, master) != FolderIndex::none;
}

std::size_t FolderClaims::otherNaming(const std::string& name, std::size_t master) const {
    return other(plateNames_, name, master);
}

std::size_t FolderClaims::otherBackedUpAs(const std::string& name, std::size_t master) const {
    return other(backupNames_, name, master);
}

} // namespace platelier
