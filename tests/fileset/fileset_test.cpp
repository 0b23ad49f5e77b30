// The separation files: the candidate pattern, the folder index against the
// system's own search, the link check's rules on the folders it meets, a
// rename of letters outside a-z in real folders, and the check of their
// content; the commands' tests find and rename the files of whole filesets.
#include "fileset/checked_master.h"
#include "fileset/command_rules.h"
#include "fileset/outcome_messages.h"
#include "fileset/separation_content.h"
#include "fileset/separation_renaming.h"
#include "fixtures.h"
#include "master/line_reader.h"
#include "named_rows.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/path_parts.h"
#include "system_search.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <tuple>

namespace platelier {
namespace {

using namespace testing;

TEST(CandidatePattern, StarsTheCharacterBeforeTheLastDot) {
    // clang-format off
    const std::pair<std::string, const char*> rows[] = {
        {"D:/job/IMAGE.EPS", "IMAG*.C"}, {"D:/job/A.EPS", "*.C"},
        {"D:/job/IMAGE.V2.EPS", "IMAGE.V*.C"}, {"/job/J?B*.eps", "J?B*.C"}, {"D:/job/.EPS", ""},
        {"D:/my.dir/IMAGE", ""}, {".EPS", ""}, {"IMAGE", ""}};
    // clang-format on
    for (const auto& [master, wildcard] : rows) {
        const std::optional<CandidatePattern> pattern = candidatePattern(master, "C");
        EXPECT_EQ(pattern ? pattern->stem + "*." + pattern->extension : "", wildcard) << master;
    }
}

// Names of every kind the program meets (letter case, accented letters in
// Windows-1252 and outside it, dots, blanks, names long enough for a short
// name of their own on Win32, wildcards on Linux), searched with the
// program's patterns: the index finds what the system's own search finds,
// natively and under Wine, where the dialog and the link check both search
// the index.
TEST(FolderIndex, FindsWhatTheSystemsSearchFinds) {
    // clang-format off
    const char* const pieces[] = {"IMAGE", "image", "Im", "A", "x", ".", ".", " ", "é", "É", "ÿ",
                                  "ß", "µ", "Ż", "ż", "~1", "photograph cyan", "V2", "C", "c",
                                  "*", "?", "["};
    // clang-format on
    std::mt19937 random(20261208);
    const auto piece = [&] { return std::string(pieces[random() % std::size(pieces)]); };
    std::size_t searches = 0;
    for (int round = 0; round < 20; ++round) {
        TempFolder folder;
        for (int n = 0; n < 24; ++n) {
            std::string name = piece() + piece() + piece() + (random() % 3 ? "." + piece() : "");
            if (acceptableFileName(name)) {
                folder.write(name, "x");
            }
        }
        const FolderIndex index(listFolder(folder.file("")).value_or(std::vector<FolderEntry>()));
        for (const FolderEntry& entry : index.entries()) {
            for (const std::string& name : {entry.name, entry.shortName}) {
                const std::size_t dot = name.rfind('.');
                const std::string extension = dot == std::string::npos ? "C" : name.substr(dot + 1);
                const std::string stem = name.substr(0, random() % (name.size() + 1));
                std::vector<std::string> expected = systemSearch(folder.file(""), stem, extension);
                std::vector<std::string> found;
                for (const FolderEntry* match : index.matching({stem, extension})) {
                    found.push_back(match->name);
                }
                std::sort(expected.begin(), expected.end());
                std::sort(found.begin(), found.end());
                EXPECT_EQ(found, expected) << stem << "*." << extension;
                searches += !name.empty();
            }
        }
    }
    EXPECT_GT(searches, 200u);
}

// A fileset in a folder, checked: the plates' states and files, as
// "state file" per plate; `master` (in `tree`, "name=bytes" entries) is
// checked, its plates being M.C, M.M, M.J and M.N unless it says otherwise.
struct LinkCase {
    const char* what;
    Entries tree;
    const char* master;
    const char* links;
};

std::string checked(const TempFolder& folder, const std::string& name) {
    const FolderReading reading = readFolder(folder.file(""), {name});
    const CheckedMaster master = checkMaster(name, reading, *masterNamed(reading, name));
    std::string links;
    for (const PlateLink& link : master.links) {
        const char* states[] = {"ok", "renamed", "missing", "ambiguous", "cut-short", "unchecked"};
        links += std::string(links.empty() ? "" : " ") + states[static_cast<int>(link.state)] +
                 (link.file.empty() ? "" : " " + fileNamePart(link.file));
    }
    return links;
}

// "=" and a master whose plate lines name these files.
std::string plates(const char* c, const char* m, const char* y, const char* k) {
    return "=%%Title: t\r\n" + plateBlock("\r\n", c, m, y, k);
}

const bool onWin32 = pathSeparator() == '\\';

// clang-format off
const LinkCase linkCases[] = {
    {"the master and its backup are never a plate's file",
     {"SELF.C=c", "SELF.EPS" + plates("SELF.EPS", "self.bak", "SELF.C", "x"), "SELF.BAK=b"},
     "SELF.EPS", "missing missing ok SELF.C missing"},
    // Yellow's pattern *.J finds the master, M.J, itself.
    {"the master is never a candidate",
     {"M.J" + plates("M.C", "M.M", "lost.J", "M.N"), "M.C=c", "M.M=m", "M.N=n"},
     "M.J", "ok M.C ok M.M missing ok M.N"},
    {"a file linked by the magenta plate is not yellow's",
     {"X.C=c", "X magenta.J=m", "X.N=n", "X.EPS" + plates("X.C", "X magenta.J", "X.J", "X.N")},
     "X.EPS", "ok X.C ok X magenta.J missing ok X.N"},
    {"a folder is sought by nobody",
     {"A1.EPS" + plates("A1.C", "A1.M", "A1.J", "A1.N"), "A1.M=m", "A1.J=j", "A1.N=n",
      "A2.EPS" + plates("A2.C", "A2.M", "A2.J", "A2.N"), "A2.M=m", "A2.J=j", "A2.N=n", "A3.C/"},
     "A1.EPS", "missing ok A1.M ok A1.J ok A1.N"},
    // On Linux a '?' is a letter of a name: the pattern J?B*.C finds no JAB.
    {"a wildcard in the master's name stands for itself",
     {onWin32 ? "JAB-other.C=c" : "J?B1.EPS" + plates("J?B1.C", "x", "x", "x"), "JAB-other.C=c"},
     onWin32 ? "JAB-other.C" : "J?B1.EPS", onWin32 ? "" : "missing missing missing missing"},
    // On Win32 the ANSI listing gives the file the best-fit name JOB Zólty.C.
    {"a plate in Windows-1252 never takes a best-fit name for its file",
     {"JOB Żółty.C=c", "JOB.EPS" + plates("JOB Z\xF3lty.C", "x", "x", "x")}, "JOB.EPS",
     "renamed JOB Żółty.C missing missing missing"},
    // The master is 116 bytes long; a spot plate's file is sought by its own
    // extension, one without extension by none (not black's letter N).
    {"DCS 2.0: plates inside the master to its end and past it, a spot plate renamed",
     {"D.EPS=%%PlateFile: (C) EPS #0 116\n%%PlateFile: (M) EPS #1 116\n%%PlateFile: (S) EPS "
      "Local D.5\n%%PlateFile: (K) EPS Local K\n", "D2.5=s", "D2.N=n"}, "D.EPS",
     "ok cut-short renamed D2.5 missing"},
};
// clang-format on

void PrintTo(const LinkCase& row, std::ostream* out) {
    printRow(row.what, out);
}

class LinkCheck : public ::testing::TestWithParam<LinkCase> {};

TEST_P(LinkCheck, GivesEachPlateItsState) {
    const LinkCase& row = GetParam();
    const TempFolder folder(row.tree);
    EXPECT_EQ(checked(folder, row.master), row.links);
}

INSTANTIATE_TEST_SUITE_P(Folders, LinkCheck, ::testing::ValuesIn(linkCases), RowName());

struct ObstacleCase {
    FilesetCommand command;
    FilesetToChange fileset;
    const char* obstacles; // each as its kind's initial (m no master, n no name, f no file)
                           // and its channel
};

TEST(CommandObstacles, NameWhatKeepsEachCommandFromRunning) {
    const FilesetToChange full{"J.EPS", {"c", "m", "j", "n"}, {"c", "m", "j", "n"}};
    const FilesetToChange holes{"J.EPS", {"", "m", "j", ""}, {"c", "", "j", "n"}};
    const ObstacleCase rows[] = {{FilesetCommand::saveAllChanges, full, ""},
                                 {FilesetCommand::saveAllChanges, holes, "n0 f1 n3"},
                                 {FilesetCommand::renameChannels, holes, "n0 n3"},
                                 {FilesetCommand::renameFiles, holes, "f1"},
                                 {FilesetCommand::renameFiles, {"", {}, {}}, "m0"}};
    for (const ObstacleCase& row : rows) {
        std::string found;
        for (const CommandObstacle& obstacle : commandObstacles(row.command, row.fileset)) {
            found += (found.empty() ? "" : " ") + std::string(1, "mnf"[obstacle.kind]) +
                     std::to_string(obstacle.plate);
        }
        EXPECT_EQ(found, row.obstacles) << row.obstacles;
    }
}

// Names are compared as the system compares them: on Linux a letter in
// other case is another name and the rename is made; on Win32 it is the
// same name and the file keeps it. The master and its backup are never
// renamed nor taken as a new name, however their path is spelt.
TEST(RenameSeparationFiles, FollowTheSystemsNamesAndNeverTouchTheMaster) {
    TempFolder folder({"é.N=n", "J.EPS=m", "sub/"});
    const std::string in = folder.file("");
    const std::string master = in + "sub" + pathSeparator() + ".." + pathSeparator() + "J.EPS";
    const bool sameCase = sameFileName("é.N", "É.N");
    EXPECT_TRUE(
        separationRenameProblems(master, {"", "", "", in + "é.N"}, {"", "", "", "É.N"}).empty());
    EXPECT_EQ(renameSeparationFile(master, in + "é.N", "É.N").kind,
              sameCase ? RenameOutcome::skipped : RenameOutcome::renamed);
    EXPECT_TRUE(pathExists(in + "É.N"));
    EXPECT_EQ(planSeparationRename(master, in + "a.C", std::string(255 - in.size(), 'n')).kind,
              RenameOutcome::renamed);
    EXPECT_EQ(planSeparationRename(master, in + "a.C", std::string(256 - in.size(), 'n')).kind,
              RenameOutcome::failed)
        << "a new path of 256 characters";
    PlatePaths recorded = {in + "GONE.C", in + "J.EPS", in + "J.C", ""};
    std::vector<std::string> messages;
    renameSeparationFiles(master, recorded, {"B.C", "X.C", "J.BAK", ""},
                          [&](std::size_t, const RenameOutcome& outcome) {
                              messages.push_back(renameFailureMessage(outcome));
                          });
    const std::string isMaster = " :\nc'est le fichier-maître ou sa copie de sauvegarde.";
    EXPECT_EQ(messages,
              (std::vector<std::string>{
                  "Impossible de renommer\n" + in + "GONE.C en\n" + in + "B.C.",
                  "Impossible de renommer\n" + in + "J.EPS en\n" + in + "X.C" + isMaster,
                  "Impossible de renommer\n" + in + "J.C en\n" + in + "J.BAK" + isMaster}));
}

// A separation file (none: no file; "/": a folder), its master's box, the verdict.
struct ContentCase {
    std::optional<std::string> bytes;
    PageBoxes masterBoxes;
    const char* verdict;
};

TEST(JudgeSeparationFile, FindsFilesEmptiedCutShortForeignOrOfAnotherPage) {
    const std::string start = "%!PS-Adobe-3.0 EPSF-3.0\r\n", wider = "%%BoundingBox: 0 0 10 9\n",
                      eps = start + "%%BoundingBox: 0 0 9 9\r\n%%EndComments\r\n",
                      atEnd = start + "%%BoundingBox: (atend)\n%%EOF\n";
    const PageBoxes page{BoundingBox{0, 0, 9, 9}, std::nullopt};
    // clang-format off
    const ContentCase rows[] = {
        {eps, page, "sound"}, {start, {}, "sound"}, {eps + wider, page, "sound"},
        {eps + std::string(FileReader::bufferSize, '0'), page, "sound"},
        {atEnd + "%%BoundingBox: 0 0 9 9\n", page, "sound"}, {atEnd + wider, page, "other-page"},
        {atEnd + std::string(FileReader::bufferSize, '0') + "\n" + wider, page, "other-page"},
        {epsBinaryHeader(30, 25) + start + wider, page, "sound"},
        {withPreview(start + wider), page, "other-page"}, {"", page, "empty"},
        {start + std::string(headerCommentsReach, '%') + "\n" + wider, page, "sound"},
        {"hello\r\n", page, "not-eps"}, {"/", page, "not-eps"}, {std::nullopt, page, "unreadable"},
        {epsBinaryHeader(29, 64) + eps, page, "not-eps"}, {"\xC5\xD0\xD3\xC6", page, "truncated"},
        {withPreview(eps).substr(0, 100), page, "truncated"},
        {epsBinaryHeader(30, 65) + eps, page, "truncated"},
        {epsBinaryHeader(94, 64) + eps, page, "truncated"},
        {epsBinaryHeader(30, 64), page, "truncated"}, // a header and nothing after it
        {epsBinaryHeader(30, 40, 50, 9) + eps, page, "not-eps"}, // a preview inside the text
        {start + "%%BoundingBox: 0 0 612.0 792.0\n", {BoundingBox{0, 0, 72, 72}, {}}, "other-page"},
        {start + "%%BoundingBox: 0 0 9.0 9.001\n", page, "sound"},
        {start + "%%BoundingBox: 0 0 9 10\n", page, "other-page"},
        {start + "%%EndComments\n%%BoundingBox: 0 0 5 5\n", page, "sound"}, // after the comments
        {start + "%%BoundingBox: 0 0 10 10\n%%HiResBoundingBox: 0 0 9.52 9.5\n",
         {BoundingBox{0, 0, 10, 10}, BoundingBox{0, 0, 9.5, 9.5}}, "other-page"},
        {start + "%%BoundingBox: 0 0 10 10\n%%HiResBoundingBox: 0 0 9.495 9.5\n",
         {BoundingBox{0, 0, 10, 10}, BoundingBox{0, 0, 9.5, 9.5}}, "sound"},
        // The PostScript text ends in the middle of its last line, which the
        // preview after it does not lengthen.
        {withPreview(atEnd + "%%BoundingBox: 0 0 9 9").replace(30 + atEnd.size() + 22, 3, "0\n."),
         page, "sound"}};
    // clang-format on
    const FileFaultsGuard faults;
    for (const ContentCase& row : rows) {
        const TempFolder folder({"x.C/", "x.J=" + row.bytes.value_or("")});
        const char* name = !row.bytes ? "x.N" : *row.bytes == "/" ? "x.C" : "x.J";
        failFileOperation(0);
        EXPECT_EQ(verdictWord(judgeSeparationFile(folder.file(name), row.masterBoxes)), row.verdict)
            << row.bytes.value_or("no file");
        // A file that one read takes whole is opened once, read once, and
        // never asked for more past its end; the rest are seeking among the
        // bytes read. A larger one is read at its end too.
        const std::size_t size = row.bytes.value_or("").size();
        const bool small = size < FileReader::bufferSize;
        EXPECT_LE(fileOperationCount(), small ? 5U : 7U) << row.bytes.value_or("no file");
        // What the file is, and how long, is asked only of one that is not
        // sound, or that its first read does not take whole (a folder, which
        // Win32 refuses unopened, aside).
        EXPECT_TRUE(row.bytes == "/" ||
                    (fileOperationCount(FileOperation::query) != 0) ==
                        (row.bytes && (std::string(row.verdict) != "sound" ||
                                       size > headerCommentsReach + masterLineLength)))
            << row.bytes.value_or("no file");
        // Only the start of a file is read, and its end for a box at its end.
        const bool atItsEnd = row.bytes.value_or("").find("(atend)") != std::string::npos;
        EXPECT_LE(fileBytesRead(),
                  headerCommentsReach + masterLineLength + 1 + (atItsEnd ? trailerReach + 1 : 0))
            << row.bytes.value_or("no file");
        // Judged with others, from a start read in a batch, the same; a
        // sound file without binary header (whose sections must fit the
        // file's length), however long, is opened only by the batch.
        const std::vector<std::string> together(3, folder.file(name));
        failFileOperation(0);
        for (FileStart& read : readSeparationStarts(together)) {
            EXPECT_EQ(verdictWord(judgeSeparationStart(folder.file(name), std::move(read),
                                                       row.masterBoxes)),
                      row.verdict)
                << row.bytes.value_or("no file");
        }
        const bool plainAndSound = std::string(row.verdict) == "sound" &&
                                   row.bytes->compare(0, 4, "\xC5\xD0\xD3\xC6") != 0;
        EXPECT_TRUE(!plainAndSound || fileOperationCount(FileOperation::open) == together.size())
            << row.bytes.value_or("no file");
    }
    // A plate inside a master is judged in place, its text beginning at its
    // offset; bytes past the file's end are a master cut short.
    const TempFolder folder({"m.eps=abc" + eps});
    const std::uint64_t size = eps.size();
    const std::tuple<std::uint64_t, std::uint64_t, const char*> plates[] = {
        {3, size, "sound"}, {0, size, "not-eps"}, {4, size, "truncated"}, {3, 0, "empty"}};
    for (const auto& [offset, length, verdict] : plates) {
        EXPECT_EQ(verdictWord(judgePlateInMaster(folder.file("m.eps"), offset, length, page)),
                  verdict)
            << offset << "+" << length;
    }
}

} // namespace
} // namespace platelier
