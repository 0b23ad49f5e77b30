// readLine: every ending convention, pieces of the maximum length, the
// byte-exact round trip the rewriter relies on, and lines that straddle the
// end of one of the stream's blocks.
#include "master/line_reader.h"

#include "platform/file_faults.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <vector>

namespace platelier {
namespace {

using testing::TempFolder;

std::vector<std::string> readAllLines(const std::string& bytes, int maxLength) {
    TempFolder folder;
    FileReader file = FileReader::open(folder.write("lines", bytes));
    std::vector<std::string> lines;
    std::string line;
    for (int count; (count = readLine(line, maxLength, file)) != 0;) {
        EXPECT_EQ(static_cast<std::size_t>(count), line.size());
        lines.push_back(line);
    }
    EXPECT_TRUE(line.empty()) << "the end of the file leaves an empty text";
    return lines;
}

struct LineCase {
    const char* name;
    std::string bytes;
    int maxLength;
    std::vector<std::string> lines;
};

const std::string s300(300, 'x');
const std::string s255(255, 'y');

const LineCase lineCases[] = {
    {"empty file", "", 256, {}},
    {"CR LF then last line without ending", "abc\r\ndef", 256, {"abc\r\n", "def"}},
    {"CR only, empty line absorbed", "abc\r\rdef\r", 256, {"abc\r\r", "def\r"}},
    {"LF only, empty line absorbed", "abc\n\ndef\n", 256, {"abc\n\n", "def\n"}},
    {"LF CR is one ending", "abc\n\rdef", 256, {"abc\n\r", "def"}},
    {"CR LF CR LF gives an empty line", "a\r\n\r\nb", 256, {"a\r\n", "\r\n", "b"}},
    {"CR LF LF gives a lone LF line", "a\r\n\nb", 256, {"a\r\n", "\n", "b"}},
    {"three LF: pair then one", "a\n\n\nb", 256, {"a\n\n", "\n", "b"}},
    {"300 bytes in pieces", s300, 256, {std::string(256, 'x'), std::string(44, 'x')}},
    {"ending after 255 bytes counts 257", s255 + "\r\n", 256, {s255 + "\r\n"}},
    {"CR as the 256th byte takes its LF",
     std::string(255, 'z') + "\r\nq",
     256,
     {std::string(255, 'z') + "\r\n", "q"}},
    {"256 bytes then ending: ending is its own line",
     std::string(256, 'w') + "\r\n",
     256,
     {std::string(256, 'w'), "\r\n"}},
    {"0xFF and zero bytes are plain bytes",
     std::string("a\xff\0b\n", 5),
     256,
     {std::string("a\xff\0b\n", 5)}},
    {"lone CR at end of file", "\r", 256, {"\r"}},
    {"maximum length 2", "abcde\n", 2, {"ab", "cd", "e\n"}},
};

TEST(ReadLine, SplitsEveryEndingConvention) {
    for (const LineCase& c : lineCases) {
        EXPECT_EQ(readAllLines(c.bytes, c.maxLength), c.lines) << c.name;
    }
}

TEST(ReadLine, LinesPutBackTogetherGiveTheFileExactly) {
    const std::string endings[] = {"\r", "\n", "\r\n", "\n\r", "\r\r", "\n\n", ""};
    std::string bytes;
    for (int i = 0; i < 200; ++i) {
        bytes +=
            std::string(static_cast<std::size_t>(i * 7 % 300), static_cast<char>('a' + i % 26));
        bytes += endings[i % 7];
        bytes += std::string(static_cast<std::size_t>(i % 3), '\0');
    }
    for (int maxLength : {2, 3, 255, 256, 1000}) {
        std::string joined;
        for (const std::string& line : readAllLines(bytes, maxLength)) {
            ASSERT_LE(line.size(), static_cast<std::size_t>(maxLength) + 1);
            joined += line;
        }
        EXPECT_EQ(joined, bytes) << "maximum length " << maxLength;
    }
}

TEST(ReadLine, MaximumLengthOfOneOrLessReadsNothing) {
    TempFolder folder;
    FileReader file = FileReader::open(folder.write("lines", "abc\n"));
    for (int maxLength : {1, 0, -5}) {
        std::string line = "untouched";
        EXPECT_EQ(readLine(line, maxLength, file), 0);
        EXPECT_EQ(line, "untouched");
    }
    std::string line;
    EXPECT_EQ(readLine(line, 256, file), 4) << "nothing was consumed";
}

// CR LF lines of 100 to 199 bytes, `length` (at least 100) bytes in all.
std::vector<std::string> fillerLines(std::size_t length) {
    std::vector<std::string> lines;
    for (std::size_t size = 100 + length % 100; length > 0; length -= size, size = 100) {
        lines.push_back(std::string(size - 2, 'f') + "\r\n");
    }
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
    }
    return bytes;
}

// `inFirstBlock` bytes of `bytes` lie in the stream's first block, the
// others after it.
struct BoundaryCase {
    const char* name;
    std::size_t inFirstBlock;
    std::string bytes;
    std::vector<std::string> lines;
};

const std::string y255 = std::string(255, 'y');
const std::string w256 = std::string(256, 'w');

const BoundaryCase boundaryCases[] = {
    {"CR LF split", 3, "ab\r\ncd", {"ab\r\n", "cd"}},
    {"LF CR split", 3, "ab\n\rcd", {"ab\n\r", "cd"}},
    {"CR CR split, then a lone LF", 3, "ab\r\r\ncd", {"ab\r\r", "\n", "cd"}},
    {"lone CR last: the next byte is given back", 3, "ab\rcd", {"ab\r", "cd"}},
    {"lone LF first in the next block", 2, "ab\ncd", {"ab\n", "cd"}},
    {"CR LF whole in the next block", 2, "ab\r\ncd", {"ab\r\n", "cd"}},
    {"line split one byte before its ending", 4, "abc\r\n", {"abc\r\n"}},
    {"piece of 256 ending with the block",
     256,
     std::string(300, 'x') + "\n",
     {std::string(256, 'x'), std::string(44, 'x') + "\n"}},
    {"piece of 256 split",
     100,
     std::string(300, 'x'),
     {std::string(256, 'x'), std::string(44, 'x')}},
    {"CR as the 256th byte, its LF next", 256, y255 + "\r\nz", {y255 + "\r\n", "z"}},
    {"256 bytes, then CR LF split", 257, w256 + "\r\nq", {w256, "\r\n", "q"}},
    {"file ending with CR at the block end", 3, "ab\r", {"ab\r"}},
    {"file ending at the block end", 2, "ab", {"ab"}},
};

TEST(ReadLine, LinesAcrossTheEndOfABlockComeBackExactly) {
    for (const BoundaryCase& c : boundaryCases) {
        const std::vector<std::string> filler =
            fillerLines(FileReader::bufferSize - c.inFirstBlock);
        const std::vector<std::string> lines = readAllLines(joined(filler) + c.bytes, 256);
        ASSERT_GE(lines.size(), filler.size()) << c.name;
        const auto caseStart = lines.begin() + static_cast<std::ptrdiff_t>(filler.size());
        EXPECT_EQ(std::vector<std::string>(lines.begin(), caseStart), filler) << c.name;
        EXPECT_EQ(std::vector<std::string>(caseStart, lines.end()), c.lines) << c.name;
    }
}

TEST(ReadLine, ReadingLimitAndReadFailureAtTheEndOfABlock) {
    const std::vector<std::string> filler = fillerLines(FileReader::bufferSize - 3);
    TempFolder folder;
    const std::string path = folder.write("lines", joined(filler) + "ab\r\ncd\r\n");
    std::string line;
    {
        FileReader file = FileReader::open(path);
        file.limitReading(FileReader::bufferSize);
        for (const std::string& fillerLine : filler) {
            ASSERT_EQ(readLine(line, 256, file), static_cast<int>(fillerLine.size()));
        }
        EXPECT_EQ(readLine(line, 256, file), 3);
        EXPECT_EQ(line, "ab\r") << "the limit falls between CR and LF";
        EXPECT_EQ(readLine(line, 256, file), 0);
        file.limitReading(100);
        EXPECT_EQ(readLine(line, 256, file), 1);
        EXPECT_EQ(line, "\n");
        EXPECT_EQ(readLine(line, 256, file), 4);
        EXPECT_EQ(line, "cd\r\n");
    }
    FileReader file = FileReader::open(path);
    for (const std::string& fillerLine : filler) {
        ASSERT_EQ(readLine(line, 256, file), static_cast<int>(fillerLine.size()));
    }
    failFileOperation(1);
    EXPECT_EQ(readLine(line, 256, file), 3);
    EXPECT_EQ(line, "ab\r") << "the bytes before the failing read";
    EXPECT_TRUE(file.failed());
    EXPECT_EQ(readLine(line, 256, file), 0);
    failFileOperation(0);
}

} // namespace
} // namespace platelier
