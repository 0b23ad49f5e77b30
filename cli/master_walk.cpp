// The walk through the trees of masters. A folder is walked depth first, each
// folder's masters before its sub-folders, both in the order of their names,
// so that two runs over the same tree write the same lines. Only names
// ending in ".eps" are opened (the folder's index reads them): separation
// files, often hundreds of megabytes each, never are.
#include "cli/master_walk.h"

#include "cli/console_texts.h"
#include "cli/in_order_work.h"
#include "platform/files.h"
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

class MasterWalk {
  public:
    MasterWalk(bool recursive, Console& console, const MasterVisit& visit,
               const MasterPreparation& prepare)
        : recursive_(recursive), console_(console), visit_(visit) {
        if (prepare) {
            work_.emplace(prepare, [this](const CheckedMaster& master) { report(master); });
        }
    }

    int run(const std::vector<std::string>& paths) {
        for (const std::string& path : paths) {
            if (isFolder(path)) {
                walk(asFolder(path));
            } else {
                visitFile(path, true);
            }
        }
        if (work_) {
            work_->finish();
        }
        return status_;
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

    // Visits the masters of `folder`, each read once with the folder;
    // returns the sub-folders to walk. The masters are copied: checking one
    // may list another folder.
    std::vector<std::string> visitFolder(const std::string& folder) {
        console_.folderSeen();
        const FolderIndex* index = listings_.indexWithMasters(folder);
        if (!index) {
            fail(fillPlaceholders(texts::cannotReadFolder, {folder}));
            return {};
        }
        std::vector<std::string> subfolders;
        for (const FolderEntry& entry : index->entries()) {
            if (entry.isFolder && recursive_) {
                subfolders.push_back(folder + entry.name + pathSeparator());
            }
        }
        const std::vector<FolderMaster> masters = index->masters();
        for (const FolderMaster& master : masters) {
            visit(checkMaster(folder + master.name, master.reading, listings_), false);
        }
        return subfolders;
    }

    void visitFile(const std::string& path, bool named) {
        visit(checkMaster(path, listings_), named);
    }

    // A file named on the command line must be a master; one found in a
    // folder is passed over when it opens but is not one.
    void visit(CheckedMaster master, bool named) {
        if (!master.isMaster()) {
            if (named || master.refusal == MasterRefusal::cannotOpen) {
                fail(refusalMessage(master));
            }
        } else if (work_) {
            work_->add(std::move(master));
        } else {
            report(master);
        }
    }

    void report(const CheckedMaster& master) {
        console_.masterSeen();
        status_ = std::max(status_, visit_(master));
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
    Console& console_;
    const MasterVisit& visit_;
    FolderListings listings_;
    int status_ = statusOk;
    std::optional<InOrderWork> work_; // last: its threads stop before the rest goes
};

} // namespace

int walkMasters(const std::vector<std::string>& paths, bool recursive, Console& console,
                const MasterVisit& visit, const MasterPreparation& prepare) {
    return MasterWalk(recursive, console, visit, prepare).run(paths);
}

} // namespace platelier
