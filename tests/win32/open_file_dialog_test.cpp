// The master Browse command under the real open-file dialog: the dialog's
// title, filter and preset name, its size and place as the program's hook
// leaves them, cancelling, and whole opens of a master and of a file that is
// not one.
#include "master_bytes.h"
#include "temp_folder.h"
#include "win32/dialog_runner.h"
#include "win32/window_finder.h"

#include <commdlg.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <memory>
#include <thread>

namespace platelier::testing {
namespace {

constexpr const char* chooserTitle = "Ouverture du fichier EPS principal";
constexpr const char* refusal = "Ce fichier n'est pas un fichier EPS normal, ou pas le fichier-ma"
                                "\xEE"
                                "tre d'un ensemble DCS";

// The file name field: a combo box (cmb13) on Windows, an edit (edt1) in
// Wine's dialog.
HWND fileNameField(HWND chooser) {
    HWND combo = GetDlgItem(chooser, cmb13);
    return combo != nullptr ? combo : GetDlgItem(chooser, edt1);
}

std::vector<std::string> filterTexts(HWND chooser) {
    HWND types = GetDlgItem(chooser, cmb1);
    std::vector<std::string> texts;
    const auto count = SendMessageA(types, CB_GETCOUNT, 0, 0);
    for (WPARAM i = 0; static_cast<LRESULT>(i) < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(types, CB_GETLBTEXTLEN, i, 0)) + 1,
                         '\0');
        SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(text.size() - 1);
        texts.push_back(text);
    }
    return texts;
}

std::string selectedFilterText(HWND chooser) {
    const auto selected = SendMessageA(GetDlgItem(chooser, cmb1), CB_GETCURSEL, 0, 0);
    const std::vector<std::string> texts = filterTexts(chooser);
    return selected >= 0 && static_cast<std::size_t>(selected) < texts.size()
               ? texts[static_cast<std::size_t>(selected)]
               : std::string();
}

void pressOk(HWND dialog) {
    HWND ok = GetDlgItem(dialog, IDOK);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

UINT_PTR CALLBACK leaveAsIs(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

// The same open-file dialog as the program's, opened from a thread of the
// test's with a hook that does nothing: the size the program's hook starts
// from. A hook of some kind is needed: without one Windows shows its newer
// dialog, and Wine's dialog is a few pixels larger (500x296 rather than
// 496x292 on the test display).
std::optional<RECT> referenceChooserRect(HWND owner) {
    struct Shared {
        std::atomic<DWORD> threadId{0};
        std::atomic<bool> ended{false};
    };
    const auto shared = std::make_shared<Shared>();
    std::thread chooser([shared, owner] {
        shared->threadId = GetCurrentThreadId();
        static const char filter[] = "Fichiers EPS [*.eps]\0*.eps\0";
        char fileName[260] = "*.eps";
        OPENFILENAMEA request{};
        request.lStructSize =
            static_cast<DWORD>(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR));
        request.hwndOwner = owner;
        request.hInstance = GetModuleHandleA(nullptr);
        request.lpstrFilter = filter;
        request.lpstrFile = fileName;
        request.nMaxFile = static_cast<DWORD>(sizeof fileName);
        request.lpstrTitle = chooserTitle;
        request.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
        request.lpstrDefExt = "eps";
        request.lpfnHook = leaveAsIs;
        GetOpenFileNameA(&request);
        shared->ended = true;
    });
    std::optional<RECT> rect;
    waitUntil([&] {
        HWND window = findDialog(shared->threadId, chooserTitle);
        if (window != nullptr) {
            rect = windowRect(window);
        }
        return rect.has_value() || shared->ended;
    });
    const bool ended = waitUntil([&] {
        for (HWND window : visibleDialogs(shared->threadId)) {
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        }
        return waitUntil([&] { return shared->ended.load(); }, std::chrono::milliseconds(200));
    });
    if (ended) {
        chooser.join();
    } else {
        ADD_FAILURE() << "the reference open-file dialog did not close";
        chooser.detach();
    }
    return rect;
}

class OpenFileDialogTest : public MainDialogTest {
  protected:
    // Opens the chooser by the master Browse button and returns it.
    HWND openChooser() {
        runner.postCommand(400);
        return waitForDialog(runner.threadId(), chooserTitle);
    }

    // Chooses `path` in an open chooser by typing it and pressing OK.
    void choose(HWND chooser, const std::string& path) {
        SetWindowTextA(fileNameField(chooser), path.c_str());
        pressOk(chooser);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(chooser); })) << "the chooser stays open";
    }

    std::map<int, bool> enabledStates() {
        std::map<int, bool> states;
        for (int id : {300, 301, 302, 303, 304, 400, 401, 402, 403, 404,
                       500, 501, 502, 503, 504, 600, 601, 602, 603, 604}) {
            states[id] = IsWindowEnabled(runner.item(id)) != FALSE;
        }
        return states;
    }

    std::string text(int id) { return windowText(runner.item(id)); }
};

