// The claims of a folder's masters, found in two rounds: every master's
// links first, then the candidates of the plates that are not ok, which
// leave out the files linked to.
#include "fileset/folder_claims.h"

#include "fileset/separation_discovery.h"

#include <utility>

namespace platelier {

namespace {

constexpr std::size_t nobody = FolderIndex::none;
constexpr std::size_t several = nobody - 1;

void hold(std::vector<std::size_t>& holders, std::size_t entry, std::size_t master) {
    std::size_t& holder = holders[entry];
    holder = holder == nobody || holder == master ? master : several;
}

bool heldByAnother(const std::vector<std::size_t>& holders, std::size_t entry, std::size_t master) {
    return entry < holders.size() && holders[entry] != nobody && holders[entry] != master;
}

} // namespace

FolderClaims::FolderClaims(const std::string& folder, const FolderIndex& index,
                           const std::vector<FolderMaster>& masters)
    : claimants_(index.entries().size(), nobody), seekers_(index.entries().size(), nobody) {
    std::vector<std::pair<std::size_t, std::size_t>> lostPlates; // master, plate
    for (std::size_t master = 0; master < masters.size(); ++master) {
        const FolderMaster& read = masters[master];
        const MasterEntries own(index, folder + read.name);
        for (std::size_t plate = 0; plate < read.reading.plates.size(); ++plate) {
            if (const FolderEntry* linked =
                    linkedEntry(index, read.reading.plates[plate].name, own)) {
                hold(claimants_, index.placeOf(linked), master);
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
                hold(seekers_, place, master);
            }
        }
    }
}

bool FolderClaims::claimedByAnother(std::size_t entry, std::size_t master) const {
    return heldByAnother(claimants_, entry, master);
}

bool FolderClaims::soughtByAnother(std::size_t entry, std::size_t master) const {
    return heldByAnother(seekers_, entry, master);
}

} // namespace platelier
