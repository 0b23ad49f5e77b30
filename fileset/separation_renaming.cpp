// Separation file renaming. After a successful rename the channel's recorded
// path is the file's new path, so that the next rename starts from where
// the file is.
#include "fileset/separation_renaming.h"

#include "master/backup_path.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/path_parts.h"

#include <algorithm>

namespace platelier {

namespace {

RenameOutcome failure(RenameFailure why, const std::string& recordedPath,
                      const std::string& newPath) {
    return {RenameOutcome::failed, why, recordedPath, newPath};
}

// A folder part as the system takes it: none is the current folder.
std::string orCurrentFolder(const std::string& folder) {
    return folder.empty() ? std::string(".") : folder;
}

// Both paths name one entry: the same name, as the system compares names,
// in the same folder, however its path is spelt.
bool sameEntry(const std::string& a, const std::string& b) {
    const std::string folderA = folderPart(a);
    const std::string folderB = folderPart(b);
    return sameFileName(fileNamePart(a), fileNamePart(b)) &&
           (folderA == folderB || isSameFile(orCurrentFolder(folderA), orCurrentFolder(folderB)));
}

// The file or the name it would take is the master's or its backup's.
bool touchesMaster(const std::string& masterPath, const std::string& recordedPath,
                   const std::string& newPath) {
    if (masterPath.empty()) {
        return false;
    }
    const std::string masterFiles[] = {masterPath, backupPath(masterPath)};
    return std::any_of(std::begin(masterFiles), std::end(masterFiles), [&](const std::string& own) {
        return sameEntry(recordedPath, own) || sameEntry(newPath, own) ||
               isSameFile(recordedPath, own);
    });
}

bool takenBefore(const std::string& path, const std::vector<std::string>& taken) {
    return std::any_of(taken.begin(), taken.end(),
                       [&](const std::string& earlier) { return sameEntry(earlier, path); });
}

// Something stands at `path` that is none of the names about to be given
// up. Another name of the same file (a link) stands in the way too: a
// rename never replaces it.
bool standsInTheWay(const std::string& path, const std::vector<std::string>& leaving) {
    return pathExists(path) &&
           std::none_of(leaving.begin(), leaving.end(),
                        [&](const std::string& file) { return sameEntry(path, file); });
}

} // namespace

RenameOutcome planSeparationRename(const std::string& masterPath, const std::string& recordedPath,
                                   const std::string& name) {
    if (recordedPath.empty() || sameFileName(fileNamePart(recordedPath), name)) {
        return {};
    }
    const std::string newPath = folderPart(recordedPath) + name;
    if (!acceptableFileName(name) || pathLength(newPath) >= pathBufferSize) {
        return failure(RenameFailure::nameRefused, recordedPath, newPath);
    }
    if (touchesMaster(masterPath, recordedPath, newPath)) {
        return failure(RenameFailure::masterOrBackup, recordedPath, newPath);
    }
    return {RenameOutcome::renamed, RenameFailure::none, recordedPath, newPath};
}

RenameOutcome renameSeparationFile(const std::string& masterPath, const std::string& recordedPath,
                                   const std::string& name) {
    const RenameOutcome plan = planSeparationRename(masterPath, recordedPath, name);
    if (plan.kind == RenameOutcome::renamed && !moveFileNoReplace(recordedPath, plan.to)) {
        return failure(RenameFailure::refusedBySystem, recordedPath, plan.to);
    }
    return plan;
}

// The renames are checked in the order in which they will be done: a name
// that an earlier rename gives up is free by then, and so is the file's own
// name in other letter case, which a file system that ignores case finds.
// A file recorded for two channels could only be renamed once, and one
// that is gone not at all.
std::vector<RenameOutcome> separationRenameProblems(const std::string& masterPath,
                                                    const PlatePaths& recordedPaths,
                                                    const PlateNames& names) {
    std::vector<RenameOutcome> problems;
    std::vector<std::string> leaving; // the recorded paths of the renames that go ahead
    std::vector<std::string> taken;   // and the paths they take
    for (std::size_t plate = 0; plate < recordedPaths.size(); ++plate) {
        const std::string& recordedPath = recordedPaths[plate];
        RenameOutcome plan = planSeparationRename(masterPath, recordedPath, names[plate]);
        if (plan.kind == RenameOutcome::renamed) {
            const bool recordedTwice =
                std::any_of(leaving.begin(), leaving.end(), [&](const std::string& file) {
                    return isSameFile(file, recordedPath);
                });
            leaving.push_back(recordedPath);
            const RenameFailure why =
                recordedTwice               ? RenameFailure::fileRecordedTwice
                : !pathExists(recordedPath) ? RenameFailure::fileGone
                : takenBefore(plan.to, taken) || standsInTheWay(plan.to, leaving)
                    ? RenameFailure::nameTaken
                    : RenameFailure::none;
            if (why != RenameFailure::none) {
                plan = failure(why, recordedPath, plan.to);
                leaving.pop_back();
            }
            taken.push_back(plan.to);
        }
        if (plan.kind == RenameOutcome::failed) {
            problems.push_back(plan);
        }
    }
    return problems;
}

void renameSeparationFiles(const std::string& masterPath, PlatePaths& recordedPaths,
                           const PlateNames& names, const RenameReport& report) {
    for (std::size_t plate = 0; plate < recordedPaths.size(); ++plate) {
        const RenameOutcome outcome =
            renameSeparationFile(masterPath, recordedPaths[plate], names[plate]);
        if (outcome.kind == RenameOutcome::renamed) {
            recordedPaths[plate] = outcome.to;
        }
        if (outcome.kind != RenameOutcome::skipped) {
            report(plate, outcome);
        }
    }
}

} // namespace platelier
