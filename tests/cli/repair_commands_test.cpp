// relink and rename on real filesets: what they write, what they leave, the
// backups they keep and the refusals they share with the dialog.
#include "cli_run.h"

#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

// Cyan and black were renamed.
const char* const image = "IMAGE.eps IMAGE2.C IMAGE.M IMAGE.J IMAGX.N";
const char* const unchanged = "\xC3\xA9t\xC3\xA9 modifi\xC3\xA9.";
// IMAGE1.C is lost; IMAGE2.C, which IMAGE1's pattern matches, is IMAGE2's.
const char* const twoFilesets = "IMAGE1.eps IMAGE1.M IMAGE1.J IMAGE1.N IMAGE2.eps+";

TEST(RelinkCommand, WritesTheRenamedFilesNamesOnlyWhenItCan) {
    runRows({
        {image, "relink @IMAGE.eps", 0,
         "relinked IMAGE.eps  cyan \"IMAGE.C\" -> \"IMAGE2.C\"; black \"IMAGE.N\" -> \"IMAGX.N\"\n",
         "",
         "IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.J IMAGE.M "
         "IMAGE.eps[IMAGE2.C IMAGE.M IMAGE.J IMAGX.N] IMAGE2.C IMAGX.N "},
        {image, "relink --dry-run @IMAGE.eps", 0,
         "would relink IMAGE.eps  cyan \"IMAGE.C\" -> \"IMAGE2.C\"; black \"IMAGE.N\" -> "
         "\"IMAGX.N\"\n",
         "", "="},
        {"box-A.eps box-A2.C=page box-A.M=text box-A.J box-A.N", "relink @box-A.eps", 1,
         "broken  box-A.eps  cyan \"box-A.C\" renamed box-A2.C other-page\n", "", "="},
        {"A.eps+ Bb.eps Bb.C Bb.M Bb.J", "relink @A.eps @Bb.eps", 1,
         "ok      A.eps\nbroken  Bb.eps  black \"Bb.N\" missing\n", "", "="},
        {"IMAGE.BAK IMAGE2.C IMAGE.M IMAGE.J IMAGE.N", "relink @IMAGE.BAK", 1, "", unchanged, "="},
        {twoFilesets, "relink @IMAGE1.eps", 1, "broken  IMAGE1.eps  cyan \"IMAGE1.C\" missing\n",
         "", "="},
        // Both masters lost their cyan file, and IMAGE3.C fits either: whose
        // it is, nothing tells, and neither takes it.
        {"IMAGE1.eps IMAGE1.M IMAGE1.J IMAGE1.N IMAGE2.eps IMAGE2.M IMAGE2.J IMAGE2.N IMAGE3.C",
         "relink @", 1,
         "broken  IMAGE1.eps  cyan \"IMAGE1.C\" ambiguous (1)\nbroken  IMAGE2.eps  cyan "
         "\"IMAGE2.C\" ambiguous (1)\n",
         "", "="},
        {"A.C", "relink @A.C @absent.eps", 2, "", "absent.eps.", "A.C "},
        {"", "relink", 2, "", "PATH is required", ""},
        {"Z.eps Z2.C Z.M Z.J Z.N not-Y.eps a/C.eps+ sub/A.eps sub/A2.C sub/A.M sub/A.J sub/A.N",
         "relink --recursive @", 0,
         "relinked Z.eps  cyan \"Z.C\" -> \"Z2.C\"\nok      a/C.eps\n"
         "relinked sub/A.eps  cyan \"A.C\" -> \"A2.C\"\n",
         "", nullptr},
    });
}

// A dry run refuses what the real run refuses, in the same words, and
// neither writes anything.
TEST(RelinkCommand, DryRunRefusesWhatTheRealRunRefuses) {
    const std::string tooLong = "I.eps I.M I.J I.N I" + std::string(243, 'x') + ".C";
    const char* const refusals[][3] = {
        {"IMAGE.BAK IMAGE2.C IMAGE.M IMAGE.J IMAGE.N", "@IMAGE.BAK",
         "IMAGE.BAK : sa copie de sauvegarde porterait son propre nom (.BAK). Le fichier n'a pas"},
        {"dmg-I.eps dmg-I2.C dmg-I.M dmg-I.J dmg-I.N", "@",
         "dmg-I.eps : un bloc %%CyanPlate est incomplet ou mal form\xC3\xA9. Le fichier n'a pas"},
        {"I.eps I2.C I.M I.J I.N I.BAK/", "@",
         "Impossible de remplacer I.eps et d'en garder la copie de sauvegarde I.BAK. Le fichier"},
        // On Win32 a file whose name fills a plate line has a path too long
        // to be opened, and relink refuses it as unreadable before the rewrite.
        {tooLong.c_str(), "@",
         pathSeparator() == '\\'
             ? nullptr
             : "I.eps : le nom de la couche Cyan est trop long pour le fichier-ma\xC3\xAEtre. Le"},
    };
    for (const auto& [tree, path, message] : refusals) {
        for (const std::string call : {"relink ", "relink --dry-run "}) {
            runRows({{tree, (call + path).c_str(), 1, message ? "" : nullptr, message, "="}});
        }
    }
}

