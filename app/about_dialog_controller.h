// The About box's controller: it ends on its OK button (501), Escape and its
// close command.
#pragma once

#include "app/dialog.h"

#include <cstdint>

namespace platelier {

// Returns true when the message was handled (see handleMainDialogMessage).
bool handleAboutDialogMessage(Dialog& dialog, unsigned message, std::uintptr_t wParam);

} // namespace platelier
