// Separation file discovery in real folders, the file chooser answered by
// the test: patterns, single matches, choosers and their texts.
#include "fileset/separation_discovery.h"

#include "fake_dialog.h"
#include "platform/files.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

TEST(SeparationPattern, StarsTheCharacterBeforeTheLastDot) {
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"D:\\job\\IMAGE.EPS", "D:\\job\\IMAG*.C"},
        {"D:\\job\\A.EPS", "D:\\job\\*.C"},
        {"D:\\job\\IMAGE.V2.EPS", "D:\\job\\IMAGE.V*.C"},
        {"D:\\job\\.EPS", "D:\\job*.C"},
        {"D:\\my.dir\\IMAGE", "D:\\m*.C"},
        {".EPS", std::nullopt},
        {"D:\\job\\IMAGE", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [master, pattern] : cases) {
        EXPECT_EQ(separationPattern(master, "C"), pattern) << master;
    }
}

class Discovery : public ::testing::Test {
  protected:
    TempFolder folder;
    FakeDialog dialog;
    std::array<std::string, channelCount> recorded;

    void files(std::initializer_list<const char*> names) {
        for (const char* name : names) {
            folder.write(name, "separation");
        }
    }
    void locate(const std::string& masterName) {
        dialog.texts[IDC_MASTER_PATH] = folder.file(masterName);
        locateSeparationFiles(dialog, IDC_MASTER_PATH, IDC_CYAN_NAME, IDC_CYAN_PATH);
    }
    std::string path(int id) { return dialog.texts[id]; }
};

TEST_F(Discovery, TakesTheSingleMatchOfEachChannel) {
    files({"IMAGE.EPS", "IMAGE.C", "IMAGE.M", "IMAGE.J", "IMAGE.N", "OTHER.C"});
    locate("IMAGE.EPS");
    EXPECT_TRUE(dialog.chooserCalls.empty());
    EXPECT_EQ(path(IDC_CYAN_PATH), folder.file("IMAGE.C"));
    EXPECT_EQ(path(IDC_MAGENTA_PATH), folder.file("IMAGE.M"));
    EXPECT_EQ(path(IDC_YELLOW_PATH), folder.file("IMAGE.J"));
    EXPECT_EQ(path(IDC_BLACK_PATH), folder.file("IMAGE.N"));
}

TEST_F(Discovery, AsksWhenTwoFilesMatch) {
    files({"IMAGE.EPS", "IMAGE.C", "IMAGX.C", "IMAGE.M", "IMAGE.J", "IMAGE.N"});
    dialog.texts[IDC_CYAN_NAME] = "IMAGE.C";
    dialog.chooserAnswers.push_back(folder.file("IMAGX.C"));
    locate("IMAGE.EPS");
    ASSERT_EQ(dialog.chooserCalls.size(), 1u);
    const FakeDialog::ChooserCall& call = dialog.chooserCalls[0];
    EXPECT_EQ(call.targetId, IDC_CYAN_PATH);
    EXPECT_EQ(call.defaultExtension, "C");
    EXPECT_EQ(call.title, "Ouverture du fichier Cyan de la couche IMAGE.C");
    EXPECT_EQ(call.filter.text, "Fichiers Cyan [*.C]");
    EXPECT_EQ(call.filter.pattern, "*.C");
    EXPECT_EQ(path(IDC_CYAN_PATH), folder.file("IMAGX.C"));
    EXPECT_EQ(path(IDC_BLACK_PATH), folder.file("IMAGE.N")) << "discovery goes on";
}

TEST_F(Discovery, SearchesOnlyTheFirstLetterOfYellowAndBlack) {
    files({"IMAGE.EPS", "IMAGE.C", "IMAGE.M", "IMAGE.Y", "IMAGE.K"});
    dialog.texts[IDC_YELLOW_NAME] = "IMAGE.Y";
    dialog.chooserAnswers = {folder.file("IMAGE.Y"), folder.file("IMAGE.K")};
    locate("IMAGE.EPS");
    ASSERT_EQ(dialog.chooserCalls.size(), 2u);
    EXPECT_EQ(dialog.chooserCalls[0].title, "Ouverture du fichier Jaune de la couche IMAGE.Y");
    EXPECT_EQ(dialog.chooserCalls[0].filter.text, "Fichiers Jaune [*.J, *.Y]");
    EXPECT_EQ(dialog.chooserCalls[0].filter.pattern, "*.J;*.Y");
    EXPECT_EQ(dialog.chooserCalls[0].defaultExtension, "J");
    EXPECT_EQ(dialog.chooserCalls[1].filter.text, "Fichiers Noir [*.N, *.K]");
    EXPECT_EQ(dialog.chooserCalls[1].filter.pattern, "*.N;*.K");
    EXPECT_EQ(path(IDC_YELLOW_PATH), folder.file("IMAGE.Y"));
}

