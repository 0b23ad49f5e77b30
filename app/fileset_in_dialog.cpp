// The main dialog's side of a fileset. A master path without a usable '.'
// gives no search pattern, and a folder that cannot be listed no match; the
// channels go to the chooser as if nothing matched.
#include "app/fileset_in_dialog.h"

#include "app/separation_filters.h"
#include "fileset/channel_table.h"
#include "fileset/outcome_messages.h"
#include "fileset/separation_discovery.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
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
    if (path && pathLength(*path) >= pathBufferSize) {
        dialog.showMessage(fillPlaceholders(texts::pathTooLong, {*path}), texts::messageCaption);
        return false;
    }
    if (path) {
        dialog.setControlText(IDC_CYAN_PATH + channel, *path);
    }
    return path.has_value();
}

} // namespace

// The master's texts are bytes, shown as the system reads them: the plate
// names as the names of the files they lead to, the title likewise.
MasterReading showMasterFile(Dialog& dialog, const std::string& masterPath) {
    const MasterReading reading = readMasterFile(masterPath);
    if (reading.title) {
        dialog.setControlText(IDC_TITLE, fileNameOfPlate(*reading.title));
    }
    const PerChannel names = reading.channelNames();
    const bool editable = reading.isMaster() && reading.format == MasterFormat::dcs1;
    for (int channel = cyan; editable && channel <= black; ++channel) {
        dialog.setControlText(IDC_CYAN_NAME + channel,
                              fileNameOfPlate(names[static_cast<std::size_t>(channel)]));
    }
    return reading;
}

void locateSeparationFiles(Dialog& dialog, const std::string& masterPath) {
    const std::string folder = folderPart(masterPath);
    const FolderIndex index(listFolder(folder).value_or(std::vector<FolderEntry>()));
    const MasterEntries own(index, masterPath);
    for (int channel = cyan; channel <= black; ++channel) {
        const auto i = static_cast<std::size_t>(channel);
        const ChannelRow& row = ChannelTable[i];
        const std::optional<CandidatePattern> pattern =
            candidatePattern(masterPath, row.searchLetter);
        const std::vector<const FolderEntry*> matches =
            pattern ? discoveryMatches(index, *pattern, own) : std::vector<const FolderEntry*>();
        if (matches.size() == 1) {
            dialog.setControlText(IDC_CYAN_PATH + channel, folder + matches.front()->name);
            continue;
        }
        const std::string name = dialog.controlText(IDC_CYAN_NAME + channel, chooserNameLimit);
        if (!chooseSeparationFile(
                dialog, channel, row.searchLetter,
                fillPlaceholders(texts::separationChooserTitle, {row.colorName, name}),
                separationFilters[i])) {
            return;
        }
    }
}

void browseSeparationFile(Dialog& dialog, ChannelIndex channel, PlatePaths& recordedPaths) {
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

PlateNames readChannelNames(Dialog& dialog) {
    PlateNames names;
    for (int channel = cyan; channel <= black; ++channel) {
        names.push_back(dialog.controlText(IDC_CYAN_NAME + channel, dialogTextLimit));
    }
    return names;
}

void showMessages(Dialog& dialog, const std::vector<std::string>& messages) {
    for (const std::string& message : messages) {
        dialog.showMessage(message, texts::messageCaption);
    }
}

RenameReport showRenames(Dialog& dialog) {
    return [&dialog](std::size_t channel, const RenameOutcome& outcome) {
        if (outcome.kind == RenameOutcome::renamed) {
            dialog.setControlText(IDC_CYAN_PATH + static_cast<int>(channel), outcome.to);
        } else {
            showMessages(dialog, {renameFailureMessage(outcome)});
        }
    };
}

} // namespace platelier
