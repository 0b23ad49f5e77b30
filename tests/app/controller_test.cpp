// The dialogs' controller against a dialog without windows: which messages
// it takes and how it reads their parameters, the enabled commands after
// each step a user can take, the open sequence, help and the centring
// arithmetic.
#include "app/about_dialog_controller.h"
#include "app/window_centering.h"
#include "recording_dialog.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

// The message, its wParam, whether it is taken, the dialog's end result
// (-1: it goes on) and what else happened: c a chooser, a the About box,
// h help, m a message.
using MessageCase = std::tuple<unsigned, std::uintptr_t, bool, int, std::string>;

// clang-format off
const MessageCase mainDialogCases[] = {
    {messageCommand, 1, false, -1, ""}, {messageCommand, commandCancel, false, -1, ""},
    {messageCommand, 400 | 0x50000u, true, -1, "c"}, {messageCommand, 300, false, -1, ""},
    {messageCommand, 405, false, -1, ""}, {messageCommand, 601, true, -1, "m"},
    {messageCommand | 0x20000u, 604, true, 1, ""}, {messageSystemCommand, 1039, true, -1, "a"},
    {messageSystemCommand, 1040, false, -1, ""}, {messageSystemCommand, 1023, false, -1, ""},
    {messageSystemCommand, 1295, true, -1, "h"}, {messageSystemCommand, 1296, false, -1, ""},
    {messageSystemCommand, 0x7F06F, true, 0, ""}, {messageSystemCommand, 0xF010, false, -1, ""},
    {0x0010, 0, false, -1, ""}, {messageInitDialog, 0, true, -1, ""}};
const MessageCase aboutDialogCases[] = {
    {messageInitDialog, 0, true, -1, ""}, {messageCommand, 501 | 0x10000u, true, 0, ""},
    {messageCommand, commandCancel, true, 0, ""}, {messageCommand, 1, false, -1, ""},
    {messageSystemCommand, 0xF063, true, 0, ""}, {messageSystemCommand, 1024, false, -1, ""},
    {0x0010, 0, false, -1, ""}};
// clang-format on

TEST(DialogControllers, TakeTheirMessagesByTheirLowBits) {
    for (const auto& [message, wParam, handled, endResult, did] : mainDialogCases) {
        MainDialog main;
        EXPECT_EQ(handleMainDialogMessage(main.dialog, main.state, message, wParam), handled)
            << wParam;
        EXPECT_EQ(main.dialog.endResult, endResult) << wParam;
        EXPECT_EQ(std::string(main.dialog.choosers.empty() ? "" : "c") + main.dialog.did +
                      (main.dialog.messages.empty() ? "" : "m"),
                  did)
            << wParam;
    }
    for (const auto& [message, wParam, handled, endResult, did] : aboutDialogCases) {
        RecordingDialog dialog;
        EXPECT_EQ(handleAboutDialogMessage(dialog, message, wParam), handled) << wParam;
        EXPECT_EQ(dialog.endResult, endResult) << wParam;
    }
}

