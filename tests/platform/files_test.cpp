// The file-system operations, run against whichever implementation the build
// chose: POSIX natively, Win32 under Wine.
#include "platform/files.h"

#include "platform/file_faults.h"
#include "platform/file_stream.h"
#include "temp_folder.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace platelier {
namespace {

using testing::fileExists;
using testing::readFileBytes;
using testing::TempFolder;

TEST(MoveFileNoReplace, RenamesAFile) {
    TempFolder folder;
    const std::string from = folder.write("pic.C", "cyan");
    ASSERT_TRUE(moveFileNoReplace(from, folder.file("pic2.C")));
    EXPECT_FALSE(fileExists(from));
    EXPECT_EQ(readFileBytes(folder.file("pic2.C")), "cyan");
}

TEST(MoveFileNoReplace, NeverReplacesAnExistingFile) {
    TempFolder folder;
    const std::string from = folder.write("pic.C", "cyan");
    const std::string to = folder.write("pic.M", "magenta");
    EXPECT_FALSE(moveFileNoReplace(from, to));
    EXPECT_EQ(readFileBytes(from), "cyan");
    EXPECT_EQ(readFileBytes(to), "magenta");
}

TEST(MoveFileNoReplace, FailsWhenNothingStandsAtTheSource) {
    TempFolder folder;
    EXPECT_FALSE(moveFileNoReplace(folder.file("absent"), folder.file("other")));
    EXPECT_FALSE(fileExists(folder.file("other")));
}

TEST(MoveFileNoReplace, RenamesAFolder) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("IMAGE.C"));
    EXPECT_TRUE(moveFileNoReplace(folder.file("IMAGE.C"), folder.file("IMAGE2.C")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("IMAGE2.C")));
}

TEST(ReplaceFileWithBackup, PutsTheReplacementInPlaceBehindABackup) {
    for (const bool olderBackup : {false, true}) {
        TempFolder folder;
        const std::string target = folder.write("photo.eps", "old");
        const std::string replacement = folder.write("new.tmp", "new");
        if (olderBackup) {
            folder.write("photo.BAK", "older");
        }
        ASSERT_TRUE(replaceFileWithBackup(target, replacement, folder.file("photo.BAK")));
        EXPECT_EQ(readFileBytes(target), "new");
        EXPECT_EQ(readFileBytes(folder.file("photo.BAK")), "old");
        EXPECT_FALSE(fileExists(replacement));
    }
}

TEST(ReplaceFileWithBackup, FailsWithoutTouchingTheTarget) {
    TempFolder folder;
    const std::string target = folder.write("photo.eps", "old");
    EXPECT_FALSE(replaceFileWithBackup(target, folder.file("absent"), folder.file("photo.BAK")));
    EXPECT_EQ(readFileBytes(target), "old");
    EXPECT_FALSE(replaceFileWithBackup(folder.file("absent"), target, folder.file("photo.BAK")));
    EXPECT_EQ(readFileBytes(target), "old");
}

TEST(CreateUniqueFile, GivesANewEmptyFileInTheFolderEachTime) {
    TempFolder folder;
    const std::optional<std::string> first = createUniqueFile(folder.folder() + pathSeparator());
    const std::optional<std::string> second = createUniqueFile(folder.folder() + pathSeparator());
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    EXPECT_EQ(readFileBytes(*first), "");
    EXPECT_EQ(std::filesystem::path(*first).parent_path(), std::filesystem::path(folder.folder()));
    EXPECT_TRUE(removeFile(*first));
    EXPECT_FALSE(fileExists(*first));
    EXPECT_FALSE(removeFile(*first));
    EXPECT_FALSE(createUniqueFile(folder.file("absent") + pathSeparator()));
}

TEST(FileFaults, TheChosenOperationFailsAndOnlyThatOne) {
    TempFolder folder;
    const std::string path = folder.write("data", "abc");
    failFileOperation(2);
    FileReader first = FileReader::open(path);
    FileReader second = FileReader::open(path);
    FileReader third = FileReader::open(path);
    EXPECT_EQ(fileOperationCount(), 3u);
    failFileOperation(0);
    EXPECT_TRUE(first && third);
    EXPECT_FALSE(second);

    failFileOperation(1);
    EXPECT_EQ(first.getByte(), FileReader::endOfFile) << "a failing read ends the data";
    EXPECT_TRUE(first.failed());
    EXPECT_FALSE(first.close()) << "and is reported when the stream closes";
    failFileOperation(0);
}

