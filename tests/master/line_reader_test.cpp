// readLine and the block copy that stands in for it, on the promises of
// line_check.h: every ending convention, pieces of the maximum length, lines
// across the end of the stream's block, and random bytes.
#include "line_check.h"

#include <gtest/gtest.h>
#include <random>

namespace platelier {
namespace {

using namespace testing;
using Lines = std::vector<std::string>;

// `inFirstBlock`: how many of the row's bytes end the stream's first block,
// filled up with lines of filler; 0: no filler.
struct LineCase {
    const char* what;
    std::size_t inFirstBlock;
    std::string bytes;
    Lines lines;
};

const std::string x256(masterLineLength, 'x'), y255(255, 'y');

// clang-format off
const LineCase lineCases[] = {
    {"empty file", 0, "", {}},
    {"CR LF, last line without ending", 0, "abc\r\ndef", {"abc\r\n", "def"}},
    {"CR only: an empty line is absorbed", 0, "abc\r\rdef\r", {"abc\r\r", "def\r"}},
    {"LF only: an empty line is absorbed", 0, "abc\n\ndef\n", {"abc\n\n", "def\n"}},
    {"LF CR is one ending", 0, "abc\n\rdef", {"abc\n\r", "def"}},
    {"CR LF CR LF gives an empty line", 0, "a\r\n\r\nb", {"a\r\n", "\r\n", "b"}},
    {"CR LF LF gives a lone LF", 0, "a\r\n\n%b", {"a\r\n", "\n", "%b"}},
    {"300 bytes in pieces", 0, x256 + "%" + x256.substr(213), {x256, "%" + x256.substr(213)}},
    {"an ending after 255 bytes: 257", 0, y255 + "\r\n", {y255 + "\r\n"}},
    {"256 bytes, then their ending alone", 0, x256 + "\r\n%", {x256, "\r\n", "%"}},
    {"0xFF and zero bytes are bytes", 0, std::string("a\xff\0\n%", 5), {std::string("a\xff\0\n",
        4), "%"}},
    {"'%' inside a line, then first", 0, "a%b\r\n%c", {"a%b\r\n", "%c"}},
    {"pieces counted from a line's start", 0, "ab\r\n" + x256 + "%", {"ab\r\n", x256, "%"}},
    {"CR LF split", 3, "ab\r\n%d", {"ab\r\n", "%d"}},
    {"CR CR split, then a lone LF", 3, "ab\r\r\ncd", {"ab\r\r", "\n", "cd"}},
    {"a lone CR last in the block", 3, "ab\r%d", {"ab\r", "%d"}},
    {"an ending first in the next block", 2, "ab\r\ncd", {"ab\r\n", "cd"}},
    {"a piece of 256 ending with the block", 256, x256 + "%\n", {x256, "%\n"}},
    {"a piece of 256 split", 100, x256 + "%", {x256, "%"}},
    {"a piece of 256 split before its last byte", 255, x256 + "%", {x256, "%"}},
    {"CR as the 256th byte, its LF next", 256, y255 + "\r\n%", {y255 + "\r\n", "%"}},
    {"'%' last in the block", 1, "%b", {"%b"}},
};
// clang-format on

TEST(ReadLine, SplitsLinesAndTheBlockCopyAgrees) {
    for (const LineCase& c : lineCases) {
        std::string bytes;
        Lines expected, lines;
        for (std::size_t left = c.inFirstBlock ? FileReader::bufferSize - c.inFirstBlock : 0;
             left > 0; left -= expected.back().size(), bytes += expected.back()) {
            expected.push_back(std::string(std::min<std::size_t>(left, 100) - 1, 'f') + "\n");
        }
        expected.insert(expected.end(), c.lines.begin(), c.lines.end());
        EXPECT_EQ(lineViolation(bytes + c.bytes, masterLineLength, lines), "") << c.what;
        EXPECT_EQ(lines, expected) << c.what;
    }
}

// Short maximum lengths make pieces of long lines common.
TEST(ReadLine, KeepsItsPromisesOnRandomBytes) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 400; ++round) {
        std::string bytes(random() % 700, '\0');
        for (char& byte : bytes) {
            byte = "%\r\n\0 :xx"[random() % 8];
        }
        Lines lines;
        ASSERT_EQ(lineViolation(bytes, round % 5 == 0 ? 256 : round % 5, lines), "")
            << "round " << round;
    }
}

} // namespace
} // namespace platelier
