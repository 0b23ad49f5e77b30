// The separation files: the discovery pattern, and a rename of letters
// outside a-z in real folders; the commands' tests find and rename the
// files of whole filesets.
#include "fileset/command_rules.h"
#include "fileset/separation_discovery.h"
#include "fileset/separation_renaming.h"
#include "fixtures.h"
#include "platform/files.h"

#include <fstream>
#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;
using Names = std::array<std::string, channelCount>;

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

struct ObstacleCase {
    FilesetCommand command;
    OpenedFileset fileset;
    const char* obstacles; // each as its kind's initial (m no master, n no name, f no file)
                           // and its channel
};

TEST(CommandObstacles, NameWhatKeepsEachCommandFromRunning) {
    const OpenedFileset full{"J.EPS", {"c", "m", "j", "n"}, {"c", "m", "j", "n"}};
    const OpenedFileset holes{"J.EPS", {"", "m", "j", ""}, {"c", "", "j", "n"}};
    const ObstacleCase rows[] = {{FilesetCommand::saveAllChanges, full, ""},
                                 {FilesetCommand::saveAllChanges, holes, "n0 f1 n3"},
                                 {FilesetCommand::renameChannels, holes, "n0 n3"},
                                 {FilesetCommand::renameFiles, holes, "f1"},
                                 {FilesetCommand::renameFiles, {"", {}, {}}, "m0"}};
    for (const ObstacleCase& row : rows) {
        std::string found;
        for (const CommandObstacle& obstacle : commandObstacles(row.command, row.fileset)) {
            found += (found.empty() ? "" : " ") + std::string(1, "mnf"[obstacle.kind]) +
                     std::to_string(obstacle.channel);
        }
        EXPECT_EQ(found, row.obstacles) << row.obstacles;
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
    Names recorded = {folder.file("GONE.C"), "", "", ""};
    std::vector<std::string> messages;
    renameSeparationFiles(
        recorded, {"B.C", "", "", ""},
        [&](const std::string& message) { messages.push_back(message); },
        [](ChannelIndex, const std::string&) {});
    EXPECT_EQ(messages,
              std::vector<std::string>{"Impossible de renommer\n" + folder.file("GONE.C") +
                                       " en\n" + folder.file("B.C") + "."});
}

} // namespace
} // namespace platelier
