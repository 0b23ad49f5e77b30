// What the higher layers' tests do not reach of the platform operations, on
// whichever implementation the build chose (Linux natively, Win32 under
// Wine): the system's rules for file names, renames that never replace, and
// a folder renamed.
#include "fixtures.h"
#include "platform/byte_search.h"
#include "platform/file_faults.h"
#include "platform/file_names.h"
#include "platform/file_starts.h"
#include "platform/files.h"
#include "platform/interruption.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace platelier {
namespace {

using namespace testing;

// Expectations on Linux and on Win32.
struct ByPlatform {
    bool onLinux, onWin32;
};

// `other`, when not empty, is compared with `name`.
struct NameCase {
    std::string name;
    ByPlatform acceptable;
    std::string other = {};
    ByPlatform same = {};
};

const ByPlatform both{true, true}, neither{false, false}, linuxOnly{true, false};

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int n = 0; n < times; ++n) {
        text += piece;
    }
    return text;
}

// clang-format off
const NameCase nameCases[] = {
    {"n.C", both, "N.C", {false, true}}, {"été.C", both, "ÉTÉ.C", {false, true}},
    {"été.C", both, "ete.C", neither}, {"µ", both, "M", neither}, {"CONX", both},
    {"Żółty", both, "ŻÓŁTY", {false, true}}, {"caf\xE9", linuxOnly},
    {"?", linuxOnly}, {"*", linuxOnly}, {"<", linuxOnly}, {">", linuxOnly}, {"|", linuxOnly},
    {"\"", linuxOnly}, {"a.", linuxOnly}, {"a ", neither}, {" a", neither}, {"a:b", linuxOnly},
    {"COM0", both},
    {"CON", linuxOnly}, {"con.eps", linuxOnly}, {"CON .txt", linuxOnly}, {"LPT1", linuxOnly},
    {"COM9.C", linuxOnly}, {"com¹", linuxOnly}, {"CONIN$", linuxOnly}, {"a\\b", linuxOnly},
    {"", neither}, {".", neither}, {"..", neither}, {"a/b", neither}, {"x\ny", neither},
    {std::string(255, 'a'), both}, {std::string(256, 'a'), neither},
    {repeated("Ж", 128), {false, true}}}; // 256 bytes, 128 UTF-16 units
// clang-format on

TEST(FileNames, FollowTheSystemsRules) {
    const bool win32 = pathSeparator() == '\\';
    const auto expected = [&](ByPlatform by) { return win32 ? by.onWin32 : by.onLinux; };
    for (const NameCase& row : nameCases) {
        EXPECT_EQ(acceptableFileName(row.name), expected(row.acceptable)) << row.name;
        if (!row.other.empty()) {
            EXPECT_EQ(sameFileName(row.name, row.other), expected(row.same)) << row.other;
            EXPECT_EQ(fileNameKey(row.name) == fileNameKey(row.other), expected(row.same));
        }
    }
}

// The plate bytes that name a file, on Win32 under the tests' Windows-1252;
// none for a name with a letter that only a best fit writes there.
TEST(FileNames, OfPlatesAreTheirBytesInTheCodePage) {
    const bool win32 = pathSeparator() == '\\';
    const std::pair<std::string, std::optional<std::string>> rows[] = {
        {"café.C", "caf\xE9.C"}, {"JOB Żółty.C", std::nullopt}, {"a?b", "a?b"}};
    for (const auto& [name, onWin32] : rows) {
        const std::optional<std::string> plate = plateOfFileName(name);
        EXPECT_EQ(plate, win32 ? onWin32 : name) << name;
        if (plate) {
            EXPECT_EQ(fileNameOfPlate(*plate), name);
        }
    }
}

// The search finds a byte at every place of a stride of the Win32 search and
// of the words before it, from every start, and reports none past the end.
TEST(FindByte, FindsTheFirstAtEveryOffset) {
    for (std::size_t at = 0; at < 200; ++at) {
        std::string bytes(200, 'x');
        bytes[at] = '%';
        for (std::size_t from : {std::size_t(0), at / 2, at}) {
            ASSERT_EQ(findByte(bytes, '%', from), at) << at << " from " << from;
        }
        ASSERT_EQ(findByte(bytes, '%', at + 1), std::string_view::npos) << at;
    }
}

