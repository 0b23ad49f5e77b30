// copyLinesUntilOneStartsWith against readLine itself: the copy must stop
// exactly where reading line by line meets the first line that starts with
// the byte, and pass every byte before it through unchanged.
#include "master/line_copier.h"

#include "master/line_reader.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <random>

namespace platelier {
namespace {

using testing::TempFolder;

struct Outcome {
    std::string copied;
    std::string rest; // what the input still holds afterwards
    bool operator==(const Outcome& other) const {
        return copied == other.copied && rest == other.rest;
    }
};

std::string remainingBytes(FileReader& input) {
    std::string rest;
    char chunk[4096];
    for (std::size_t count; (count = input.read(chunk, sizeof chunk)) > 0;) {
        rest.append(chunk, count);
    }
    return rest;
}

Outcome lineByLine(const std::string& bytes, char first, int maxLength) {
    TempFolder folder;
    FileReader input = FileReader::open(folder.write("in", bytes));
    Outcome outcome;
    std::string line;
    while (readLine(line, maxLength, input) != 0) {
        if (line[0] == first) {
            outcome.rest = line;
            break;
        }
        outcome.copied += line;
    }
    outcome.rest += remainingBytes(input);
    return outcome;
}

Outcome copiedInBlocks(const std::string& bytes, char first, int maxLength) {
    TempFolder folder;
    FileReader input = FileReader::open(folder.write("in", bytes));
    FileWriter output = FileWriter::open(folder.write("out", ""));
    std::uint64_t written = 0;
    EXPECT_TRUE(copyLinesUntilOneStartsWith(first, maxLength, input, output, written));
    Outcome outcome;
    outcome.rest = remainingBytes(input);
    EXPECT_TRUE(output.close());
    outcome.copied = testing::readFileBytes(folder.file("out"));
    EXPECT_EQ(written, outcome.copied.size());
    return outcome;
}

struct CopyCase {
    const char* name;
    std::string bytes;
};

const std::string block(FileReader::bufferSize, 'x');
const std::string piece(masterLineLength, 'x');

const CopyCase copyCases[] = {
    {"no line starts with it", "ab\r\ncd%\r\n"},
    {"the first line", "%ab\r\ncd"},
    {"after CR LF", "ab\r\n%cd"},
    {"after a run of line ends", "ab\r\r\r%cd"},
    {"after LF CR LF LF", "ab\n\r\n\n%cd"},
    {"inside a line, then at a line's start", "a%b\r\n%c"},
    {"a long line's second piece", piece + "%"},
    {"a byte before the second piece", piece.substr(1) + "%"},
    {"a byte after the second piece", piece + "x%"},
    {"a long line's third piece", piece + piece + "%"},
    {"pieces counted from the line's start", "ab\r\n" + piece + "%"},
    {"a piece cut just before its CR", piece + "\r%"},
    {"a CR as the last byte of a piece", piece.substr(1) + "\r%"},
    {"the first byte of the next block", block + "%"},
    {"the last byte of a block", block.substr(1) + "%" + "y"},
    {"a CR ending one block", block.substr(1) + "\r%"},
    {"pieces counted across a block", "ab\n" + block + "%" + piece + "%"},
    {"empty input", ""},
};

TEST(LineCopier, StopsWhereReadingLineByLineWould) {
    for (const CopyCase& c : copyCases) {
        EXPECT_TRUE(copiedInBlocks(c.bytes, '%', masterLineLength) ==
                    lineByLine(c.bytes, '%', masterLineLength))
            << c.name;
    }
}

// Short maximum lengths make line starts inside long lines common.
TEST(LineCopier, AgreesWithReadLineOnRandomLines) {
    std::mt19937 random(20261206);
    const char alphabet[] = {'%', '%', '\r', '\n', 'x', 'x', 'x', 'x'};
    const int maxLengths[] = {2, 3, 5, masterLineLength};
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 600, '\0');
        for (char& byte : bytes) {
            byte = alphabet[random() % sizeof alphabet];
        }
        const int maxLength = maxLengths[round % 4];
        ASSERT_TRUE(copiedInBlocks(bytes, '%', maxLength) == lineByLine(bytes, '%', maxLength))
            << "round " << round << ", maximum " << maxLength;
    }
}

} // namespace
} // namespace platelier
