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

// A message, how the controller takes it, and what else happened: c a
// chooser, a the About box, h help, m a message.
struct MessageCase {
    unsigned message;
    std::uintptr_t wParam;
    bool handled;
    int endResult; // -1: the dialog goes on
    const char* did;
};

constexpr unsigned otherMessage = 0x0010; // WM_CLOSE, which the dialog manager turns into SC_CLOSE

// clang-format off
const MessageCase mainDialogCases[] = {
    {messageCommand, 1, false, -1, ""}, {messageCommand, commandCancel, false, -1, ""},
    {messageCommand, IDC_MASTER_BROWSE | 0x50000u, true, -1, "c"},
    {messageCommand, IDC_MASTER_PATH, false, -1, ""}, {messageCommand, 405, false, -1, ""},
    {messageCommand, IDC_RENAME_CHANNELS, true, -1, "m"},
    {messageCommand | 0x20000u, IDC_QUIT, true, 1, ""},
    {messageSystemCommand, IDM_ABOUT + 15, true, -1, "a"},
    {messageSystemCommand, IDM_ABOUT + 16, false, -1, ""},
    {messageSystemCommand, IDM_ABOUT - 1, false, -1, ""},
    {messageSystemCommand, IDM_HELP + 15, true, -1, "h"},
    {messageSystemCommand, 0x70000u | systemCommandClose | 0xF, true, 0, ""},
    {messageSystemCommand, 0xF010, false, -1, ""}, // SC_MOVE
    {otherMessage, 0, false, -1, ""}, {messageInitDialog, 0, true, -1, ""}};
const MessageCase aboutDialogCases[] = {
    {messageInitDialog, 0, true, -1, ""}, {messageCommand, IDC_ABOUT_OK | 0x10000u, true, 0, ""},
    {messageCommand, commandCancel, true, 0, ""}, {messageCommand, 1, false, -1, ""},
    {messageSystemCommand, systemCommandClose | 3, true, 0, ""},
    {messageSystemCommand, IDM_ABOUT, false, -1, ""}, {otherMessage, 0, false, -1, ""}};
// clang-format on

TEST(DialogControllers, TakeTheirMessagesByTheirLowBits) {
    for (const MessageCase& row : mainDialogCases) {
        MainDialog main;
        EXPECT_EQ(handleMainDialogMessage(main.dialog, main.state, row.message, row.wParam),
                  row.handled)
            << row.wParam;
        EXPECT_EQ(main.dialog.endResult, row.endResult) << row.wParam;
        EXPECT_EQ(std::string(main.dialog.choosers.empty() ? "" : "c") + main.dialog.did +
                      (main.dialog.messages.empty() ? "" : "m"),
                  row.did)
            << row.wParam;
    }
    for (const MessageCase& row : aboutDialogCases) {
        RecordingDialog dialog;
        EXPECT_EQ(handleAboutDialogMessage(dialog, row.message, row.wParam), row.handled)
            << row.wParam;
        EXPECT_EQ(dialog.endResult, row.endResult) << row.wParam;
    }
}

// After each step a user can take: what is enabled ("browse" for the four
// Browse buttons, then "channels" 601, "files" 602, "save" 600), the
// messages so far, and the title and cyan name shown. A master named when
// the program started opens once the dialog shows, as if chosen with the
// master Browse button; a dropped one too.
struct Step {
    const char* what;
    std::function<void()> act;
    const char* enabled;
    std::size_t messages;
    const char* shown; // title|cyan name
};

