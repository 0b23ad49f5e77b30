// The main dialog as it runs: its controls against the layout table, the
// enabled states and tab order it opens with, its place on the screen, its
// icon and system menu, and the ways it ends and does not end.
#include "win32/dialog_layouts.h"
#include "win32/dialog_runner.h"
#include "win32/window_finder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

namespace platelier::testing {
namespace {

const char* classNameOf(ControlClass windowClass) {
    switch (windowClass) {
    case ControlClass::button:
        return "Button";
    case ControlClass::edit:
        return "Edit";
    case ControlClass::staticText:
        return "Static";
    }
    return "";
}

std::string describe(const ControlLayout& control, std::size_t index) {
    return "control " + std::to_string(index + 1) + " (ID " + std::to_string(control.id) + ", \"" +
           control.text + "\")";
}

TEST_F(MainDialogTest, ControlsAreTheTemplatesInOrderAtTheirPlaces) {
    const std::vector<HWND> children = childWindows(runner.dialog());
    const std::vector<ControlLayout>& expected = mainDialogLayout.controls;
    ASSERT_EQ(children.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const ControlLayout& control = expected[i];
        SCOPED_TRACE(describe(control, i));
        HWND child = children[i];
        // The template's ID is a WORD: (WORD)-1 may come back as 65535 or -1.
        EXPECT_EQ(GetDlgCtrlID(child) & 0xFFFF, control.id);
        EXPECT_TRUE(hasClass(child, classNameOf(control.windowClass))) << className(child);

        // The dialog manager converts the origin and the size each on its own.
        RECT place{control.x, control.y, control.cx, control.cy};
        MapDialogRect(runner.dialog(), &place);
        const RECT actual = clientRectOf(child, runner.dialog());
        EXPECT_EQ(actual.left, place.left);
        EXPECT_EQ(actual.top, place.top);
        if (control.textKind == TextKind::applicationIcon) {
            // An icon static takes the size of its icon.
            EXPECT_NE(SendMessageA(child, STM_GETICON, 0, 0), 0) << "no icon shown";
            EXPECT_EQ(actual.right - actual.left, GetSystemMetrics(SM_CXICON));
            EXPECT_EQ(actual.bottom - actual.top, GetSystemMetrics(SM_CYICON));
        } else {
            EXPECT_EQ(actual.right - actual.left, place.right);
            EXPECT_EQ(actual.bottom - actual.top, place.bottom);
            EXPECT_EQ(windowText(child), control.text);
        }
    }
}

TEST_F(MainDialogTest, OpensWithOnlyTheMasterCommandsEnabled) {
    struct EnabledRow {
        int id;
        bool enabled;
    };
    const EnabledRow rows[] = {
        {400, true},  {500, true},  {501, true},  {502, true},  {503, true},
        {504, true},  {301, true},  {302, true},  {303, true},  {304, true},
        {603, true},  {604, true},  {401, false}, {402, false}, {403, false},
        {404, false}, {600, false}, {601, false}, {602, false},
    };
    for (const EnabledRow& row : rows) {
        EXPECT_EQ(IsWindowEnabled(runner.item(row.id)) != FALSE, row.enabled) << "ID " << row.id;
    }
}

std::vector<int> tabOrderFrom(HWND dialog, int firstId) {
    std::vector<int> order{firstId};
    HWND first = GetDlgItem(dialog, firstId);
    for (HWND item = GetNextDlgTabItem(dialog, first, FALSE);
         item != nullptr && item != first && order.size() < 64;
         item = GetNextDlgTabItem(dialog, item, FALSE)) {
        order.push_back(GetDlgCtrlID(item));
    }
    return order;
}

TEST_F(MainDialogTest, TabOrderFollowsTheTemplateAndSkipsDisabledCommands) {
    struct TabRow {
        const char* name;
        std::vector<int> enableNow;
        std::vector<int> order;
    };
    const TabRow rows[] = {
        {"as the dialog opens", {}, {400, 500, 501, 502, 503, 504, 301, 302, 303, 304, 603, 604}},
        {"with the fileset commands enabled",
         {601, 602, 600},
         {400, 500, 501, 502, 503, 504, 301, 302, 303, 304, 601, 602, 600, 603, 604}},
        {"with the separation Browse buttons enabled too",
         {401, 402, 403, 404},
         {400, 500, 501, 502, 503, 504, 301, 401, 302, 402, 303, 403, 304, 404, 601, 602, 600, 603,
          604}},
    };
    EXPECT_EQ(GetNextDlgTabItem(runner.dialog(), runner.item(400), FALSE), runner.item(500));
    EXPECT_EQ(GetWindowLongA(runner.item(300), GWL_STYLE) & WS_TABSTOP, 0);
    for (const TabRow& row : rows) {
        for (int id : row.enableNow) {
            EnableWindow(runner.item(id), TRUE);
        }
        EXPECT_EQ(tabOrderFrom(runner.dialog(), 400), row.order) << row.name;
    }
}

TEST_F(MainDialogTest, IsCentredOnTheScreen) {
    const SIZE screen = screenSize();
    const RECT dialog = windowRect(runner.dialog());
    const POINT expected = centredPosition(dialog, RECT{0, 0, screen.cx, screen.cy}, screen);
    EXPECT_EQ(dialog.left, expected.x);
    EXPECT_EQ(dialog.top, expected.y);
}

TEST_F(MainDialogTest, ShowsTheProgramsSmallIcon) {
    EXPECT_NE(SendMessageA(runner.dialog(), WM_GETICON, ICON_SMALL, 0), 0);
}

std::string menuItemText(HMENU menu, int position) {
    char text[128] = {};
    const int length = GetMenuStringA(menu, static_cast<UINT>(position), text,
                                      static_cast<int>(sizeof text), MF_BYPOSITION);
    return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

TEST_F(MainDialogTest, SystemMenuEndsWithAboutAndHelp) {
    struct MenuRow {
        int fromEnd;
        bool separator;
        UINT id;
        const char* text;
    };
    const MenuRow rows[] = {
        {3, true, 0, ""},
        {2, false, 1024, "A propos de Platelier..."},
        {1, false, 1280, "Aide..."},
    };
    HMENU menu = GetSystemMenu(runner.dialog(), FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 3);
    for (const MenuRow& row : rows) {
        const int position = count - row.fromEnd;
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID;
        ASSERT_TRUE(GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item))
            << "item " << position;
        EXPECT_EQ((item.fType & MFT_SEPARATOR) != 0, row.separator) << "item " << position;
        if (!row.separator) {
            EXPECT_EQ(item.wID, row.id) << "item " << position;
            EXPECT_EQ(menuItemText(menu, position), row.text) << "item " << position;
        }
    }
}

TEST(MainDialogEnding, EndsByQuitAndTheCloseCommand) {
    struct EndingRow {
        const char* name;
        UINT message;
        WPARAM wParam;
        INT_PTR result;
    };
    const EndingRow rows[] = {
        {"Quit", WM_COMMAND, 604, 1},
        {"close command", WM_SYSCOMMAND, SC_CLOSE, 0},
        {"close command, low bits set", WM_SYSCOMMAND, SC_CLOSE | 3, 0},
    };
    for (const EndingRow& row : rows) {
        MainDialogRunner runner;
        ASSERT_TRUE(runner.start()) << row.name;
        runner.post(row.message, row.wParam);
        EXPECT_EQ(runner.waitForEnd(), std::optional<INT_PTR>(row.result)) << row.name;
    }
}

TEST_F(MainDialogTest, OkAndCancelCommandsDoNotEndIt) {
    for (WPARAM command : {WPARAM{IDOK}, WPARAM{IDCANCEL}}) {
        runner.post(WM_COMMAND, command);
        // Nothing to wait for: give the command the time it would take to end
        // the dialog, then see that it did not.
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        runner.settle();
        EXPECT_FALSE(runner.hasEnded()) << "command " << command;
        EXPECT_TRUE(IsWindowVisible(runner.dialog())) << "command " << command;
        EXPECT_TRUE(runner.nestedDialogs().empty()) << "command " << command;
    }
}

} // namespace
} // namespace platelier::testing