TEST_F(OpenFileDialogTest, ChooserOffersMasterFilesByTheirPattern) {
    HWND chooser = openChooser();
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(GetWindow(chooser, GW_OWNER), runner.dialog());
    EXPECT_EQ(filterTexts(chooser), std::vector<std::string>{"Fichiers EPS [*.eps]"});
    EXPECT_EQ(selectedFilterText(chooser), "Fichiers EPS [*.eps]");
    ASSERT_NE(fileNameField(chooser), nullptr);
    EXPECT_EQ(windowText(fileNameField(chooser)), "*.eps");
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(chooser); }));
}

TEST_F(OpenFileDialogTest, ChooserIsShortenedAndCentredOnTheMainDialog) {
    const std::optional<RECT> reference = referenceChooserRect(runner.dialog());
    ASSERT_TRUE(reference.has_value()) << "the reference open-file dialog did not open";

    for (const Place& place : placesToCentreOn(runner.dialog())) {
        moveWindowTo(runner.dialog(), place.corner);
        ASSERT_EQ(windowRect(runner.dialog()).left, place.corner.x) << place.name;
        ASSERT_EQ(windowRect(runner.dialog()).top, place.corner.y) << place.name;
        HWND chooser = openChooser();
        ASSERT_NE(chooser, nullptr) << place.name;
        const RECT rect = windowRect(chooser);
        EXPECT_EQ(rect.right - rect.left, reference->right - reference->left) << place.name;
        EXPECT_EQ(rect.bottom - rect.top, reference->bottom - reference->top - 33) << place.name;
        const POINT expected = centredPosition(rect, windowRect(runner.dialog()), screenSize());
        EXPECT_EQ(rect.left, expected.x) << "main dialog " << place.name;
        EXPECT_EQ(rect.top, expected.y) << "main dialog " << place.name;
        PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(chooser); })) << place.name;
    }
}

TEST_F(OpenFileDialogTest, CancelLeavesTheDialogAsItWas) {
    const std::string earlier = "C:\\earlier\\picture.eps";
    SetWindowTextA(runner.item(300), earlier.c_str());
    const std::map<int, bool> before = enabledStates();

    HWND chooser = openChooser();
    ASSERT_NE(chooser, nullptr);
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(chooser); }));
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(runner.dialog()) != FALSE; }));
    runner.settle();

    EXPECT_TRUE(runner.nestedDialogs().empty()) << "a window opened after the cancel";
    EXPECT_EQ(text(300), earlier);
    EXPECT_EQ(enabledStates(), before);
}

TEST_F(OpenFileDialogTest, OpensAMasterAndRefusesAFileThatIsNotOne) {
    const TempFolder folder;
    const std::string master = folder.write("pic.eps", masterText("\r\n"));
    for (const char* separation : {"pic.C", "pic.M", "pic.J", "pic.N"}) {
        folder.write(separation, "%!PS-Adobe-3.0\r\n");
    }
    const std::string plain = folder.write("plain.eps", "%!PS-Adobe-3.0\r\n");

    HWND chooser = openChooser();
    ASSERT_NE(chooser, nullptr);
    choose(chooser, master);
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(runner.item(404)) != FALSE; }))
        << "the open did not finish";
    runner.settle();
    EXPECT_TRUE(runner.nestedDialogs().empty()) << "a message box came up";
    struct TextRow {
        int id;
        std::string text;
    };
    const TextRow texts[] = {
        {300, master},
        {500, "My picture"},
        {501, "pic.C"},
        {502, "pic.M"},
        {503, "pic.J"},
        {504, "pic.N"},
        {301, folder.file("pic.C")},
        {302, folder.file("pic.M")},
        {303, folder.file("pic.J")},
        {304, folder.file("pic.N")},
    };
    for (const TextRow& row : texts) {
        EXPECT_EQ(text(row.id), row.text) << "ID " << row.id;
    }
    for (int id : {401, 402, 403, 404, 601, 602, 600}) {
        EXPECT_TRUE(IsWindowEnabled(runner.item(id))) << "ID " << id;
    }

    const std::map<int, bool> before = enabledStates();
    chooser = openChooser();
    ASSERT_NE(chooser, nullptr);
    choose(chooser, plain);
    HWND message = waitForDialog(runner.threadId(), "Talvernes");
    ASSERT_NE(message, nullptr) << "no message box";
    EXPECT_EQ(GetWindow(message, GW_OWNER), runner.dialog());
    HWND messageText = GetDlgItem(message, 0xFFFF);
    if (messageText == nullptr) {
        for (HWND child : childWindows(message)) {
            if (hasClass(child, "Static") &&
                (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) {
                messageText = child;
                break;
            }
        }
    }
    ASSERT_NE(messageText, nullptr);
    EXPECT_EQ(windowText(messageText), refusal);
    pressOk(message);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(message); }));
    runner.settle();
    EXPECT_TRUE(runner.nestedDialogs().empty());
    EXPECT_EQ(text(300), plain);
    EXPECT_EQ(enabledStates(), before);
}

} // namespace
} // namespace platelier::testing