struct SearchCase {
    std::string pattern;
    std::vector<std::string> names;
};

TEST(FindMatchingEntries, MatchesTheLastComponentIgnoringCaseFoldersIncluded) {
    TempFolder folder;
    for (const char* name : {"IMAGE.C", "imagx.c", "IMAGE.M", "IMAGE.EPS", "other.txt"}) {
        folder.write(name, "x");
    }
    std::filesystem::create_directory(folder.file("IMAGE.J"));
    const std::string in = folder.folder() + pathSeparator();
    const SearchCase cases[] = {
        {in + "IMAG*.C", {"IMAGE.C", "imagx.c"}},
        {in + "imag*.m", {"IMAGE.M"}},
        {in + "IMAG*.J", {"IMAGE.J"}},
        {in + "IMAG*.N", {}},
        {in + "*.EPS", {"IMAGE.EPS"}},
        {in + "IMAGE.?", {"IMAGE.C", "IMAGE.J", "IMAGE.M"}},
        {in + "absent" + pathSeparator() + "*.C", {}},
    };
    for (const SearchCase& c : cases) {
        std::vector<std::string> names = findMatchingEntries(c.pattern);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, c.names) << c.pattern;
    }
}

TEST(FileStream, ReadsWritesSeeksAndReportsClosing) {
    TempFolder folder;
    FileWriter out = FileWriter::open(folder.write("data", ""));
    ASSERT_TRUE(out);
    EXPECT_TRUE(out.write("0123456789", 10));
    EXPECT_TRUE(out.close());
    EXPECT_FALSE(out.close()) << "a closed stream cannot be closed again";

    FileReader in = FileReader::open(folder.file("data"));
    ASSERT_TRUE(in);
    EXPECT_EQ(in.length(), 10u);
    ASSERT_TRUE(in.seek(7));
    EXPECT_EQ(in.getByte(), '7');
    in.ungetByte('7');
    char rest[8] = {};
    EXPECT_EQ(in.read(rest, sizeof rest), 3u);
    EXPECT_STREQ(rest, "789");
    EXPECT_EQ(in.getByte(), FileReader::endOfFile);
    EXPECT_FALSE(in.failed()) << "the end of the file is no failure";
    EXPECT_FALSE(FileReader::open(folder.file("absent")));
    EXPECT_FALSE(FileWriter::open(folder.file("absent"))) << "a writer opens existing files only";
}

TEST(FileStream, ReadingLimitEndsASection) {
    TempFolder folder;
    FileReader in = FileReader::open(folder.write("data", "abcdefgh"));
    ASSERT_TRUE(in.seek(2));
    in.limitReading(3);
    EXPECT_EQ(in.getByte(), 'c');
    in.ungetByte('c');
    char section[8] = {};
    EXPECT_EQ(in.read(section, sizeof section), 3u);
    EXPECT_STREQ(section, "cde");
    EXPECT_EQ(in.getByte(), FileReader::endOfFile);
    ASSERT_TRUE(in.seek(6));
    EXPECT_EQ(in.getByte(), 'g') << "seeking lifts the limit";
}

// Past the write-out interval too, where the stream asks the system to
// start writing to the disk; then a seek back overwrites the start, as a
// rewrite fixes a header.
TEST(FileStream, BlocksLargerThanItsBufferArriveWhole) {
    TempFolder folder;
    std::string bytes(FileWriter::writeOutInterval + 300000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7 % 251);
    }
    FileWriter out = FileWriter::open(folder.write("big", ""));
    for (std::size_t at = 0; at < bytes.size(); at += 70001) {
        ASSERT_TRUE(out.write(bytes.data() + at, std::min<std::size_t>(70001, bytes.size() - at)));
    }
    ASSERT_TRUE(out.seek(5));
    ASSERT_TRUE(out.write("HEADER", 6));
    ASSERT_TRUE(out.close());
    bytes.replace(5, 6, "HEADER");
    FileReader in = FileReader::open(folder.file("big"));
    std::string back(bytes.size() + 10, '\0');
    back.resize(in.read(back.data(), back.size()));
    EXPECT_TRUE(back == bytes) << "read back " << back.size() << " of " << bytes.size();
}

} // namespace
} // namespace platelier
