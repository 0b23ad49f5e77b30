// The main dialog's controller. Commands 600-602 are never disabled again
// once an open has enabled them; only the Browse buttons follow the loaded
// fileset.
#include "app/main_dialog_controller.h"

#include "app/dialog_messages.h"
#include "app/fileset_in_dialog.h"
#include "app/help_path.h"
#include "fileset/command_rules.h"
#include "fileset/fileset_commands.h"
#include "fileset/outcome_messages.h"
#include "fileset/separation_renaming.h"
#include "platform/files.h"
#include "platform/path_parts.h"
#include "resources/fill_placeholders.h"
#include "resources/resource_ids.h"
#include "resources/user_texts.h"

#include <utility>

namespace platelier {

namespace {

using CommandAction = void (*)(Dialog&, ControllerState&, int commandId);

struct CommandEntry {
    int firstId;
    int lastId;
    CommandAction action;
};

void browseSeparationFileCommand(Dialog& dialog, ControllerState& state, int id) {
    browseSeparationFile(dialog, static_cast<ChannelIndex>(id - IDC_CYAN_BROWSE),
                         state.recordedSeparationPaths);
}

void renameFilesCommand(Dialog& dialog, ControllerState& state, int) {
    renameSeparationFiles(readMasterPath(dialog), state.recordedSeparationPaths,
                          readChannelNames(dialog), showRenames(dialog));
}

// The master's folder is read for what its other masters hold on to, which
// the master's backup must not replace.
FolderReading readMastersFolder(const std::string& masterPath) {
    return readFolder(folderPart(masterPath), {fileNamePart(masterPath)});
}

void saveAllChangesCommand(Dialog& dialog, ControllerState& state, int) {
    const std::string masterPath = readMasterPath(dialog);
    const SaveAllResult result =
        saveAllChanges(readMastersFolder(masterPath), masterPath, readChannelNames(dialog),
                       state.recordedSeparationPaths);
    showMessages(dialog, saveAllMessages(result, masterPath));
    for (const auto& [channel, path] : result.renamed) {
        dialog.setControlText(IDC_CYAN_PATH + static_cast<int>(channel), path);
    }
}

void renameChannelsCommand(Dialog& dialog, ControllerState&, int) {
    const std::string masterPath = readMasterPath(dialog);
    const RewriteResult result =
        renameChannels(readMastersFolder(masterPath), masterPath, readChannelNames(dialog));
    if (result.error != RewriteError::none) {
        showMessages(dialog, {rewriteErrorMessage(result, masterPath)});
    }
}

const CommandEntry mainDialogCommands[] = {
    {IDC_MASTER_BROWSE, IDC_MASTER_BROWSE,
     [](Dialog& dialog, ControllerState& state, int) { openMasterFile(dialog, state); }},
    {IDC_CYAN_BROWSE, IDC_BLACK_BROWSE, browseSeparationFileCommand},
    {IDC_SAVE_ALL, IDC_SAVE_ALL, saveAllChangesCommand},
    {IDC_RENAME_CHANNELS, IDC_RENAME_CHANNELS, renameChannelsCommand},
    {IDC_RENAME_FILES, IDC_RENAME_FILES, renameFilesCommand},
    {IDC_NEW_FILESET, IDC_NEW_FILESET,
     [](Dialog& dialog, ControllerState&, int) { newFileset(dialog); }},
    {IDC_QUIT, IDC_QUIT, [](Dialog& dialog, ControllerState&, int) { dialog.endDialog(1); }},
    {IDM_OPEN_NAMED_MASTER, IDM_OPEN_NAMED_MASTER,
     [](Dialog& dialog, ControllerState& state, int) {
         openMasterAt(dialog, state, std::exchange(state.masterToOpen, std::string()));
     }},
};

using SystemCommandAction = void (*)(Dialog&);

struct SystemCommandEntry {
    unsigned command;
    SystemCommandAction action;
};

const SystemCommandEntry mainDialogSystemCommands[] = {
    {IDM_ABOUT, showAboutBox},
    {IDM_HELP, openHelp},
    {systemCommandClose, [](Dialog& dialog) { dialog.endDialog(0); }},
};

bool handleCommand(Dialog& dialog, ControllerState& state, int id) {
    for (const CommandEntry& entry : mainDialogCommands) {
        if (id >= entry.firstId && id <= entry.lastId) {
            entry.action(dialog, state, id);
            return true;
        }
    }
    return false;
}

bool handleSystemCommand(Dialog& dialog, unsigned command) {
    for (const SystemCommandEntry& entry : mainDialogSystemCommands) {
        if (command == entry.command) {
            entry.action(dialog);
            return true;
        }
    }
    return false;
}

} // namespace

bool handleMainDialogMessage(Dialog& dialog, ControllerState& state, unsigned message,
                             std::uintptr_t wParam) {
    switch (message & 0xFFFFu) {
    case messageInitDialog:
        setBrowseButtonsEnabled(dialog, false);
        if (!state.masterToOpen.empty()) {
            dialog.postCommand(IDM_OPEN_NAMED_MASTER);
        }
        return true;
    case messageCommand:
        return handleCommand(dialog, state, static_cast<int>(wParam & 0xFFFFu));
    case messageSystemCommand:
        return handleSystemCommand(dialog, static_cast<unsigned>(wParam & systemCommandMask));
    default:
        return false;
    }
}

void setBrowseButtonsEnabled(Dialog& dialog, bool enabled) {
    for (int id = IDC_CYAN_BROWSE; id <= IDC_BLACK_BROWSE; ++id) {
        dialog.enableControl(id, enabled);
    }
}

void openMasterFile(Dialog& dialog, ControllerState& state) {
    if (const std::optional<std::string> path =
            dialog.chooseFile(texts::masterDefaultExtension, texts::masterChooserTitle,
                              {texts::masterFilterText, texts::masterFilterPattern})) {
        openMasterAt(dialog, state, *path);
    }
}

// A longer path than the master path edit is read back with would open
// another file, cut: it is refused before the edit takes it.
void openMasterAt(Dialog& dialog, ControllerState& state, const std::string& path) {
    if (pathLength(path) >= pathBufferSize) {
        dialog.showMessage(fillPlaceholders(texts::pathTooLong, {path}), texts::messageCaption);
        return;
    }
    dialog.setControlText(IDC_MASTER_PATH, path);
    openChosenMaster(dialog, state);
}

void openChosenMaster(Dialog& dialog, ControllerState& state) {
    const std::string masterPath = readMasterPath(dialog);
    const MasterReading reading = showMasterFile(dialog, masterPath);
    if (!reading.isMaster() || reading.format != MasterFormat::dcs1) {
        dialog.showMessage(reading.isMaster() ? texts::dcs2Master : texts::notAMasterFile,
                           texts::messageCaption);
        return;
    }
    locateSeparationFiles(dialog, masterPath);
    recordOpenedFileset(dialog, state, masterPath);
}

// The commands are only ever enabled here, each when nothing stands in its
// way on the fileset just opened.
void recordOpenedFileset(Dialog& dialog, ControllerState& state, const std::string& masterPath) {
    for (int channel = cyan; channel <= black; ++channel) {
        state.recordedSeparationPaths[static_cast<std::size_t>(channel)] =
            dialog.controlText(IDC_CYAN_PATH + channel, dialogTextLimit);
    }
    const FilesetToChange fileset{masterPath, readChannelNames(dialog),
                                  state.recordedSeparationPaths};
    for (const auto& [id, command] :
         {std::pair{IDC_RENAME_CHANNELS, FilesetCommand::renameChannels},
          std::pair{IDC_RENAME_FILES, FilesetCommand::renameFiles},
          std::pair{IDC_SAVE_ALL, FilesetCommand::saveAllChanges}}) {
        if (commandObstacles(command, fileset).empty()) {
            dialog.enableControl(id, true);
        }
    }
    setBrowseButtonsEnabled(dialog, true);
}

void newFileset(Dialog& dialog) {
    setBrowseButtonsEnabled(dialog, false);
    for (int id :
         {IDC_TITLE, IDC_CYAN_NAME, IDC_MAGENTA_NAME, IDC_YELLOW_NAME, IDC_BLACK_NAME,
          IDC_CYAN_PATH, IDC_MAGENTA_PATH, IDC_YELLOW_PATH, IDC_BLACK_PATH, IDC_MASTER_PATH}) {
        dialog.setControlText(id, std::string());
    }
    dialog.sendCommand(IDC_MASTER_BROWSE);
}

void showAboutBox(Dialog& dialog) {
    dialog.runModalDialog(IDD_ABOUT);
}

// The help file where there is one, else the user guide's page where there
// is one, else the help file all the same: its viewer says it is missing.
// When neither the viewer nor the browser takes it, the program says so.
void openHelp(Dialog& dialog) {
    const std::optional<std::string> helpFile = helpFilePath(dialog.programPath(), "HLP");
    const std::optional<std::string> page = helpFilePath(dialog.programPath(), "html");
    const bool showPage = page && !(helpFile && pathExists(*helpFile)) && pathExists(*page);
    if (!showPage && !helpFile) {
        return;
    }
    const std::string& path = showPage ? *page : *helpFile;
    if (!(showPage ? dialog.openPage(path) : dialog.openHelpFile(path))) {
        dialog.showMessage(fillPlaceholders(texts::cannotOpenHelp, {path}), texts::messageCaption);
    }
}

} // namespace platelier
