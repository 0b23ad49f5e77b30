// rewriteMasterFile on real files: the plate lines it rebuilds, the bytes it
// keeps, the EPS binary header it brings up to date, the requests it refuses,
// and a master that is never lost whichever file operation fails.
#include "master/master_file_rewriter.h"

#include "master/copy_bytes.h"
#include "master/master_file_reader.h"
#include "master_bytes.h"
#include "platform/file_faults.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;
using Names = std::array<std::string, channelCount>;

const Names newNames = {"new.C", "new.M", "new.J", "new.N"};
const std::string crlf = "\r\n";

std::size_t entriesIn(const TempFolder& folder) {
    const std::filesystem::directory_iterator entries(folder.folder());
    return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
}

struct RewriteCase {
    const char* name;
    std::string before;
    Names names;
    std::string after;
};

const std::string longLine = std::string(300, 'h') + crlf;

const RewriteCase rewriteCases[] = {
    {"CR LF master", masterText(crlf), newNames,
     "%!PS-Adobe-3.0 EPSF-3.0\r\n%%Creator: tests\r\n%%Title: My picture\r\n"
     "%%BoundingBox: 0 0 100 100\r\n" +
         plateBlock(crlf, "new.C", "new.M", "new.J", "new.N") +
         "%%EndComments\r\n0 0 moveto showpage\r\n%%EOF\r\n"},
    {"three blanks become one", "%%CyanPlate:   a\r\nm:   b\r\ny: c\r\nk: d\r\n", newNames,
     "%%CyanPlate: new.C\r\nm: new.M\r\ny: new.J\r\nk: new.N\r\n"},
    {"LF master: only plate lines get CR LF", "%%Title: t\n" + plateBlock("\n") + "%%EOF\n",
     newNames, "%%Title: t\n" + plateBlock(crlf, "new.C", "new.M", "new.J", "new.N") + "%%EOF\n"},
    {"empty name",
     plateBlock(crlf),
     {"", "b", "c", "d"},
     "%%CyanPlate: \r\n%%MagentaPlate: b\r\n%%YellowPlate: c\r\n%%BlackPlate: d\r\n"},
    {"names written as typed",
     plateBlock(crlf),
     {" D:\\x ", "a:b", "\xe9t\xe9", "\t"},
     "%%CyanPlate:  D:\\x \r\n%%MagentaPlate: a:b\r\n%%YellowPlate: \xe9t\xe9\r\n%%BlackPlate: "
     "\t\r\n"},
    {"line after the block read as any other, a block there too",
     plateBlock(crlf) + "x\n" + plateBlock("\n") + "%%EOF\n", newNames,
     plateBlock(crlf, "new.C", "new.M", "new.J", "new.N") + "x\n" +
         plateBlock(crlf, "new.C", "new.M", "new.J", "new.N") + "%%EOF\n"},
    {"fourth plate line last, without ending", "%%CyanPlate: a\r\nm: b\r\ny: c\r\nk: d", newNames,
     "%%CyanPlate: new.C\r\nm: new.M\r\ny: new.J\r\nk: new.N\r\n"},
    {"every block, before the title too",
     plateBlock(crlf) + "%%Title: t\r\n" + plateBlock("\r") + "%%EOF", newNames,
     plateBlock(crlf, "new.C", "new.M", "new.J", "new.N") + "%%Title: t\r\n" +
         plateBlock(crlf, "new.C", "new.M", "new.J", "new.N") + "%%EOF"},
    {"long lines outside the block arrive whole", longLine + plateBlock(crlf) + longLine, newNames,
     longLine + plateBlock(crlf, "new.C", "new.M", "new.J", "new.N") + longLine},
    {"master without plate block unchanged",
     "%%Title: t\r\n%%cyanplate: x\r\n \t%%CyanPlate: y\r\n", newNames,
     "%%Title: t\r\n%%cyanplate: x\r\n \t%%CyanPlate: y\r\n"},
    {"longer keyword starts a block", "%%CyanPlates: a\r\nb:x\r\nc:\r\nd:e\n", newNames,
     "%%CyanPlates: new.C\r\nb: new.M\r\nc: new.J\r\nd: new.N\r\n"},
    {"no blank, a tab or the ending after the colon", "%%CyanPlate:a\r\nm:\tb\r\ny:\r\nk:\n",
     newNames, "%%CyanPlate: new.C\r\nm: new.M\r\ny: new.J\r\nk: new.N\r\n"},
    {"zero bytes and lone endings kept", std::string("a\0b\r\r\n\n\r", 8) + plateBlock(crlf),
     newNames,
     std::string("a\0b\r\r\n\n\r", 8) + plateBlock(crlf, "new.C", "new.M", "new.J", "new.N")},
};

