// commentValue and the blank trimming it uses.
#include "master/comment_value.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

TEST(CommentValue, TakesTheTextBetweenFirstColonAndLineEnd) {
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"%%Title: My picture\r\n", "My picture"}, {"%%Title:   My picture   \r\n", "My picture"},
        {"%%Title:     \r\n", ""}, {"%%CyanPlate: D:\\job\\A.C\r\n", "D:\\job\\A.C"},
        {"%%Title: a:b:c\r", "a:b:c"}, {"%%Title:\tname\t\r\n", "\tname\t"}, {"%%Title: name\n\r", "name"},
        {"%%Title: name", "name"}, {"no colon here\r\n", ""}, {"colon after the end\r\n: x", ""},
        {std::string("%%Title: ab\0cd\r\n", 16), "ab"}, {std::string("%%Ti\0tle: x\r\n", 13), ""}};
    // clang-format on
    for (const auto& [line, value] : rows) {
        EXPECT_EQ(commentValue(line), value) << "line: " << line;
    }
}

TEST(TrimSpaces, RemoveOnlyBlanksAtTheirEnd) {
    const std::tuple<std::string, std::string, std::string> rows[] = {
        {"", "", ""}, {"   ", "", ""}, {"  a b  ", "a b  ", "  a b"}, {"\tx\t", "\tx\t", "\tx\t"}};
    for (const auto& [text, leading, trailing] : rows) {
        std::string trimmed = text;
        trimLeadingSpaces(trimmed);
        EXPECT_EQ(trimmed, leading) << "'" << text << "'";
        trimmed = text;
        trimTrailingSpaces(trimmed);
        EXPECT_EQ(trimmed, trailing) << "'" << text << "'";
    }
}

} // namespace
} // namespace platelier
