// Dialog side of reading and rewriting a master file.
#include "app/master_file_commands.h"

#include "fileset/channel_table.h"
#include "fileset/rewrite_messages.h"
#include "master/master_file_reader.h"
#include "master/master_file_rewriter.h"
#include "resources/user_texts.h"

namespace platelier {

bool readMasterFile(Dialog& dialog, int masterPathEdit, int titleEdit) {
    return readMasterFile(dialog.controlText(masterPathEdit, dialogTextLimit),
                          [&](MasterValue which, const std::string& value) {
                              dialog.setControlText(titleEdit + which, value);
                          });
}

bool rewriteMasterFile(Dialog& dialog, int firstNameEdit, int masterPathEdit) {
    const std::string masterPath = dialog.controlText(masterPathEdit, dialogTextLimit);
    const RewriteResult result =
        rewriteMasterFile(masterPath, readChannelNames(dialog, firstNameEdit));
    if (result.error == RewriteError::none) {
        return true;
    }
    dialog.showMessage(rewriteErrorMessage(result, masterPath), texts::messageCaption);
    return false;
}

} // namespace platelier
