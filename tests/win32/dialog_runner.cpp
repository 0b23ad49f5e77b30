// The UI thread that runs the main dialog through DialogBoxParamA, and the
// closing of everything it has open when a test is done.
#include "win32/dialog_runner.h"

#include "app/controller_state.h"
#include "app/win32/dialog_procedures.h"
#include "resources/resource_ids.h"
#include "win32/window_finder.h"

namespace platelier::testing {

namespace {

constexpr std::chrono::milliseconds closeRetryPeriod{200};
constexpr std::chrono::milliseconds askingTime{2000};

} // namespace

MainDialogRunner::~MainDialogRunner() {
    if (thread_.joinable()) {
        closeEverything();
    }
}

::testing::AssertionResult MainDialogRunner::start() {
    thread_ = std::thread([shared = shared_] {
        shared->threadId = GetCurrentThreadId();
        ControllerState state;
        shared->result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MAIN),
                                         nullptr, mainDialogProc, reinterpret_cast<LPARAM>(&state));
        shared->ended = true;
    });
    const bool shown = waitUntil([this] {
        if (hasEnded()) {
            return true;
        }
        const std::vector<HWND> dialogs = visibleDialogs(threadId());
        dialog_ = dialogs.empty() ? nullptr : dialogs.front();
        return dialog_ != nullptr;
    });
    if (!shown || hasEnded()) {
        return ::testing::AssertionFailure()
               << "the main dialog did not appear (DialogBoxParamA returned "
               << (hasEnded() ? shared_->result.load() : 0) << ")";
    }
    settle();
    return ::testing::AssertionSuccess();
}

void MainDialogRunner::post(UINT message, WPARAM wParam, LPARAM lParam) const {
    PostMessageA(dialog_, message, wParam, lParam);
}

// The sending thread is let go: it holds nothing of the runner's, and a send
// to a dialog that has gone returns at once.
bool MainDialogRunner::click(int id, std::chrono::milliseconds timeout) {
    const auto ended = std::make_shared<std::atomic<bool>>(false);
    commandEnded_ = ended;
    std::thread([dialog = dialog_, button = item(id), id, ended] {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        *ended = true;
    }).detach();
    return waitForCommand(timeout);
}

bool MainDialogRunner::waitForCommand(std::chrono::milliseconds timeout) const {
    waitUntil([this] { return *commandEnded_ || !nestedDialogs().empty(); }, timeout);
    return *commandEnded_;
}

void MainDialogRunner::settle() const {
    SendMessageA(dialog_, WM_NULL, 0, 0);
}

std::vector<HWND> MainDialogRunner::nestedDialogs() const {
    std::vector<HWND> nested;
    for (HWND window : visibleDialogs(threadId())) {
        if (window != dialog_) {
            nested.push_back(window);
        }
    }
    return nested;
}

std::optional<INT_PTR> MainDialogRunner::waitForEnd(std::chrono::milliseconds timeout) {
    if (!thread_.joinable() || !waitUntil([this] { return hasEnded(); }, timeout)) {
        return std::nullopt;
    }
    thread_.join();
    return shared_->result.load();
}

// Asks every nested window to close, then the main dialog once none is
// left (a nested modal loop must end before the main dialog's can). A window
// that ignores the requests, as a broken dialog procedure would, is ended
// with EndDialog. A thread that still runs after the timeout is let go: the
// process ends it.
void MainDialogRunner::closeEverything() {
    const auto start = std::chrono::steady_clock::now();
    const bool ended = waitUntil([&] {
        if (hasEnded()) {
            return true;
        }
        const bool ask = std::chrono::steady_clock::now() - start < askingTime;
        const std::vector<HWND> nested = nestedDialogs();
        for (HWND window : nested) {
            if (ask) {
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                EndDialog(window, IDCANCEL);
            }
        }
        if (nested.empty()) {
            if (ask) {
                post(WM_SYSCOMMAND, SC_CLOSE);
            } else {
                EndDialog(dialog_, 0);
            }
        }
        std::this_thread::sleep_for(closeRetryPeriod);
        return hasEnded();
    });
    if (ended) {
        thread_.join();
    } else {
        ADD_FAILURE() << "the main dialog's thread did not end";
        thread_.detach();
    }
}

void MainDialogTest::SetUp() {
    ASSERT_TRUE(runner.start());
}

void MainDialogTest::TearDown() {
    if (runner.hasEnded() || runner.dialog() == nullptr) {
        return;
    }
    if (!runner.nestedDialogs().empty()) {
        ADD_FAILURE() << "a window was left open over the main dialog";
        return;
    }
    runner.postCommand(IDC_QUIT);
    EXPECT_EQ(runner.waitForEnd(), std::optional<INT_PTR>(1)) << "Quit must end the dialog with 1";
}

} // namespace platelier::testing
