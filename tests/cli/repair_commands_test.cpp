// relink and rename on real filesets: what they write, what they leave, the
// backups they keep and the refusals they share with the dialog.
#include "cli_run.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

// Cyan and black were renamed.
const char* const image = "IMAGE.eps IMAGE2.C IMAGE.M IMAGE.J IMAGX.N";
// A temporary file that a run ended by a power cut left.
const std::string leftBehind = pathSeparator() == '\\' ? "~x1y2z3" : ".platelier-x1y2z3";
const char* const unchanged = "\xC3\xA9t\xC3\xA9 modifi\xC3\xA9.";
// Two language versions of a job, whose black plate is one file.
const char* const shared = "A.eps(A.C,A.M,A.J,COMMON.N) A.C A.M A.J COMMON.N "
                           "B.eps(B.C,B.M,B.J,COMMON.N) B.C B.M B.J";
// IMAGE1.C is lost; IMAGE2.C, which IMAGE1's pattern matches, is IMAGE2's.
const char* const twoFilesets = "IMAGE1.eps IMAGE1.M IMAGE1.J IMAGE1.N IMAGE2.eps+";
const bool win32 = pathSeparator() == '\\';

const CliRun relinkRuns[] = {
    CliRun("renamed files relinked")
        .in(image)
        .run("relink @IMAGE.eps")
        .prints("relinked IMAGE.eps  cyan \"IMAGE.C\" -> \"IMAGE2.C\"; black \"IMAGE.N\" -> "
                "\"IMAGX.N\"\n")
        .leaves("IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.J IMAGE.M "
                "IMAGE.eps[IMAGE2.C IMAGE.M IMAGE.J IMAGX.N] IMAGE2.C IMAGX.N "),
    CliRun("a dry run")
        .in(image)
        .run("relink --dry-run @IMAGE.eps")
        .prints("would relink IMAGE.eps  cyan \"IMAGE.C\" -> \"IMAGE2.C\"; black \"IMAGE.N\" -> "
                "\"IMAGX.N\"\n"),
    CliRun("relinked as JSON")
        .in(image)
        .run("relink --json @IMAGE.eps")
        .prints(
            R"({"master":"IMAGE.eps","format":"DCS 1.0","result":"relinked","changes":[{"channel":"cyan",)"
            R"("from":"IMAGE.C","to":"IMAGE2.C"},{"channel":"black","from":"IMAGE.N",)"
            R"("to":"IMAGX.N"}],"backup":"IMAGE.BAK","problems":[]})"
            "\n")
        .leaves("IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.J IMAGE.M "
                "IMAGE.eps[IMAGE2.C IMAGE.M IMAGE.J IMAGX.N] IMAGE2.C IMAGX.N "),
    CliRun("DCS 2.0: a renamed spot plate relinked")
        .in("dcs2-S.eps dcs2-S.C dcs2-S.M dcs2-S.Y dcs2-S.K dcs2-S-v2.5")
        .run("relink @dcs2-S.eps")
        .prints("relinked dcs2-S.eps  Spot5 \"dcs2-S.5\" -> \"dcs2-S-v2.5\"\n")
        .leaves("dcs2-S-v2.5 dcs2-S.BAK[dcs2-S.C dcs2-S.M dcs2-S.Y dcs2-S.K dcs2-S.5] dcs2-S.C "
                "dcs2-S.K dcs2-S.M dcs2-S.Y dcs2-S.eps[dcs2-S.C dcs2-S.M dcs2-S.Y dcs2-S.K "
                "dcs2-S-v2.5] "),
    CliRun("DCS 2.0: plates inside the master, never rewritten")
        .in("dcs2-I.eps(#0_20)")
        .run("relink @")
        .prints("ok      dcs2-I.eps\n")
        .sums("1 ok; 0 other EPS files passed over"),
    CliRun("a renamed file of another page")
        .in("box-A.eps box-A2.C=page box-A.M=text box-A.J box-A.N")
        .run("relink @box-A.eps")
        .exits(1)
        .prints("broken  box-A.eps  cyan \"box-A.C\" renamed box-A2.C other-page\n"),
    CliRun("a master ok, one broken")
        .in("A.eps+ Bb.eps Bb.C Bb.M Bb.J")
        .run("relink @A.eps @Bb.eps")
        .exits(1)
        .prints("ok      A.eps\nbroken  Bb.eps  black \"Bb.N\" missing\n"),
    CliRun("a master ok, one broken, as JSON")
        .in("A.eps+ Bb.eps Bb.C Bb.M Bb.J")
        .run("relink --json @A.eps @Bb.eps")
        .exits(1)
        .prints(
            R"({"master":"A.eps","format":"DCS 1.0","result":"ok","changes":[],"backup":null,"problems":[]})"
            "\n"
            R"({"master":"Bb.eps","format":"DCS 1.0","result":"broken","changes":[],"backup":null,"channels":)"
            R"([{"channel":"cyan","plate":"Bb.C","state":"ok","file":"Bb.C","matches":1},)"
            R"({"channel":"magenta","plate":"Bb.M","state":"ok","file":"Bb.M","matches":1},)"
            R"({"channel":"yellow","plate":"Bb.J","state":"ok","file":"Bb.J","matches":1},)"
            R"({"channel":"black","plate":"Bb.N","state":"missing","file":null,)"
            R"("matches":0}],"problems":[]})"
            "\n"),
    CliRun("a refusal as JSON")
        .in("IMAGE.BAK IMAGE2.C IMAGE.M IMAGE.J IMAGE.N")
        .run("relink --json @IMAGE.BAK")
        .exits(1)
        .prints(
            R"({"master":"IMAGE.BAK","format":"DCS 1.0","result":"refused","changes":[],"backup":null,)"
            R"("problems":[{"code":"backup-is-master","message":"Impossible de renommer )"
            R"(les couches de IMAGE.BAK : sa copie de sauvegarde porterait son propre nom )"
            "(.BAK). Le fichier n'a pas \xC3\xA9t\xC3\xA9 modifi\xC3\xA9.\"}]}"
            "\n")
        .tells(unchanged),
    CliRun("another fileset's file is not taken")
        .in(twoFilesets)
        .run("relink @IMAGE1.eps")
        .exits(1)
        .prints("broken  IMAGE1.eps  cyan \"IMAGE1.C\" missing\n"),
    // Both masters lost their cyan file, and IMAGE3.C fits either: whose
    // it is, nothing tells, and neither takes it.
    CliRun("a file two masters could take")
        .in("IMAGE1.eps IMAGE1.M IMAGE1.J IMAGE1.N IMAGE2.eps IMAGE2.M IMAGE2.J IMAGE2.N "
            "IMAGE3.C")
        .run("relink @")
        .exits(1)
        .prints("broken  IMAGE1.eps  cyan \"IMAGE1.C\" ambiguous (1)\nbroken  IMAGE2.eps  cyan "
                "\"IMAGE2.C\" ambiguous (1)\n"),
    // A's black plate is B.BAK: B's backup would replace it.
    CliRun("a backup that would replace another master's plate")
        .in("A.eps(A.C,A.M,A.J,B.BAK) A.C A.M A.J B.BAK B.eps B2.C B.M B.J B.N")
        .run("relink @B.eps")
        .exits(1)
        .tells(
            "sa copie de sauvegarde B.BAK remplacerait un fichier de s\xC3\xA9paration de A.eps."),
    // JOB2's header is damaged: the files its pattern finds are nobody's.
    CliRun("a master whose header is damaged")
        .in("JOB1.eps JOB1.M JOB1.J JOB1.N JOB2.eps=damaged JOB2.C JOB2.M JOB2.J JOB2.N")
        .run("relink @")
        .exits(1)
        .prints("broken  JOB1.eps  cyan \"JOB1.C\" ambiguous (1)\ndamaged JOB2.eps\n")
        .tells("JOB2.eps : son en-t\xC3\xAAte EPS binaire ne correspond pas au fichier."),
    // Ż is not in Windows-1252, the tests' ANSI code page under Wine.
    CliRun("a renamed file named outside the code page")
        .in("A.eps A.C A.M A.J AŻ.N")
        .run("relink --dry-run --json @A.eps")
        .exits(win32 ? 1 : 0)
        .prints(
            win32
                ? R"({"master":"A.eps","format":"DCS 1.0","result":"refused","changes":[],"backup":null,)"
                  R"("problems":[{"code":"name-not-in-code-page","message":"Impossible de )"
                  R"(renommer les couches de A.eps : le nom de la couche Noir contient un )"
                  R"(caractère qui ne peut pas s'écrire dans le fichier-maître. Le fichier )"
                  R"(n'a pas été modifié."}]})"
                  "\n"
                : R"({"master":"A.eps","format":"DCS 1.0","result":"would-relink","changes":[{"channel":)"
                  R"("black","from":"A.N","to":"AŻ.N"}],"backup":null,"problems":[]})"
                  "\n")
        .tells(win32 ? "la couche Noir contient un caractère" : ""),
    CliRun("no master, an absent path")
        .in("A.C")
        .run("relink @A.C @absent.eps")
        .exits(2)
        .tells("absent.eps."),
    CliRun("no path").run("relink").exits(2).tells("PATH is required"),
    CliRun("a tree, a file left behind")
        .in("Z.eps Z2.C Z.M Z.J Z.N not-Y.eps a/C.eps+ sub/A.eps sub/A2.C sub/A.M sub/A.J sub/A.N "
            "sub/" +
            leftBehind)
        .run("relink --recursive @")
        .exits(1)
        .prints("relinked Z.eps  cyan \"Z.C\" -> \"Z2.C\"\nok      a/C.eps\n"
                "relinked sub/A.eps  cyan \"A.C\" -> \"A2.C\"\nleftover sub/" +
                leftBehind + "  temporary file\n")
        .leaves("Z.BAK[Z.C Z.M Z.J Z.N] Z.J Z.M Z.N Z.eps[Z2.C Z.M Z.J Z.N] Z2.C a/ "
                "not-Y.eps=%!PS-Adobe-3.0\n sub/ "),
    CliRun("leftovers tidied")
        .in("A.BAK " + leftBehind + " B.eps+ B.BAK")
        .run("tidy @")
        .prints(pathSeparator() == '\\' ? "restored A.BAK -> A.eps\nremoved " + leftBehind + "\n"
                                        : "removed " + leftBehind + "\nrestored A.BAK -> A.eps\n")
        .leaves("A.eps[A.C A.M A.J A.N] B.BAK[B.C B.M B.J B.N] B.C B.J B.M B.N "
                "B.eps[B.C B.M B.J B.N] "),
};