TEST(RenameCommand, RunsTheDialogsThreeCommands) {
    runRows({
        {image, "rename @IMAGE.eps --cyan NEW.C", 0,
         "rewrote IMAGE.eps (backup IMAGE.BAK)\nrenamed IMAGE2.C -> NEW.C\n"
         "renamed IMAGX.N -> IMAGE.N\n",
         "",
         "IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.J IMAGE.M IMAGE.N=IMAGX.N "
         "IMAGE.eps[NEW.C IMAGE.M IMAGE.J IMAGE.N] NEW.C=IMAGE2.C "},
        {image, "rename @IMAGE.eps --master-only --magenta M --yellow J --black K", 0,
         "rewrote IMAGE.eps (backup IMAGE.BAK)\n", "",
         "IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.J IMAGE.M IMAGE.eps[IMAGE.C M J K] "
         "IMAGE2.C IMAGX.N "},
        {image, "rename @IMAGE.eps --files-only", 0,
         "renamed IMAGE2.C -> IMAGE.C\nrenamed IMAGX.N -> IMAGE.N\n", "",
         "IMAGE.C=IMAGE2.C IMAGE.J IMAGE.M IMAGE.N=IMAGX.N "
         "IMAGE.eps[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] "},
        {image, "rename @IMAGE.eps --magenta IMAGE.J", 1, "",
         "Impossible de renommer IMAGE.M en IMAGE.J.", "="},
        {image, "rename @IMAGE.eps --files-only --cyan ../up.C", 1, "renamed IMAGX.N -> IMAGE.N\n",
         "Impossible de renommer IMAGE2.C en ../up.C.",
         "IMAGE.J IMAGE.M IMAGE.N=IMAGX.N IMAGE.eps[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE2.C "},
        {"IMAGE.eps IMAGE2.C IMAGE.M IMAGX.N IMAGY.N", "rename @IMAGE.eps --cyan \"\"", 1, "",
         "la couche Cyan n'a pas de nom. Le fichier n'a pas \xC3\xA9t\xC3\xA9 modifi\xC3\xA9.\n"
         "Impossible de renommer les fichiers de IMAGE.eps : aucun fichier unique n'a "
         "\xC3\xA9t\xC3\xA9 trouv\xC3\xA9 pour la couche Jaune.",
         "="},
        {"IMAGE.eps IMAGE.C IMAGE.M IMAGX.N IMAGY.N",
         "rename @IMAGE.eps --master-only --yellow Y --black K", 0,
         "rewrote IMAGE.eps (backup IMAGE.BAK)\n", "",
         "IMAGE.BAK[IMAGE.C IMAGE.M IMAGE.J IMAGE.N] IMAGE.C IMAGE.M "
         "IMAGE.eps[IMAGE.C IMAGE.M Y K] IMAGX.N IMAGY.N "},
        {"A.eps A2.C=text A.M A.J A.N", "rename @A.eps --files-only", 1, "",
         "le fichier A2.C trouv\xC3\xA9 pour la couche Cyan n'est pas une s\xC3\xA9paration de ce "
         "fichier-ma\xC3\xAEtre (not-eps).",
         "="},
        {twoFilesets, "rename @IMAGE1.eps --files-only", 1, "",
         "aucun fichier unique n'a \xC3\xA9t\xC3\xA9 trouv\xC3\xA9 pour la couche Cyan.", "="},
        {"A.eps+", "rename @A.eps --files-only --master-only", 2, "", "excludes", "="},
        {"", "rename @absent.eps --cyan X", 2, "", "absent.eps.", ""},
        {"A.eps+ A.BAK", "rename @A.eps --cyan A.C", 0, "unchanged A.eps\n", "", "="},
        {"A.eps A2.C A.M A.J A.N", "rename @A.eps --master-only", 0, "unchanged A.eps\n", "", "="},
        {"sub/", "rename @sub", 2, "",
         "sub est un dossier : la commande demande un fichier-ma\xC3\xAEtre.", "="},
    });
}

} // namespace
} // namespace platelier