TEST(RewriteMasterFile, RebuildsPlateLinesAndKeepsEveryOtherByte) {
    for (const RewriteCase& c : rewriteCases) {
        TempFolder folder;
        const std::string master = folder.write("photo.eps", c.before);
        const RewriteResult result = rewriteMasterFile(master, c.names);
        EXPECT_EQ(result.error, RewriteError::none) << c.name;
        EXPECT_EQ(readFileBytes(master), c.after) << c.name;
        EXPECT_EQ(readFileBytes(folder.file("photo.BAK")), c.before) << c.name;
        EXPECT_EQ(entriesIn(folder), 2u) << c.name << ": no file left behind";
    }
}

TEST(RewriteMasterFile, ReplacesAnOlderBackup) {
    TempFolder folder;
    const std::string master = folder.write("photo.eps", masterText(crlf));
    folder.write("photo.BAK", "older backup");
    ASSERT_EQ(rewriteMasterFile(master, newNames).error, RewriteError::none);
    EXPECT_EQ(readFileBytes(folder.file("photo.BAK")), masterText(crlf));
    const std::string once = readFileBytes(master);
    ASSERT_EQ(rewriteMasterFile(master, {"x", "y", "z", "w"}).error, RewriteError::none);
    EXPECT_EQ(readFileBytes(folder.file("photo.BAK")), once)
        << "the bytes just before the latest rewrite";
}

TEST(BackupPath, ReplacesFromTheLastDotOfTheWholePath) {
    const std::pair<std::string, std::string> cases[] = {
        {"D:\\job\\photo.eps", "D:\\job\\photo.BAK"},
        {"D:\\job\\photo.v2.eps", "D:\\job\\photo.v2.BAK"},
        {"D:\\job\\photo", "D:\\job\\photo.BAK"},
        {"D:\\my.dir\\photo", "D:\\my.BAK"},
        {"/tmp/a.", "/tmp/a.BAK"},
    };
    for (const auto& [master, backup] : cases) {
        EXPECT_EQ(backupPath(master), backup) << master;
    }
}

struct RefusalCase {
    const char* name;
    std::string fileName;
    std::string before;
    Names names;
    RewriteError error;
    ChannelIndex channel;
};

const RefusalCase refusalCases[] = {
    {"block cut short", "m.eps", "%%CyanPlate: a\r\nm: b\r\ny: c\r\n", newNames,
     RewriteError::damagedPlateBlock, cyan},
    {"plate line without colon", "m.eps", "%%CyanPlate: a\r\nm b\r\ny: c\r\nk: d\r\n", newNames,
     RewriteError::damagedPlateBlock, cyan},
    {"colon only after the line ending", "m.eps", "%%CyanPlate: a\r\nm\r:b\r\ny: c\r\nk: d\r\n",
     newNames, RewriteError::damagedPlateBlock, cyan},
    {"plate line longer than a line read", "m.eps",
     "%%CyanPlate: " + std::string(300, 'a') + "\r\nm: b\r\ny: c\r\nk: d\r\n", newNames,
     RewriteError::damagedPlateBlock, cyan},
    {"name with CR",
     "m.eps",
     plateBlock(crlf),
     {"a", "b", "c\r", "d"},
     RewriteError::nameHasLineBreak,
     yellow},
    {"name with LF",
     "m.eps",
     plateBlock(crlf),
     {"a", "b", "c", "\nd"},
     RewriteError::nameHasLineBreak,
     black},
    {"master named .BAK", "m.BAK", plateBlock(crlf), newNames, RewriteError::backupIsMaster, cyan},
    {"master named .bak", "m.bak", plateBlock(crlf), newNames, RewriteError::backupIsMaster, cyan},
    {"PostScript offset inside the header", "m.eps", epsBinaryHeader(20, 10) + plateBlock(crlf),
     newNames, RewriteError::damagedHeader, cyan},
    {"PostScript offset past the end", "m.eps", epsBinaryHeader(9000, 10) + plateBlock(crlf),
     newNames, RewriteError::damagedHeader, cyan},
    {"header cut short", "m.eps", epsBinaryHeader(30, 10).substr(0, 20), newNames,
     RewriteError::damagedHeader, cyan},
};

