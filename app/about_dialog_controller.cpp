// The About box's controller.
#include "app/about_dialog_controller.h"

#include "app/dialog_messages.h"
#include "resources/resource_ids.h"

namespace platelier {

bool handleAboutDialogMessage(Dialog& dialog, unsigned message, std::uintptr_t wParam) {
    switch (message & 0xFFFFu) {
    case messageInitDialog:
        return true;
    case messageCommand: {
        const auto id = static_cast<int>(wParam & 0xFFFFu);
        if (id != commandCancel && id != IDC_ABOUT_OK) {
            return false;
        }
        dialog.endDialog(0);
        return true;
    }
    case messageSystemCommand:
        if ((wParam & systemCommandMask) != systemCommandClose) {
            return false;
        }
        dialog.endDialog(0);
        return true;
    default:
        return false;
    }
}

} // namespace platelier
