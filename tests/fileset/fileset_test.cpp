// The separation files: the discovery pattern, and a rename of letters
// outside a-z in real folders; the commands' tests find and rename the
// files of whole filesets.
#include "fileset/separation_discovery.h"
#include "fileset/separation_renaming.h"
#include "platform/files.h"
#include "recording_dialog.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

TEST(SeparationPattern, StarsTheCharacterBeforeTheLastDot) {
    // clang-format off
    const std::pair<std::string, std::optional<std::string>> rows[] = {
        {"D:\\job\\IMAGE.EPS", "D:\\job\\IMAG*.C"}, {"D:\\job\\A.EPS", "D:\\job\\*.C"},
        {"D:\\job\\IMAGE.V2.EPS", "D:\\job\\IMAGE.V*.C"}, {"D:\\job\\.EPS", "D:\\job*.C"},
        {"D:\\my.dir\\IMAGE", "D:\\m*.C"}, {".EPS", std::nullopt}, {"IMAGE", std::nullopt}};
    // clang-format on
    for (const auto& [master, pattern] : rows) {
        EXPECT_EQ(separationPattern(master, "C"), pattern) << master;
    }
}

// A letter outside a-z in other case is another name, and the rename is
// tried; where the file system ignores that case too, the new name finds
// the file itself, which is no conflict.
TEST(RenameSeparationFiles, TakesCaseOutsideAToZAsANewNameAndGoneFilesAsFailures) {
    TempFolder folder;
    std::ofstream(folder.file("") + "\xe9.N").close();
    const Names accented = {"", "", "", folder.file("") + "\xe9.N"};
    EXPECT_TRUE(separationRenameProblems(accented, {"", "", "", "\xc9.N"}).empty());
    EXPECT_EQ(renameSeparationFile(accented[black], "\xc9.N").kind, RenameOutcome::renamed);
    EXPECT_TRUE(pathExists(folder.file("") + "\xc9.N"));

    const std::string in = std::string("j") + pathSeparator();
    EXPECT_EQ(planSeparationRename(in + "a.C", std::string(253, 'n')).kind, RenameOutcome::renamed);
    EXPECT_EQ(planSeparationRename(in + "a.C", std::string(254, 'n')).kind, RenameOutcome::failed)
        << "a new path of 256 characters";
    RecordingDialog dialog;
    Names recorded = {folder.file("GONE.C"), "", "", ""};
    dialog.texts[IDC_CYAN_NAME] = "B.C";
    renameSeparationFiles(dialog, IDC_CYAN_NAME, IDC_CYAN_PATH, recorded);
    EXPECT_EQ(dialog.messages,
              std::vector<std::string>{"Impossible de renommer\n" + folder.file("GONE.C") +
                                       " en\n" + folder.file("B.C") + "."});
}

} // namespace
} // namespace platelier
