// The check command on real trees: the states it gives, what it opens, its
// JSON, and its exit statuses.
#include "cli/in_order_work.h"
#include "cli_run.h"
#include "platform/file_faults.h"
#include "platform/file_names.h"
#include "resources/version.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#include <nlohmann/json.hpp>

namespace platelier {
namespace {

using namespace testing;

// A fileset whose files are sound (cyan), of another page (magenta), empty
// (yellow) and no EPS file (black, renamed).
const char* const deep = "box-A.eps box-A.C box-A.M=page box-A.J= box-A2.N=text";
const char* const notAMaster =
    " : Ce fichier n'est pas un fichier EPS normal, ou pas le fichier-ma\xC3\xAEtre d'un "
    "ensemble DCS\n";
const bool win32 = pathSeparator() == '\\';

// Linux opens no file under a name in other case: there it is renamed. A
// folder is no file (not even one named as the plate), nor is another
// fileset's file.
const CliRun checkRuns[] = {
    CliRun("a name in other case")
        .in("IMAGE.eps IMAGE.C image.m IMAGE.J IMAGE.N IMAGE2.C")
        .run("check @")
        .exits(win32 ? 0 : 1)
        .prints(win32 ? "ok      IMAGE.eps\n"
                      : "broken  IMAGE.eps  magenta \"IMAGE.M\" renamed image.m\n"),
    CliRun("every state")
        .in("IMAGE.eps IMAGE2.C IMAGE.M/ IMAGX.N IMAGY.N IMAGE.Y")
        .run("check @")
        .exits(1)
        .prints("broken  IMAGE.eps  cyan \"IMAGE.C\" renamed IMAGE2.C; magenta \"IMAGE.M\" "
                "missing; yellow \"IMAGE.J\" missing; black \"IMAGE.N\" ambiguous (2)\n"),
    CliRun("another fileset's file")
        .in("IMAGE1.eps IMAGE1.M IMAGE1.J IMAGE1.N IMAGE2.eps+")
        .run("check @")
        .exits(1)
        .prints("broken  IMAGE1.eps  cyan \"IMAGE1.C\" missing\nok      IMAGE2.eps\n"),
    CliRun("line ends, a binary header, files that are no masters")
        .in("lf-A.eps+ bin-B.EPS+ not-C.eps notes.txt D.eps/")
        .run("check @")
        .prints("ok      bin-B.EPS\nok      lf-A.eps\n")
        .sums("2 ok; 1 other EPS file passed over"),
    // A walk reads no further than the header comments; a named master, whole.
    CliRun("a plate block after the header comments")
        .in("late-A.eps+")
        .run("check @ @late-A.eps")
        .prints("ok      late-A.eps\n")
        .sums("1 ok; 1 other EPS file passed over"),
    CliRun("Mac metadata is neither master nor separation file")
        .in("A.eps A.M A.J A.N ._A2.C ._A.eps .AppleDouble/B.eps+")
        .run("check --recursive @")
        .exits(1)
        .prints("broken  A.eps  cyan \"A.C\" missing\n")
        .sums("1 broken; 0 other EPS files passed over"),
    CliRun("Photoshop's letters")
        .in("IMAGE.eps(IMAGE.C,IMAGE.M,IMAGE.Y,IMAGE.K) IMAGE.C IMAGE.M IMAGE-v2.Y IMAGE.K")
        .run("check @")
        .exits(1)
        .prints("broken  IMAGE.eps  yellow \"IMAGE.Y\" renamed IMAGE-v2.Y\n"),
    CliRun("DCS 2.0: a spot plate renamed, a process plate lost")
        .in("dcs2-S.eps dcs2-S.C dcs2-S.M dcs2-S.Y dcs2-S-v2.5")
        .run("check @")
        .exits(1)
        .prints("broken  dcs2-S.eps  Black \"dcs2-S.K\" missing; Spot5 \"dcs2-S.5\" renamed "
                "dcs2-S-v2.5\n"),
    CliRun("DCS 2.0: plates inside the master, judged, and in another place")
        .in("dcs2-I.eps(#0_20,#4_10,#9_99999,!R.K)")
        .run("check --deep @")
        .exits(1)
        .prints("broken  dcs2-I.eps  Magenta #4 10 ok not-eps; Yellow #9 99999 cut-short; Black "
                "elsewhere unchecked\n"),
    CliRun("a damaged master as JSON")
        .in("A.eps=damaged")
        .run("check --json @")
        .exits(1)
        .prints(R"({"master":"A.eps","title":"","format":null,"state":"damaged","channels":[],)"
                R"("problems":[{"code":"damaged-header","message":"A.eps : son en-tête )"
                R"(EPS binaire ne correspond pas au fichier."}]})"
                "\n")
        .tells("A.eps : son en-t\xC3\xAAte EPS binaire ne correspond pas au fichier."),
    CliRun("DCS 2.0 as JSON")
        .in("dcs2-I.eps(#0_20,!R.K)")
        .run("check --json @")
        .exits(1)
        .prints(R"({"master":"dcs2-I.eps","title":"dcs2-I","format":"DCS 2.0","state":"broken",)"
                R"("channels":[{"channel":"Cyan","plate":null,"offset":0,"length":20,"state":"ok",)"
                R"("file":null,"matches":0},{"channel":"Magenta","plate":null,"state":"unchecked",)"
                R"("file":null,"matches":0}]})"
                "\n"),
    CliRun("a folder without its sub-folders")
        .in("Z.eps+ sub/A.eps+ sub/deeper/B.eps a/C.eps+")
        .run("check @")
        .prints("ok      Z.eps\n"),
    CliRun("a tree, folders in the order of their names")
        .in("Z.eps+ sub/A.eps+ sub/deeper/B.eps+ a/C.eps+")
        .run("check --recursive @")
        .prints("ok      Z.eps\nok      a/C.eps\nok      sub/A.eps\nok      sub/deeper/B.eps\n"),
    CliRun("named paths that are no masters")
        .in("A.eps+ not-B.eps")
        .run("check @A.eps @not-B.eps @absent.eps @A.C")
        .exits(2)
        .prints("ok      A.eps\n")
        .sums("none")
        .tells(std::string("not-B.eps") + notAMaster +
               "Impossible d'ouvrir le fichier-ma\xC3\xAEtre absent.eps.\nA.C" + notAMaster),
    CliRun("a master named only by its extension")
        .in(".eps+")
        .run("check @")
        .prints("ok      .eps\n"),
    CliRun("a folder named with its separator")
        .in("sub/A.eps+")
        .run("check @sub/")
        .prints("ok      sub/A.eps\n"),
    CliRun("no path").run("check").exits(2).tells("PATH is required"),
    CliRun("a renamed file not judged")
        .in(deep)
        .run("check @")
        .exits(1)
        .prints("broken  box-A.eps  black \"box-A.N\" renamed box-A2.N\n"),
    CliRun("deep: every file found judged")
        .in(deep)
        .run("check --deep @")
        .exits(1)
        .prints("broken  box-A.eps  magenta \"box-A.M\" ok other-page; yellow \"box-A.J\" ok "
                "empty; black \"box-A.N\" renamed box-A2.N not-eps\n"),
    CliRun("no command").exits(2).tells("A subcommand is required"),
    CliRun("an unknown command")
        .run("frobnicate")
        .exits(2)
        .tells("Unknown command: frobnicate\nCommands: check relink rename tidy\n"),
    CliRun("help").run("--help").printsAnything(),
    CliRun("version").run("--version").prints("platelier-cli " PLATELIER_VERSION "\n"),
    // Results that cannot be written are told; a closed pipe ends the run quietly.
    CliRun("results that cannot be written")
        .in("A.eps+")
        .run("check @A.eps @absent.eps")
        .exits(2)
        .outputFails(ENOSPC)
        .tells("absent.eps.\nImpossible d'\303\251crire les r\303\251sultats : "),
    CliRun("results whose pipe is closed")
        .in("A.eps+")
        .run("check @A.eps @absent.eps")
        .exits(2)
        .outputFails(EPIPE),
    CliRun("help that cannot be written")
        .run("--help")
        .exits(2)
        .outputFails(ENOSPC)
        .tells("crire les r\xC3\xA9sultats."),
};

