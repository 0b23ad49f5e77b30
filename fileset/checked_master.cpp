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

bool isJudged(const CheckedMaster& master, std::size_t plate, FilesJudged judged) {
    const LinkState state = master.links[plate].state;
    return state == LinkState::renamed ||
           (judged == FilesJudged::everyFileFound && state == LinkState::ok);
}

// The separation files that the folder's listing showed as regular files
// are judged from their starts, read at once with others; any other (a
// FIFO, a device), alone, by a reading that never takes what a stream
// holds.
bool judgedFromStart(const CheckedMaster& master, std::size_t plate) {
    return master.reading.plates[plate].where != Plate::inMaster && master.links[plate].regularFile;
}

// Adds the paths of `master`'s files to judge from their starts.
void addStartsToRead(const CheckedMaster& master, FilesJudged judged,
                     std::vector<std::string>& paths) {
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        if (isJudged(master, plate, judged) && judgedFromStart(master, plate)) {
            paths.push_back(master.links[plate].file);
        }
    }
}

// Judges `master`'s files, taking the starts of those judged from them in
// turn from `start`.
void judgeWithStarts(CheckedMaster& master, FilesJudged judged,
                     std::vector<FileStart>::iterator& start) {
    master.judged = judged;
    const PageBoxes& boxes = master.reading.boxes;
    for (std::size_t plate = 0; plate < master.links.size(); ++plate) {
        const Plate& read = master.reading.plates[plate];
        const std::string& file = master.links[plate].file;
        if (!isJudged(master, plate, judged)) {
            continue;
        }
        master.contents[plate] =
            read.where == Plate::inMaster
                ? judgePlateInMaster(master.path, read.offset, read.length, boxes)
            : judgedFromStart(master, plate)
                ? judgeSeparationStart(file, std::move(*start++), boxes)
                : judgeSeparationFile(file, boxes);
    }
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

void judgeContents(CheckedMaster& master, FilesJudged judged) {
    std::vector<std::string> paths;
    addStartsToRead(master, judged, paths);
    std::vector<FileStart> starts = readSeparationStarts(paths);
    auto start = starts.begin();
    judgeWithStarts(master, judged, start);
}

void judgeContents(std::vector<CheckedMaster>& masters, FilesJudged judged, std::size_t& done) {
    std::vector<std::string> paths;
    for (const CheckedMaster& master : masters) {
        addStartsToRead(master, judged, paths);
    }
    std::vector<FileStart> starts = readSeparationStarts(paths);
    auto start = starts.begin();
    for (CheckedMaster& master : masters) {
        judgeWithStarts(master, judged, start);
        ++done;
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
