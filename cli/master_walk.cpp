// The walk through the trees of masters. A folder is walked depth first, each
// folder's masters before its sub-folders, both in the order of their names,
// so that two runs over the same tree write the same lines. One folder's
// reading is held at a time, whatever the size of the tree.
#include "cli/master_walk.h"

#include "cli/console_texts.h"
#include "cli/in_order_work.h"
#include "cli/report.h"
#include "fileset/folder_reading.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/path_parts.h"
#include "resources/fill_placeholders.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <utility>

namespace platelier {

namespace {

// The path with a separator at its end, as folders are spelt in paths here.
std::string asFolder(const std::string& path) {
    const bool ends = path.empty() || std::strchr(folderSeparators(), path.back()) != nullptr;
    return ends ? path : path + pathSeparator();
}

// How a master came to be visited: named on the command line, where it must
// be a master, or found in a folder, where a file that opens but is no
// master is passed over.
enum class Origin { named, found };

class MasterWalk {
  public:
    MasterWalk(bool recursive, ReadingFor purpose, Console& console, const MasterVisit& visit,
               const LeftoverVisit& leftovers, const MasterPreparation& prepare)
        : recursive_(recursive), purpose_(purpose), console_(console), visit_(visit),
          leftovers_(leftovers), needed_(prepare.needed) {
        if (prepare.work) {
            work_.emplace(prepare.work, [this](const CheckedMaster& master) { report(master); });
        }
    }

    int run(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            if (isFolder(path)) {
                walk(asFolder(path));
            } else {
                visitNamedFile(path);
            }
        }
        if (work_) {
            work_->finish();
        }
        return status_;
    }

    // The summary line, once a folder was walked.
    std::optional<std::string> summary() const {
        if (!walkedAFolder_) {
            return std::nullopt;
        }
        std::string line = "summary ";
        const char* separator = " ";
        for (const auto& [state, count] : states_) {
            line += separator + std::to_string(count) + ' ' + state;
            separator = ", ";
        }
        const bool one = passedOver_ == 1;
        return line + (states_.empty() ? " no master" : "") + "; " + std::to_string(passedOver_) +
               (one ? " other EPS file" : " other EPS files") + " passed over";
    }

  private:
    void walk(const std::string& top) {
        std::vector<std::string> folders{top};
        while (!folders.empty()) {
            const std::string folder = folders.back();
            folders.pop_back();
            const std::vector<std::string> subfolders = visitFolder(folder);
            folders.insert(folders.end(), subfolders.rbegin(), subfolders.rend());
        }
    }

    // Visits the masters of `folder`; returns the sub-folders to walk.
    std::vector<std::string> visitFolder(const std::string& folder) {
        console_.folderSeen();
        walkedAFolder_ = true;
        const FolderReading reading = readFolder(folder, {}, purpose_);
        if (!reading.listed) {
            fail(fillPlaceholders(texts::cannotReadFolder, {folder}));
            return {};
        }
        std::vector<std::string> subfolders;
        for (const FolderEntry& entry : reading.index.entries()) {
            if (entry.isFolder && recursive_) {
                subfolders.push_back(folder + entry.name + pathSeparator());
            }
        }
        for (const FolderMaster& master : reading.masters) {
            visit(folder + master.name, reading, master, Origin::found);
        }
        const std::vector<Leftover> leftovers = findLeftovers(reading);
        if (!leftovers.empty() && work_) {
            work_->finish(); // the folder's masters are told first
        }
        for (const Leftover& leftover : leftovers) {
            status_ = std::max(status_, leftovers_(reading, leftover));
        }
        return subfolders;
    }

    void visitNamedFile(const std::string& path) {
        const std::string name = fileNamePart(path);
        const FolderReading reading = readFolder(folderPart(path), {name}, purpose_);
        visit(path, reading, *masterNamed(reading, name), Origin::named);
    }

    // A named path must be a master. In a folder, a file that is no master is
    // passed over, but one that cannot be read or whose binary header is
    // damaged may be the master of a fileset: it is told, with its reason.
    void visit(const std::string& path, const FolderReading& folder, const FolderMaster& master,
               Origin origin) {
        const MasterRefusal refusal = master.reading.refusal;
        if (refusal != MasterRefusal::none) {
            const bool fileset =
                refusal == MasterRefusal::cannotOpen || refusal == MasterRefusal::damagedHeader;
            if (origin == Origin::named) {
                fail(refusalMessage(path, refusal));
            } else if (fileset) {
                console_.message(refusalMessage(path, refusal));
            } else {
                ++passedOver_;
            }
            if (origin == Origin::named || !fileset) {
                return;
            }
        }
        CheckedMaster checked = checkMaster(path, folder, master);
        if (work_ && (needed_(checked) || !work_->idle())) {
            work_->add(std::move(checked));
        } else {
            report(checked);
        }
    }

    void report(const CheckedMaster& master) {
        console_.masterSeen();
        const Visited visited = visit_(master);
        status_ = std::max(status_, visited.status);
        const auto counted = std::find_if(states_.begin(), states_.end(), [&](const auto& state) {
            return state.first == visited.state;
        });
        if (counted == states_.end()) {
            states_.emplace_back(visited.state, 1);
        } else {
            ++counted->second;
        }
    }

    // The masters before the failure are told first.
    void fail(const std::string& message) {
        if (work_) {
            work_->finish();
        }
        console_.message(message);
        status_ = statusUnusable;
    }

    const bool recursive_;
    const ReadingFor purpose_;
    Console& console_;
    const MasterVisit& visit_;
    const LeftoverVisit& leftovers_;
    const std::function<bool(const CheckedMaster&)> needed_;
    int status_ = statusOk;
    bool walkedAFolder_ = false;
    std::vector<std::pair<std::string, std::size_t>> states_; // in the order they came
    std::size_t passedOver_ = 0;
    std::optional<InOrderWork> work_; // last: its threads stop before the rest goes
};

} // namespace

LeftoverVisit leftoversTold(Console& console, bool json) {
    return [&console, json](const FolderReading& folder, const Leftover& leftover) {
        console.result(json ? leftoverAsJson(folder, leftover, LeftoverAction::told)
                            : leftoverForPeople(folder, leftover, LeftoverAction::told));
        return statusFailed;
    };
}

int walkMasters(const std::vector<std::string>& paths, bool recursive, bool summary,
                Console& console, const MasterVisit& visit, const LeftoverVisit& leftovers,
                const MasterPreparation& prepare, ReadingFor purpose) {
    MasterWalk walk(recursive, purpose, console, visit, leftovers, prepare);
    const int status = walk.run(paths);
    if (const std::optional<std::string> line = walk.summary(); line && summary) {
        console.result(*line);
    }
    return status;
}

} // namespace platelier
