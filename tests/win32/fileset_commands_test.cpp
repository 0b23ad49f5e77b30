// The fileset commands in the real main dialog, on files on disk: a master
// opened through the open-file dialog with its separation files found beside
// it, then "Rename channels", "Save all changes" and "Rename files", and the
// messages of a rename and a rewrite that fail.
#include "master_bytes.h"
#include "temp_folder.h"
#include "win32/dialog_runner.h"
#include "win32/window_finder.h"

#include <dlgs.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace platelier::testing {
namespace {

using namespace std::string_literals;

constexpr const char* chooserTitle = "Ouverture du fichier EPS principal";
constexpr const char* messageCaption = "Talvernes";

struct Separation {
    const char* name;
    std::string bytes;
};

// The separation files of a master named IMAGE.EPS, each with bytes of its own.
const Separation separations[] = {
    {"IMAGE.C", "cyan separation\r\n"},
    {"IMAGE.M", "magenta separation\r\n"},
    {"IMAGE.J", "yellow\r\nseparation\r\n"},
    {"IMAGE.N", "black\0separation"s},
};

// The test master with CR LF lines whose plate lines name `c`, `m`, `y`, `k`.
std::string masterNaming(const std::string& c, const std::string& m, const std::string& y,
                         const std::string& k) {
    std::string text = masterText("\r\n");
    const std::string block = plateBlock("\r\n");
    return text.replace(text.find(block), block.size(), plateBlock("\r\n", c, m, y, k));
}

std::string imageMaster() {
    return masterNaming("IMAGE.C", "IMAGE.M", "IMAGE.J", "IMAGE.N");
}

std::uint32_t littleEndian32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4 && at + i < bytes.size(); ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

std::vector<std::string> fileNamesIn(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.folder())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

void pressOk(HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

class FilesetCommandsTest : public MainDialogTest {
  protected:
    // Writes IMAGE.EPS with `masterBytes` and its four separation files.
    std::string writeFileset(const std::string& masterBytes) {
        for (const Separation& separation : separations) {
            folder.write(separation.name, separation.bytes);
        }
        return folder.write("IMAGE.EPS", masterBytes);
    }

    // Opens `path` by the master Browse button and the open-file dialog, its
    // file name field an edit (edt1) in Wine and a combo box (cmb13) on
    // Windows. No other window may come up: the separation files must all
    // be found.
    void openMaster(const std::string& path) {
        ASSERT_FALSE(runner.click(400)) << "no open-file dialog came up";
        HWND chooser = findDialog(runner.threadId(), chooserTitle);
        ASSERT_NE(chooser, nullptr);
        HWND field = GetDlgItem(chooser, cmb13);
        SetWindowTextA(field != nullptr ? field : GetDlgItem(chooser, edt1), path.c_str());
        pressOk(chooser);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(chooser); })) << "the chooser stays open";
        ASSERT_TRUE(runner.waitForCommand()) << "a window came up after the master was chosen";
    }

    void typeName(int id, const std::string& name) {
        SendMessageA(runner.item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }

    // Checks the message box the last command has up, closes it with OK and
    // returns its text.
    std::string closeMessageBox() {
        HWND box = waitForDialog(runner.threadId(), messageCaption);
        if (box == nullptr) {
            ADD_FAILURE() << "no message box";
            return std::string();
        }
        EXPECT_EQ(GetWindow(box, GW_OWNER), runner.dialog()) << "not owned by the main dialog";
        const std::string text = messageBoxText(box);
        pressOk(box);
        EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); })) << "the message box stays open";
        return text;
    }

    std::string text(int id) const { return windowText(runner.item(id)); }

    void expectSeparationsAsWritten() const {
        for (const Separation& separation : separations) {
            EXPECT_EQ(readFileBytes(folder.file(separation.name)), separation.bytes)
                << separation.name;
        }
    }

    const TempFolder folder;
};

TEST_F(FilesetCommandsTest, RenameChannelsRewritesThePlateLinesBehindABackup) {
    const std::string preview = "II*\0\r\n%%CyanPlate: in the preview\r\n\xff\x00\n"s;
    const std::string oldText = imageMaster();
    const std::string newText = masterNaming("Bleu ciel.C", "ROSE.M", "IMAGE.J", "IMAGE.N");
    const auto sectionStart = static_cast<std::uint32_t>(30);
    const auto oldLength = static_cast<std::uint32_t>(oldText.size());
    const auto newLength = static_cast<std::uint32_t>(newText.size());
    const auto previewLength = static_cast<std::uint32_t>(preview.size());
    const std::string oldMaster =
        epsBinaryHeader(sectionStart, oldLength, 0, 0, sectionStart + oldLength, previewLength) +
        oldText + preview;
    const std::string master = writeFileset(oldMaster);
    ASSERT_NO_FATAL_FAILURE(openMaster(master));
    ASSERT_EQ(text(501), "IMAGE.C");

    typeName(501, "Bleu ciel.C");
    typeName(502, "ROSE.M");
    ASSERT_TRUE(runner.click(601))
        << "a window came up: " << messageBoxText(findDialog(runner.threadId(), messageCaption));

    const std::string written = readFileBytes(master);
    EXPECT_EQ(littleEndian32At(written, 8), newLength) << "PostScript length";
    const std::uint32_t previewOffset = littleEndian32At(written, 20);
    EXPECT_EQ(previewOffset, sectionStart + newLength) << "preview offset";
    EXPECT_EQ(written.substr(previewOffset), preview);
    EXPECT_EQ(written, epsBinaryHeader(sectionStart, newLength, 0, 0, sectionStart + newLength,
                                       previewLength) +
                           newText + preview);
    EXPECT_EQ(readFileBytes(folder.file("IMAGE.BAK")), oldMaster);
    expectSeparationsAsWritten();
    EXPECT_EQ(fileNamesIn(folder), (std::vector<std::string>{"IMAGE.BAK", "IMAGE.C", "IMAGE.EPS",
                                                             "IMAGE.J", "IMAGE.M", "IMAGE.N"}));
}

