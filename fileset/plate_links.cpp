// The verdict on each plate's link.
#include "fileset/plate_links.h"

#include "fileset/separation_discovery.h"

#include <algorithm>

namespace platelier {

namespace {

struct Candidates {
    std::vector<const FolderEntry*> entries;
    bool soughtByAnother = false; // one of them could be another master's
};

// The entries the plate's pattern matches that may be its file: neither the
// master nor its backup, nor a file another master links to.
Candidates candidates(const FolderReading& folder, std::size_t master,
                      const CandidatePattern& pattern, const MasterEntries& own) {
    Candidates found;
    for (const FolderEntry* entry : discoveryMatches(folder.index, pattern, own)) {
        const std::size_t place = folder.index.placeOf(entry);
        if (!folder.claims.claimedByAnother(place, master)) {
            found.entries.push_back(entry);
            found.soughtByAnother |= folder.claims.soughtByAnother(place, master);
        }
    }
    return found;
}

PlateLink checkPlate(const FolderReading& folder, const FolderMaster& master, std::size_t plate) {
    const std::size_t place = static_cast<std::size_t>(&master - folder.masters.data());
    const std::string path = folder.folder + master.name;
    const MasterEntries own(folder.index, path);
    const std::optional<CandidatePattern> pattern = platePattern(path, master.reading, plate);
    const Candidates found = pattern ? candidates(folder, place, *pattern, own) : Candidates();
    PlateLink link{LinkState::missing, std::string(), static_cast<int>(found.entries.size())};
    if (const FolderEntry* linked =
            linkedEntry(folder.index, master.reading.plates[plate].name, own)) {
        link.state = LinkState::ok;
        link.file = folder.folder + linked->name;
    } else if (found.entries.size() > 1 || found.soughtByAnother) {
        link.state = LinkState::ambiguous;
    } else if (found.entries.size() == 1 && !found.entries.front()->isFolder) {
        link.state = LinkState::renamed;
        link.file = folder.folder + found.entries.front()->name;
    }
    return link;
}

} // namespace

MasterLinks checkLinks(const FolderReading& folder, const FolderMaster& master) {
    MasterLinks links;
    for (std::size_t plate = 0; plate < master.reading.plates.size(); ++plate) {
        links.push_back(checkPlate(folder, master, plate));
    }
    return links;
}

bool allLinksOk(const MasterLinks& links) {
    return std::all_of(links.begin(), links.end(),
                       [](const PlateLink& link) { return link.state == LinkState::ok; });
}

} // namespace platelier
