// Runs the program's real main dialog, modal as the program runs it, on a UI
// thread of its own, so that a test can drive it from its own thread: posted
// commands, sent queries, nested windows found by thread. Whatever a test
// leaves open is closed when the runner goes, so that the UI thread ends.
#pragma once

#include "win32/polling.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace platelier::testing {

class MainDialogRunner {
  public:
    MainDialogRunner() = default;
    ~MainDialogRunner();
    MainDialogRunner(const MainDialogRunner&) = delete;
    MainDialogRunner& operator=(const MainDialogRunner&) = delete;

    // Starts the dialog and waits until it is on the screen.
    ::testing::AssertionResult start();

    HWND dialog() const { return dialog_; }
    HWND item(int id) const { return GetDlgItem(dialog_, id); }
    DWORD threadId() const { return shared_->threadId; }

    void post(UINT message, WPARAM wParam, LPARAM lParam = 0) const;
    void postCommand(int id) const { post(WM_COMMAND, static_cast<WPARAM>(id)); }

    // Clicks button `id` as the user does: the dialog gets WM_COMMAND with
    // BN_CLICKED and the button's handle, sent from a thread of its own so
    // that a window the command opens does not hold up the test. Returns as
    // waitForCommand() does.
    bool click(int id, std::chrono::milliseconds timeout = defaultTimeout);

    // Returns true once the command last clicked has run to its end, false
    // as soon as a window is up over the main dialog, or after the timeout.
    bool waitForCommand(std::chrono::milliseconds timeout = defaultTimeout) const;

    // Returns once the UI thread has taken a message from a message loop
    // again: whatever it was doing synchronously when called is done.
    void settle() const;

    // The visible dialogs of the UI thread other than the main dialog.
    std::vector<HWND> nestedDialogs() const;

    bool hasEnded() const { return shared_->ended; }

    // DialogBoxParamA's result once the dialog has ended, the thread joined.
    std::optional<INT_PTR> waitForEnd(std::chrono::milliseconds timeout = defaultTimeout);

  private:
    // What the UI thread writes; shared so that a thread that never ends can
    // be let go without writing into a runner that is gone.
    struct Shared {
        std::atomic<DWORD> threadId{0};
        std::atomic<bool> ended{false};
        std::atomic<INT_PTR> result{0};
    };

    void closeEverything();

    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    std::shared_ptr<std::atomic<bool>> commandEnded_ = std::make_shared<std::atomic<bool>>(true);
    std::thread thread_;
    HWND dialog_ = nullptr;
};

// A test with the main dialog open; it ends by the Quit command, which must
// end the dialog with 1.
class MainDialogTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    MainDialogRunner runner;
};

} // namespace platelier::testing
