// Checked masters, and what a repair may take of them.
#include "fileset/checked_master.h"

#include "platform/file_names.h"
#include "platform/path_parts.h"

#include <algorithm>

namespace platelier {

namespace {

bool isSoundContent(const std::optional<ContentVerdict>& verdict) {
    return !verdict || *verdict == ContentVerdict::sound;
}

// Every plate is ok or renamed to a sound file.
bool relinkable(const CheckedMaster& master) {
    return master.isMaster() && !unsoundRenamedFile(master) &&
           std::all_of(master.links.begin(), master.links.end(), [](const PlateLink& link) {
               return link.state == LinkState::ok || link.state == LinkState::renamed;
           });
}

// The bytes a renamed plate's line takes: its file's name as a plate names it.
std::optional<std::string> renamedPlate(const PlateLink& link) {
    return plateOfFileName(fileNamePart(link.file));
}

} // namespace

CheckedMaster checkMaster(const std::string& path, const FolderReading& folder,
                          const FolderMaster& master) {
    CheckedMaster checked{path,
                          master.reading,
                          checkLinks(folder, master),
                          {},
                          FilesJudged::none,
                          {},
                          backupConflict(folder, master),
                          master.openForRewrite};
    checked.contents.resize(checked.links.size());
    const auto place = static_cast<std::size_t>(&master - folder.masters.data());
    for (const PlateLink& link : checked.links) {
        const FolderEntry* entry = folder.index.named(fileNamePart(link.file));
        const std::size_t other =
            link.state == LinkState::ok && entry
                ? folder.claims.otherClaimant(folder.index.placeOf(entry), place)
                : FolderIndex::none;
        checked.sharedWith.push_back(other == FolderIndex::none
                                         ? std::string()
                                         : folder.folder + folder.masters[other].name);
    }
    return checked;
}

// The separation files that the folder's listing showed as regular files
// are judged together, their starts read at once; any other (a FIFO, a
// device), alone, by a reading that never takes what a stream holds.
void judgeContents(CheckedMaster& master, FilesJudged judged) {
    master.judged = judged;
    std::vector<std::size_t> files; // the plates whose files are judged
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        const LinkState state = master.links[plate].state;
        const Plate& read = master.reading.plates[plate];
        if (state != LinkState::renamed &&
            (judged != FilesJudged::everyFileFound || state != LinkState::ok)) {
            continue;
        }
        const PlateLink& link = master.links[plate];
        if (read.where == Plate::inMaster) {
            master.contents[plate] =
                judgePlateInMaster(master.path, read.offset, read.length, master.reading.boxes);
        } else if (!link.regularFile) {
            master.contents[plate] = judgeSeparationFile(link.file, master.reading.boxes);
        } else {
            files.push_back(plate);
        }
    }
    std::vector<std::string> paths;
    for (const std::size_t plate : files) {
        paths.push_back(master.links[plate].file);
    }
    const std::vector<ContentVerdict> verdicts = judgeSeparationFiles(paths, master.reading.boxes);
    for (std::size_t at = 0; at < files.size(); ++at) {
        master.contents[files[at]] = verdicts[at];
    }
}

bool isSound(const CheckedMaster& master) {
    return master.isMaster() && allLinksOk(master.links) &&
           std::all_of(master.contents.begin(), master.contents.end(), isSoundContent);
}

std::optional<std::size_t> unsoundRenamedFile(const CheckedMaster& master) {
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        if (master.links[plate].state == LinkState::renamed &&
            !isSoundContent(master.contents[plate])) {
            return plate;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> renamedFileWithoutPlate(const CheckedMaster& master) {
    if (!relinkable(master)) {
        return std::nullopt;
    }
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        if (master.links[plate].state == LinkState::renamed && !renamedPlate(master.links[plate])) {
            return plate;
        }
    }
    return std::nullopt;
}

std::optional<PlateNames> relinkedNames(const CheckedMaster& master) {
    if (!relinkable(master) || renamedFileWithoutPlate(master)) {
        return std::nullopt;
    }
    PlateNames names;
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        const PlateLink& link = master.links[plate];
        names.push_back(link.state == LinkState::renamed ? *renamedPlate(link)
                                                         : master.reading.plates[plate].name);
    }
    return names;
}

PlatePaths linkedFiles(const CheckedMaster& master) {
    PlatePaths files;
    for (const PlateLink& link : master.links) {
        files.push_back(link.file);
    }
    return files;
}

} // namespace platelier
