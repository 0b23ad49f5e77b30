// The separation files in real folders: the discovery pattern, the single
// match or the chooser for each channel, and renaming, alone or checked
// beforehand in the order "Save all changes" does the renames.
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

// Files beside the master IMAGE.EPS, and the path each channel gets ("?": the
// chooser opens, and the user cancels it, which ends the discovery).
// clang-format off
const std::pair<Entries, Names> discoveryCases[] = {
    {{"IMAGE.C=", "IMAGE.M=", "IMAGE.J=", "IMAGE.N=", "OTHER.C="}, {"IMAGE.C", "IMAGE.M", "IMAGE.J", "IMAGE.N"}},
    {{"image.c=", "IMAGE.M/", "IMAGE.J=", "IMAGE.N="}, {"image.c", "IMAGE.M", "IMAGE.J", "IMAGE.N"}},
    {{"IMAGE.C=", "IMAGE.M=", "IMAGX.M="}, {"IMAGE.C", "?", "", ""}},
    {{"IMAGE.C=", "IMAGE.M=", "IMAGE.Y="}, {"IMAGE.C", "IMAGE.M", "?", ""}},
    {{"IMAGE.CC="}, {"?", "", "", ""}},
};
// clang-format on

TEST(LocateSeparationFiles, TakesTheSingleMatchOrAsks) {
    for (const auto& [files, found] : discoveryCases) {
        TempFolder folder(files);
        RecordingDialog dialog;
        dialog.texts[IDC_MASTER_PATH] = folder.file("IMAGE.EPS");
        locateSeparationFiles(dialog, IDC_MASTER_PATH, IDC_CYAN_NAME, IDC_CYAN_PATH);
        for (int channel = cyan; channel <= black; ++channel) {
            const std::string& name = found[static_cast<std::size_t>(channel)];
            EXPECT_EQ(dialog.texts[IDC_CYAN_PATH + channel],
                      name.size() > 1 ? folder.file(name) : "")
                << *files.begin() << ", channel " << channel;
        }
        EXPECT_EQ(dialog.choosers.size(),
                  static_cast<std::size_t>(std::count(found.begin(), found.end(), "?")));
    }
}

TEST(LocateSeparationFiles, AsksForEveryChannelOfAMasterWithoutExtensionWithTheNameCut) {
    TempFolder folder;
    RecordingDialog dialog;
    dialog.texts[IDC_MASTER_PATH] = folder.file("IMAGE");
    dialog.texts[IDC_YELLOW_NAME] = std::string(200, 'n');
    dialog.answers = {"c", "m", "j", "n"};
    locateSeparationFiles(dialog, IDC_MASTER_PATH, IDC_CYAN_NAME, IDC_CYAN_PATH);
    ASSERT_EQ(dialog.choosers.size(), 4u);
    EXPECT_EQ(dialog.choosers[yellow].title,
              "Ouverture du fichier Jaune de la couche " + std::string(127, 'n'));
    EXPECT_EQ(dialog.choosers[yellow].target, IDC_YELLOW_PATH);
    EXPECT_EQ(dialog.texts[IDC_BLACK_PATH], "n");
    Names recorded = {"c", "m", "j", "n"};
    browseSeparationFile(dialog, magenta, recorded);
    dialog.answers = {"chosen"};
    browseSeparationFile(dialog, magenta, recorded);
    EXPECT_EQ(recorded, (Names{"c", "chosen", "j", "n"})) << "the first chooser was cancelled";
}

// Names for the files A.C, A.M, A.J and A.N, in a folder that also holds B.J:
// the folder afterwards, the failures told, and those found beforehand.
const Entries unchanged = {"A.C=A.C", "A.M=A.M", "A.J=A.J", "A.N=A.N", "B.J=B.J"};
// clang-format off
const std::tuple<const char*, Names, Entries, std::size_t, std::size_t> renameCases[] = {
    {"the same names, in any a-z case", {"A.C", "a.m", "A.J", "A.n"}, unchanged, 0, 0},
    {"new names, one without extension", {"X.C", "cyan", "A.J", "A.N"}, {"X.C=A.C", "cyan=A.M", "A.J=A.J", "A.N=A.N", "B.J=B.J"}, 0, 0},
    {"a name an earlier channel gives up", {"OLD.C", "A.C", "A.J", "A.N"}, {"OLD.C=A.C", "A.C=A.M", "A.J=A.J", "A.N=A.N", "B.J=B.J"}, 0, 0},
    {"a name a later channel gives up", {"A.M", "OLD.M", "A.J", "A.N"}, {"A.C=A.C", "OLD.M=A.M", "A.J=A.J", "A.N=A.N", "B.J=B.J"}, 1, 1},
    {"an existing file's name", {"A.C", "A.M", "B.J", "A.N"}, unchanged, 1, 1},
    {"one name twice", {"A.C", "A.M", "S", "S"}, {"A.C=A.C", "A.M=A.M", "S=A.J", "A.N=A.N", "B.J=B.J"}, 1, 1},
    {"names that cannot be given", {"", "../x", "..", "\x01"}, unchanged, 4, 4},
    {"a path past 255 characters", {"A.C", "A.M", "A.J", std::string(250, 'n')}, unchanged, 1, 1},
};
// clang-format on

TEST(RenameSeparationFiles, RenamesInChannelOrderAndTellsEachFailure) {
    for (const auto& [what, names, after, failures, foundFirst] : renameCases) {
        TempFolder folder({"A.C=A.C", "A.M=A.M", "A.J=A.J", "A.N=A.N", "B.J=B.J"});
        RecordingDialog dialog;
        Names recorded;
        for (int channel = cyan; channel <= black; ++channel) {
            recorded[static_cast<std::size_t>(channel)] =
                folder.file(std::string("A.") + "CMJN"[channel]);
            dialog.texts[IDC_CYAN_NAME + channel] = names[static_cast<std::size_t>(channel)];
        }
        const Names before = recorded;
        EXPECT_EQ(separationRenameProblems(recorded, names).size(), foundFirst) << what;
        renameSeparationFiles(dialog, IDC_CYAN_NAME, IDC_CYAN_PATH, recorded);
        EXPECT_EQ(folder.entries(), after) << what;
        EXPECT_EQ(dialog.messages.size(), failures) << what;
        for (int channel = cyan; channel <= black; ++channel) {
            const auto i = static_cast<std::size_t>(channel);
            const std::string shown = recorded[i] == before[i] ? "" : folder.file(names[i]);
            EXPECT_EQ(dialog.texts[IDC_CYAN_PATH + channel], shown) << what;
            EXPECT_TRUE(shown.empty() || recorded[i] == shown) << what;
        }
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
