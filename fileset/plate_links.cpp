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

// The entries the pattern of plate `plate` matches that may be its file:
// neither the master nor its backup, nor a file another master or another
// plate of this master links to (`linked`, by plate).
Candidates candidates(const FolderReading& folder, std::size_t master,
                      const CandidatePattern& pattern, const MasterEntries& own,
                      const std::vector<const FolderEntry*>& linked, std::size_t plate) {
    const auto linkedByAnotherPlate = [&](const FolderEntry* entry) {
        for (std::size_t other = 0; other < linked.size(); ++other) {
            if (other != plate && linked[other] == entry) {
                return true;
            }
        }
        return false;
    };
    Candidates found;
    for (const FolderEntry* entry : discoveryMatches(folder.index, pattern, own)) {
        const std::size_t place = folder.index.placeOf(entry);
        if (!folder.claims.claimedByAnother(place, master) && !linkedByAnotherPlate(entry)) {
            found.entries.push_back(entry);
            found.soughtByAnother |= folder.claims.soughtByAnother(place, master);
        }
    }
    return found;
}

// The state of a plate whose name leads to no file, from its candidates.
PlateLink lostPlate(const FolderReading& folder, const Candidates& found) {
    PlateLink link{LinkState::missing, std::string(), static_cast<int>(found.entries.size())};
    if (found.entries.size() > 1 || found.soughtByAnother) {
        link.state = LinkState::ambiguous;
    } else if (found.entries.size() == 1 && !found.entries.front()->isFolder) {
        link.state = LinkState::renamed;
        link.file = folder.folder + found.entries.front()->name;
        link.regularFile = found.entries.front()->isRegularFile;
    }
    return link;
}

// One file is the file of one plate: two plates that would take the same
// candidate are both left without it.
void takeEachFileOnce(MasterLinks& links) {
    for (PlateLink& link : links) {
        const bool shared = std::count_if(links.begin(), links.end(), [&](const PlateLink& other) {
                                return other.state == LinkState::renamed && other.file == link.file;
                            }) > 1;
        if (link.state == LinkState::renamed && shared) {
            link.state = LinkState::ambiguous;
            link.file.clear();
        }
    }
}

// The state of a plate that is not in a file beside the master, whose
// length was `masterSize` when it was read.
PlateLink plateElsewhere(const Plate& plate, std::uint64_t masterSize) {
    const bool inside = plate.offset <= masterSize && plate.length <= masterSize - plate.offset;
    return {plate.where != Plate::inMaster ? LinkState::unchecked
            : inside                       ? LinkState::ok
                                           : LinkState::cutShort,
            std::string(), 0};
}

} // namespace

MasterLinks checkLinks(const FolderReading& folder, const FolderMaster& master) {
    const std::size_t place = static_cast<std::size_t>(&master - folder.masters.data());
    const std::string path = folder.folder + master.name;
    const MasterEntries own(folder.index, path);
    const std::vector<Plate>& plates = master.reading.plates;
    std::vector<const FolderEntry*> linked;
    for (const Plate& plate : plates) {
        linked.push_back(linkedEntry(folder.index, plate.name, own));
    }
    MasterLinks links;
    for (std::size_t plate = 0; plate < plates.size(); ++plate) {
        const std::optional<CandidatePattern> pattern = platePattern(path, master.reading, plate);
        const Candidates found =
            pattern ? candidates(folder, place, *pattern, own, linked, plate) : Candidates();
        links.push_back(plates[plate].where != Plate::file
                            ? plateElsewhere(plates[plate], master.reading.identity.size)
                        : linked[plate]
                            ? PlateLink{LinkState::ok, folder.folder + linked[plate]->name,
                                        static_cast<int>(found.entries.size()),
                                        linked[plate]->isRegularFile}
                            : lostPlate(folder, found));
    }
    takeEachFileOnce(links);
    return links;
}

bool allLinksOk(const MasterLinks& links) {
    return std::all_of(links.begin(), links.end(),
                       [](const PlateLink& link) { return link.state == LinkState::ok; });
}

} // namespace platelier
