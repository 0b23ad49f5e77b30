// The check command on real trees: the states it gives, what it opens, its
// JSON, and its exit statuses.
#include "cli/in_order_work.h"
#include "cli_run.h"
#include "platform/file_faults.h"
#include "resources/version.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace platelier {
namespace {

using namespace testing;

// Linux opens no file under a name in other case: there it is renamed. A
// folder is no file (not even one named as the plate), nor is another
// fileset's file.
// A fileset whose files are sound (cyan), of another page (magenta), empty
// (yellow) and no EPS file (black, renamed).
const char* const deep = "box-A.eps box-A.C box-A.M=page box-A.J= box-A2.N=text";

TEST(CheckCommand, GivesEachMasterItsStateAndStatus) {
    const char* const notAMaster =
        " : Ce fichier n'est pas un fichier EPS normal, ou pas le fichier-ma\xC3\xAEtre d'un "
        "ensemble DCS\n";
    const bool win32 = pathSeparator() == '\\';
    runRows({
        {"IMAGE.eps IMAGE.C image.m IMAGE.J IMAGE.N IMAGE2.C", "check @", win32 ? 0 : 1,
         win32 ? "ok      IMAGE.eps\n" : "broken  IMAGE.eps  magenta \"IMAGE.M\" renamed image.m\n",
         "", nullptr},
        {"IMAGE.eps IMAGE2.C IMAGE.M/ IMAGX.N IMAGY.N IMAGE.Y", "check @", 1,
         "broken  IMAGE.eps  cyan \"IMAGE.C\" renamed IMAGE2.C; magenta \"IMAGE.M\" missing; "
         "yellow \"IMAGE.J\" missing; black \"IMAGE.N\" ambiguous (2)\n",
         "", nullptr},
        {"IMAGE1.eps IMAGE1.M IMAGE1.J IMAGE1.N IMAGE2.eps+", "check @", 1,
         "broken  IMAGE1.eps  cyan \"IMAGE1.C\" missing\nok      IMAGE2.eps\n", "", nullptr},
        {"lf-A.eps+ bin-B.EPS+ not-C.eps notes.txt D.eps/", "check @", 0,
         "ok      bin-B.EPS\nok      lf-A.eps\n", "", nullptr},
        {"Z.eps+ sub/A.eps+ sub/deeper/B.eps a/C.eps+", "check @", 0, "ok      Z.eps\n", "",
         nullptr},
        {"Z.eps+ sub/A.eps+ sub/deeper/B.eps+ a/C.eps+", "check --recursive @", 0,
         "ok      Z.eps\nok      a/C.eps\nok      sub/A.eps\nok      sub/deeper/B.eps\n", "",
         nullptr},
        {"A.eps+ not-B.eps", "check @A.eps @not-B.eps @absent.eps @A.C", 2, "ok      A.eps\n",
         (std::string("not-B.eps") + notAMaster +
          "Impossible d'ouvrir le fichier-ma\xC3\xAEtre absent.eps.\nA.C" + notAMaster)
             .c_str(),
         nullptr},
        {".eps+", "check @", 0, "ok      .eps\n", "", nullptr},
        {"sub/A.eps+", "check @sub/", 0, "ok      sub/A.eps\n", "", nullptr},
        {"", "check", 2, "", "PATH is required", nullptr},
        {deep, "check @", 1, "broken  box-A.eps  black \"box-A.N\" renamed box-A2.N\n", "",
         nullptr},
        {deep, "check --deep @", 1,
         "broken  box-A.eps  magenta \"box-A.M\" ok other-page; yellow \"box-A.J\" ok empty; "
         "black \"box-A.N\" renamed box-A2.N not-eps\n",
         "", nullptr},
        {"", "", 2, "", "A subcommand is required", nullptr},
        {"", "frobnicate", 2, "", "Unknown command: frobnicate\nCommands: check relink rename\n",
         nullptr},
        {"", "--help", 0, nullptr, "", nullptr},
        {"", "--version", 0, "platelier-cli " PLATELIER_VERSION "\n", "", nullptr},
        // Results that cannot be written are told; a closed pipe ends the run quietly.
        {"A.eps+", "check @A.eps @absent.eps", 2, "",
         "absent.eps.\nImpossible d'\303\251crire les r\303\251sultats : ", nullptr, ENOSPC},
        {"A.eps+", "check @A.eps @absent.eps", 2, "", "", nullptr, EPIPE},
        {"", "--help", 2, "", "crire les r\xC3\xA9sultats.", nullptr, ENOSPC},
    });
}

TEST(CheckCommand, OpensOnlyMastersAndListsEachFolderOnce) {
    TempFolder folder;
    makeTree(folder, "A.eps+ B.eps+");
    const FileFaultsGuard faults;
    failFileOperation(0);
    readMasterFile(folder.file("A.eps"));
    const std::uint64_t readingOneMaster = fileOperationCount();
    std::ostringstream out;
    std::ostringstream err;
    for (const char* added : {"notes.txt", "A2.C", "big.N"}) {
        failFileOperation(0);
        runCommandLine({"check", folder.folder()}, out, err, {});
        EXPECT_EQ(fileOperationCount(), 2 + 2 * readingOneMaster) << "before adding " << added;
        folder.write(added, std::string(100000, 'x'));
    }
    failFileOperation(2);
    EXPECT_EQ(runCommandLine({"check", folder.folder()}, out, err, {}), 2);
    EXPECT_EQ(err.str(),
              "Impossible de lire le dossier " + folder.folder() + pathSeparator() + ".\n");
}

// --deep judges the files beside the walk, yet writes what a walk on one
// thread writes: every line in its place, a message too (here on the same
// stream as the results), and a failure of the work at its master's turn.
TEST(CheckCommand, JudgesBesideTheWalkInTheWalksOrder) {
    TempFolder folder;
    std::string tree, lines[2];
    for (int n = 0; n < 400; ++n) {
        // Every third fileset without files: nothing to judge, soon done.
        const std::string stem = std::to_string(1000 + n), in = n < 200 ? "a" : "b";
        tree += in + "/" + stem + (n % 3 ? ".eps+ " : ".eps ");
        std::string line =
            (n % 3 ? "ok      " : "broken  ") + folder.file(in) + pathSeparator() + stem + ".eps";
        for (std::string channel :
             {"  cyan \"*.C\"", "; magenta \"*.M\"", "; yellow \"*.J\"", "; black \"*.N\""}) {
            line += n % 3 ? "" : channel.replace(channel.find('*'), 1, stem) + " missing";
        }
        lines[n / 200] += line + "\n";
    }
    makeTree(folder, tree);
    std::ostringstream out;
    EXPECT_EQ(runCommandLine(
                  {"check", "--deep", folder.file("a"), folder.file("none.eps"), folder.file("b")},
                  out, out, {}),
              2);
    EXPECT_EQ(out.str(), lines[0] + "Impossible d'ouvrir le fichier-ma\xC3\xAEtre " +
                             folder.file("none.eps") + ".\n" + lines[1]);
    std::string handed, before;
    InOrderWork work(
        [](CheckedMaster& master) {
            master.title = master.path == "77" ? throw std::range_error("77") : master.path;
        },
        [&](const CheckedMaster& master) { handed += master.title + " "; });
    for (int n = 0; n < 100; ++n) {
        CheckedMaster master;
        master.path = std::to_string(n);
        work.add(master);
        before += n < 77 ? master.path + " " : "";
    }
    EXPECT_THROW(work.finish(), std::range_error);
    EXPECT_EQ(handed, before);
}

// Texts from a master are written as UTF-8 when they are, else read as
// Windows-1252; the lines are JSON that parses back to what was found, with
// the exact bytes of what is not UTF-8, and lines for people where a plate
// name cannot drive the terminal.
TEST(CheckCommand, WritesWhateverTheMasterHoldsSafely) {
    TempFolder folder;
    makeTree(folder, "caf\xE9.C");
    folder.write("Bb.eps", master("Caf\xE9\t\"n\"", {"caf\xE9.C", "\xC3\xA9t\xC3\xA9.M", "",
                                                     "\t\x1b[2K\x1b[1Gok\x7f\x81"}));
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"check", folder.folder()}, out, err, {}), 1);
    EXPECT_EQ(out.str(),
              "broken  " + folder.file("Bb.eps") +
                  "  magenta \"\xC3\xA9t\xC3\xA9.M\" missing; yellow \"\" missing; black "
                  "\"\\t\\x1b[2K\\x1b[1Gok\\x7f\\x81\" missing\n");
    out.str("");
    EXPECT_EQ(runCommandLine({"check", "--json", "--deep", folder.folder()}, out, err, {}), 1);
    const nlohmann::json line = nlohmann::json::parse(out.str());
    EXPECT_EQ(line["title"], "Caf\xC3\xA9\t\"n\"");
    EXPECT_EQ(line["title_bytes"], "Q2Fm6QkibiI=");
    EXPECT_EQ(line["channels"][0]["file"], folder.file("") + "caf\xC3\xA9.C");
    EXPECT_EQ(line["channels"][0]["content"], "sound");
    EXPECT_EQ(line["channels"][1]["plate"], "\xC3\xA9t\xC3\xA9.M");
    EXPECT_EQ(line["channels"][2].dump(),
              R"({"channel":"yellow","content":null,"file":null,"matches":0,"plate":"",)"
              R"("state":"missing"})");
}

} // namespace
} // namespace platelier
