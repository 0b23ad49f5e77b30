// Separation file renaming. After a successful rename the channel's recorded
// path is the file's new path, so that the next rename starts from where
// the file is.
#include "fileset/separation_renaming.h"

#include "fileset/channel_table.h"
#include "platform/ascii_case.h"
#include "platform/files.h"
#include "platform/path_parts.h"
#include "resources/fill_placeholders.h"
#include "resources/user_texts.h"

#include <algorithm>

namespace platelier {

namespace {

// A name the file can take in its own folder: not empty, not a folder of
// its own, no separator, and no control character (Win32 refuses them, and a
// line break could not be written into the master).
bool canNameAFile(const std::string& name) {
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    return !name.empty() && name != "." && name != ".." && !control &&
           name.find_first_of(folderSeparators()) == std::string::npos;
}

RenameOutcome failure(const std::string& recordedPath, const std::string& newPath) {
    return {RenameOutcome::failed, newPath,
            fillPlaceholders(texts::cannotRenameSeparationFile, {recordedPath, newPath})};
}

} // namespace

RenameOutcome planSeparationRename(const std::string& recordedPath, const std::string& name) {
    if (recordedPath.empty() || equalIgnoringAsciiCase(fileNamePart(recordedPath), name)) {
        return {};
    }
    const std::string newPath = folderPart(recordedPath) + name;
    if (!canNameAFile(name) || newPath.size() >= static_cast<std::size_t>(dialogTextLimit)) {
        return failure(recordedPath, newPath);
    }
    return {RenameOutcome::renamed, newPath, std::string()};
}

RenameOutcome renameSeparationFile(const std::string& recordedPath, const std::string& name) {
    const RenameOutcome plan = planSeparationRename(recordedPath, name);
    if (plan.kind == RenameOutcome::renamed && !moveFileNoReplace(recordedPath, plan.newPath)) {
        return failure(recordedPath, plan.newPath);
    }
    return plan;
}

std::vector<std::string>
separationRenameProblems(const std::array<std::string, channelCount>& recordedPaths,
                         const std::array<std::string, channelCount>& names) {
    std::vector<std::string> problems;
    std::vector<std::string> taken;
    for (std::size_t channel = 0; channel < recordedPaths.size(); ++channel) {
        RenameOutcome plan = planSeparationRename(recordedPaths[channel], names[channel]);
        if (plan.kind == RenameOutcome::renamed) {
            const bool twice =
                std::any_of(taken.begin(), taken.end(), [&](const std::string& path) {
                    return equalIgnoringAsciiCase(path, plan.newPath);
                });
            if (twice || pathExists(plan.newPath)) {
                plan = failure(recordedPaths[channel], plan.newPath);
            }
            taken.push_back(plan.newPath);
        }
        if (plan.kind == RenameOutcome::failed) {
            problems.push_back(plan.message);
        }
    }
    return problems;
}

void renameSeparationFiles(Dialog& dialog, int firstNameEdit, int firstPathEdit,
                           std::array<std::string, channelCount>& recordedPaths) {
    const std::array<std::string, channelCount> names = readChannelNames(dialog, firstNameEdit);
    for (int channel = cyan; channel <= black; ++channel) {
        const auto i = static_cast<std::size_t>(channel);
        const RenameOutcome outcome = renameSeparationFile(recordedPaths[i], names[i]);
        if (outcome.kind == RenameOutcome::renamed) {
            dialog.setControlText(firstPathEdit + channel, outcome.newPath);
            recordedPaths[i] = outcome.newPath;
        } else if (outcome.kind == RenameOutcome::failed) {
            dialog.showMessage(outcome.message, texts::messageCaption);
        }
    }
}

} // namespace platelier
