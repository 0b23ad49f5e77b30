// The dialog's reports of the commands that change a fileset.
#include "fileset/change_reports.h"

#include "resources/user_texts.h"

namespace platelier {

FailureReport showInMessageBox(Dialog& dialog) {
    return [&dialog](const std::string& message) {
        dialog.showMessage(message, texts::messageCaption);
    };
}

RenameReport showInPathEdits(Dialog& dialog, int firstPathEdit) {
    return [&dialog, firstPathEdit](ChannelIndex channel, const std::string& newPath) {
        dialog.setControlText(firstPathEdit + channel, newPath);
    };
}

} // namespace platelier
