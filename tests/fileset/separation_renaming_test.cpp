// Renaming separation files on disk: what is skipped, renamed or refused,
// and what the user is shown.
#include "fileset/separation_renaming.h"

#include "fake_dialog.h"
#include "platform/files.h"
#include "temp_folder.h"

#include <fstream>
#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

struct RenameCase {
    const char* what;
    std::string file; // created in the folder; "" for no recorded file
    std::string name;
    RenameOutcome::Kind kind;
    std::string after; // the file's name afterwards
};

const RenameCase renameCases[] = {
    {"same name", "pic.C", "pic.C", RenameOutcome::skipped, "pic.C"},
    {"a-z case only", "pic.C", "PIC.c", RenameOutcome::skipped, "pic.C"},
    {"new name", "pic.C", "pic2.C", RenameOutcome::renamed, "pic2.C"},
    {"no extension", "pic.C", "cyan", RenameOutcome::renamed, "cyan"},
    {"name leading out of the folder", "pic.C", std::string("..") + "/x.C", RenameOutcome::failed,
     "pic.C"},
    {"empty name", "pic.C", "", RenameOutcome::failed, "pic.C"},
    {"parent folder", "pic.C", "..", RenameOutcome::failed, "pic.C"},
    {"new path over 255 characters", "pic.C", std::string(255, 'x'), RenameOutcome::failed,
     "pic.C"},
    {"name of an existing file", "pic.C", "other.M", RenameOutcome::failed, "pic.C"},
    {"no recorded file", "", "pic.C", RenameOutcome::skipped, ""},
};

TEST(RenameSeparationFile, SkipsRenamesOrRefuses) {
    for (const RenameCase& c : renameCases) {
        TempFolder folder;
        folder.write("other.M", "magenta");
        const std::string recorded = c.file.empty() ? "" : folder.write(c.file, "cyan");
        const RenameOutcome outcome = renameSeparationFile(recorded, c.name);
        EXPECT_EQ(outcome.kind, c.kind) << c.what;
        if (!c.after.empty()) {
            EXPECT_EQ(readFileBytes(folder.file(c.after)), "cyan") << c.what;
        }
        EXPECT_EQ(readFileBytes(folder.file("other.M")), "magenta") << c.what << ": never replaced";
        if (c.kind == RenameOutcome::renamed) {
            EXPECT_EQ(outcome.newPath, folder.file(c.after)) << c.what;
        }
        if (c.kind == RenameOutcome::failed) {
            EXPECT_EQ(outcome.message, "Impossible de renommer\n" + recorded + " en\n" +
                                           folder.folder() + pathSeparator() + c.name + ".")
                << c.what;
        }
    }
}

// Letters outside a-z are not folded: the rename is attempted (a file
// system that folds them itself may refuse it as a rename onto itself).
TEST(RenameSeparationFile, TakesCaseOutsideAToZAsADifferentName) {
    TempFolder folder;
    const std::string recorded = folder.folder() + pathSeparator() + "\xe9.C";
    std::ofstream(recorded).close();
    EXPECT_NE(renameSeparationFile(recorded, "\xc9.C").kind, RenameOutcome::skipped);
    EXPECT_EQ(renameSeparationFile(recorded, "\xe9.c").kind, RenameOutcome::skipped);
}

class RenameFiles : public ::testing::Test {
  protected:
    TempFolder folder;
    FakeDialog dialog;
    std::array<std::string, channelCount> recorded;

    void SetUp() override {
        int channel = 0;
        for (const char* name : {"pic.C", "pic.M", "pic.J", "pic.N"}) {
            recorded[static_cast<std::size_t>(channel)] = folder.write(name, name);
            dialog.texts[IDC_CYAN_NAME + channel] = name;
            dialog.texts[IDC_CYAN_PATH + channel] = recorded[static_cast<std::size_t>(channel)];
            ++channel;
        }
    }
    void rename() { renameSeparationFiles(dialog, IDC_CYAN_NAME, IDC_CYAN_PATH, recorded); }
};

TEST_F(RenameFiles, ShowsAndRecordsNewPathsAndStartsFromThemNextTime) {
    dialog.texts[IDC_CYAN_NAME] = "pic2.C";
    rename();
    EXPECT_EQ(dialog.texts[IDC_CYAN_PATH], folder.file("pic2.C"));
    EXPECT_EQ(recorded[cyan], folder.file("pic2.C"));
    EXPECT_TRUE(dialog.messages.empty());

    dialog.texts[IDC_CYAN_NAME] = "pic3.C";
    rename();
    EXPECT_EQ(readFileBytes(folder.file("pic3.C")), "pic.C");
    EXPECT_TRUE(dialog.messages.empty()) << "the second rename starts where the file is";

    dialog.texts[IDC_CYAN_NAME] = "pic.C";
    rename();
    EXPECT_EQ(readFileBytes(folder.file("pic.C")), "pic.C") << "and a name set back is given back";
}

TEST_F(RenameFiles, ReportsEachFailureAndGoesOn) {
    dialog.texts[IDC_CYAN_NAME] = "pic.M"; // taken by magenta's file
    dialog.texts[IDC_MAGENTA_NAME] = "new.M";
    dialog.texts[IDC_YELLOW_NAME] = "new.N";
    dialog.texts[IDC_BLACK_NAME] = "new.N"; // taken by yellow's new name
    rename();
    ASSERT_EQ(dialog.messages.size(), 2u);
    EXPECT_EQ(dialog.messages[0].text, "Impossible de renommer\n" + folder.file("pic.C") + " en\n" +
                                           folder.file("pic.M") + ".");
    EXPECT_EQ(dialog.messages[0].caption, "Talvernes");
    EXPECT_EQ(dialog.messages[1].text, "Impossible de renommer\n" + folder.file("pic.N") + " en\n" +
                                           folder.file("new.N") + ".");
    EXPECT_EQ(readFileBytes(folder.file("pic.C")), "pic.C");
    EXPECT_EQ(readFileBytes(folder.file("new.M")), "pic.M");
    EXPECT_EQ(readFileBytes(folder.file("new.N")), "pic.J")
        << "the first file of that name is kept";
    EXPECT_EQ(readFileBytes(folder.file("pic.N")), "pic.N");
    EXPECT_EQ(dialog.texts[IDC_CYAN_PATH], folder.file("pic.C"))
        << "a failed channel's edit is kept";
}

} // namespace
} // namespace platelier
