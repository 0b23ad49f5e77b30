// The guards that an interruption acts on, in slots that the program and its
// handler of interruptions share. The handler may run at any point of the
// program: on POSIX systems on the program's own thread, between two of its
// instructions; on Win32 on a thread of its own, at the same time. So the
// slots take no lock, only a lock-free atomic state each, as a signal
// handler may: a guard writes its paths only into a slot it took free, the
// handler reads only one it took held and never gives back (the program is
// ending), so neither ever reads a path that the other is writing. A guard
// still being written is passed over: its file, just created, is left, and
// a rename whose guard is not written yet stays (which is why a rename and
// its guard are made in one uninterrupted step).
#include "platform/interruption.h"

#include <atomic>
#include <cstring>
#include <iterator>

namespace platelier {

namespace {

enum SlotState { freeSlot, writing, held, undoing };
enum SlotKind { temporaryFile, rename };

struct Slot {
    std::atomic<int> state{freeSlot};
    SlotKind kind = temporaryFile;
    unsigned long order = 0; // renames are given back the last first
    char path[4096];         // the temporary file, or the name given up
    char renamedTo[4096];
};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the slots");

Slot slots[interruptionGuards];
std::atomic<unsigned long> renamesGuarded{0};

bool change(Slot& slot, int from, int to) {
    return slot.state.compare_exchange_strong(from, to);
}

int hold(SlotKind kind, const std::string& path, const std::string& renamedTo) {
    if (path.size() >= sizeof slots[0].path || renamedTo.size() >= sizeof slots[0].renamedTo) {
        return -1;
    }
    for (int index = 0; index < static_cast<int>(std::size(slots)); ++index) {
        Slot& slot = slots[index];
        if (change(slot, freeSlot, writing)) {
            slot.kind = kind;
            slot.order = ++renamesGuarded;
            std::memcpy(slot.path, path.c_str(), path.size() + 1);
            std::memcpy(slot.renamedTo, renamedTo.c_str(), renamedTo.size() + 1);
            slot.state = held;
            return index;
        }
    }
    return -1;
}

void letGo(int slot) {
    if (slot >= 0) {
        change(slots[slot], held, freeSlot);
    }
}

// The held rename guarded last, taken for undoing; null when none is left.
Slot* lastRename() {
    Slot* last = nullptr;
    for (Slot& slot : slots) {
        if (slot.state == held && slot.kind == rename && (!last || slot.order > last->order)) {
            last = &slot;
        }
    }
    return last && change(*last, held, undoing) ? last : nullptr;
}

} // namespace

TemporaryFileGuard::TemporaryFileGuard(const std::string& path)
    : slot_(hold(temporaryFile, path, std::string())) {}

TemporaryFileGuard::~TemporaryFileGuard() {
    letGo(slot_);
}

RenameGuard::RenameGuard(const std::string& from, const std::string& to)
    : slot_(hold(rename, from, to)) {}

RenameGuard::~RenameGuard() {
    letGo(slot_);
}

void detail::undoHeldChanges(void (*rename)(const char* from, const char* to),
                             void (*remove)(const char* path)) {
    while (Slot* slot = lastRename()) {
        rename(slot->renamedTo, slot->path);
    }
    for (Slot& slot : slots) {
        if (slot.kind == temporaryFile && change(slot, held, undoing)) {
            remove(slot.path);
        }
    }
}

void detail::interruptForTest() {
    undoHeldChangesWithTheSystem();
    for (Slot& slot : slots) {
        slot.state = freeSlot;
    }
}

} // namespace platelier
