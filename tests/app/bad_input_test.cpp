// What users and master files can bring that the program must turn down
// clearly: names too long or holding what a name cannot, masters that are
// empty, garbage or cut short, separation files gone or whose new name is
// taken, and a read-only backup. Each gets one message, and no
// file is lost or changed by a command that did not take place.
#include "master_bytes.h"
#include "opened_fileset.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace platelier {
namespace {

using namespace testing;

const std::string separations[] = {"JOB.C", "JOB.M", "JOB.J", "JOB.N"};

std::string jobMaster() {
    return "%!PS-Adobe-3.0\r\n%%Title: job\r\n" +
           plateBlock("\r\n", separations[0], separations[1], separations[2], separations[3]) +
           "%%EOF\r\n";
}

struct Fileset : OpenedFileset {
    explicit Fileset(const std::string& masterBytes)
        : OpenedFileset("JOB.EPS", masterBytes,
                        {separations[0], separations[1], separations[2], separations[3]}) {}

    bool unchanged() const {
        bool same = readFileBytes(master) == jobMaster() && !fileExists(folder.file("JOB.BAK"));
        for (const std::string& name : separations) {
            same = same && readFileBytes(folder.file(name)) == name;
        }
        return same;
    }
};

struct NameCase {
    const char* what;
    std::string name; // typed for cyan
    bool rewritten;   // "Rename channels" takes it
    bool renamed;     // "Rename files" takes it
};

const NameCase nameCases[] = {
    {"255 characters", std::string(255, 'n'), false, false},
    {"256 characters, cut to 255", std::string(256, 'n'), false, false},
    {"1000 characters", std::string(1000, 'n'), false, false},
    {"fits a plate line, not a path", std::string(230, 'n'), true, false},
    {"a folder separator", "sub/JOB.C", true, false},
    {"a control byte", "JOB\x01.C", true, false},
    {"a tab", "JOB\t.C", true, false},
    {"a CR", "JOB\r.C", false, false},
    {"a LF", "JOB\n.C", false, false},
    {"letters outside ASCII", "JOB-\xe9t\xe9.C", true, true},
};

TEST(BadInput, NamesAreTakenOrTurnedDownWithOneMessage) {
    for (const NameCase& c : nameCases) {
        for (const int command : {IDC_RENAME_CHANNELS, IDC_RENAME_FILES}) {
            Fileset fileset(jobMaster());
            fileset.dialog.texts[IDC_CYAN_NAME] = c.name;
            fileset.command(command);
            const bool taken = command == IDC_RENAME_CHANNELS ? c.rewritten : c.renamed;
            EXPECT_EQ(fileset.dialog.messages.size(), taken ? 0u : 1u)
                << c.what << ", command " << command;
            if (!taken && fileset.dialog.messages.size() == 1) {
                EXPECT_TRUE(fileset.unchanged()) << c.what << ", command " << command;
                EXPECT_EQ(fileset.dialog.messages[0].caption, "Talvernes");
                EXPECT_EQ(fileset.dialog.messages[0].text.rfind("Impossible", 0), 0u);
            }
        }
    }
}

struct MasterCase {
    const char* what;
    std::string bytes;
};

const std::string psText = jobMaster();
const auto psLength = static_cast<std::uint32_t>(psText.size());

const MasterCase refusedMasters[] = {
    {"empty", ""},
    {"binary garbage", std::string("\x00\xff\x13\x37\xc5\xd0\xd3\xc6garbage\x00\x01", 18)},
    {"cut short in its header", epsBinaryHeader(30, psLength).substr(0, 17)},
    {"cut short in its plate block", psText.substr(0, psText.find("%%YellowPlate"))},
};

TEST(BadInput, BrokenMastersAreRefusedWhenOpened) {
    for (const MasterCase& c : refusedMasters) {
        Fileset fileset(c.bytes);
        ASSERT_EQ(fileset.dialog.messages.size(), 1u) << c.what;
        EXPECT_EQ(
            fileset.dialog.messages[0].text.rfind("Ce fichier n'est pas un fichier EPS normal", 0),
            0u);
        EXPECT_EQ(readFileBytes(fileset.master), c.bytes) << c.what;
        EXPECT_FALSE(fileset.dialog.isEnabled(IDC_RENAME_CHANNELS)) << c.what;
    }
}

TEST(BadInput, AMasterCutShortInItsPreviewKeepsWhatItHas) {
    const std::string preview = "II*" + std::string(100, '\x7f');
    const std::string bytes =
        epsBinaryHeader(30, psLength, 0, 0, 30 + psLength, 5000) + psText + preview;
    Fileset fileset(bytes);
    ASSERT_TRUE(fileset.dialog.messages.empty());
    fileset.dialog.texts[IDC_CYAN_NAME] = "LONGER-NAME.C";
    fileset.command(IDC_RENAME_CHANNELS);
    EXPECT_TRUE(fileset.dialog.messages.empty());
    const std::string after = readFileBytes(fileset.master);
    EXPECT_EQ(after.substr(after.size() - preview.size()), preview);
    EXPECT_EQ(readFileBytes(fileset.folder.file("JOB.BAK")), bytes);
}

TEST(BadInput, SeparationFilesGoneOrWhoseNameIsTakenAreTold) {
    Fileset fileset(jobMaster());
    std::filesystem::remove(fileset.folder.file("JOB.M"));
    fileset.folder.write("TAKEN.J", "taken");
    fileset.dialog.texts[IDC_MAGENTA_NAME] = "NEW.M";
    fileset.dialog.texts[IDC_YELLOW_NAME] = "TAKEN.J";
    fileset.dialog.texts[IDC_BLACK_NAME] = "NEW.N";
    fileset.command(IDC_RENAME_FILES);
    ASSERT_EQ(fileset.dialog.messages.size(), 2u);
    EXPECT_NE(fileset.dialog.messages[0].text.find("JOB.M"), std::string::npos);
    EXPECT_NE(fileset.dialog.messages[1].text.find("TAKEN.J"), std::string::npos);
    EXPECT_EQ(readFileBytes(fileset.folder.file("TAKEN.J")), "taken");
    EXPECT_EQ(readFileBytes(fileset.folder.file("NEW.N")), "JOB.N");
}

// Read-only files stop a user, not an administrator: the case is tried only
// where the test's user is really held back by it.
bool writable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (file == nullptr) {
        return false;
    }
    std::fclose(file);
    return true;
}

// A read-only backup: either the rewrite is refused with one message and
// nothing changes, or (where the platform lets it go) it replaces the backup.
TEST(BadInput, AReadOnlyBackupLosesNothing) {
    using std::filesystem::perms;
    Fileset fileset(jobMaster());
    fileset.folder.write("JOB.BAK", "older backup");
    std::filesystem::permissions(fileset.folder.file("JOB.BAK"),
                                 perms::owner_write | perms::group_write | perms::others_write,
                                 std::filesystem::perm_options::remove);
    if (writable(fileset.folder.file("JOB.BAK"))) {
        GTEST_SKIP() << "this user may write read-only files";
    }
    fileset.dialog.texts[IDC_CYAN_NAME] = "NEW.C";
    fileset.command(IDC_RENAME_CHANNELS);
    const std::string master = readFileBytes(fileset.master);
    const std::string backup = readFileBytes(fileset.folder.file("JOB.BAK"));
    EXPECT_TRUE((master == jobMaster() && backup == "older backup" &&
                 fileset.dialog.messages.size() == 1) ||
                (backup == jobMaster() && fileset.dialog.messages.empty()));
}

} // namespace
} // namespace platelier
