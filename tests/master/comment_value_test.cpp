// commentValue and the blank trimming it uses.
#include "master/comment_value.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

struct ValueCase {
    std::string line;
    std::string value;
};

const ValueCase valueCases[] = {
    {"%%Title: My picture\r\n", "My picture"},
    {"%%Title:   My picture   \r\n", "My picture"},
    {"%%Title:\r\n", ""},
    {"%%Title:     \r\n", ""},
    {"%%CyanPlate: D:\\job\\IMAGE.C\r\n", "D:\\job\\IMAGE.C"},
    {"%%Title: a:b:c\r", "a:b:c"},
    {"%%Title: name\t\r\n", "name\t"},
    {"%%Title:\tname \r\n", "\tname"},
    {"%%Title: name\n", "name"},
    {"%%Title: name\n\r", "name"},
    {"%%Title: name\n\n", "name"},
    {"%%Title: name\r\r", "name"},
    {"%%Title: name", "name"},
    {"%%Title: \xe9t\xe9\r\n", "\xe9t\xe9"},
    {"no colon here\r\n", ""},
    {"colon after the end\r\n: x", ""},
    {"", ""},
    {std::string("%%Title: ab\0cd\r\n", 16), "ab"},
    {std::string("%%Ti\0tle: x\r\n", 13), ""},
};

TEST(CommentValue, TakesTheTextBetweenFirstColonAndLineEnd) {
    for (const ValueCase& c : valueCases) {
        EXPECT_EQ(commentValue(c.line), c.value) << "line: " << c.line;
    }
}

struct TrimCase {
    std::string text;
    std::string leading;
    std::string trailing;
};

const TrimCase trimCases[] = {
    {"", "", ""},    {"   ", "", ""}, {"  a b  ", "a b  ", "  a b"}, {"\tx\t", "\tx\t", "\tx\t"},
    {"x", "x", "x"},
};

TEST(TrimSpaces, RemoveOnlyBlanksAtTheirEnd) {
    for (const TrimCase& c : trimCases) {
        std::string leading = c.text;
        trimLeadingSpaces(leading);
        EXPECT_EQ(leading, c.leading) << "'" << c.text << "'";
        std::string trailing = c.text;
        trimTrailingSpaces(trailing);
        EXPECT_EQ(trailing, c.trailing) << "'" << c.text << "'";
    }
}

} // namespace
} // namespace platelier
