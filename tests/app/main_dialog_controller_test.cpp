// The main dialog's controller against a dialog without windows: the message,
// command and system-command tables, the open sequence and the enable rules.
#include "app/main_dialog_controller.h"

#include "app/dialog_messages.h"
#include "fake_dialog.h"
#include "master_bytes.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

constexpr const char* refusal =
    "Ce fichier n'est pas un fichier EPS normal, ou pas le fichier-ma\xEE"
    "tre d'un ensemble DCS";

// The dialog and controller as the program has them once the main dialog has
// opened; commands sent by the controller to itself come back to it.
struct MainDialog {
    FakeDialog dialog;
    ControllerState state;

    MainDialog() {
        dialog.onCommand = [this](int id) { command(static_cast<std::uintptr_t>(id)); };
        handleMainDialogMessage(dialog, state, messageInitDialog, 0);
    }
    bool command(std::uintptr_t wParam) {
        return handleMainDialogMessage(dialog, state, messageCommand, wParam);
    }
    // Opens the master at `path` through the master Browse button.
    void open(const std::string& path) {
        dialog.chooserAnswers.push_back(path);
        command(IDC_MASTER_BROWSE);
    }
    std::string enabledCommands() const {
        std::string flags;
        for (int id : {IDC_CYAN_BROWSE, IDC_MAGENTA_BROWSE, IDC_YELLOW_BROWSE, IDC_BLACK_BROWSE,
                       IDC_RENAME_CHANNELS, IDC_RENAME_FILES, IDC_SAVE_ALL}) {
            flags += dialog.isEnabled(id) ? '1' : '0';
        }
        return flags; // 401 402 403 404 601 602 600
    }
    void setPaths(const std::string& path) {
        for (int id = IDC_CYAN_PATH; id <= IDC_BLACK_PATH; ++id) {
            dialog.texts[id] = path;
        }
    }
};

struct DispatchCase {
    unsigned message;
    std::uintptr_t wParam;
    bool handled;
    std::size_t choosers; // file choosers opened
    int endResult;        // -1: the dialog goes on
    std::size_t aboutBoxes;
    std::size_t helps;
    std::size_t messages = 0;
};

const DispatchCase dispatchCases[] = {
    {messageCommand, 1, false, 0, -1, 0, 0},
    {messageCommand, commandCancel, false, 0, -1, 0, 0},
    {messageCommand, 400, true, 1, -1, 0, 0},
    {messageCommand, 400 | 0x00050000u, true, 1, -1, 0, 0},
    {messageCommand, 401, true, 1, -1, 0, 0},
    {messageCommand, 404, true, 1, -1, 0, 0},
    {messageCommand, 600, true, 0, -1, 0, 0, 1}, // no master loaded: says so
    {messageCommand, 601, true, 0, -1, 0, 0, 1}, // no master loaded: says so
    {messageCommand, 602, true, 0, -1, 0, 0},
    {messageCommand, 603, true, 1, -1, 0, 0},
    {messageCommand, 604, true, 0, 1, 0, 0},
    {messageCommand, 604 | 0x10000u, true, 0, 1, 0, 0},
    {messageCommand, 300, false, 0, -1, 0, 0},
    {messageCommand, 405, false, 0, -1, 0, 0},
    {messageCommand, 605, false, 0, -1, 0, 0},
    {messageCommand | 0x20000u, 604, true, 0, 1, 0, 0},
    {messageSystemCommand, 1024, true, 0, -1, 1, 0},
    {messageSystemCommand, 1039, true, 0, -1, 1, 0},
    {messageSystemCommand, 1040, false, 0, -1, 0, 0},
    {messageSystemCommand, 1023, false, 0, -1, 0, 0},
    {messageSystemCommand, 1280, true, 0, -1, 0, 1},
    {messageSystemCommand, 1295, true, 0, -1, 0, 1},
    {messageSystemCommand, 1296, false, 0, -1, 0, 0},
    {messageSystemCommand, 0xF060, true, 0, 0, 0, 0},
    {messageSystemCommand, 0xF06F, true, 0, 0, 0, 0},
    {messageSystemCommand, 0x7F060, true, 0, 0, 0, 0},
    {messageSystemCommand, 0xF010, false, 0, -1, 0, 0},
    {0x0001, 0, false, 0, -1, 0, 0},
    {0x0010, 0, false, 0, -1, 0, 0},
};

