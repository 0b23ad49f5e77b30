// The platform operations the higher layers' tests do not reach, against
// whichever implementation the build chose (Linux natively, Win32 under
// Wine): wildcard matching, streams of any size, a folder renamed.
#include "fixtures.h"
#include "platform/file_stream.h"
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
        {"*a*b", "aaab", true}, {"*a*b", "aaba", false}, {"\xc9*", "\xe9t", false}, {"\xc9*", "\xc9t", true}};
    // clang-format on
    for (const auto& [wildcard, name, matches] : rows) {
        EXPECT_EQ(matchesWildcard(wildcard, name), matches) << wildcard << " against " << name;
    }
    TempFolder folder({"IMAGE.C/"});
    EXPECT_TRUE(moveFileNoReplace(folder.file("IMAGE.C"), folder.file("B.C"))) << "a folder moves";
}

// Written in runs that straddle the buffer, past the write-out interval,
// then a seek back overwrites the start, as a rewrite fixes a header.
TEST(FileStreams, GiveBackWhatWasWrittenWhateverItsSize) {
    for (std::size_t size : {std::size_t{1}, FileWriter::bufferSize + 1,
                             std::size_t{FileWriter::writeOutInterval + 300000}}) {
        TempFolder folder({"data="});
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) {
            bytes[i] = static_cast<char>(i * 7 % 251);
        }
        FileWriter out = FileWriter::open(folder.file("data"));
        for (std::size_t at = 0; at < size; at += 70001) {
            ASSERT_TRUE(out.write(bytes.data() + at, std::min<std::size_t>(70001, size - at)));
        }
        ASSERT_TRUE(out.seek(0) && out.write(bytes.substr(0, 1)) && out.close());
        EXPECT_FALSE(out.close()) << "a closed stream cannot be closed again";
        FileReader in = FileReader::open(folder.file("data"));
        std::string back(size + 1, '\0');
        back.resize(in.read(back.data(), back.size()));
        EXPECT_TRUE(back == bytes && in.length() == size) << size << " bytes";
    }
}

} // namespace
} // namespace platelier
