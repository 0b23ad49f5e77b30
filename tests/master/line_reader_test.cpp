// readLine: every ending convention, pieces of the maximum length, and the
// byte-exact round trip the rewriter relies on.
#include "master/line_reader.h"

#include "temp_folder.h"

#include <gtest/gtest.h>
#include <vector>

namespace platelier {
namespace {

using testing::TempFolder;

std::vector<std::string> readAllLines(const std::string& bytes, int maxLength) {
    TempFolder folder;
    FileStream file = FileStream::open(folder.write("lines", bytes), "rb");
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
    FileStream file = FileStream::open(folder.write("lines", "abc\n"), "rb");
    for (int maxLength : {1, 0, -5}) {
        std::string line = "untouched";
        EXPECT_EQ(readLine(line, maxLength, file), 0);
        EXPECT_EQ(line, "untouched");
    }
    std::string line;
    EXPECT_EQ(readLine(line, 256, file), 4) << "nothing was consumed";
}

} // namespace
} // namespace platelier