TEST(RewriteMasterFile, RefusesWithoutTouchingMasterOrBackup) {
    for (const RefusalCase& c : refusalCases) {
        TempFolder folder;
        const std::string master = folder.write(c.fileName, c.before);
        if (c.error != RewriteError::backupIsMaster) {
            folder.write("m.BAK", "older backup");
        }
        const RewriteResult result = rewriteMasterFile(master, c.names);
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_EQ(result.channel, c.channel) << c.name;
        EXPECT_EQ(readFileBytes(master), c.before) << c.name;
        if (c.error != RewriteError::backupIsMaster) {
            EXPECT_EQ(readFileBytes(folder.file("m.BAK")), "older backup") << c.name;
        }
        EXPECT_EQ(entriesIn(folder), c.error == RewriteError::backupIsMaster ? 1u : 2u) << c.name;
    }
}

TEST(RewriteMasterFile, WritesTheLongestNameThatReadsBackWhole) {
    TempFolder folder;
    const std::string master = folder.write("m.eps", "%%Title: t\r\n" + plateBlock(crlf));
    const Names longest = {std::string(242, 'c'), std::string(239, 'm'), std::string(240, 'j'),
                           "k"};
    ASSERT_EQ(rewriteMasterFile(master, longest).error, RewriteError::none);
    std::vector<std::string> values;
    ASSERT_TRUE(readMasterFile(
        master, [&](MasterValue, const std::string& value) { values.push_back(value); }));
    EXPECT_EQ(values,
              (std::vector<std::string>{"t", longest[0], longest[1], longest[2], longest[3]}));
}

TEST(RewriteMasterFile, RefusesAMissingOrUnnamedMaster) {
    TempFolder folder;
    EXPECT_EQ(rewriteMasterFile("", newNames).error, RewriteError::noMasterPath);
    EXPECT_EQ(rewriteMasterFile(folder.file("absent.eps"), newNames).error,
              RewriteError::cannotOpenMaster);
    EXPECT_EQ(entriesIn(folder), 0u);
}

// A master behind an EPS binary header, its sections in a given order.
struct HeaderedMaster {
    std::string bytes;
    std::string postScript;
    std::string preview;
};

HeaderedMaster previewAfterPostScript() {
    const std::string ps = masterText(crlf);
    std::string preview = "II*";
    for (int i = 0; i < 5000; ++i) {
        preview += static_cast<char>(i % 256);
    }
    const auto psLength = static_cast<std::uint32_t>(ps.size());
    const auto previewLength = static_cast<std::uint32_t>(preview.size());
    return {epsBinaryHeader(30, psLength, 0, 0, 30 + psLength, previewLength) + ps + preview, ps,
            preview};
}

std::uint32_t field(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    }
    return value;
}

TEST(RewriteMasterFile, MovesThePreviewsBehindAPostScriptSectionThatGrew) {
    TempFolder folder;
    const HeaderedMaster before = previewAfterPostScript();
    const std::string master = folder.write("photo.eps", before.bytes);
    const Names longer = {"longer-name.C", "new.M", "new.J", "new.N"};
    ASSERT_EQ(rewriteMasterFile(master, longer).error, RewriteError::none);
    const std::string after = readFileBytes(master);
    const std::uint32_t growth = 8 + 0 + 0 + 0;
    EXPECT_EQ(field(after, 4), 30u);
    EXPECT_EQ(field(after, 8), before.postScript.size() + growth);
    EXPECT_EQ(field(after, 20), 30 + before.postScript.size() + growth);
    EXPECT_EQ(field(after, 24), before.preview.size());
    EXPECT_EQ(after.substr(28, 2), "\xff\xff");
    EXPECT_EQ(after.substr(field(after, 20), field(after, 24)), before.preview);
    EXPECT_EQ(after.size(), before.bytes.size() + growth);
}

TEST(RewriteMasterFile, LeavesOffsetsBeforeThePostScriptSection) {
    TempFolder folder;
    const std::string ps = "%!PS\r\n" + plateBlock(crlf) + "%%EOF\r\n";
    const std::string preview(700, '\x42');
    const auto psOffset = static_cast<std::uint32_t>(30 + preview.size());
    const auto psLength = static_cast<std::uint32_t>(ps.size());
    const std::string before = epsBinaryHeader(psOffset, psLength, 9999, 0, 30, 700) + preview + ps;
    const std::string master = folder.write("photo.eps", before);
    ASSERT_EQ(rewriteMasterFile(master, {"c", "m", "j", "n"}).error, RewriteError::none);
    const std::string after = readFileBytes(master);
    EXPECT_EQ(field(after, 4), psOffset);
    EXPECT_EQ(field(after, 8), psLength - 16);
    EXPECT_EQ(field(after, 12), 9999u) << "a preview of length 0 is not moved";
    EXPECT_EQ(field(after, 20), 30u);
    EXPECT_EQ(after.substr(30, 700), preview);
}