// A dry run refuses what the real run refuses, in the same words, and
// neither writes anything.
std::vector<CliRun> dryRunRefusals() {
    // The wide calls open a file whose name fills a plate line on Win32 too.
    const std::string tooLong = "I.eps I.M I.J I.N I" + std::string(243, 'x') + ".C";
    const std::string dcs2TooLong =
        "dcs2-S.eps dcs2-S.C dcs2-S.M dcs2-S.Y dcs2-S.K dcs2-" + std::string(230, 'x') + ".5";
    const char* const refusals[][4] = {
        {"the backup would be the master", "IMAGE.BAK IMAGE2.C IMAGE.M IMAGE.J IMAGE.N",
         "@IMAGE.BAK",
         "IMAGE.BAK : sa copie de sauvegarde porterait son propre nom (.BAK). Le fichier n'a pas"},
        {"a damaged plate block", "dmg-I.eps dmg-I2.C dmg-I.M dmg-I.J dmg-I.N", "@",
         "dmg-I.eps : un bloc %%CyanPlate est incomplet ou mal form\xC3\xA9. Le fichier n'a pas"},
        {"a folder at the backup path", "I.eps I2.C I.M I.J I.N I.BAK/", "@",
         "Impossible de remplacer I.eps et d'en garder la copie de sauvegarde I.BAK. Le fichier"},
        {"a DCS 2.0 plate line too long", dcs2TooLong.c_str(), "@",
         "dcs2-S.eps : le nom de la couche Spot5 est trop long pour le fichier-ma\xC3\xAEtre."},
        {"a name too long for a plate line", tooLong.c_str(), "@",
         "I.eps : le nom de la couche Cyan est trop long pour le fichier-ma\xC3\xAEtre. Le"},
    };
    std::vector<CliRun> runs;
    for (const auto& [what, tree, path, message] : refusals) {
        for (const std::string call : {"relink ", "relink --dry-run "}) {
            runs.push_back(CliRun(call + what).in(tree).run(call + path).exits(1).tells(message));
        }
    }
    return runs;
}