TEST_P(CommandLine, GivesWhatItMust) {
    checkRun(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Check, CommandLine, ::testing::ValuesIn(checkRuns), RowName());

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

#ifndef _WIN32
// A separation file that is a FIFO is judged as no EPS file, a master that
// is one is passed over, and what writers put in them is left there: they
// are never read as a file's bytes are.
TEST(CheckCommand, TakesNothingFromAFifo) {
    TempFolder folder;
    makeTree(folder, "A.eps+");
    std::filesystem::remove(folder.file("A.C"));
    const auto fifoHolding = [&](const char* name, const std::string& bytes) {
        EXPECT_EQ(mkfifo(folder.file(name).c_str(), 0600), 0);
        const int fifo = open(folder.file(name).c_str(), O_RDWR | O_NONBLOCK);
        EXPECT_EQ(write(fifo, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        return fifo;
    };
    const std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\n", master = masterText("\n");
    const int fifos[] = {fifoHolding("A.C", eps), fifoHolding("B.eps", master)};
    std::ostringstream out;
    EXPECT_EQ(runCommandLine({"check", "--deep", folder.folder()}, out, out, {}), 1);
    EXPECT_NE(out.str().find("cyan \"A.C\" ok not-eps"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1 other EPS file passed over"), std::string::npos) << out.str();
    for (const int fifo : fifos) {
        char left[512] = {};
        EXPECT_EQ(read(fifo, left, sizeof left),
                  static_cast<ssize_t>(fifo == fifos[0] ? eps.size() : master.size()));
        close(fifo);
    }
}
#endif

// --deep judges the files beside the walk, and a folder of hundreds of
// masters is read on several threads, yet it writes what a walk on one
// thread writes: every line in its place, a message too (here on the same
// stream as the results), and a failure of the work at its master's turn,
// at the end.
TEST(CheckCommand, JudgesBesideTheWalkInTheWalksOrder) {
    TempFolder folder;
    std::string tree, lines[2];
    for (int n = 0; n < 400; ++n) {
        // Every third fileset without files: nothing to judge, soon done.
        const std::string stem = std::to_string(1000 + n), in = n < 300 ? "a" : "b";
        tree += in + "/" + stem + (n % 3 ? ".eps+ " : ".eps ");
        std::string line =
            (n % 3 ? "ok      " : "broken  ") + folder.file(in) + pathSeparator() + stem + ".eps";
        for (std::string channel :
             {"  cyan \"*.C\"", "; magenta \"*.M\"", "; yellow \"*.J\"", "; black \"*.N\""}) {
            line += n % 3 ? "" : channel.replace(channel.find('*'), 1, stem) + " missing";
        }
        lines[n < 300 ? 0 : 1] += line + "\n";
    }
    makeTree(folder, tree);
    std::ostringstream out;
    EXPECT_EQ(runCommandLine(
                  {"check", "--deep", folder.file("a"), folder.file("none.eps"), folder.file("b")},
                  out, out, {}),
              2);
    EXPECT_EQ(out.str(), lines[0] + "Impossible d'ouvrir le fichier-ma\xC3\xAEtre " +
                             folder.file("none.eps") + ".\n" + lines[1] +
                             "summary  134 broken, 266 ok; 0 other EPS files passed over\n");
    std::string handed, before;
    InOrderWork work(
        [](std::vector<CheckedMaster>& masters, std::size_t& done) {
            for (CheckedMaster& master : masters) {
                master.reading.title =
                    master.path == "77" ? throw std::range_error("77") : master.path;
                ++done;
            }
        },
        [&](const CheckedMaster& master) { handed += *master.reading.title + " "; });
    // Enough masters after the failing one that add() must wait for its
    // batch to be handed back: the failure still comes from finish().
    for (int n = 0; n < 2000; ++n) {
        CheckedMaster master;
        master.path = std::to_string(n);
        EXPECT_NO_THROW(work.add(master)) << n;
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
    makeTree(folder, fileNameOfPlate("caf\xE9.C")); // the file this plate names
    folder.write("Bb.eps", master("Caf\xE9\t\"n\"", {"caf\xE9.C", "\xC3\xA9t\xC3\xA9.M", "",
                                                     "\t\x1b[2K\x1b[1Gok\x7f\x81"}));
    std::ostringstream out, err;
    EXPECT_EQ(runCommandLine({"check", folder.folder()}, out, err, {}), 1);
    EXPECT_EQ(out.str(),
              "broken  " + folder.file("Bb.eps") +
                  "  magenta \"\xC3\xA9t\xC3\xA9.M\" missing; yellow \"\" missing; black "
                  "\"\\t\\x1b[2K\\x1b[1Gok\\x7f\\x81\" missing\nsummary  1 broken; 0 other EPS "
                  "files passed over\n");
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
    // A Linux path of two encodings: each part is read as what it is.
    if (pathSeparator() == '/') {
        out.str("");
        runCommandLine({"check", "--json", folder.write("\xE9-\xC3\xA9.eps", master("t", {}))}, out,
                       err, {});
        EXPECT_EQ(nlohmann::json::parse(out.str())["master"],
                  folder.file("") + "\xC3\xA9-\xC3\xA9.eps");
    }
}

} // namespace
} // namespace platelier
