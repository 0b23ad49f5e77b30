// The paths that an interruption removes, in slots that the program and its
// handler of interruptions share. The handler may run at any point of the
// program: on POSIX systems on the program's own thread, between two of its
// instructions; on Win32 on a thread of its own, at the same time. So the
// slots take no lock, only a lock-free atomic state each, as a signal
// handler may: a guard writes a path only into a slot it took free, the
// handler reads only one it took held and never gives back (the program is
// ending), so neither ever reads a path that the other is writing. A path
// still being written is passed over: its file, just created, is left.
#include "platform/interruption.h"

#include <atomic>
#include <cstring>
#include <iterator>

namespace platelier {

namespace {

enum SlotState { freeSlot, writing, held, removing };

struct Slot {
    std::atomic<int> state{freeSlot};
    char path[4096];
};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler reads the slots");

// A rewrite holds two at most: the new master, and a second name of the old.
Slot slots[4];

bool change(Slot& slot, int from, int to) {
    return slot.state.compare_exchange_strong(from, to);
}

} // namespace

TemporaryFileGuard::TemporaryFileGuard(const std::string& path) {
    for (int index = 0;
         path.size() < sizeof slots[0].path && index < static_cast<int>(std::size(slots));
         ++index) {
        if (change(slots[index], freeSlot, writing)) {
            std::memcpy(slots[index].path, path.c_str(), path.size() + 1);
            slots[index].state = held;
            slot_ = index;
            return;
        }
    }
}

TemporaryFileGuard::~TemporaryFileGuard() {
    if (slot_ >= 0) {
        change(slots[slot_], held, freeSlot);
    }
}

void detail::removeHeldTemporaryFiles(void (*remove)(const char* path)) {
    for (Slot& slot : slots) {
        if (change(slot, held, removing)) {
            remove(slot.path);
        }
    }
}

} // namespace platelier
