// The window manager calls the program's dialog procedures and the chooser's
// hook from C code, through which no exception may unwind: each callback
// runs its body behind this guard.
#pragma once

namespace platelier {

// Runs `body` and returns its result; returns `onException` when it throws
// (the only exception the controller can meet is running out of memory, and
// the message then simply ends).
template <typename Result, typename Body>
Result withoutExceptions(Result onException, const Body& body) noexcept {
    try {
        return body();
    } catch (...) {
        return onException;
    }
}

} // namespace platelier
