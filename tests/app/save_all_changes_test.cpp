// The whole road through the controller with real files: open a fileset,
// edit names, save all changes, and the master and the files on disk say
// what the user asked for.
#include "master_bytes.h"
#include "opened_fileset.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

const std::array<std::string, channelCount> imageNames = {"IMAGE.C", "IMAGE.M", "IMAGE.J",
                                                          "IMAGE.N"};
const std::string original = "%!PS-Adobe-3.0 EPSF-3.0\r\n%%Title: poster\r\n" +
                             plateBlock("\r\n", "IMAGE.C", "IMAGE.M", "IMAGE.J", "IMAGE.N") +
                             "%%EndComments\r\n";

class SaveAllChanges : public ::testing::Test, protected OpenedFileset {
  protected:
    SaveAllChanges() : OpenedFileset("IMAGE.EPS", original, imageNames) {}
};

TEST_F(SaveAllChanges, RewritesTheMasterThenRenamesTheFiles) {
    ASSERT_EQ(dialog.texts[IDC_BLACK_PATH], folder.file("IMAGE.N"));
    ASSERT_TRUE(dialog.isEnabled(IDC_SAVE_ALL));
    dialog.texts[IDC_CYAN_NAME] = "NEW.C";
    dialog.texts[IDC_MAGENTA_NAME] = "NEW.M";
    command(IDC_SAVE_ALL);

    EXPECT_TRUE(dialog.messages.empty());
    EXPECT_EQ(readFileBytes(master),
              "%!PS-Adobe-3.0 EPSF-3.0\r\n%%Title: poster\r\n" +
                  plateBlock("\r\n", "NEW.C", "NEW.M", "IMAGE.J", "IMAGE.N") + "%%EndComments\r\n");
    EXPECT_EQ(readFileBytes(folder.file("IMAGE.BAK")), original);
    EXPECT_EQ(readFileBytes(folder.file("NEW.C")), "IMAGE.C");
    EXPECT_EQ(readFileBytes(folder.file("NEW.M")), "IMAGE.M");
    EXPECT_FALSE(fileExists(folder.file("IMAGE.C")));
    EXPECT_EQ(dialog.texts[IDC_CYAN_PATH], folder.file("NEW.C"));
    EXPECT_EQ(dialog.texts[IDC_YELLOW_PATH], folder.file("IMAGE.J"));

    dialog.texts[IDC_YELLOW_NAME] = "NEW.C";
    command(IDC_RENAME_FILES);
    ASSERT_EQ(dialog.messages.size(), 1u);
    EXPECT_EQ(dialog.messages[0].text, "Impossible de renommer\n" + folder.file("IMAGE.J") +
                                           " en\n" + folder.file("NEW.C") + ".");
    EXPECT_EQ(readFileBytes(folder.file("NEW.C")), "IMAGE.C");
}

TEST_F(SaveAllChanges, RenamesNothingWhenTheMasterCannotBeRewritten) {
    const std::string cutShort = original.substr(0, original.find("%%YellowPlate"));
    folder.write("IMAGE.EPS", cutShort);
    dialog.texts[IDC_CYAN_NAME] = "NEW.C";
    command(IDC_SAVE_ALL);
    ASSERT_EQ(dialog.messages.size(), 1u);
    EXPECT_EQ(dialog.messages[0].text,
              "Impossible de renommer les couches de\n" + master +
                  " :\nun bloc %%CyanPlate est incomplet ou mal form\xE9.\n"
                  "Le fichier n'a pas \xE9t\xE9 modifi\xE9.");
    EXPECT_EQ(readFileBytes(master), cutShort);
    EXPECT_TRUE(fileExists(folder.file("IMAGE.C")));
    EXPECT_FALSE(fileExists(folder.file("IMAGE.BAK")));
}

TEST(SaveAllChangesRefusal, ARenameSureToFailStopsItBeforeAnythingChanges) {
    struct Row {
        const char* what;
        std::array<std::string, 4> names;
        std::size_t messages;
    };
    const Row rows[] = {
        {"a name already taken on disk", {"IMAGE.M", "NEW.M", "IMAGE.J", "IMAGE.N"}, 1},
        {"one new name for two files", {"SAME", "SAME", "IMAGE.J", "IMAGE.N"}, 1},
        {"a name leading out of the folder", {"../IMAGE.C", "IMAGE.M", "IMAGE.J", "IMAGE.N"}, 1},
        {"two bad names", {"", "IMAGE.M", "IMAGE.J", ".."}, 2},
        {"a path over 255 characters", {std::string(250, 'c'), "IMAGE.M", "IMAGE.J", "IMAGE.N"}, 1},
    };
    for (const Row& row : rows) {
        OpenedFileset fileset("IMAGE.EPS", original, imageNames);
        fileset.setNames(row.names);
        fileset.command(IDC_SAVE_ALL);
        EXPECT_EQ(fileset.dialog.messages.size(), row.messages) << row.what;
        for (const FakeDialog::Message& message : fileset.dialog.messages) {
            EXPECT_EQ(message.text.rfind("Impossible de renommer\n", 0), 0u) << row.what;
        }
        EXPECT_EQ(readFileBytes(fileset.master), original) << row.what;
        EXPECT_FALSE(fileExists(fileset.folder.file("IMAGE.BAK"))) << row.what;
        for (const char* name : {"IMAGE.C", "IMAGE.M", "IMAGE.J", "IMAGE.N"}) {
            EXPECT_EQ(readFileBytes(fileset.folder.file(name)), name) << row.what;
        }
    }
}

TEST_F(SaveAllChanges, BrowsingAPathRecordsItForTheNextRename) {
    folder.write("OTHER.J", "other");
    dialog.chooserAnswers.push_back(folder.file("OTHER.J"));
    command(IDC_YELLOW_BROWSE);
    dialog.texts[IDC_YELLOW_NAME] = "NEW.J";
    command(IDC_RENAME_FILES);
    EXPECT_EQ(readFileBytes(folder.file("NEW.J")), "other");
    EXPECT_TRUE(fileExists(folder.file("IMAGE.J")));
}

} // namespace
} // namespace platelier
