// The messages of a rewrite that did not take place, in the program's own
// words. A channel is named by its colour, as the dialog names it.
#include "fileset/rewrite_messages.h"

#include "fileset/channel_table.h"
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
    case RewriteError::masterReadOnly:
        return fillPlaceholders(texts::masterReadOnly, {masterPath});
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

} // namespace

std::string rewriteErrorMessage(const RewriteResult& result, const std::string& masterPath) {
    const bool saysItself = result.error == RewriteError::noMasterPath ||
                            result.error == RewriteError::cannotOpenMaster ||
                            result.error == RewriteError::cannotReadMaster;
    return rewriteErrorText(result, masterPath) + (saysItself ? "" : texts::masterUnchanged);
}

} // namespace platelier
