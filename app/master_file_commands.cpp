// Dialog side of reading and rewriting a master file.
#include "app/master_file_commands.h"

#include "fileset/channel_table.h"
#include "master/master_file_reader.h"
#include "master/master_file_rewriter.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

namespace platelier {

namespace {

// The message's own text; those that do not say what became of the master
// are followed by texts::masterUnchanged (rewriteErrorMessage adds it).
std::string rewriteErrorText(const RewriteResult& result, const std::string& masterPath) {
    const std::string colour = ChannelTable[static_cast<std::size_t>(result.channel)].colorName;
    switch (result.error) {
    case RewriteError::none:
        break;
    case RewriteError::noMasterPath:
        return texts::noMasterLoaded;
    case RewriteError::backupIsMaster:
        return fillPlaceholders(texts::backupWouldBeMaster, {masterPath});
    case RewriteError::nameHasLineBreak:
        return fillPlaceholders(texts::nameHasLineBreak, {masterPath, colour});
    case RewriteError::nameTooLong:
        return fillPlaceholders(texts::nameTooLong, {masterPath, colour});
    case RewriteError::cannotOpenMaster:
        return fillPlaceholders(texts::cannotOpenMaster, {masterPath});
    case RewriteError::damagedHeader:
        return fillPlaceholders(texts::damagedHeader, {masterPath});
    case RewriteError::damagedPlateBlock:
        return fillPlaceholders(texts::damagedPlateBlock, {masterPath});
    case RewriteError::cannotReadMaster:
        return fillPlaceholders(texts::cannotReadMaster, {masterPath});
    case RewriteError::cannotWriteNewMaster:
        return fillPlaceholders(texts::cannotWriteNewMaster, {masterPath});
    case RewriteError::cannotReplaceMaster:
        return fillPlaceholders(texts::cannotReplaceMaster, {masterPath, backupPath(masterPath)});
    }
    return std::string();
}

std::string rewriteErrorMessage(const RewriteResult& result, const std::string& masterPath) {
    const bool saysItself = result.error == RewriteError::noMasterPath ||
                            result.error == RewriteError::cannotOpenMaster ||
                            result.error == RewriteError::cannotReadMaster;
    return rewriteErrorText(result, masterPath) + (saysItself ? "" : texts::masterUnchanged);
}

} // namespace

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
