// Separation file renaming. After a successful rename the channel's recorded
// path is the file's new path, so that the next rename starts from where
// the file is.
#include "fileset/separation_renaming.h"

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

bool takenBefore(const std::string& path, const std::vector<std::string>& taken) {
    return std::any_of(taken.begin(), taken.end(), [&](const std::string& earlier) {
        return equalIgnoringAsciiCase(earlier, path);
    });
}

// Something stands at `path` that is none of the files about to leave their
// names.
bool standsInTheWay(const std::string& path, const std::vector<std::string>& leaving) {
    return pathExists(path) &&
           std::none_of(leaving.begin(), leaving.end(),
                        [&](const std::string& file) { return isSameFile(path, file); });
}

} // namespace

RenameOutcome planSeparationRename(const std::string& recordedPath, const std::string& name) {
    if (recordedPath.empty() || equalIgnoringAsciiCase(fileNamePart(recordedPath), name)) {
        return {};
    }
    const std::string newPath = folderPart(recordedPath) + name;
    if (!canNameAFile(name) || newPath.size() >= pathBufferSize) {
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

// The renames are checked in the order in which they will be done: a name
// that an earlier rename gives up is free by then, and so is the file's own
// name in other letter case, which a file system that ignores case finds.
std::vector<std::string>
separationRenameProblems(const std::array<std::string, channelCount>& recordedPaths,
                         const std::array<std::string, channelCount>& names) {
    std::vector<std::string> problems;
    std::vector<std::string> leaving; // the recorded paths of the renames that go ahead
    std::vector<std::string> taken;   // and the paths they take
    for (std::size_t channel = 0; channel < recordedPaths.size(); ++channel) {
        const std::string& recordedPath = recordedPaths[channel];
        RenameOutcome plan = planSeparationRename(recordedPath, names[channel]);
        if (plan.kind == RenameOutcome::renamed) {
            leaving.push_back(recordedPath);
            if (takenBefore(plan.newPath, taken) || standsInTheWay(plan.newPath, leaving)) {
                plan = failure(recordedPath, plan.newPath);
                leaving.pop_back();
            }
            taken.push_back(plan.newPath);
        }
        if (plan.kind == RenameOutcome::failed) {
            problems.push_back(plan.message);
        }
    }
    return problems;
}

void renameSeparationFiles(std::array<std::string, channelCount>& recordedPaths,
                           const std::array<std::string, channelCount>& names,
                           const FailureReport& failed, const RenameReport& renamed) {
    for (int channel = cyan; channel <= black; ++channel) {
        const auto i = static_cast<std::size_t>(channel);
        const RenameOutcome outcome = renameSeparationFile(recordedPaths[i], names[i]);
        if (outcome.kind == RenameOutcome::renamed) {
            recordedPaths[i] = outcome.newPath;
            renamed(static_cast<ChannelIndex>(channel), outcome.newPath);
        } else if (outcome.kind == RenameOutcome::failed) {
            failed(outcome.message);
        }
    }
}

} // namespace platelier