const CliRun renameRuns[] = {
    CliRun("save all")
        .in(image)
        .run("rename @IMAGE.eps --cyan NEW.C")
        .prints("rewrote IMAGE.eps (backup IMAGE.BAK)\nrenamed IMAGE2.C -> NEW.C\n"
                "renamed IMAGX.N -> IMAGE.N\n")
        .leaves("IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.J IMAGE.M IMAGE.N=IMAGX.N "
                "IMAGE.eps[NEW.C IMAGE.M IMAGE.J IMAGE.N] NEW.C=IMAGE2.C "),
    CliRun("save all as JSON")
        .in(image)
        .run("rename --json @IMAGE.eps --cyan NEW.C")
        .prints(
            R"({"master":"IMAGE.eps","format":"DCS 1.0","command":"save-all","result":"changed",)"
            R"("backup":"IMAGE.BAK","renamed":[{"channel":"cyan","from":"IMAGE2.C",)"
            R"("to":"NEW.C"},{"channel":"black","from":"IMAGX.N","to":"IMAGE.N"}],)"
            R"("problems":[]})"
            "\n")
        .leaves("IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.J IMAGE.M IMAGE.N=IMAGX.N "
                "IMAGE.eps[NEW.C IMAGE.M IMAGE.J IMAGE.N] NEW.C=IMAGE2.C "),
    CliRun("the master only")
        .in(image)
        .run("rename @IMAGE.eps --master-only --magenta M --yellow J --black K")
        .prints("rewrote IMAGE.eps (backup IMAGE.BAK)\n")
        .leaves("IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.J IMAGE.M "
                "IMAGE.eps[IMAGE.C M J K] IMAGE2.C IMAGX.N "),
    CliRun("the files only, given back their plate names")
        .in(image)
        .run("rename @IMAGE.eps --files-only")
        .prints("renamed IMAGE2.C -> IMAGE.C\nrenamed IMAGX.N -> IMAGE.N\n")
        .leaves("IMAGE.C=IMAGE2.C IMAGE.J IMAGE.M IMAGE.N=IMAGX.N "
                "IMAGE.eps[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] "),
    CliRun("DCS 2.0: a spot plate and a process plate")
        .in("dcs2-S.eps+")
        .run("rename @dcs2-S.eps --plate Spot5=POSTER.5 --cyan NEW.C")
        .prints("rewrote dcs2-S.eps (backup dcs2-S.BAK)\nrenamed dcs2-S.C -> NEW.C\n"
                "renamed dcs2-S.5 -> POSTER.5\n")
        .leaves("NEW.C=dcs2-S.C POSTER.5=dcs2-S.5 dcs2-S.BAK[dcs2-S.C dcs2-S.M dcs2-S.Y dcs2-S.K "
                "dcs2-S.5] dcs2-S.K dcs2-S.M dcs2-S.Y dcs2-S.eps[NEW.C dcs2-S.M dcs2-S.Y dcs2-S.K "
                "POSTER.5] "),
    CliRun("DCS 2.0: a master that holds its plates")
        .in("dcs2-I.eps(#0_20)")
        .run("rename @dcs2-I.eps --cyan X")
        .exits(1)
        .tells("ce fichier-ma\xC3\xAEtre DCS 2.0 contient lui-m\xC3\xAAme ses couches."),
    CliRun("a colour the master has not")
        .in("A.eps+")
        .run("rename @A.eps --plate Spot5=X")
        .exits(2)
        .tells("A.eps : le fichier-ma\xC3\xAEtre n'a pas de couche Spot5."),
    CliRun("a colour two plates have")
        .in("dcs2-S.eps(S.C@Black,S.K@black)")
        .run("rename @dcs2-S.eps --black X")
        .exits(2)
        .tells("dcs2-S.eps : le fichier-ma\xC3\xAEtre a plusieurs couches black."),
    CliRun("a plate without its colour")
        .in("A.eps+")
        .run("rename @A.eps --plate X.C")
        .exits(2)
        .tells("COLOUR=NAME expected"),
    CliRun("a plate named twice")
        .in("A.eps+")
        .run("rename @A.eps --cyan X --plate CYAN=Y")
        .exits(2)
        .tells("A.eps : la couche CYAN re\xC3\xA7oit deux noms."),
    CliRun("a name taken")
        .in(image)
        .run("rename @IMAGE.eps --magenta IMAGE.J")
        .exits(1)
        .tells("Impossible de renommer IMAGE.M en IMAGE.J."),
    CliRun("a failed rename as JSON")
        .in(image)
        .run("rename --json @IMAGE.eps --magenta IMAGE.J")
        .exits(1)
        .prints(
            R"({"master":"IMAGE.eps","format":"DCS 1.0","command":"save-all","result":"failed","backup":null,)"
            R"("renamed":[],"problems":[{"code":"name-taken","message":"Impossible de )"
            R"(renommer IMAGE.M en IMAGE.J."}]})"
            "\n")
        .tells("Impossible de renommer IMAGE.M en IMAGE.J."),
    CliRun("the files only, one name refused")
        .in(image)
        .run("rename @IMAGE.eps --files-only --cyan ../up.C")
        .exits(1)
        .prints("renamed IMAGX.N -> IMAGE.N\n")
        .tells("Impossible de renommer IMAGE2.C en ../up.C.")
        .leaves("IMAGE.J IMAGE.M IMAGE.N=IMAGX.N IMAGE.eps[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] "
                "IMAGE2.C "),
    CliRun("what keeps the dialog's command disabled")
        .in("IMAGE.eps IMAGE2.C IMAGE.M IMAGX.N IMAGY.N")
        .run("rename @IMAGE.eps --cyan \"\"")
        .exits(1)
        .tells("la couche Cyan n'a pas de nom. Le fichier n'a pas \xC3\xA9t\xC3\xA9 "
               "modifi\xC3\xA9.\nImpossible de renommer les fichiers de IMAGE.eps : aucun "
               "fichier unique n'a \xC3\xA9t\xC3\xA9 trouv\xC3\xA9 pour la couche Jaune."),
    CliRun("the master only, with a channel ambiguous")
        .in("IMAGE.eps IMAGE.C IMAGE.M IMAGX.N IMAGY.N")
        .run("rename @IMAGE.eps --master-only --yellow Y --black K")
        .prints("rewrote IMAGE.eps (backup IMAGE.BAK)\n")
        .leaves("IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.C IMAGE.M "
                "IMAGE.eps[IMAGE.C IMAGE.M Y K] IMAGX.N IMAGY.N "),
    CliRun("a renamed file that is no EPS file")
        .in("A.eps A2.C=text A.M A.J A.N")
        .run("rename @A.eps --files-only")
        .exits(1)
        .tells("le fichier A2.C trouv\xC3\xA9 pour la couche Cyan n'est pas une "
               "s\xC3\xA9paration de ce fichier-ma\xC3\xAEtre (not-eps)."),
    CliRun("another fileset's file")
        .in(twoFilesets)
        .run("rename @IMAGE1.eps --files-only")
        .exits(1)
        .tells("aucun fichier unique n'a \xC3\xA9t\xC3\xA9 trouv\xC3\xA9 pour la couche Cyan."),
    CliRun("a name that is the master's backup")
        .in(image)
        .run("rename @IMAGE.eps --master-only --cyan IMAGE.BAK")
        .exits(1)
        .tells("sa copie de sauvegarde IMAGE.BAK remplacerait le fichier de la couche Cyan."),
    // COMMON.N is the black plate of both masters.
    CliRun("a file another master shares")
        .in(shared)
        .run("rename @A.eps --black A.N")
        .exits(1)
        .tells("le fichier COMMON.N de la couche Noir est aussi celui de B.eps"),
    CliRun("a file another master shares, renamed when asked")
        .in(shared)
        .run("rename @A.eps --files-only --shared --black A.N")
        .prints("renamed COMMON.N -> A.N\n")
        .leaves("A.C A.J A.M A.N=COMMON.N A.eps[A.C A.M A.J COMMON.N] B.C B.J B.M "
                "B.eps[B.C B.M B.J COMMON.N] "),
    CliRun("a rename that fails undone")
        .in(image)
        .run("rename @IMAGE.eps --cyan NEW.C")
        .exits(1)
        .meanwhile(FileOperation::rename,
                   [](const TempFolder& tree) { tree.write("NEW.C", "taken"); })
        .tells("Impossible de renommer IMAGE2.C en NEW.C. Le fichier-ma\xC3\xAEtre n'a pas")
        .leaves("IMAGE.J IMAGE.M IMAGE.eps[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE2.C IMAGX.N "
                "NEW.C=taken "),
    CliRun("two commands")
        .in("A.eps+")
        .run("rename @A.eps --files-only --master-only")
        .exits(2)
        .tells("excludes"),
    CliRun("an absent master").run("rename @absent.eps --cyan X").exits(2).tells("absent.eps."),
    CliRun("nothing to change, an older backup kept")
        .in("A.eps+ A.BAK")
        .run("rename @A.eps --cyan A.C")
        .prints("unchanged A.eps\n"),
    CliRun("nothing to change in the master")
        .in("A.eps A2.C A.M A.J A.N")
        .run("rename @A.eps --master-only")
        .prints("unchanged A.eps\n"),
    CliRun("a folder")
        .in("sub/")
        .run("rename @sub")
        .exits(2)
        .tells("sub est un dossier : la commande demande un fichier-ma\xC3\xAEtre."),
};

