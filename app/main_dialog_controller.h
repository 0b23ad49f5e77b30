// The main dialog's controller: what each message, command and system-menu
// command does, which commands are enabled, and the open sequence of a
// fileset. It talks to the dialog only through the Dialog interface.
#pragma once

#include "app/controller_state.h"
#include "platform/dialog.h"

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

// Master Browse: chooses a master file, reads it into the dialog, finds its
// separation files and records the fileset.
void openMasterFile(Dialog& dialog, ControllerState& state);

// Records the channel names and separation paths the dialog shows and
// enables the commands they make possible.
void recordOpenedFileset(Dialog& dialog, ControllerState& state);

// Empties the dialog and opens another master.
void newFileset(Dialog& dialog);

void showAboutBox(Dialog& dialog);
void openHelp(Dialog& dialog);

} // namespace platelier
