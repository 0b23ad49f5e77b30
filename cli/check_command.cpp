// The check command. A folder is walked depth first, each folder's masters
// before its sub-folders, both in the order of their names, so that two
// runs over the same tree write the same lines. Only names ending in ".eps"
// are opened: separation files, often hundreds of megabytes each, never are.
#include "cli/checked_master.h"
#include "cli/commands.h"
#include "cli/console_texts.h"
#include "platform/files.h"
#include "resources/fill_placeholders.h"

#include <algorithm>
#include <cstring>

namespace platelier {

namespace {

// The path with a separator at its end, as folders are spelt in paths here.
std::string asFolder(const std::string& path) {
    const bool ends = path.empty() || std::strchr(folderSeparators(), path.back()) != nullptr;
    return ends ? path : path + pathSeparator();
}

class CheckRun {
  public:
    CheckRun(const CheckArguments& arguments, Console& console)
        : arguments_(arguments), console_(console) {}

    int run() {
        for (const std::string& path : arguments_.paths) {
            if (isFolder(path)) {
                walk(asFolder(path));
            } else {
                report(checkMaster(path, listings_), true);
            }
        }
        return status_;
    }

  private:
    void walk(const std::string& top) {
        std::vector<std::string> folders{top};
        while (!folders.empty()) {
            const std::string folder = folders.back();
            folders.pop_back();
            const std::vector<std::string> subfolders = checkFolder(folder);
            folders.insert(folders.end(), subfolders.rbegin(), subfolders.rend());
        }
    }

    // Checks the masters of `folder`, each read once with the folder;
    // returns the sub-folders to walk. The masters are copied: checking one
    // may list another folder (a master named ".eps" searches the parent).
    std::vector<std::string> checkFolder(const std::string& folder) {
        console_.folderSeen();
        const FolderIndex* index = listings_.indexWithMasters(folder);
        if (!index) {
            fail(statusUnusable, fillPlaceholders(texts::cannotReadFolder, {folder}));
            return {};
        }
        std::vector<std::string> subfolders;
        for (const FolderEntry& entry : index->entries()) {
            if (entry.isFolder && arguments_.recursive) {
                subfolders.push_back(folder + entry.name + pathSeparator());
            }
        }
        const std::vector<FolderMaster> masters = index->masters();
        for (const FolderMaster& master : masters) {
            report(checkMaster(folder + master.name, master.reading, listings_), false);
        }
        return subfolders;
    }

    // A file named on the command line must be a master; one found in a
    // folder is passed over when it opens but is not one.
    void report(const CheckedMaster& master, bool named) {
        if (!master.isMaster()) {
            if (named || master.refusal == MasterRefusal::cannotOpen) {
                fail(statusUnusable, refusalMessage(master));
            }
            return;
        }
        console_.masterSeen();
        console_.result(arguments_.json ? describeAsJson(master) : describeForPeople(master));
        status_ = std::max<int>(status_, allLinksOk(master.links) ? statusOk : statusFailed);
    }

    void fail(int status, const std::string& message) {
        console_.message(message);
        status_ = std::max(status_, status);
    }

    const CheckArguments& arguments_;
    Console& console_;
    FolderListings listings_;
    int status_ = statusOk;
};

} // namespace

int checkCommand(const CheckArguments& arguments, Console& console) {
    return CheckRun(arguments, console).run();
}

} // namespace platelier