TEST_F(Discovery, StopsAtTheFirstCancelledChooser) {
    files({"IMAGE.EPS", "IMAGE.C", "IMAGE.J", "IMAGE.N"});
    for (int id = IDC_CYAN_PATH; id <= IDC_BLACK_PATH; ++id) {
        dialog.texts[id] = "earlier";
    }
    locate("IMAGE.EPS");
    EXPECT_EQ(dialog.chooserCalls.size(), 1u);
    EXPECT_EQ(path(IDC_CYAN_PATH), folder.file("IMAGE.C"));
    for (int id : {IDC_MAGENTA_PATH, IDC_YELLOW_PATH, IDC_BLACK_PATH}) {
        EXPECT_EQ(path(id), "earlier") << id;
    }
}

TEST_F(Discovery, FollowsThePatternRulesOnDisk) {
    struct Case {
        const char* master;
        std::vector<const char*> files;
        const char* cyan; // the single match expected, or "" for the chooser
    };
    const Case cases[] = {
        {"A.EPS", {"A.EPS", "ZZZ.C"}, "ZZZ.C"},
        {"IMAGE.V2.EPS", {"IMAGE.V2.EPS", "IMAGE.V2.C", "IMAGE.C"}, "IMAGE.V2.C"},
        {"IMAGE.EPS", {"IMAGE.EPS", "image.c"}, "image.c"},
        {"IMAGE.EPS", {"IMAGE.EPS", "IMAGE.CC"}, ""},
    };
    for (const Case& c : cases) {
        TempFolder place;
        for (const char* name : c.files) {
            place.write(name, "x");
        }
        FakeDialog fresh;
        fresh.texts[IDC_MASTER_PATH] = place.file(c.master);
        locateSeparationFiles(fresh, IDC_MASTER_PATH, IDC_CYAN_NAME, IDC_CYAN_PATH);
        EXPECT_EQ(fresh.texts[IDC_CYAN_PATH], *c.cyan ? place.file(c.cyan) : "") << c.master;
        EXPECT_EQ(fresh.chooserCalls.size(), 1u)
            << c.master << ": the chooser opens for the next channel";
    }
}

TEST_F(Discovery, CountsAFolderAsAMatch) {
    files({"IMAGE.EPS"});
    std::filesystem::create_directory(folder.file("IMAGE.C"));
    locate("IMAGE.EPS");
    EXPECT_EQ(path(IDC_CYAN_PATH), folder.file("IMAGE.C"));
}

TEST_F(Discovery, AsksForEveryChannelOfAMasterWithoutExtension) {
    files({"IMAGE", "IMAGE.C"});
    dialog.chooserAnswers = {std::string("c"), std::string("m"), std::string("j"),
                             std::string("n")};
    dialog.texts[IDC_MASTER_PATH] = "IMAGE";
    locateSeparationFiles(dialog, IDC_MASTER_PATH, IDC_CYAN_NAME, IDC_CYAN_PATH);
    EXPECT_EQ(dialog.chooserCalls.size(), 4u);
    EXPECT_EQ(path(IDC_BLACK_PATH), "n");
}

TEST_F(Discovery, CutsTheChannelNameInTheChooserTitle) {
    files({"IMAGE.EPS"});
    dialog.texts[IDC_CYAN_NAME] = std::string(200, 'n');
    locate("IMAGE.EPS");
    ASSERT_EQ(dialog.chooserCalls.size(), 1u);
    EXPECT_EQ(dialog.chooserCalls[0].title,
              "Ouverture du fichier Cyan de la couche " + std::string(127, 'n'));
}

TEST_F(Discovery, BrowseChoosesAnyFileForOneChannel) {
    recorded = {"c", "m", "j", "n"};
    browseSeparationFile(dialog, yellow, recorded);
    dialog.chooserAnswers.push_back(folder.file("chosen"));
    browseSeparationFile(dialog, yellow, recorded);
    ASSERT_EQ(dialog.chooserCalls.size(), 2u);
    const FakeDialog::ChooserCall& call = dialog.chooserCalls[1];
    EXPECT_EQ(call.targetId, IDC_YELLOW_PATH);
    EXPECT_EQ(call.title, "Ouverture du fichier Jaune");
    EXPECT_EQ(call.defaultExtension, "");
    EXPECT_EQ(call.filter.text, "Tous fichiers [*.*]");
    EXPECT_EQ(call.filter.pattern, "*.*");
    const std::array<std::string, channelCount> expected = {"c", "m", folder.file("chosen"), "n"};
    EXPECT_EQ(recorded, expected);
    EXPECT_EQ(path(IDC_YELLOW_PATH), folder.file("chosen"));
}

} // namespace
} // namespace platelier
