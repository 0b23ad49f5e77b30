// What the higher layers' tests do not reach of the platform operations, on
// whichever implementation the build chose (Linux natively, Win32 under
// Wine): wildcard matching, and a folder renamed.
#include "fixtures.h"
#include "platform/file_faults.h"
#include "platform/files.h"
#include "platform/wildcard_match.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

TEST(MatchesWildcard, FollowsTheDirectorySearchRules) {
    // clang-format off
    const std::tuple<const char*, const char*, bool> rows[] = {
        {"IMAG*.C", "IMAGE.C", true}, {"IMAG*.C", "image.c", true}, {"IMAG*.C", "IMAG.C", true},
        {"IMAG*.C", "IMAGE.CC", false}, {"IMAG*.C", "IMAGE.V2.C", true}, {"*.C", "C", false},
        {"a?c", "abc", true}, {"a?c", "ac", false}, {"*", "", true}, {"", "x", false},
        {"*a*b", "aaab", true}, {"*a*b", "aaba", false}, {"\xc9*", "\xe9t", false}, {"\xc9*",
            "\xc9t", true}};
    // clang-format on
    for (const auto& [wildcard, name, matches] : rows) {
        EXPECT_EQ(matchesWildcard(wildcard, name), matches) << wildcard << " against " << name;
    }
    TempFolder folder({"IMAGE.C/"});
    EXPECT_TRUE(moveFileNoReplace(folder.file("IMAGE.C"), folder.file("B.C"))) << "a folder moves";
}

// On every kind of file system, what cannot be done fails and changes nothing.
TEST(FileOperations, NeverReplaceAFileNorMoveOneThatIsNotThere) {
    for (auto lacking : {FileSystemFeature::none, FileSystemFeature::noReplaceRename,
                         FileSystemFeature::hardLinks}) {
        simulateFileSystemWithout(lacking);
        TempFolder folder({"old=old", "new=new"});
        EXPECT_FALSE(moveFileNoReplace(folder.file("old"), folder.file("new")));
        EXPECT_FALSE(moveFileNoReplace(folder.file("none"), folder.file("x")));
        EXPECT_FALSE(
            replaceFileWithBackup(folder.file("none"), folder.file("new"), folder.file("b")));
        EXPECT_EQ(folder.entries(), (Entries{"old=old", "new=new"})) << int(lacking);
    }
    simulateFileSystemWithout(FileSystemFeature::none);
}

} // namespace
} // namespace platelier