TEST_F(FilesetCommandsTest, SaveAllChangesThenARenameThatFails) {
    const std::string oldMaster = imageMaster();
    const std::string master = writeFileset(oldMaster);
    ASSERT_NO_FATAL_FAILURE(openMaster(master));
    for (int channel = 0; channel < 4; ++channel) {
        EXPECT_EQ(text(301 + channel), folder.file(separations[channel].name))
            << "ID " << 301 + channel;
    }
    for (int id : {600, 601, 602}) {
        EXPECT_TRUE(IsWindowEnabled(runner.item(id))) << "ID " << id;
    }

    typeName(501, "CIEL.C");
    typeName(502, "ROSE.M");
    ASSERT_TRUE(runner.click(600))
        << "a window came up: " << messageBoxText(findDialog(runner.threadId(), messageCaption));

    const std::string savedMaster = masterNaming("CIEL.C", "ROSE.M", "IMAGE.J", "IMAGE.N");
    EXPECT_EQ(readFileBytes(master), savedMaster);
    EXPECT_EQ(readFileBytes(folder.file("IMAGE.BAK")), oldMaster);
    const Separation afterSave[] = {
        {"CIEL.C", separations[0].bytes},
        {"ROSE.M", separations[1].bytes},
        {"IMAGE.J", separations[2].bytes},
        {"IMAGE.N", separations[3].bytes},
    };
    for (int channel = 0; channel < 4; ++channel) {
        const Separation& file = afterSave[channel];
        EXPECT_EQ(readFileBytes(folder.file(file.name)), file.bytes) << file.name;
        EXPECT_EQ(text(301 + channel), folder.file(file.name)) << "ID " << 301 + channel;
    }
    const std::vector<std::string> namesAfterSave{"CIEL.C",  "IMAGE.BAK", "IMAGE.EPS",
                                                  "IMAGE.J", "IMAGE.N",   "ROSE.M"};
    EXPECT_EQ(fileNamesIn(folder), namesAfterSave);

    typeName(503, "IMAGE.N");
    ASSERT_FALSE(runner.click(602)) << "no message for a name that is taken";
    EXPECT_EQ(closeMessageBox(), "Impossible de renommer\n" + folder.file("IMAGE.J") + " en\n" +
                                     folder.file("IMAGE.N") + ".");
    ASSERT_TRUE(runner.waitForCommand()) << "a second window came up";

    EXPECT_EQ(readFileBytes(folder.file("IMAGE.J")), separations[2].bytes);
    EXPECT_EQ(readFileBytes(folder.file("IMAGE.N")), separations[3].bytes);
    EXPECT_EQ(readFileBytes(master), savedMaster);
    EXPECT_EQ(fileNamesIn(folder), namesAfterSave);
    EXPECT_EQ(text(303), folder.file("IMAGE.J"));
    EXPECT_TRUE(IsWindowEnabled(runner.dialog())) << "the main dialog stays disabled";
}

// "Rename channels" and "Save all changes" on a master cut short after it
// was opened: one message, and no file changed, made or renamed.
class RefusedRewriteTest : public FilesetCommandsTest, public ::testing::WithParamInterface<int> {};

TEST_P(RefusedRewriteTest, OnAMasterCutShortChangesNothing) {
    const std::string master = writeFileset(imageMaster());
    ASSERT_NO_FATAL_FAILURE(openMaster(master));
    const std::string cutShort = "%!PS-Adobe-3.0 EPSF-3.0\r\n%%Title: My picture\r\n"
                                 "%%CyanPlate: IMAGE.C\r\n%%MagentaPlate: IMAGE.M\r\n";
    folder.write("IMAGE.EPS", cutShort);
    const std::vector<std::string> namesBefore = fileNamesIn(folder);

    typeName(501, "CIEL.C");
    ASSERT_FALSE(runner.click(GetParam())) << "no message for a plate block cut short";
    const std::string message = closeMessageBox();
    ASSERT_TRUE(runner.waitForCommand()) << "a second window came up";

    const std::string start = "Impossible de renommer les couches de\n" + master + " :\n";
    const std::string end = "\nLe fichier n'a pas \xE9t\xE9 modifi\xE9.";
    EXPECT_EQ(message.substr(0, start.size()), start) << message;
    EXPECT_TRUE(message.size() >= end.size() &&
                message.compare(message.size() - end.size(), end.size(), end) == 0)
        << message;
    EXPECT_EQ(readFileBytes(master), cutShort);
    EXPECT_FALSE(fileExists(folder.file("IMAGE.BAK")));
    EXPECT_EQ(fileNamesIn(folder), namesBefore) << "a file was made or renamed";
    expectSeparationsAsWritten();
    EXPECT_EQ(text(301), folder.file("IMAGE.C"));
}

INSTANTIATE_TEST_SUITE_P(RenameChannelsAndSaveAll, RefusedRewriteTest, ::testing::Values(601, 600));

} // namespace
} // namespace platelier::testing
