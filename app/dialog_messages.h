// The window messages and commands the controller answers, under their Win32
// numbers, so that the dispatch can run and be tested without Win32.
#pragma once

namespace platelier {

constexpr unsigned messageInitDialog = 0x0110;    // WM_INITDIALOG
constexpr unsigned messageCommand = 0x0111;       // WM_COMMAND
constexpr unsigned messageSystemCommand = 0x0112; // WM_SYSCOMMAND

constexpr int commandCancel = 2;                // IDCANCEL: Escape
constexpr unsigned systemCommandClose = 0xF060; // SC_CLOSE
constexpr unsigned systemCommandMask = 0xFFF0;  // the low four bits are the platform's

} // namespace platelier
