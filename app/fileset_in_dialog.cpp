// The main dialog's side of a fileset. A master path without a usable '.'
// gives no search pattern; its channels go to the chooser as if nothing
// matched.
#include "app/fileset_in_dialog.h"

#include "fileset/channel_table.h"
#include "fileset/separation_discovery.h"
#include "platform/files.h"
#include "platform/path_parts.h"
#include "resources/fill_placeholders.h"
#include "resources/resource_ids.h"
#include "resources/user_texts.h"

namespace platelier {

namespace {

// The longest channel name a chooser title shows.
constexpr int chooserNameLimit = 128;

// Lets the user choose a channel's separation file and shows it in the
// channel's path edit. A path the program cannot hold whole is refused
// rather than cut, as if the user had cancelled.
bool chooseSeparationFile(Dialog& dialog, int channel, const std::string& defaultExtension,
                          const std::string& title, const FileFilter& filter) {
    const std::optional<std::string> path = dialog.chooseFile(defaultExtension, title, filter);
    if (path && path->size() >= pathBufferSize) {
        dialog.showMessage(fillPlaceholders(texts::pathTooLong, {*path}), texts::messageCaption);
        return false;
    }
    if (path) {
        dialog.setControlText(IDC_CYAN_PATH + channel, *path);
    }
    return path.has_value();
}

} // namespace

MasterReading showMasterFile(Dialog& dialog, const std::string& masterPath) {
    const MasterReading reading = readMasterFile(masterPath);
    if (reading.title) {
        dialog.setControlText(IDC_TITLE, *reading.title);
    }
    for (int channel = cyan; reading.isMaster() && channel <= black; ++channel) {
        dialog.setControlText(IDC_CYAN_NAME + channel,
                              reading.plates[static_cast<std::size_t>(channel)]);
    }
    return reading;
}

void locateSeparationFiles(Dialog& dialog, const std::string& masterPath) {
    for (int channel = cyan; channel <= black; ++channel) {
        const ChannelRow& row = ChannelTable[static_cast<std::size_t>(channel)];
        const std::optional<std::string> pattern = separationPattern(masterPath, row.searchLetter);
        std::string found;
        if (pattern && countMatchingFiles(*pattern, masterPath, found) == 1) {
            dialog.setControlText(IDC_CYAN_PATH + channel, folderPart(*pattern) + found);
            continue;
        }
        const std::string name = dialog.controlText(IDC_CYAN_NAME + channel, chooserNameLimit);
        if (!chooseSeparationFile(
                dialog, channel, row.searchLetter,
                fillPlaceholders(texts::separationChooserTitle, {row.colorName, name}),
                {row.filterText, row.filterPattern})) {
            return;
        }
    }
}

void browseSeparationFile(Dialog& dialog, ChannelIndex channel,
                          std::array<std::string, channelCount>& recordedPaths) {
    const ChannelRow& row = ChannelTable[static_cast<std::size_t>(channel)];
    if (chooseSeparationFile(dialog, channel, std::string(),
                             fillPlaceholders(texts::separationBrowseTitle, {row.colorName}),
                             {texts::anyFileFilterText, texts::anyFileFilterPattern})) {
        recordedPaths[static_cast<std::size_t>(channel)] =
            dialog.controlText(IDC_CYAN_PATH + channel, dialogTextLimit);
    }
}

std::string readMasterPath(Dialog& dialog) {
    return dialog.controlText(IDC_MASTER_PATH, dialogTextLimit);
}

std::array<std::string, channelCount> readChannelNames(Dialog& dialog) {
    std::array<std::string, channelCount> names;
    for (int channel = cyan; channel <= black; ++channel) {
        names[static_cast<std::size_t>(channel)] =
            dialog.controlText(IDC_CYAN_NAME + channel, dialogTextLimit);
    }
    return names;
}

FailureReport showInMessageBox(Dialog& dialog) {
    return [&dialog](const std::string& message) {
        dialog.showMessage(message, texts::messageCaption);
    };
}

RenameReport showInPathEdits(Dialog& dialog) {
    return [&dialog](ChannelIndex channel, const std::string& newPath) {
        dialog.setControlText(IDC_CYAN_PATH + channel, newPath);
    };
}

} // namespace platelier