TEST(OpenSequence, EnablesCommandsAndShowsTheMasterStepByStep) {
    TempFolder folder({"PLAIN.EPS=%!PS-Adobe-3.0\r\n%%Title: x\r\n",
                       "DCS2.EPS=%%Title: d2\r\n%%PlateFile: (Cyan) EPS Local pic.C\r\n",
                       "IMAGE.EPS=" + masterText("\r\n"),
                       "NOCYAN.EPS=" + masterText("\r\n", plateBlock("\r\n", "", "m", "y", "k"))});
    std::optional<MainDialog> main;
    const auto open = [&](const char* name) { main->open(folder.file(name)); };
    const auto image = [&](std::size_t length) { // IMAGE.EPS's path of `length` characters
        std::string path = folder.file("IMAGE.EPS");
        return path.insert(folder.folder().size(), length - path.size(), '/');
    };
    const auto setPaths = [&](const std::string& path) {
        for (int id = IDC_CYAN_PATH; id <= IDC_BLACK_PATH; ++id) {
            main->dialog.texts[id] = path;
        }
    };
    // clang-format off
    const Step steps[] = {
        {"started with a refused file", [&] { main.emplace(folder.file("PLAIN.EPS")); }, "", 1,
            "x|"},
        {"started with a master", [&] { main.emplace(folder.file("IMAGE.EPS")); },
            "browse channels", 0, "My picture|pic.C"},
        {"started with nothing", [&] { main.emplace(); }, "", 0, "|"},
        {"a refused file", [&] { open("PLAIN.EPS"); }, "", 1, "x|"},
        {"a DCS 2.0 master", [&] { open("DCS2.EPS"); }, "", 2, "d2|"},
        {"a cancelled open", [&] { main->command(IDC_MASTER_BROWSE); }, "", 2, "d2|"},
        {"an empty name, four paths", [&] { setPaths("D:\\x"); open("NOCYAN.EPS"); },
            "browse files", 2, "My picture|"},
        {"a full open", [&] { open("IMAGE.EPS"); }, "browse channels files save", 2,
            "My picture|pic.C"},
        {"a refused file after it", [&] { open("PLAIN.EPS"); }, "browse channels files save", 3,
            "x|pic.C"},
        {"New Fileset, then cancel", [&] { main->command(IDC_NEW_FILESET); },
            "channels files save", 3, "|"},
        {"a separation file of 256 characters chosen", [&] { main->dialog.answers = {
            folder.file("NOCYAN.EPS"), image(256)}; main->command(IDC_MASTER_BROWSE); },
            "browse channels files save", 4, "My picture|"},
        {"a dropped master, paths too long", [&] { setPaths(std::string(300, 'p'));
            openMasterAt(main->dialog, main->state, image(255)); }, "browse channels files save", 4,
            "My picture|pic.C"},
        {"a dropped path of 256 characters", [&] { openMasterAt(main->dialog, main->state,
            image(256)); }, "browse channels files save", 5, "My picture|pic.C"},
    };
    // clang-format on
    for (const Step& step : steps) {
        step.act();
        std::string enabled;
        for (const auto& [id, word] : {std::pair{IDC_CYAN_BROWSE, "browse"},
                                       {IDC_RENAME_CHANNELS, "channels"},
                                       {IDC_RENAME_FILES, "files"},
                                       {IDC_SAVE_ALL, "save"}}) {
            enabled +=
                main->dialog.disabled[id] ? "" : (enabled.empty() ? "" : " ") + std::string(word);
        }
        for (int id = IDC_MAGENTA_BROWSE; id <= IDC_BLACK_BROWSE; ++id) {
            EXPECT_EQ(main->dialog.disabled[id], main->dialog.disabled[IDC_CYAN_BROWSE])
                << step.what;
        }
        EXPECT_EQ(enabled, step.enabled) << step.what;
        EXPECT_EQ(main->dialog.messages.size(), step.messages) << step.what;
        EXPECT_EQ(main->dialog.texts[IDC_TITLE] + "|" + main->dialog.texts[IDC_CYAN_NAME],
                  step.shown)
            << step.what;
    }
    EXPECT_EQ(main->state.recordedSeparationPaths[black], std::string(255, 'p'));
    EXPECT_EQ(main->dialog.texts[IDC_MASTER_PATH], image(255)) << "refused, the edit kept";
    for (const std::size_t refusal :
         {std::size_t{3}, std::size_t{4}}) { // a chosen separation file, a dropped master
        EXPECT_EQ(main->dialog.messages[refusal], "Impossible d'ouvrir le fichier\n" + image(256) +
                                                      " :\nson chemin a plus de 255 caractères.");
    }
    EXPECT_EQ(main->dialog.choosers.size(), 12u) << "a cancelled chooser ends the discovery";
    const RecordingDialog::Chooser& chooser = main->dialog.choosers[0];
    EXPECT_EQ(chooser.title + chooser.filter + chooser.extension,
              "Ouverture du fichier EPS principalFichiers EPS [*.eps]|*.epseps");
    EXPECT_EQ(main->dialog.messages[0], "Ce fichier n'est pas un fichier EPS normal, ou pas le "
                                        "fichier-maître d'un ensemble DCS");
    EXPECT_EQ(main->dialog.messages[1], "Ce fichier est le fichier-maître d'un ensemble DCS 2.0, "
                                        "dont platelier-cli vérifie et répare les liens.");
}

