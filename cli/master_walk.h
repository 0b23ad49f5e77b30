// The masters that the paths of a command line name or hold, checked one
// after the other against the reading of their folder: check and relink
// take them in the same order, pass over the same files and refuse the same
// paths.
#pragma once

#include "cli/console.h"
#include "cli/in_order_work.h"
#include "fileset/checked_master.h"
#include "fileset/leftovers.h"

#include <functional>
#include <string>
#include <vector>

namespace platelier {

// What became of one master: its exit status, and the word for its state or
// result that the walk's summary counts it under.
struct Visited {
    int status;
    std::string state;
};

using MasterVisit = std::function<Visited(const CheckedMaster& master)>;

// Work done to masters before their visits (see InOrderWork::Work), and
// which masters need it: one that does not is visited without waiting for
// the threads, when no master before it waits for them.
struct MasterPreparation {
    InOrderWork::Work work;
    std::function<bool(const CheckedMaster& master)> needed;
};

// What is done with a leftover of a folder walked (see leftovers.h): told,
// or tidied. Returns its exit status.
using LeftoverVisit = std::function<int(const FolderReading& folder, const Leftover& leftover)>;

// Tells of each leftover as check and relink do: a line of results, and
// the status of a broken master.
LeftoverVisit leftoversTold(Console& console, bool json);

// Visits each master of `paths`: a path that is no folder must be a master;
// a folder gives the files in it whose names end in ".eps" (any letter
// case), those that are masters or could be, then its leftovers, and with
// `recursive` then its sub-folders, each in the order of the names. Each
// folder is listed once and each of its masters read once. An unreadable
// folder, a master that cannot be opened and a named path that is no master
// are told on the console. With `summary`, a walk that went through a
// folder ends with a line for people: how many masters it visited in each
// state, in the order they first came, and how many other EPS files it
// passed over. Returns the worst status of all. A `prepare` given is done
// on other threads while the walk goes on (in_order_work.h); the visits and
// the messages come in the same order all the same. For `rewriting`, each
// folder is read for the rewrites of its masters (see readFolder).
int walkMasters(const std::vector<std::string>& paths, bool recursive, bool summary,
                Console& console, const MasterVisit& visit, const LeftoverVisit& leftovers,
                const MasterPreparation& prepare = {}, ReadingFor purpose = ReadingFor::reading);

} // namespace platelier
