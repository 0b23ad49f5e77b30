// The separation files: the discovery pattern, a rename of letters outside
// a-z in real folders, and the check of their content; the commands' tests
// find and rename the files of whole filesets.
#include "fileset/command_rules.h"
#include "fileset/link_check.h"
#include "fileset/separation_content.h"
#include "fileset/separation_discovery.h"
#include "fileset/separation_renaming.h"
#include "fixtures.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/path_parts.h"

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
        {"D:\\job\\IMAGE.V2.EPS", "D:\\job\\IMAGE.V*.C"}, {"D:/job/.EPS", std::nullopt},
        {"D:/my.dir/IMAGE", std::nullopt}, {".EPS", std::nullopt}, {"IMAGE", std::nullopt}};
    // clang-format on
    for (const auto& [master, pattern] : rows) {
        EXPECT_EQ(separationPattern(master, "C"), pattern) << master;
    }
}

// A plate naming the master or its backup is no link to a separation file,
// nor is either one of the files a channel's pattern finds.
TEST(CheckLinks, NeverTakeTheMasterNorItsBackupForASeparationFile) {
    TempFolder folder({"SELF.C=c", "SELF.EPS=m", "SELF.BAK=b"});
    FolderListings listings;
    const MasterLinks links =
        checkLinks(folder.file("SELF.EPS"), {"SELF.EPS", "self.bak", "SELF.C", "x"}, listings);
    std::string states;
    for (const ChannelLink& link : links) {
        states += std::to_string(static_cast<int>(link.state)) + fileNamePart(link.file) + " ";
    }
    EXPECT_EQ(states, "1SELF.C 2 0SELF.C 2 ") << "renamed, missing, ok, missing";
    std::string found;
    EXPECT_EQ(countMatchingFiles(folder.file("SEL*.BAK"), folder.file("SELF.EPS"), found), 0);
}

// One folder searched with one wildcard by the dialog's search and by the
// link check. `named`, a name in other case than an entry's, is that
// entry's on Win32 and no entry's on Linux.
struct SearchCase {
    Entries folder;
    const char* wildcard;
    int onLinux, onWin32; // entries found
    const char* named = nullptr;
};

// clang-format off
const SearchCase searchCases[] = {
    {{"\xE9t\xE9.C=x"}, "?T\xC9*.C", 0, 1, "\xC9T\xC9.C"}, {{"n.C=x"}, "N*.C", 1, 1, "N.C"},
    {{"Photograph Cyan.C=x"}, "*~*.C", 0, 1}, {{"IMAGE.V2.C=x", "A.B.C.C=x"}, "IMAG*.C", 1, 1},
    {{"IMAGE.V2.C=x", "A.B.C.C=x"}, "A.*.C", 1, 1}, {{"IMAGE2.C/", "IMAGE3.C=x"}, "IMAG*.C", 2, 2}};
// clang-format on

