// The link check on folder listings given by the test: each channel's state,
// file and match count where the rules meet their edges (the commands' tests
// give the common cases on real trees).
#include "cli_run.h"
#include "fileset/link_check.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

// Each word: "name" is a file, "name/" a folder.
std::vector<FolderEntry> entries(const std::string& names) {
    std::vector<FolderEntry> list;
    for (const std::string& name : testing::words(names)) {
        const bool folder = name.back() == '/';
        list.push_back({folder ? name.substr(0, name.size() - 1) : name, folder});
    }
    return list;
}

// Each channel as "state file matches", file "-" when there is none.
std::string describe(const MasterLinks& links) {
    const char* states[] = {"ok", "renamed", "missing", "ambiguous"};
    std::string text;
    for (const ChannelLink& link : links) {
        text += std::string(states[static_cast<int>(link.state)]) + ' ' +
                (link.file.empty() ? "-" : link.file) + ' ' + std::to_string(link.matches) + "; ";
    }
    return text;
}

TEST(LinkCheck, GivesEachChannelItsStateByTheDiscoveryRules) {
    struct Row {
        const char* master;
        const char* plates;
        const char* folder; // the entries of "j/"; "" holds jX.C and j/
        const char* expected;
    };
    const Row rows[] = {
        {"j/IMAGE.eps", "IMAGE.C IMAGE.M IMAGE.J IMAGE.N",
         "IMAGE2.C IMAGX.M/ IMAGE.J imagx.N IMAGY.N",
         "renamed j/IMAGE2.C 1; renamed j/IMAGX.M 1; ok j/IMAGE.J 1; ambiguous - 2; "},
        {"j/IMAGE.eps", "\"\" IMAGE.M \"\" other", "IMAGE.M OTHER IMAGE.Y",
         "missing - 0; ok j/IMAGE.M 1; missing - 0; ok j/OTHER 0; "},
        {"j/pic.eps", "pic.C pic.M pic.J x/pic.N", "PIC.C pic.C pix.M PIX.M pic.CC apic.J pi.J x/",
         "ok j/pic.C 2; ambiguous - 2; renamed j/pi.J 1; missing - 0; "},
        {"j/A.eps", "A.C A.M A.J A.N", "Z.C A.M A.J B.N C.N",
         "renamed j/Z.C 1; ok j/A.M 1; ok j/A.J 1; ambiguous - 2; "},
        {"j/I?G*.eps", "IMAGE.C IMAGE.M IMAGE.J IMAGE.N", "IxGE.C I?G*X.M IMAGE.J IMAGE.N",
         "renamed j/IxGE.C 1; renamed j/I?G*X.M 1; ok j/IMAGE.J 0; ok j/IMAGE.N 0; "},
        {"j/IMAGE", "IMAGE.C IMAGE.M IMAGE.J IMAGE.N", "IMAGE.C",
         "ok j/IMAGE.C 0; missing - 0; missing - 0; missing - 0; "},
        {"j/.eps", "jX.C \"\" \"\" \"\"", ".eps",
         "renamed jX.C 1; missing - 0; missing - 0; missing - 0; "},
    };
    for (const Row& row : rows) {
        FolderListings listings([&](const std::string& folder) {
            return folder == "j/" ? std::make_optional(entries(row.folder))
                   : folder == "" ? std::make_optional(entries("jX.C j/"))
                                  : std::nullopt;
        });
        const std::vector<std::string> plates = testing::words(row.plates);
        EXPECT_EQ(describe(checkLinks(row.master, {plates[0], plates[1], plates[2], plates[3]},
                                      listings)),
                  row.expected)
            << row.master;
    }
}

TEST(LinkCheck, MatchesAWildcardWithoutAnExtensionInEveryExtension) {
    EXPECT_EQ(FolderIndex(entries("AxB a.B ab.c AB")).matching("a*b").size(), 3u);
}

} // namespace
} // namespace platelier
