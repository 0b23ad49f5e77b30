// Separation file renaming. After a successful rename the channel's recorded
// path is the file's new path, so that the next rename starts from where
// the file is.
#include "fileset/separation_renaming.h"

#include "app/fill_placeholders.h"
#include "app/platform/ascii_case.h"
#include "app/platform/files.h"
#include "app/platform/path_parts.h"
#include "app/user_texts.h"

namespace platelier {

namespace {

bool staysInItsFolder(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of(folderSeparators()) == std::string::npos;
}

} // namespace

RenameOutcome renameSeparationFile(const std::string& recordedPath, const std::string& name) {
    if (recordedPath.empty() || equalIgnoringAsciiCase(fileNamePart(recordedPath), name)) {
        return {};
    }
    const std::string newPath = folderPart(recordedPath) + name;
    if (staysInItsFolder(name) && newPath.size() < static_cast<std::size_t>(dialogTextLimit) &&
        moveFileNoReplace(recordedPath, newPath)) {
        return {RenameOutcome::renamed, newPath, std::string()};
    }
    return {RenameOutcome::failed, std::string(),
            fillPlaceholders(texts::cannotRenameSeparationFile, {recordedPath, newPath})};
}

void renameSeparationFiles(Dialog& dialog, int firstNameEdit, int firstPathEdit,
                           std::array<std::string, channelCount>& recordedPaths) {
    for (int channel = cyan; channel <= black; ++channel) {
        std::string& recordedPath = recordedPaths[static_cast<std::size_t>(channel)];
        const RenameOutcome outcome = renameSeparationFile(
            recordedPath, dialog.controlText(firstNameEdit + channel, dialogTextLimit));
        if (outcome.kind == RenameOutcome::renamed) {
            dialog.setControlText(firstPathEdit + channel, outcome.newPath);
            recordedPath = outcome.newPath;
        } else if (outcome.kind == RenameOutcome::failed) {
            dialog.showMessage(outcome.message, texts::messageCaption);
        }
    }
}

} // namespace platelier