// On every kind of file system, what cannot be done fails and changes nothing.
TEST(FileOperations, NeverReplaceAFileNorMoveOneThatIsNotThere) {
    const FileFaultsGuard faults;
    for (auto lacking : {FileSystemFeature::none, FileSystemFeature::noReplaceRename,
                         FileSystemFeature::exchangingRename, FileSystemFeature::hardLinks}) {
        simulateFileSystemWithout(lacking);
        TempFolder folder({"old=old", "new=new"});
        EXPECT_FALSE(moveFileNoReplace(folder.file("old"), folder.file("new")));
        EXPECT_FALSE(moveFileNoReplace(folder.file("none"), folder.file("x")));
        EXPECT_EQ(replaceFileWithBackup(folder.file("none"), folder.file("new"), folder.file("b"),
                                        FileIdentity{}),
                  Replacement::failed);
        EXPECT_EQ(folder.entries(), (Entries{"old=old", "new=new"})) << int(lacking);
    }
    TempFolder folder({"IMAGE.C/"});
    EXPECT_TRUE(moveFileNoReplace(folder.file("IMAGE.C"), folder.file("B.C"))) << "a folder moves";
}

// A batch of files' starts reads what reading them one by one reads: more
// files than one batch holds, short ones whole, one of `most` bytes and
// longer ones cut there; none of a file that is missing, a folder, or a
// file whose opening is made to fail.
TEST(FileStarts, AreReadInBatchesAsOneByOne) {
    constexpr std::size_t most = 8;
    std::vector<std::string> names{"missing", "dir"};
    Entries entries{"dir/"};
    std::string expected = "+ + ";
    for (std::size_t at = 0; at < 40; ++at) {
        const std::string bytes(at % 11, static_cast<char>('a' + at % 26));
        names.push_back("f" + std::to_string(at));
        entries.insert(names.back() + "=" + bytes);
        expected += bytes.substr(0, most) + (bytes.size() < most ? "| " : "+ ");
    }
    const TempFolder folder(entries);
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(folder.file(name));
    }
    const auto described = [](const std::vector<FileStart>& starts) {
        std::string text;
        for (const FileStart& start : starts) {
            text += std::string(start.bytes ? start.bytes.get() : "", start.size) +
                    (start.whole ? "| " : "+ ");
        }
        return text;
    };
    const FileFaultsGuard faults;
    failFileOperation(0);
    EXPECT_EQ(described(readFileStarts(paths, most)), expected);
    const std::uint64_t operations = fileOperationCount();
    failFileOperation(0);
    EXPECT_EQ(described(readFileStartsOneByOne(paths, most)), expected);
    EXPECT_EQ(fileOperationCount(), operations) << "an opening and a read for each file opened";
    failFileOperation(3); // the opening of f0, the third file
    EXPECT_EQ(described(readFileStarts(paths, most)), "+ + + " + expected.substr(6));
}

#ifndef _WIN32
// A signal during an uninterrupted step lets the outermost step end, then
// removes what the guards hold and ends the program as the signal does;
// outside a step it ends it at once; a signal the program was started
// ignoring (nohup) stays ignored. Each row runs in a child process; the
// files it writes tell how far it went.
struct InterruptionRow {
    const char* what;
    std::size_t steps;
    bool ignoredAtStart;
    Entries left;
};

TEST(Interruption, WaitsForTheOutermostStepThenEndsTheProgram) {
    const Entries ran = {".platelier-AAAAAA=new master", "went on="};
    const InterruptionRow rows[] = {
        {"outside a step", 0, false, {}},
        {"in a step", 1, false, {"went on="}},
        {"in nested steps", 2, false, {"an inner step ended=", "went on="}},
        {"ignored from the start", 0, true, ran}};
    for (const InterruptionRow& row : rows) {
        TempFolder folder({".platelier-AAAAAA=new master"});
        const pid_t child = fork();
        if (child == 0) {
            signal(SIGTERM, row.ignoredAtStart ? SIG_IGN : SIG_DFL);
            undoOnInterrupt();
            const TemporaryFileGuard guard(folder.file(".platelier-AAAAAA"));
            std::vector<std::unique_ptr<UninterruptedStep>> nested(row.steps);
            for (auto& step : nested) {
                step = std::make_unique<UninterruptedStep>();
            }
            raise(SIGTERM);
            folder.write("went on", "");
            while (nested.size() > 1) {
                nested.pop_back();
                folder.write("an inner step ended", "");
            }
            nested.clear();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        const bool ended = WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM;
        EXPECT_EQ(ended, !row.ignoredAtStart) << row.what;
        EXPECT_EQ(folder.entries(), row.left) << row.what;
    }
}
#endif

} // namespace
} // namespace platelier