// Names and links only Linux has, and what only Linux lets happen.
std::vector<CliRun> onLinux() {
    if (pathSeparator() == '\\') {
        return {};
    }
    return {
        CliRun("two masters whose names differ in letter case, one backup")
            .in("JOB.EPS(JOA.C,JOA.M,JOA.J,JOA.N) JOA2.C JOA.M JOA.J JOA.N "
                "JOB.eps(JOB.C,JOB.M,JOB.J,JOB.N) JOB.C JOB2.M JOB.J JOB.N")
            .run("relink @")
            .exits(1)
            .tells("JOB.EPS : sa copie de sauvegarde JOB.BAK serait aussi celle de JOB.eps."),
        // On Win32 no other program may write the master while it is rewritten.
        CliRun("a master changed since it was read")
            .in(image)
            .run("relink @IMAGE.eps")
            .exits(1)
            .meanwhile(FileOperation::create,
                       [](const TempFolder& tree) {
                           std::ofstream(tree.file("IMAGE.eps"), std::ios::app) << "%%EOF\n";
                       })
            .tells("le fichier-ma\xC3\xAEtre a \xC3\xA9t\xC3\xA9 modifi\xC3\xA9 depuis sa lecture.")
            .leaves("IMAGE.J IMAGE.M IMAGE.eps[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE2.C IMAGX.N "),
        // The listing tells a link, not where it leads: that is looked at.
        CliRun("a link to a folder at the backup path")
            .in("I.eps I2.C I.M I.J I.N sub/ I.BAK->sub")
            .run("relink @")
            .exits(1)
            .tells("Impossible de remplacer I.eps et d'en garder la copie de sauvegarde I.BAK.")
            .leaves("I.BAK/ I.J I.M I.N I.eps[I.C I.M I.J I.N] I2.C sub/ "),
        // Read by the walk all the same, and refused by its rewrite.
        CliRun("a master that is a symbolic link")
            .in("sub/B.eps(B.C,B.M,B.J,B.N) B.eps->sub/B.eps B2.C B.M B.J B.N")
            .run("relink @")
            .exits(1)
            .tells("B.eps : c'est un lien symbolique ; renommez les couches du fichier vers"),
        CliRun("a master that cannot be opened")
            .in("A.eps+ B.eps->nowhere")
            .run("check @")
            .exits(1)
            .prints("ok      A.eps\nunreadable B.eps\n")
            .tells("Impossible d'ouvrir le fichier-ma\xC3\xAEtre B.eps."),
        CliRun("a link to a folder is not walked")
            .in("a/A.eps+ b->a")
            .run("check --recursive @")
            .prints("ok      a/A.eps\n"),
    };
}

