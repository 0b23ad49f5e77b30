// Wildcard matching as the POSIX directory search uses it.
#include "platform/wildcard_match.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

struct MatchCase {
    const char* wildcard;
    const char* name;
    bool matches;
};

const MatchCase matchCases[] = {
    {"IMAG*.C", "IMAGE.C", true},
    {"IMAG*.C", "image.c", true},
    {"IMAG*.C", "IMAG.C", true},
    {"IMAG*.C", "IMAGE.CC", false},
    {"IMAG*.C", "IMAGE.V2.C", true},
    {"*.C", "a.b.c", true},
    {"*.C", ".C", true},
    {"*.C", "C", false},
    {"a?c", "abc", true},
    {"a?c", "ac", false},
    {"*", "", true},
    {"", "", true},
    {"", "x", false},
    {"**x*", "abxcd", true},
    {"*a*b", "aaab", true},
    {"*a*b", "aaba", false},
    {"\xc9*", "\xe9t\xe9", false},
    {"\xc9*", "\xc9t\xe9", true},
};

TEST(MatchesWildcard, FollowsTheDirectorySearchRules) {
    for (const MatchCase& c : matchCases) {
        EXPECT_EQ(matchesWildcard(c.wildcard, c.name), c.matches)
            << c.wildcard << " against " << c.name;
    }
}

} // namespace
} // namespace platelier
