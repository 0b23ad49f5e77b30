// Separation file discovery in a folder's index.
#include "fileset/separation_discovery.h"

#include "fileset/channel_table.h"
#include "master/backup_path.h"
#include "platform/file_names.h"
#include "platform/path_parts.h"

#include <algorithm>

namespace platelier {

MasterEntries::MasterEntries(const FolderIndex& index, const std::string& masterPath)
    : master_(index.named(fileNamePart(masterPath))),
      backup_(index.named(fileNamePart(backupPath(masterPath)))) {}

std::vector<const FolderEntry*> discoveryMatches(const FolderIndex& index,
                                                 const CandidatePattern& pattern,
                                                 const MasterEntries& own) {
    std::vector<const FolderEntry*> matches = index.matching(pattern);
    matches.erase(std::remove_if(matches.begin(), matches.end(),
                                 [&](const FolderEntry* entry) { return own.holds(*entry); }),
                  matches.end());
    return matches;
}

// The listing's exact names decide: the plate's bytes are first read as the
// system reads them, so that a name that reads otherwise is never the file.
const FolderEntry* linkedEntry(const FolderIndex& index, const std::string& plate,
                               const MasterEntries& own) {
    const FolderEntry* entry = plate.empty() ? nullptr : index.named(fileNameOfPlate(plate));
    return entry && !entry->isFolder && !own.holds(*entry) ? entry : nullptr;
}

std::optional<CandidatePattern> platePattern(const std::string& masterPath,
                                             const MasterReading& reading, std::size_t plate) {
    if (plate >= reading.plates.size()) {
        return std::nullopt;
    }
    const std::string name = fileNamePart(fileNameOfPlate(reading.plates[plate].name));
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot + 1 < name.size()) {
        return candidatePattern(masterPath, name.substr(dot + 1));
    }
    if (reading.format == MasterFormat::dcs1 && plate < ChannelTable.size()) {
        return candidatePattern(masterPath, ChannelTable[plate].searchLetter);
    }
    return std::nullopt;
}

} // namespace platelier
