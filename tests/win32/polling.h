// Waiting on the dialogs under test: a condition is polled in short steps
// until it holds or a timeout passes, never a fixed sleep.
#pragma once

#include <chrono>
#include <thread>

namespace platelier::testing {

constexpr std::chrono::milliseconds defaultTimeout{10000};
constexpr std::chrono::milliseconds pollStep{20};

// Returns true as soon as `condition()` holds, false when it still does not
// after `timeout`.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = defaultTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(pollStep);
    }
    return true;
}

} // namespace platelier::testing
