// The console's text: UTF-8 from bytes of any encoding, and base64 for the
// exact bytes of what is not UTF-8.
#include "cli/base64.h"
#include "cli/utf8_text.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

TEST(Utf8Text, KeepsUtf8AndReadsEverythingElseAsWindows1252) {
    struct Row {
        const char* bytes;
        const char* text;            // utf8FromOneEncoding
        const char* mixed = nullptr; // utf8FromMixedEncodings, when it differs
    };
    const Row rows[] = {
        // The first and last of each length, and on either side of the surrogates.
        {"\xC2\x80\xDF\xBF \xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80 \xF0\x90\x80\x80\xF4\x8F\xBF\xBF",
         "\xC2\x80\xDF\xBF \xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80 \xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        {"\x80\x81\x9F\xA0\xFF", "\xE2\x82\xAC\xC2\x81\xC5\xB8\xC2\xA0\xC3\xBF"},
        {"\xC3\xA9\xE9", "\xC3\x83\xC2\xA9\xC3\xA9", "\xC3\xA9\xC3\xA9"},
        {"\xE9\xC3\xA9", "\xC3\xA9\xC3\x83\xC2\xA9", "\xC3\xA9\xC3\xA9"},
        {"\xC0\xAF", "\xC3\x80\xC2\xAF"},                 // overlong
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"}, // surrogates
        {"\xED\xBF\xBF", "\xC3\xAD\xC2\xBF\xC2\xBF"},
        {"\xE2\x82", "\xC3\xA2\xE2\x80\x9A"},                             // cut short
        {"\xF4\x90\x80\x80", "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"}, // past U+10FFFF
        {"\xF8\x90\x80\x80", "\xC3\xB8\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"}, // 5-byte lead
    };
    for (const Row& row : rows) {
        EXPECT_EQ(utf8FromOneEncoding(row.bytes), row.text) << ::testing::PrintToString(row.bytes);
        EXPECT_EQ(utf8FromMixedEncodings(row.bytes), row.mixed ? row.mixed : row.text)
            << ::testing::PrintToString(row.bytes);
    }
}

// The test vectors of RFC 4648.
TEST(Base64, EncodesTheVectorsOfItsStandard) {
    const std::pair<const char*, const char*> rows[] = {{"", ""},
                                                        {"f", "Zg=="},
                                                        {"fo", "Zm8="},
                                                        {"foo", "Zm9v"},
                                                        {"foob", "Zm9vYg=="},
                                                        {"fooba", "Zm9vYmE="},
                                                        {"foobar", "Zm9vYmFy"}};
    for (const auto& [bytes, text] : rows) {
        EXPECT_EQ(base64(bytes), text) << bytes;
    }
    EXPECT_EQ(base64("\xFF\xEF"), "/+8=");
}

} // namespace
} // namespace platelier