// Each change is written out as soon as it is made: a run interrupted after
// it still tells of it.
TEST(RelinkCommand, WritesOutEachChangeAtOnce) {
    struct Recording : std::stringbuf {
        std::vector<std::string> written;
        int sync() override {
            written.push_back(str());
            return 0;
        }
    } recording;
    TempFolder folder;
    makeTree(folder, "AA.eps AA2.C AA.M AA.J AA.N BB.eps BB2.C BB.M BB.J BB.N");
    std::ostream out(&recording);
    std::ostringstream err;
    EXPECT_EQ(runCommandLine({"relink", folder.folder()}, out, err, {}), 0);
    ASSERT_FALSE(recording.written.empty());
    EXPECT_EQ(std::count(recording.written[0].begin(), recording.written[0].end(), '\n'), 1);
}

INSTANTIATE_TEST_SUITE_P(Relink, CommandLine, ::testing::ValuesIn(relinkRuns), RowName());
INSTANTIATE_TEST_SUITE_P(Linux, CommandLine, ::testing::ValuesIn(onLinux()), RowName());
INSTANTIATE_TEST_SUITE_P(RelinkRefusals, CommandLine, ::testing::ValuesIn(dryRunRefusals()),
                         RowName());
INSTANTIATE_TEST_SUITE_P(Rename, CommandLine, ::testing::ValuesIn(renameRuns), RowName());

} // namespace
} // namespace platelier
