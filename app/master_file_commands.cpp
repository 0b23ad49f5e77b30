// Dialog side of reading and rewriting a master file.
#include "app/master_file_commands.h"

#include "fileset/channel_table.h"
#include "fileset/fileset_commands.h"
#include "master/master_file_reader.h"

namespace platelier {

bool readMasterFile(Dialog& dialog, int masterPathEdit, int titleEdit) {
    return readMasterFile(dialog.controlText(masterPathEdit, dialogTextLimit),
                          [&](MasterValue which, const std::string& value) {
                              dialog.setControlText(titleEdit + which, value);
                          });
}

bool rewriteMasterFile(Dialog& dialog, int firstNameEdit, int masterPathEdit) {
    return renameChannels(dialog.controlText(masterPathEdit, dialogTextLimit),
                          readChannelNames(dialog, firstNameEdit), showInMessageBox(dialog));
}

} // namespace platelier