// After each step a user can take: the enabled commands (401 402 403 404
// 601 602 600), the messages so far, and the title and cyan name shown. A
// master named when the program started opens once the dialog shows, as if
// chosen with the master Browse button; a dropped one too.
TEST(OpenSequence, EnablesCommandsAndShowsTheMasterStepByStep) {
    TempFolder folder({"PLAIN.EPS=%!PS-Adobe-3.0\r\n%%Title: x\r\n",
                       "IMAGE.EPS=" + masterText("\r\n"),
                       "NOCYAN.EPS=" + masterText("\r\n", plateBlock("\r\n", "", "m", "y", "k"))});
    std::optional<MainDialog> main;
    const auto open = [&](const char* name) { main->open(folder.file(name)); };
    const auto drop = [&](const char* name) {
        openMasterAt(main->dialog, main->state, folder.file(name));
    };
    const auto setPaths = [&](const std::string& path) {
        for (int id = IDC_CYAN_PATH; id <= IDC_BLACK_PATH; ++id) {
            main->dialog.texts[id] = path;
        }
    };
    using Step =
        std::tuple<const char*, std::function<void()>, const char*, std::size_t, const char*>;
    // clang-format off
    const Step steps[] = {
        {"started with a refused file", [&] { main.emplace(folder.file("PLAIN.EPS")); }, "0000000",
            1, "x|"},
        {"started with a master", [&] { main.emplace(folder.file("IMAGE.EPS")); }, "1111100", 0,
            "My picture|pic.C"},
        {"started with nothing", [&] { main.emplace(); }, "0000000", 0, "|"},
        {"a refused file", [&] { open("PLAIN.EPS"); }, "0000000", 1, "x|"},
        {"a cancelled open", [&] { main->command(IDC_MASTER_BROWSE); }, "0000000", 1, "x|"},
        {"an empty name, four paths", [&] { setPaths("D:\\x"); open("NOCYAN.EPS"); }, "1111010", 1,
            "My picture|"},
        {"a full open", [&] { open("IMAGE.EPS"); }, "1111111", 1, "My picture|pic.C"},
        {"a refused file after it", [&] { open("PLAIN.EPS"); }, "1111111", 2, "x|pic.C"},
        {"New Fileset, then cancel", [&] { main->command(IDC_NEW_FILESET); }, "0000111", 2, "|"},
        {"a dropped master, paths too long", [&] { setPaths(std::string(300,
            'p')); drop("IMAGE.EPS"); },
            "1111111", 2, "My picture|pic.C"},
    };
    // clang-format on
    for (const auto& [what, act, flags, messages, shown] : steps) {
        act();
        std::string enabled;
        for (int id : {401, 402, 403, 404, 601, 602, 600}) {
            enabled += main->dialog.disabled[id] ? '0' : '1';
        }
        EXPECT_EQ(enabled, flags) << what;
        EXPECT_EQ(main->dialog.messages.size(), messages) << what;
        EXPECT_EQ(main->dialog.texts[IDC_TITLE] + "|" + main->dialog.texts[IDC_CYAN_NAME], shown)
            << what;
    }
    EXPECT_EQ(main->state.recordedSeparationPaths[black], std::string(255, 'p'));
    EXPECT_EQ(main->dialog.choosers.size(), 9u) << "a cancelled chooser ends the discovery";
    const RecordingDialog::Chooser& chooser = main->dialog.choosers[0];
    EXPECT_EQ(chooser.title + chooser.filter + chooser.extension,
              "Ouverture du fichier EPS principalFichiers EPS [*.eps]|*.epseps");
    EXPECT_EQ(main->dialog.messages[0], "Ce fichier n'est pas un fichier EPS normal, ou pas le "
                                        "fichier-ma\xEEtre d'un ensemble DCS");
}

// The help file beside the program when it is there, else the user guide's
// page when that is, else the help file all the same.
TEST(MainDialogController, HelpOpensTheHelpFileOrTheUserGuidesPage) {
    const std::string x248(248, 'x');
    TempFolder folder({"WITH/EDIT.HLP=", "WITH/EDIT.html=", "PAGE/EDIT.html=", "NONE/"});
    // clang-format off
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {"C:\\A.B\\EDIT", {"help C:\\A.HLP"}}, {"C:\\Tools\\EDIT", {}},
        {"C:\\" + x248 + ".EXE", {"help C:\\" + x248 + ".HLP"}}, {"C:\\" + x248 + "x.EXE", {}},
        {folder.file("WITH/EDIT.EXE"), {"help " + folder.file("WITH/EDIT.HLP")}},
        {folder.file("PAGE/EDIT.EXE"), {"page " + folder.file("PAGE/EDIT.html")}},
        {folder.file("NONE/EDIT.EXE"), {"help " + folder.file("NONE/EDIT.HLP")}}};
    // clang-format on
    for (const auto& [program, opened] : rows) {
        MainDialog main;
        main.dialog.program = program;
        handleMainDialogMessage(main.dialog, main.state, messageSystemCommand, 1280);
        EXPECT_EQ(main.dialog.opened, opened) << program;
    }
}

TEST(CenteredPosition, CentresThenClampsEachAxis) {
    // clang-format off
    const std::tuple<WindowRect, std::optional<WindowRect>, std::int32_t, std::int32_t> rows[] = {
        {{0, 0, 300, 200}, std::nullopt, 362, 284}, {{0, 0, 301, 201}, std::nullopt, 361, 283},
        {{0, 0, 105, 100}, WindowRect{10, 10, 110, 110}, 8, 10}, // (-5) / 2 is -2
        {{0, 0, 200, 100}, WindowRect{900, 300, 1000, 400}, 824, 300},
        {{0, 0, 200, 100}, WindowRect{-300, -200, -100, -100}, 0, 0},
        {{0, 0, 200, 100}, WindowRect{824, 0, 1024, 100}, 824, 0},
        {{0, 0, 1200, 900}, std::nullopt, 0, 0}, {{0, 0, 100, 300}, WindowRect{0, 700, 100, 760},
            0, 468},
        {{0, 0, 1200, 100}, WindowRect{600, 0, 1400, 100}, -176, 0}};
    // clang-format on
    for (const auto& [window, reference, x, y] : rows) {
        const WindowPosition position = centeredPosition(window, reference, 1024, 768);
        EXPECT_EQ(position.x, x) << x << "," << y;
        EXPECT_EQ(position.y, y) << x << "," << y;
    }
}

} // namespace
} // namespace platelier