// The help file beside the program when it is there, else the user guide's
// page when that is, else the help file all the same; each row again with a
// help viewer and a browser that do not start, which the user is told.
TEST(MainDialogController, HelpOpensTheHelpFileOrTheUserGuidesPage) {
    const std::string x248(248, 'x');
    TempFolder folder({"WITH/EDIT.HLP=", "WITH/EDIT.html=", "PAGE/EDIT.html="});
    // clang-format off
    const std::pair<std::string, std::vector<std::string>> rows[] = {
        {"C:\\A.B\\EDIT", {"help C:\\A.HLP"}}, {"C:\\Tools\\EDIT", {}},
        {"C:\\" + x248 + ".EXE", {"help C:\\" + x248 + ".HLP"}}, {"C:\\" + x248 + "x.EXE", {}},
        {folder.file("WITH/EDIT.EXE"), {"help " + folder.file("WITH/EDIT.HLP")}},
        {folder.file("PAGE/EDIT.EXE"), {"page " + folder.file("PAGE/EDIT.html")}}};
    // clang-format on
    for (const bool opens : {true, false}) {
        for (const auto& [program, opened] : rows) {
            MainDialog main;
            main.dialog.program = program;
            main.dialog.opens = opens;
            handleMainDialogMessage(main.dialog, main.state, messageSystemCommand, 1280);
            EXPECT_EQ(main.dialog.opened, opened) << program;
            const std::string told = opens || opened.empty() ? ""
                                                             : "Impossible d'ouvrir l'aide\n" +
                                                                   opened[0].substr(5) + ".";
            EXPECT_EQ(main.dialog.messages, std::vector<std::string>(told.empty() ? 0 : 1, told))
                << program;
        }
    }
}

struct CentringCase {
    WindowRect window;
    std::optional<WindowRect> reference; // none: the work area
    WindowPosition expected;
    WindowRect workArea = {0, 0, 1024, 768};
};

TEST(CenteredPosition, CentresThenClampsEachAxis) {
    // clang-format off
    const CentringCase rows[] = {
        {{0, 0, 300, 200}, std::nullopt, {362, 284}}, {{0, 0, 301, 201}, std::nullopt, {361, 283}},
        {{0, 0, 105, 100}, WindowRect{10, 10, 110, 110}, {8, 10}}, // (-5) / 2 is -2
        {{0, 0, 200, 100}, WindowRect{900, 300, 1000, 400}, {824, 300}},
        {{0, 0, 200, 100}, WindowRect{-300, -200, -100, -100}, {0, 0}},
        {{0, 0, 200, 100}, WindowRect{824, 0, 1024, 100}, {824, 0}},
        {{0, 0, 1200, 900}, std::nullopt, {0, 0}},
        {{0, 0, 100, 300}, WindowRect{0, 700, 100, 760}, {0, 468}},
        {{0, 0, 1200, 100}, WindowRect{600, 0, 1400, 100}, {-176, 0}},
        {{0, 0, 300, 200}, std::nullopt, {362, 304}, {0, 40, 1024, 768}}, // a taskbar on top
        {{0, 0, 300, 200}, WindowRect{1024, 0, 1124, 100}, {1024, 0}, {1024, 0, 2944, 1040}}};
    // clang-format on
    for (const CentringCase& row : rows) {
        const WindowPosition position = centeredPosition(row.window, row.reference, row.workArea);
        EXPECT_EQ(position.x, row.expected.x) << row.expected.x << "," << row.expected.y;
        EXPECT_EQ(position.y, row.expected.y) << row.expected.x << "," << row.expected.y;
    }
}

} // namespace
} // namespace platelier
