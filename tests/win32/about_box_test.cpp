// The About box as it runs over the main dialog: opened from the system menu,
// owned by and centred on the main dialog, and each way of closing it.
#include "win32/dialog_runner.h"
#include "win32/window_finder.h"

#include <gtest/gtest.h>

namespace platelier::testing {
namespace {

constexpr const char* aboutTitle = "About Platelier...";

TEST_F(MainDialogTest, AboutBoxOpensOwnedByAndCentredOnTheMainDialog) {
    for (const Place& place : placesToCentreOn(runner.dialog())) {
        moveWindowTo(runner.dialog(), place.corner);
        ASSERT_EQ(windowRect(runner.dialog()).left, place.corner.x) << place.name;
        ASSERT_EQ(windowRect(runner.dialog()).top, place.corner.y) << place.name;
        runner.post(WM_SYSCOMMAND, 1024);
        HWND about = waitForDialog(runner.threadId(), aboutTitle);
        ASSERT_NE(about, nullptr) << place.name;
        EXPECT_EQ(GetWindow(about, GW_OWNER), runner.dialog()) << place.name;
        EXPECT_FALSE(IsWindowEnabled(runner.dialog())) << "the About box is not modal";

        const RECT box = windowRect(about);
        const POINT expected = centredPosition(box, windowRect(runner.dialog()), screenSize());
        EXPECT_EQ(box.left, expected.x) << "main dialog " << place.name;
        EXPECT_EQ(box.top, expected.y) << "main dialog " << place.name;

        PostMessageA(about, WM_COMMAND, 501, 0);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(about); })) << place.name;
    }
}

TEST_F(MainDialogTest, AboutBoxClosesEachWayAndTheMainDialogGoesOn) {
    struct ClosingRow {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const ClosingRow rows[] = {
        {"OK button", WM_COMMAND, 501},
        {"Escape", WM_COMMAND, IDCANCEL},
        {"close command", WM_SYSCOMMAND, SC_CLOSE},
    };
    for (const ClosingRow& row : rows) {
        runner.post(WM_SYSCOMMAND, 1024);
        HWND about = waitForDialog(runner.threadId(), aboutTitle);
        ASSERT_NE(about, nullptr) << row.name;
        PostMessageA(about, row.message, row.wParam, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); })) << row.name;
        runner.settle();
        EXPECT_FALSE(runner.hasEnded()) << row.name;
        EXPECT_TRUE(IsWindowEnabled(runner.dialog())) << row.name;
        EXPECT_TRUE(runner.nestedDialogs().empty()) << row.name;
    }
}

TEST_F(MainDialogTest, AboutCommandTakesItsWholeRange) {
    for (WPARAM command : {WPARAM{1024}, WPARAM{1030}, WPARAM{1039}}) {
        runner.post(WM_SYSCOMMAND, command);
        HWND about = waitForDialog(runner.threadId(), aboutTitle);
        ASSERT_NE(about, nullptr) << "system command " << command;
        PostMessageA(about, WM_COMMAND, 501, 0);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(about); })) << "system command " << command;
    }
}

} // namespace
} // namespace platelier::testing