TEST(MainDialogController, DispatchesEachMessageCommandAndSystemCommand) {
    for (const DispatchCase& c : dispatchCases) {
        MainDialog main;
        const bool handled = handleMainDialogMessage(main.dialog, main.state, c.message, c.wParam);
        const std::string row = std::to_string(c.message) + "/" + std::to_string(c.wParam);
        EXPECT_EQ(handled, c.handled) << row;
        EXPECT_EQ(main.dialog.chooserCalls.size(), c.choosers) << row;
        EXPECT_EQ(main.dialog.endResult.value_or(-1), c.endResult) << row;
        EXPECT_EQ(main.dialog.modalDialogs, std::vector<int>(c.aboutBoxes, IDD_ABOUT)) << row;
        EXPECT_EQ(main.dialog.helpOpened.size(), c.helps) << row;
        EXPECT_EQ(main.dialog.messages.size(), c.messages) << row;
    }
}

TEST(MainDialogController, InitialisationDisablesOnlyTheBrowseButtons) {
    FakeDialog dialog;
    ControllerState state;
    EXPECT_TRUE(handleMainDialogMessage(dialog, state, messageInitDialog | 0x30000u, 0));
    MainDialog main;
    EXPECT_EQ(main.enabledCommands(), "0000000");
    for (int id : {IDC_MASTER_BROWSE, IDC_NEW_FILESET, IDC_QUIT}) {
        EXPECT_TRUE(main.dialog.isEnabled(id)) << id;
    }
}

TEST(MainDialogController, MasterBrowseAsksForAnEpsFile) {
    MainDialog main;
    main.command(IDC_MASTER_BROWSE);
    ASSERT_EQ(main.dialog.chooserCalls.size(), 1u);
    const FakeDialog::ChooserCall& call = main.dialog.chooserCalls[0];
    EXPECT_EQ(call.targetId, IDC_MASTER_PATH);
    EXPECT_EQ(call.defaultExtension, "eps");
    EXPECT_EQ(call.title, "Ouverture du fichier EPS principal");
    EXPECT_EQ(call.filter.text, "Fichiers EPS [*.eps]");
    EXPECT_EQ(call.filter.pattern, "*.eps");
}

class OpenSequence : public ::testing::Test {
  protected:
    TempFolder folder;
    const std::string master = folder.write("IMAGE.EPS", masterText("\r\n"));
    const std::string noCyanName =
        folder.write("NONAME.EPS", "%%Title: t\r\n" + plateBlock("\r\n", "", "m", "y", "k"));
    const std::string notAMaster = folder.write("PLAIN.EPS", "%!PS-Adobe-3.0\r\n%%Title: x\r\n");
    MainDialog main;
};

TEST_F(OpenSequence, ASuccessfulOpenShowsTheMasterAndRecordsTheFileset) {
    main.open(master);
    EXPECT_EQ(main.dialog.texts[IDC_MASTER_PATH], master);
    EXPECT_EQ(main.dialog.texts[IDC_TITLE], "My picture");
    EXPECT_EQ(main.dialog.texts[IDC_CYAN_NAME], "pic.C");
    EXPECT_EQ(main.dialog.texts[IDC_BLACK_NAME], "pic.N");
    EXPECT_EQ(main.state.recordedChannelNames[yellow], "pic.J");
    EXPECT_TRUE(main.dialog.messages.empty());
    EXPECT_EQ(main.enabledCommands(), "1111100") << "no separation paths: 602 and 600 stay off";
}