TEST(RewriteMasterFile, KeepsTheHeaderWhenTheSectionKeepsItsLength) {
    TempFolder folder;
    HeaderedMaster before = previewAfterPostScript();
    before.bytes[28] = '\x12';
    before.bytes[29] = '\x34';
    const std::string master = folder.write("photo.eps", before.bytes);
    ASSERT_EQ(rewriteMasterFile(master, {"pic.c", "pic.m", "pic.j", "pic.n"}).error,
              RewriteError::none);
    const std::string after = readFileBytes(master);
    EXPECT_EQ(after.substr(0, 30), before.bytes.substr(0, 30)) << "checksum kept too";
    EXPECT_EQ(after.size(), before.bytes.size());
}

TEST(RewriteMasterFile, CutsAPostScriptLengthThatRunsPastTheEnd) {
    TempFolder folder;
    const std::string ps = plateBlock(crlf);
    const std::string master = folder.write("photo.eps", epsBinaryHeader(30, 100000) + ps);
    ASSERT_EQ(rewriteMasterFile(master, {"c", "m", "j", "n"}).error, RewriteError::none);
    const std::string after = readFileBytes(master);
    EXPECT_EQ(field(after, 8), after.size() - 30);
    EXPECT_EQ(after.substr(30), plateBlock(crlf, "c", "m", "j", "n"));
}

TEST(CopyBytes, CopiesExactlyTheCountOrFails) {
    TempFolder folder;
    std::string bytes(5000, 'a');
    bytes[2047] = 'b';
    bytes[4999] = 'z';
    for (std::uint64_t count : {0u, 1u, 2048u, 5000u}) {
        FileReader in = FileReader::open(folder.write("in", bytes));
        FileWriter out = FileWriter::open(folder.write("out", ""));
        EXPECT_TRUE(copyBytes(in, out, count));
        ASSERT_TRUE(out.close());
        EXPECT_EQ(readFileBytes(folder.file("out")), bytes.substr(0, count));
    }
    FileReader in = FileReader::open(folder.write("in", bytes));
    FileWriter out = FileWriter::open(folder.write("out", ""));
    EXPECT_FALSE(copyBytes(in, out, 5001)) << "the input ends first";
}

// Every file operation of a rewrite fails in turn: the master always holds
// either all its old bytes or all its new ones, the backup holds the old
// ones whenever the master is new, and nothing is left behind.
TEST(RewriteMasterFile, NeverLosesTheMasterWhicheverOperationFails) {
    const HeaderedMaster before = previewAfterPostScript();
    const Names longer = {"longer-name.C", "new.M", "new.J", "new.N"};
    std::string rewritten;
    {
        TempFolder folder;
        const std::string master = folder.write("photo.eps", before.bytes);
        ASSERT_EQ(rewriteMasterFile(master, longer).error, RewriteError::none);
        rewritten = readFileBytes(master);
    }
    std::uint64_t failures = 0;
    for (std::uint64_t n = 1;; ++n) {
        TempFolder folder;
        const std::string master = folder.write("photo.eps", before.bytes);
        folder.write("photo.BAK", "older backup");
        failFileOperation(n);
        const RewriteResult result = rewriteMasterFile(master, longer);
        const bool faultHit = fileOperationCount() >= n;
        failFileOperation(0);
        const std::string now = readFileBytes(master);
        const std::string backup = readFileBytes(folder.file("photo.BAK"));
        if (result.error == RewriteError::none) {
            EXPECT_EQ(now, rewritten) << "operation " << n;
            EXPECT_EQ(backup, before.bytes) << "operation " << n;
        } else {
            EXPECT_EQ(now, before.bytes) << "operation " << n;
            EXPECT_TRUE(backup == "older backup" || backup == before.bytes) << "operation " << n;
        }
        EXPECT_EQ(entriesIn(folder), 2u) << "operation " << n;
        if (!faultHit) {
            break;
        }
        failures += result.error == RewriteError::none ? 0 : 1;
    }
    EXPECT_GT(failures, 5u) << "the failures reached the rewrite";
}

} // namespace
} // namespace platelier
