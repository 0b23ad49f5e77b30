// The messages of the commands that change a fileset. A channel is named by
// its colour, as the dialog names it.
#include "fileset/outcome_messages.h"

#include "fileset/channel_table.h"
#include "master/backup_path.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

namespace platelier {

namespace {

// The message's own text; those that do not say what became of the master
// are followed by texts::masterUnchanged (rewriteErrorMessage adds it).
std::string rewriteErrorText(const RewriteResult& result, const std::string& masterPath) {
    const std::string colour = !result.colour.empty() ? result.colour
                               : result.plate < ChannelTable.size()
                                   ? ChannelTable[result.plate].colorName
                                   : std::string();
    switch (result.error) {
    case RewriteError::none:
        break;
    case RewriteError::noMasterPath:
        return texts::noMasterLoaded;
    case RewriteError::backupIsMaster:
        return fillPlaceholders(texts::backupWouldBeMaster, {masterPath});
    case RewriteError::nameHasLineBreak:
        return fillPlaceholders(texts::nameHasLineBreak, {masterPath, colour});
    case RewriteError::nameNotReadBack:
        return fillPlaceholders(texts::nameNotReadBack, {masterPath, colour});
    case RewriteError::nameTooLong:
        return fillPlaceholders(texts::nameTooLong, {masterPath, colour});
    case RewriteError::backupIsLinked:
        return result.other.empty()
                   ? fillPlaceholders(texts::backupIsPlate,
                                      {masterPath, backupPath(masterPath), colour})
                   : fillPlaceholders(texts::backupIsOthersPlate,
                                      {masterPath, backupPath(masterPath), result.other});
    case RewriteError::backupIsShared:
        return fillPlaceholders(texts::backupIsShared,
                                {masterPath, backupPath(masterPath), result.other});
    case RewriteError::masterIsLink:
        return fillPlaceholders(texts::masterIsLink, {masterPath});
    case RewriteError::nameNeedsParentheses:
        return fillPlaceholders(texts::nameNeedsParentheses, {masterPath, colour});
    case RewriteError::plateNotInFile:
        return fillPlaceholders(texts::plateNotInFile, {masterPath, colour});
    case RewriteError::platesInsideMaster:
        return fillPlaceholders(texts::platesInsideMaster, {masterPath});
    case RewriteError::masterInUse:
        return fillPlaceholders(texts::masterInUse, {masterPath});
    case RewriteError::masterChanged:
        return fillPlaceholders(texts::masterChanged, {masterPath});
    case RewriteError::nameNotInCodePage:
        return fillPlaceholders(texts::nameNotInCodePage, {masterPath, colour});
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

// After a failed step: that nothing was changed, or where each file that kept
// its new name is.
std::string whatBecameOfTheFiles(const SaveAllResult& result) {
    std::string notGivenBack;
    for (const NotGivenBack& file : result.notGivenBack) {
        notGivenBack += fillPlaceholders(texts::separationFileNotGivenBack, {file.from, file.to});
    }
    return notGivenBack.empty() ? texts::separationFilesKeptTheirNames : notGivenBack;
}

} // namespace

std::string rewriteErrorMessage(const RewriteResult& result, const std::string& masterPath) {
    const bool saysItself = result.error == RewriteError::noMasterPath ||
                            result.error == RewriteError::cannotOpenMaster ||
                            result.error == RewriteError::cannotReadMaster;
    return rewriteErrorText(result, masterPath) + (saysItself ? "" : texts::masterUnchanged);
}

std::string renameFailureMessage(const RenameOutcome& outcome) {
    return fillPlaceholders(outcome.failure == RenameFailure::masterOrBackup
                                ? texts::separationFileIsMaster
                                : texts::cannotRenameSeparationFile,
                            {outcome.from, outcome.to});
}

std::vector<std::string> saveAllMessages(const SaveAllResult& result,
                                         const std::string& masterPath) {
    std::vector<std::string> messages;
    for (const RenameOutcome& refusal : result.refusals) {
        messages.push_back(renameFailureMessage(refusal));
    }
    if (result.failedRename) {
        messages.push_back(renameFailureMessage(*result.failedRename) + texts::masterNotRewritten +
                           whatBecameOfTheFiles(result));
    } else if (result.failedRewrite) {
        messages.push_back(rewriteErrorMessage(*result.failedRewrite, masterPath) +
                           whatBecameOfTheFiles(result));
    }
    return messages;
}

} // namespace platelier
