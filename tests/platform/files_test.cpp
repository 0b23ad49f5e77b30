// The file-system operations, run against whichever implementation the build
// chose: POSIX natively, Win32 under Wine.
#include "app/platform/files.h"

#include "app/platform/file_stream.h"
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
    FileStream out = FileStream::open(folder.file("data"), "w+b");
    ASSERT_TRUE(out);
    EXPECT_TRUE(out.write("0123456789", 10));
    EXPECT_TRUE(out.close());
    EXPECT_FALSE(out.close()) << "a closed stream cannot be closed again";

    FileStream in = FileStream::open(folder.file("data"), "rb");
    ASSERT_TRUE(in);
    ASSERT_TRUE(in.seek(7));
    EXPECT_EQ(in.getByte(), '7');
    in.ungetByte('x');
    char rest[8] = {};
    EXPECT_EQ(in.read(rest, sizeof rest), 3u);
    EXPECT_STREQ(rest, "x89");
    EXPECT_EQ(in.getByte(), FileStream::endOfFile);
    EXPECT_FALSE(FileStream::open(folder.file("absent"), "rb"));
}

} // namespace
} // namespace platelier
