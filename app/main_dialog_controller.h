// The main dialog's controller: what each message, command and system-menu
// command does, which commands are enabled, and the open sequence of a
// fileset. It talks to the dialog only through the Dialog interface.
#pragma once

#include "app/controller_state.h"
#include "app/dialog.h"

#include <cstdint>

namespace platelier {

// Handles one message of the main dialog, identified by the low 16 bits of
// its number; a command is the low 16 bits of wParam, a system command
// wParam AND 0xFFF0. Returns true when the message was handled, false to
// leave it to the platform's default dialog processing.
bool handleMainDialogMessage(Dialog& dialog, ControllerState& state, unsigned message,
                             std::uintptr_t wParam);

// Enables or disables the four per-channel Browse buttons.
void setBrowseButtonsEnabled(Dialog& dialog, bool enabled);

// Master Browse: chooses a master file, then opens it.
void openMasterFile(Dialog& dialog, ControllerState& state);

// Opens the master at `path` as if the user had chosen it with the master
// Browse button: a master named when the program started, or dropped on the
// dialog. A path of 256 characters or more is refused with a message, the
// dialog left as it was.
void openMasterAt(Dialog& dialog, ControllerState& state, const std::string& path);

// Opens the master that the master path edit names: reads it into the
// dialog, finds its separation files and records the fileset, or says that
// it is not a master.
void openChosenMaster(Dialog& dialog, ControllerState& state);

// Records the separation paths the dialog shows for the master at
// `masterPath` and enables the commands that the fileset makes possible.
void recordOpenedFileset(Dialog& dialog, ControllerState& state, const std::string& masterPath);

// Empties the dialog and opens another master.
void newFileset(Dialog& dialog);

void showAboutBox(Dialog& dialog);

// "Aide...": the help file beside the program (its name, extension HLP);
// where it is missing, the user guide's page (extension html) if that is
// there. Says so when it cannot be opened.
void openHelp(Dialog& dialog);

} // namespace platelier
