// Separation file discovery. A master path without a usable '.' gives no
// pattern; its channels go to the chooser as if nothing matched.
#include "fileset/separation_discovery.h"

#include "fileset/channel_table.h"
#include "platform/files.h"
#include "platform/path_parts.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

#include <vector>

namespace platelier {

namespace {

// The longest channel name a chooser title shows.
constexpr int chooserNameLimit = 128;

} // namespace

std::optional<std::string> separationPattern(const std::string& masterPath,
                                             const char* searchLetter) {
    const std::size_t dot = masterPath.rfind('.');
    if (dot == std::string::npos || dot == 0) {
        return std::nullopt;
    }
    return masterPath.substr(0, dot - 1) + "*." + searchLetter;
}

int countMatchingFiles(const std::string& pattern, std::string& foundName) {
    const std::vector<std::string> names = findMatchingEntries(pattern);
    if (!names.empty()) {
        foundName = names.back();
    }
    return static_cast<int>(names.size());
}

void locateSeparationFiles(Dialog& dialog, int masterPathEdit, int firstNameEdit,
                           int firstPathEdit) {
    const std::string masterPath = dialog.controlText(masterPathEdit, dialogTextLimit);
    for (int channel = cyan; channel <= black; ++channel) {
        const ChannelRow& row = ChannelTable[static_cast<std::size_t>(channel)];
        const std::optional<std::string> pattern = separationPattern(masterPath, row.searchLetter);
        std::string found;
        if (pattern && countMatchingFiles(*pattern, found) == 1) {
            dialog.setControlText(firstPathEdit + channel, folderPart(*pattern) + found);
            continue;
        }
        const std::string name = dialog.controlText(firstNameEdit + channel, chooserNameLimit);
        if (!dialog.chooseFile(
                firstPathEdit + channel, row.searchLetter,
                fillPlaceholders(texts::separationChooserTitle, {row.colorName, name}),
                {row.filterText, row.filterPattern})) {
            return;
        }
    }
}

void browseSeparationFile(Dialog& dialog, ChannelIndex channel,
                          std::array<std::string, channelCount>& recordedPaths) {
    const ChannelRow& row = ChannelTable[static_cast<std::size_t>(channel)];
    if (dialog.chooseFile(row.pathEdit, std::string(),
                          fillPlaceholders(texts::separationBrowseTitle, {row.colorName}),
                          {texts::anyFileFilterText, texts::anyFileFilterPattern})) {
        recordedPaths[static_cast<std::size_t>(channel)] =
            dialog.controlText(row.pathEdit, dialogTextLimit);
    }
}

} // namespace platelier