// On Win32 the search ignores the case of every letter and matches short
// names too (under Wine "Photograph Cyan.C" is also PHOT~VSY.C).
TEST(SeparationSearch, FindsForTheLinkCheckWhatItFindsForTheDialog) {
    const bool win32 = pathSeparator() == '\\';
    for (const SearchCase& row : searchCases) {
        TempFolder folder(row.folder);
        std::string found;
        const int count =
            countMatchingFiles(folder.file("") + row.wildcard, folder.file("M.EPS"), found);
        FolderListings listings;
        const FolderIndex& index = *listings.index(folder.file(""));
        const std::vector<const FolderEntry*> matches = index.matching(row.wildcard);
        EXPECT_EQ(count, win32 ? row.onWin32 : row.onLinux) << row.wildcard;
        EXPECT_EQ(matches.size(), static_cast<std::size_t>(count)) << row.wildcard;
        EXPECT_EQ(matches.size() == 1 ? matches[0]->name : found, found) << row.wildcard;
        EXPECT_EQ(row.named && index.named(row.named), row.named && win32) << row.wildcard;
        for (const FolderEntry& entry : index.entries()) {
            EXPECT_EQ(index.named(entry.shortName.empty() ? entry.name : entry.shortName), &entry);
        }
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

// Names are compared as the system compares them: on Linux a letter in
// other case is another name and the rename is made; on Win32 it is the
// same name and the file keeps it. The master and its backup are never
// renamed nor taken as a new name, however their path is spelt.
TEST(RenameSeparationFiles, FollowTheSystemsNamesAndNeverTouchTheMaster) {
    TempFolder folder({"\xe9.N=n", "J.EPS=m", "sub/"});
    const std::string in = folder.file("");
    const std::string master = in + "sub" + pathSeparator() + ".." + pathSeparator() + "J.EPS";
    const bool sameCase = sameFileName("\xe9.N", "\xc9.N");
    EXPECT_TRUE(
        separationRenameProblems(master, {"", "", "", in + "\xe9.N"}, {"", "", "", "\xc9.N"})
            .empty());
    EXPECT_EQ(renameSeparationFile(master, in + "\xe9.N", "\xc9.N").kind,
              sameCase ? RenameOutcome::skipped : RenameOutcome::renamed);
    EXPECT_TRUE(pathExists(in + "\xc9.N"));
    EXPECT_EQ(planSeparationRename(master, in + "a.C", std::string(255 - in.size(), 'n')).kind,
              RenameOutcome::renamed);
    EXPECT_EQ(planSeparationRename(master, in + "a.C", std::string(256 - in.size(), 'n')).kind,
              RenameOutcome::failed)
        << "a new path of 256 characters";
    Names recorded = {in + "GONE.C", in + "J.EPS", in + "J.C", ""};
    std::vector<std::string> messages;
    renameSeparationFiles(
        master, recorded, {"B.C", "X.C", "J.BAK", ""},
        [&](const std::string& message) { messages.push_back(message); },
        [](ChannelIndex, const std::string&) {});
    const std::string isMaster = " :\nc'est le fichier-ma\xEEtre ou sa copie de sauvegarde.";
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  "Impossible de renommer\n" + in + "GONE.C en\n" + in + "B.C.",
                  "Impossible de renommer\n" + in + "J.EPS en\n" + in + "X.C" + isMaster,
                  "Impossible de renommer\n" + in + "J.C en\n" + in + "J.BAK" + isMaster}));
}

// A separation file (none: no file; "/": a folder), its master's box, the verdict.
struct ContentCase {
    std::optional<std::string> bytes;
    std::optional<BoundingBox> masterBox;
    const char* verdict;
};

TEST(JudgeSeparationFile, FindsFilesEmptiedCutShortForeignOrOfAnotherPage) {
    const std::string start = "%!PS-Adobe-3.0 EPSF-3.0\r\n", wider = "%%BoundingBox: 0 0 10 9\n",
                      eps = start + "%%BoundingBox: 0 0 9 9\r\n%%EndComments\r\n",
                      atEnd = start + "%%BoundingBox: (atend)\n%%EOF\n";
    const BoundingBox page{0, 0, 9, 9};
    // clang-format off
    const ContentCase rows[] = {
        {eps, page, "sound"}, {start, std::nullopt, "sound"}, {eps + wider, page, "sound"},
        {atEnd + "%%BoundingBox: 0 0 9 9\n", page, "sound"}, {atEnd + wider, page, "other-page"},
        {atEnd + std::string(FileReader::bufferSize, '0') + "\n" + wider, page, "other-page"},
        {epsBinaryHeader(30, 25) + start + wider, page, "sound"},
        {withPreview(start + wider), page, "other-page"}, {"", page, "empty"},
        {start + std::string(headerCommentsReach, '%') + "\n" + wider, page, "sound"},
        {"hello\r\n", page, "not-eps"}, {"/", page, "not-eps"}, {std::nullopt, page, "unreadable"},
        {epsBinaryHeader(29, 64) + eps, page, "not-eps"}, {"\xC5\xD0\xD3\xC6", page, "truncated"},
        {withPreview(eps).substr(0, 100), page, "truncated"},
        {epsBinaryHeader(30, 65) + eps, page, "truncated"},
        {epsBinaryHeader(94, 64) + eps, page, "truncated"}};
    // clang-format on
    const FileFaultsGuard faults;
    for (const ContentCase& row : rows) {
        const TempFolder folder({"x.C/", "x.J=" + row.bytes.value_or("")});
        const char* name = !row.bytes ? "x.N" : *row.bytes == "/" ? "x.C" : "x.J";
        failFileOperation(0);
        EXPECT_EQ(verdictWord(judgeSeparationFile(folder.file(name), row.masterBox)), row.verdict)
            << row.bytes.value_or("no file");
        // A file that one read takes whole is opened once, read once, and
        // never asked for more past its end; the rest are asking its length
        // and seeking among the bytes read. A larger one is read at its end too.
        const bool small = row.bytes.value_or("").size() < FileReader::bufferSize;
        EXPECT_LE(fileOperationCount(), small ? 6U : 8U) << row.bytes.value_or("no file");
    }
}

} // namespace
} // namespace platelier
