// rewriteMasterFile on real files: the plate lines it rebuilds, the bytes it
// keeps, the EPS binary header it brings up to date and the requests it
// refuses; every row also keeps the promises of rewrite_check.h, and is
// checked first in check-only mode, which must agree and write nothing.
#include "master/master_file_rewriter.h"
#include "named_rows.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "platform/interruption.h"
#include "rewrite_check.h"

#include <gtest/gtest.h>
#include <iostream>

namespace platelier {
namespace {

using namespace testing;

const Names newNames = {"new.C", "new.M", "new.J", "new.N"};
const PlateNames newPlates(newNames.begin(), newNames.end());
constexpr RewriteError damagedBlock = RewriteError::damagedPlateBlock;
constexpr RewriteError damagedHeader = RewriteError::damagedHeader;
const std::string crlf = "\r\n", block = plateBlock(crlf),
                  newBlock = plateBlock(crlf, "new.C", "new.M", "new.J", "new.N");
const std::string longLine = std::string(300, 'h') + crlf, odd = std::string("a\0b\r\r\n\n\r", 8);
const std::string ps = "%!PS\r\n" + block + "%%EOF\r\n",
                  newPs = "%!PS\r\n" + newBlock + "%%EOF\r\n";
const auto psSize = static_cast<std::uint32_t>(ps.size()),
           newPsSize = static_cast<std::uint32_t>(newPs.size());
const std::string shortPs = "%!PS\r\n" + plateBlock(crlf, "a", "b", "c", "d") + "%%EOF\r\n",
                  preview(700, 'P');
const auto shortSize = static_cast<std::uint32_t>(shortPs.size());
const std::string shortBlock = "%%CyanPlate: a\r\nm: b\r\ny: c\r\nk: d",
                  rebuilt = "%%CyanPlate: new.C\r\nm: new.M\r\ny: new.J\r\nk: new.N\r\n";

// The rewrite of the master as it reads, checked first in check-only mode;
// the rewrite takes the master as its reading left it open, the check opens
// it again.
RewriteResult rewriteAfterCheck(const TempFolder& folder, const std::string& master,
                                const PlateNames& names, const char* what) {
    const Entries before = folder.entries();
    const RewriteResult checked = rewriteAsRead(master, names, RewriteMode::checkOnly);
    EXPECT_EQ(folder.entries(), before) << what;
    const RewriteResult result =
        rewriteAsRead(master, names, RewriteMode::replace, ReadingFor::rewriting);
    EXPECT_EQ(checked.error, result.error) << what;
    EXPECT_EQ(checked.plate, result.plate) << what;
    return result;
}

// DCS 2.0 plate lines: a process plate and a spot plate in files.
std::string plateFiles(const std::string& e, const std::string& cyan = "IMG.C",
                       const std::string& spot = "IMG.5") {
    return "%!PS-Adobe-3.0 EPSF-3.0" + e + "%%PlateFile: (Cyan) EPS Local " + cyan + e +
           "%%PlateFile: (PANTONE 185 C) EPSF local " + spot + e + "%%EndComments" + e;
}

// clang-format off
struct RewriteCase {
    const char* what;
    std::string before, after;
    PlateNames names = newPlates;
};

void PrintTo(const RewriteCase& row, std::ostream* out) {
    printRow(row.what, out);
}

const RewriteCase rewriteCases[] = {
    {"CR LF master", masterText(crlf), masterText(crlf, newBlock)},
    {"LF master: plate lines end with CR LF", masterText("\n"), masterText("\n", newBlock)},
    {"blanks, a tab or nothing after the colon", "%%CyanPlate:   a\r\nm:\tb\r\ny:\r\nk:\n",
        rebuilt},
    {"the black line last, without ending", shortBlock, rebuilt},
    {"every block, the line after one too", plateBlock("\r") + plateBlock("\n") + "x",
        newBlock + newBlock + "x"},
    {"long lines, zero bytes and lone endings kept", longLine + odd + block + longLine,
        longLine + odd + newBlock + longLine},
    {"no plate block: unchanged", "%%cyanplate: x\r\n \t%%CyanPlate: y\r\n",
        "%%cyanplate: x\r\n \t%%CyanPlate: y\r\n"},
    {"a longer keyword starts a block", "%%CyanPlates: a\r\nm:x\r\ny:\r\nk:e\n",
        "%%CyanPlates: new.C\r\nm: new.M\r\ny: new.J\r\nk: new.N\r\n"},
    {"a TIFF preview behind a section that grows", withPreview(shortPs, 2049), withPreview(newPs,
        2049)},
    {"a metafile behind it, an empty TIFF preview", epsBinaryHeader(30, shortSize, 9999, 0,
        30 + shortSize, 3) + shortPs + "WMF",
     epsBinaryHeader(30, newPsSize, 9999, 0, 30 + newPsSize, 3) + newPs + "WMF"},
    {"a preview before the section", epsBinaryHeader(730, shortSize, 30, 700,
        9999) + preview + shortPs,
     epsBinaryHeader(730, newPsSize, 30, 700, 9999) + preview + newPs},
    {"the same length keeps the header", epsBinaryHeader(30, psSize).replace(28, 2,
        "\x12\x34") + ps,
     epsBinaryHeader(30, psSize).replace(28, 2, "\x12\x34") + newPs},
    {"DCS 2.0: one name changed, every other byte kept", plateFiles(crlf) + longLine + block,
        plateFiles(crlf, "NEW-NAME.C") + longLine + block, {"NEW-NAME.C", "IMG.5"}},
    {"DCS 2.0: a quoted name, CR alone, blanks after it kept",
     "%%PlateFile: (Cyan) EPS Local (IMG \\(1\\).C)  \r%%PlateFile: Black EPS Local my black.N \n"
        "%%PlateFile: (Y) EPS Local Y.J",
     "%%PlateFile: (Cyan) EPS Local (my \\(2\\).C)  \r%%PlateFile: Black EPS Local K.N \n"
        "%%PlateFile: (Y) EPS Local NEW.J", {"my (2).C", "K.N", "NEW.J"}},
    {"DCS 2.0: a TIFF preview behind a section that grows", withPreview(plateFiles("\n"), 2049),
        withPreview(plateFiles("\n", "IMG.C", "SPOT-2.5"), 2049), {"IMG.C", "SPOT-2.5"}},
    {"DCS 2.0: the longest name a plate line takes", plateFiles(crlf),
        plateFiles(crlf, std::string(225, 'c')), {std::string(225, 'c'), "IMG.5"}},
    {"DCS 2.0: a plate inside the master, nothing to change", "%%PlateFile: (Cyan) EPS #0 5\n",
        "%%PlateFile: (Cyan) EPS #0 5\n", {""}},
};
// clang-format on

class RewriteLines : public ::testing::TestWithParam<RewriteCase> {};

TEST_P(RewriteLines, RebuildsPlateLinesAndKeepsEveryOtherByte) {
    const RewriteCase& row = GetParam();
    TempFolder folder({"photo.BAK=older"});
    const std::string master = folder.write("photo.eps", row.before);
    const RewriteError error = rewriteAfterCheck(folder, master, row.names, row.what).error;
    EXPECT_EQ(error, RewriteError::none);
    EXPECT_EQ(readFileBytes(master), row.after);
    EXPECT_EQ(rewriteViolation(master, row.before, row.names, error), "");
}

INSTANTIATE_TEST_SUITE_P(Masters, RewriteLines, ::testing::ValuesIn(rewriteCases), RowName());

// clang-format off
struct RefusalCase {
    const char* what;
    std::string before;
    PlateNames names;
    RewriteError error;
    std::size_t plate;
};

void PrintTo(const RefusalCase& row, std::ostream* out) {
    printRow(row.what, out);
}

const RefusalCase refusalCases[] = {
    {"a block cut short", "%%CyanPlate: a\r\nm: b\r\ny: c\r\n", newPlates, damagedBlock, cyan},
    {"a plate line without colon", "%%CyanPlate: a\r\nm b\r\ny: c\r\nk: d\r\n", newPlates,
        damagedBlock, cyan},
    {"a colon after the line end", "%%CyanPlate: a\r\nm\r:b\r\ny: c\r\nk: d\r\n", newPlates,
        damagedBlock, cyan},
    {"a block inside a block", "%%CyanPlate: a\r\n" + block, newPlates, damagedBlock, cyan},
    {"the title inside a block", "%%CyanPlate: a\r\nm: b\r\n%%Title: t\r\nk: d\r\n", newPlates,
        damagedBlock, cyan},
    {"a plate line longer than a line read", "%%CyanPlate: " + longLine + block, newPlates,
        damagedBlock, cyan},
    {"a plate line read in two pieces", "%%CyanPlate: " + std::string(250,
        'a') + ":b\r\nm: b\r\ny: c\r\nk: d\r\n",
        newPlates, damagedBlock, cyan},
    {"a name with CR", block, {"a", "b", "c\r", "d"}, RewriteError::nameHasLineBreak, yellow},
    {"a name with LF", block, {"a", "b", "c", "\nd"}, RewriteError::nameHasLineBreak, black},
    {"a name with a blank at its end", block, {"a", "b ", "c", "d"},
        RewriteError::nameNotReadBack, magenta},
    {"a name with a tab", block, {"a\tb", "b", "c", "d"}, RewriteError::nameNotReadBack, cyan},
    {"the backup's name", block, {"a", "b", "m.BAK", "d"}, RewriteError::backupIsLinked, yellow},
    {"a name too long to read back", block, {"a", std::string(240, 'm'), "c", "d"},
        RewriteError::nameTooLong, magenta},
    {"an offset inside the header", epsBinaryHeader(20, 10) + block, newPlates, damagedHeader, cyan},
    {"an offset past the end", epsBinaryHeader(9000, 10) + block, newPlates, damagedHeader, cyan},
    {"an offset at the end", epsBinaryHeader(30, 10), newPlates, damagedHeader, cyan},
    {"a header cut short", epsBinaryHeader(30, 10).substr(0, 20), newPlates, damagedHeader, cyan},
    {"a magic number alone", "\xC5\xD0\xD3\xC6", newPlates, damagedHeader, cyan},
    // The header's PostScript length takes in the TIFF that follows.
    {"sections that overlap", epsBinaryHeader(30, shortSize + 9, 30 + shortSize, 9) + shortPs +
        "TIFFbytes", newPlates, damagedHeader, cyan},
    {"a length past the end", epsBinaryHeader(30, 100000) + shortPs, newPlates, damagedHeader, cyan},
    {"DCS 2.0: a blank in a name written bare", plateFiles(crlf), {"IMG.C", "SPOT 2.5"},
        RewriteError::nameNeedsParentheses, 1},
    {"DCS 2.0: a plate line too long", plateFiles(crlf), {std::string(230, 'c'), "IMG.5"},
        RewriteError::nameTooLong, 0},
    {"DCS 2.0: a plate file named as the backup", plateFiles(crlf, "IMG.C", "m.BAK"),
        {"NEW.C", "m.BAK"}, RewriteError::backupIsLinked, 1},
    {"DCS 2.0: a new name for a plate in another place",
     "%%PlateFile: (Cyan) EPS Local C\n%%PlateFile: (Black) EPS Remote K\n", {"C", "NEW.K"},
        RewriteError::plateNotInFile, 1},
    {"DCS 2.0: a file renamed where plates lie inside the master",
     "%%PlateFile: (Cyan) EPS Local C\n%%PlateFile: (Black) EPS #0 5\n", {"NEW.C", ""},
        RewriteError::platesInsideMaster, 0},
};
// clang-format on

class RewriteRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(RewriteRefusal, LeavesMasterAndBackupAsTheyWere) {
    const RefusalCase& row = GetParam();
    TempFolder folder({"m.BAK=older"});
    const std::string master = folder.write("m.eps", row.before);
    const RewriteResult result = rewriteAfterCheck(folder, master, row.names, row.what);
    EXPECT_EQ(result.error, row.error);
    EXPECT_EQ(result.plate, row.plate);
    EXPECT_EQ(rewriteViolation(master, row.before, row.names, result.error, "older"), "");
}

INSTANTIATE_TEST_SUITE_P(Masters, RewriteRefusal, ::testing::ValuesIn(refusalCases), RowName());

// A master whose plate lines are no longer where its reading says, though
// it kept its size and time, is refused, never written from the reading; a
// plate given no name keeps its own.
TEST(RewriteMasterFile, RewritesADcs2MasterOnlyAsItWasRead) {
    TempFolder folder;
    const std::string master = folder.write("m.eps", plateFiles(crlf));
    const std::function<void(Plate&)> changes[] = {[](Plate& plate) { plate.name = "OTHER.C"; },
                                                   [](Plate& plate) { ++plate.nameOffset; },
                                                   [](Plate& plate) { plate.lineOffset = 0; }};
    for (const auto& change : changes) {
        MasterReading reading = readMasterFile(master);
        change(reading.plates[0]);
        EXPECT_EQ(prepareRewrite(master, reading, {"NEW.C", "IMG.5"}).commit().error,
                  RewriteError::damagedPlateBlock);
        EXPECT_EQ(rewriteViolation(master, plateFiles(crlf), newNames, damagedBlock), "");
    }
    EXPECT_EQ(prepareRewrite(master, readMasterFile(master), {"NEW.C"}).commit().error,
              RewriteError::none);
    EXPECT_EQ(masterValues(master), (std::vector<std::string>{"", "NEW.C", "IMG.5"}));
}

TEST(RewriteMasterFile, RefusesWhatIsNoMasterToRewrite) {
    for (const char* name : {"m.BAK", "m.bak"}) {
        TempFolder folder({std::string(name) + "=" + block});
        EXPECT_EQ(rewriteMasterFile(folder.file(name), newNames).error,
                  RewriteError::backupIsMaster);
        EXPECT_EQ(folder.entries(), Entries{std::string(name) + "=" + block});
    }
    TempFolder folder;
    EXPECT_EQ(rewriteMasterFile("", newNames).error, RewriteError::noMasterPath);
    EXPECT_EQ(rewriteMasterFile(folder.file("absent.eps"), newNames).error,
              RewriteError::cannotOpenMaster);
    EXPECT_TRUE(folder.entries().empty());
    // Rewritten in place, a link would become a file and its backup the link.
    std::error_code noLinks;
    std::filesystem::create_symlink(folder.write("m.eps", block), folder.file("link.eps"), noLinks);
    if (!noLinks) {
        EXPECT_EQ(rewriteMasterFile(folder.file("link.eps"), newNames).error,
                  RewriteError::masterIsLink);
    }
}

// Another program changes the master at each step of a rewrite in turn (on
// Win32 it may not: the master is open without write sharing), or another
// rewrite of it runs there: the change is never lost, nor the master's first
// bytes, and two rewrites never both succeed; so too where the rewrite takes
// the master as its reading left it open.
TEST(RewriteMasterFile, NeverReplacesAMasterChangedMeanwhile) {
    const Names others = {"other.C", "other.M", "other.J", "other.N"};
    const std::string before = masterText(crlf);
    const FileFaultsGuard faults;
    for (const bool kept : {false, true}) {
        for (const bool anotherRewrite : {false, true}) {
            std::uint64_t n = 1;
            for (bool acted = true; acted; ++n) {
                TempFolder folder;
                const std::string master = folder.write("m.eps", before);
                FileReader opened;
                const FileIdentity read =
                    (kept ? readMasterForRewrite(master, MasterReach::wholeFile, opened)
                          : readMasterFile(master))
                        .identity;
                acted = false;
                bool appended = false;
                RewriteError other = RewriteError::masterInUse;
                actBeforeFileOperation(n, [&] {
                    acted = true;
                    if (anotherRewrite) {
                        other =
                            rewriteMasterFile(master, others, RewriteMode::replace, &read).error;
                    } else {
                        std::ofstream file(master, std::ios::binary | std::ios::app);
                        appended = static_cast<bool>(file << "%%Appended\r\n" << std::flush);
                    }
                });
                const RewriteError error =
                    prepareRewrite(master, newNames, RewriteMode::replace, &read, &opened)
                        .commit()
                        .error;
                failFileOperation(0);
                const std::string now = readFileBytes(master),
                                  backup = readFileBytes(folder.file("m.BAK"));
                const bool mine = now == masterText(crlf, newBlock);
                EXPECT_FALSE(error == RewriteError::none && other == RewriteError::none) << n;
                EXPECT_TRUE(acted || mine) << n;
                EXPECT_TRUE(!appended || now.find("%%Appended") != std::string::npos) << n;
                EXPECT_TRUE(!mine || backup == before) << n;
                EXPECT_TRUE(backup.empty() || backup == before ||
                            backup == before + "%%Appended\r\n")
                    << n;
            }
            EXPECT_GT(n, kept ? 6u : 10u);
        }
    }
}

// A rewritten master keeps its owner, group and permissions, set-ID bits
// included, where the platform has them, and a backup that was a hard link
// of it leaves no file behind; a read-only master is refused.
TEST(RewriteMasterFile, KeepsTheMastersOwnerAndPermissions) {
    using std::filesystem::perms;
    TempFolder folder;
    const std::string master = folder.write("photo.eps", masterText(crlf));
    std::filesystem::create_hard_link(master, backupPath(master));
    if (!giveToAnotherOwner(master)) {
        std::cout << "owner: only root gives a file to another owner, so the owner kept is the "
                     "test's own\n";
    }
    std::filesystem::permissions(master, perms(04640));
    const std::string owner = ownerOf(master);
    const perms mode = std::filesystem::status(master).permissions();
    const RewriteError error = rewriteMasterFile(master, newNames).error;
    EXPECT_EQ(rewriteViolation(master, masterText(crlf), newNames, error), "");
    EXPECT_EQ(ownerOf(master), owner);
    EXPECT_EQ(std::filesystem::status(master).permissions(), mode);
    const perms writable = perms::owner_write | perms::group_write | perms::others_write;
    std::filesystem::permissions(master, writable, std::filesystem::perm_options::remove);
    const Entries before = folder.entries();
    EXPECT_EQ(rewriteAfterCheck(folder, master, newPlates, "").error, RewriteError::masterReadOnly);
    EXPECT_EQ(folder.entries(), before);
    std::filesystem::permissions(master, writable, std::filesystem::perm_options::add);
}

// However many rewrites ran before in the run, an interruption removes the
// new master it finds being written.
TEST(RewriteMasterFile, AnInterruptionRemovesTheNewMaster) {
    TempFolder folder;
    const std::string master = folder.write("m.eps", masterText(crlf));
    for (int rewrite = 0; rewrite < 2 * interruptionGuards; ++rewrite) {
        ASSERT_EQ(rewriteMasterFile(master, rewrite % 2 ? newNames : Names()).error,
                  RewriteError::none);
    }
    const Entries before = folder.entries();
    const FileFaultsGuard faults;
    actBeforeFileOperation(FileOperation::write, [] {
        detail::interruptForTest();
        failEveryFileOperation();
    });
    rewriteMasterFile(master, newNames);
    EXPECT_EQ(folder.entries(), before);
}

// The longest names whose lines read back whole, in a master whose path has
// 255 characters, as long as the program takes; a master without extension,
// in a folder with dots in its name, has its backup beside it.
TEST(RewriteMasterFile, WritesTheLongestNamesIntoTheLongestPath) {
    TempFolder folder;
    const std::string inner =
        folder.file("") + std::string(241 - folder.file("").size(), 'f') + "12.03.19";
    std::filesystem::create_directory(inner);
    const std::string master = inner + pathSeparator() + "Photo";
    ASSERT_EQ(master.size(), 255u);
    std::ofstream(master, std::ios::binary) << masterText(crlf);
    const Names longest = {std::string(242, 'c'), std::string(239, 'm'), std::string(240, 'j'),
                           "k"};
    const RewriteError error = rewriteMasterFile(master, longest).error;
    EXPECT_EQ(error, RewriteError::none);
    EXPECT_EQ(rewriteViolation(master, masterText(crlf), longest, error), "");
}

} // namespace
} // namespace platelier