TEST_F(OpenSequence, EnableStatesFollowTheTableStepByStep) {
    struct Step {
        const char* what;
        std::function<void(MainDialog&)> act;
        const char* enabled; // 401 402 403 404 601 602 600
        std::size_t messages;
    };
    const Step steps[] = {
        {"a refused first file", [&](MainDialog& m) { m.open(notAMaster); }, "0000000", 1},
        {"a cancelled open", [&](MainDialog& m) { m.command(IDC_MASTER_BROWSE); }, "0000000", 1},
        {"an open with an empty plate name and four paths",
         [&](MainDialog& m) {
             m.setPaths("D:\\job\\x");
             m.open(noCyanName);
         },
         "1111010", 1},
        {"a full open", [&](MainDialog& m) { m.open(master); }, "1111111", 1},
        {"a refused file after it", [&](MainDialog& m) { m.open(notAMaster); }, "1111111", 2},
        {"New Fileset, then cancel", [&](MainDialog& m) { m.command(IDC_NEW_FILESET); }, "0000111",
         2},
        {"an open with empty paths", [&](MainDialog& m) { m.open(master); }, "1111111", 2},
        {"Rename and Browse commands change nothing",
         [&](MainDialog& m) {
             for (int id : {401, 402, 403, 404, 600, 601, 602}) {
                 m.command(static_cast<std::uintptr_t>(id));
             }
         },
         "1111111", 2},
    };
    for (const Step& step : steps) {
        step.act(main);
        EXPECT_EQ(main.enabledCommands(), step.enabled) << step.what;
        EXPECT_EQ(main.dialog.messages.size(), step.messages) << step.what;
    }
}

TEST_F(OpenSequence, ARefusedFileShowsTheMessageAndItsPath) {
    main.open(master);
    main.open(notAMaster);
    ASSERT_EQ(main.dialog.messages.size(), 1u);
    EXPECT_EQ(main.dialog.messages[0].text, refusal);
    EXPECT_EQ(main.dialog.messages[0].caption, "Talvernes");
    EXPECT_EQ(main.dialog.texts[IDC_MASTER_PATH], notAMaster);
    EXPECT_EQ(main.dialog.texts[IDC_TITLE], "x") << "the title read before the refusal stays";
    EXPECT_EQ(main.dialog.texts[IDC_CYAN_NAME], "pic.C");
    EXPECT_EQ(main.state.recordedChannelNames[cyan], "pic.C");
}

TEST_F(OpenSequence, NewFilesetEmptiesEveryEditThenOpens) {
    main.setPaths("D:\\job\\x");
    main.open(master);
    main.command(IDC_NEW_FILESET);
    for (int id : {300, 301, 302, 303, 304, 500, 501, 502, 503, 504}) {
        EXPECT_EQ(main.dialog.texts[id], "") << id;
    }
    EXPECT_EQ(main.dialog.chooserCalls.back().targetId, IDC_MASTER_PATH)
        << "the master chooser opened";
    EXPECT_EQ(main.state.recordedSeparationPaths[black], "D:\\job\\x") << "records are kept";

    main.dialog.chooserAnswers.push_back(master);
    main.command(IDC_NEW_FILESET);
    EXPECT_EQ(main.dialog.texts[IDC_TITLE], "My picture");
    EXPECT_EQ(main.state.recordedSeparationPaths[black], "");
}

TEST_F(OpenSequence, TextsLongerThan255CharactersAreRecordedCut) {
    main.setPaths(std::string(1000, 'p'));
    main.open(master);
    EXPECT_EQ(main.state.recordedSeparationPaths[magenta], std::string(255, 'p'));
}

TEST(MainDialogController, HelpOpensTheProgramsHelpFileWhenItHasOne) {
    struct HelpCase {
        std::string program;
        std::vector<std::string> opened;
    };
    const HelpCase cases[] = {
        {"C:\\Tools\\EDIT.EXE", {"C:\\Tools\\EDIT.HLP"}},
        {"C:\\A.B\\EDIT", {"C:\\A.HLP"}},
        {"C:\\Tools\\EDIT", {}},
        {"C:\\" + std::string(248, 'x') + ".EXE", {"C:\\" + std::string(248, 'x') + ".HLP"}},
        {"C:\\" + std::string(249, 'x') + ".EXE", {}},
    };
    for (const HelpCase& c : cases) {
        MainDialog main;
        main.dialog.program = c.program;
        EXPECT_TRUE(handleMainDialogMessage(main.dialog, main.state, messageSystemCommand, 1280));
        EXPECT_EQ(main.dialog.helpOpened, c.opened) << c.program;
        EXPECT_TRUE(main.dialog.messages.empty());
    }
}

} // namespace
} // namespace platelier
