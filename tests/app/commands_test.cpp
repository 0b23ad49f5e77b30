// "Rename channels", "Rename files" and "Save all changes" on filesets on
// disk, as the user runs them: names and masters taken or turned down, and,
// while each file operation fails in turn, the disk fills up, or the program
// is interrupted, on every kind of file system the program has a way for,
// no file lost or damaged, and no fileset half-changed by "Save all changes".
#include "platform/file_faults.h"
#include "platform/file_names.h"
#include "platform/files.h"
#include "platform/interruption.h"
#include "recording_dialog.h"
#include "rewrite_check.h"

#include <gtest/gtest.h>
#include <iostream>

namespace platelier {
namespace {

using namespace testing;

const Names oldNames = {"JOB.C", "JOB.M", "JOB.J", "JOB.N"};
const Names newNames = {"JOB-renamed.C", "JOB-renamed.M", "JOB.J", "JOB.N"};
// Each name but the first given up by the channel before: undone in the
// wrong order, a rename would find its name taken.
const Names chainNames = {"JOB-0.C", "JOB.C", "JOB.M", "JOB.N"};

std::string jobMaster(const Names& names = oldNames, bool header = true) {
    const std::string postScript = "%!PS-Adobe-3.0 EPSF-3.0\r\n%%Title: job\r\n" +
                                   plateBlock("\r\n", names[0], names[1], names[2], names[3]) +
                                   "%%EndComments\r\n" + std::string(3000, 'F') + "\r\n%%EOF\r\n";
    return header ? withPreview(postScript, 20000) : postScript;
}

// The fileset a command runs on: its master behind an EPS binary header or
// not, an older backup of the master there or not, and the new names.
struct Job {
    bool header, olderBackup;
    Names names;
};

// What a command left on disk and told, and the file operations and writes it made.
struct Outcome {
    Entries entries;
    std::vector<std::string> messages;
    std::uint64_t operations, writes;
};

Outcome runCommand(const Job& job, int command, const std::function<void()>& arm) {
    OpenedFileset fileset(jobMaster(oldNames, job.header), oldNames);
    if (job.olderBackup) {
        fileset.folder.write("JOB.BAK", "older");
    }
    fileset.setNames(job.names);
    arm();
    fileset.command(command);
    const Outcome outcome = {fileset.folder.entries(), fileset.dialog.messages,
                             fileOperationCount(), fileWriteCount()};
    failFileOperation(0);
    return outcome;
}

// How `outcome` breaks the promises: the master all old or all new (and
// then its backup the old bytes; an old master may have been backed up
// already, over an older backup, which is otherwise kept), each separation
// file there once under its old or its new name (Save all: all of them by
// their old names with an old master, their new ones with a new master),
// nothing else, and a message for a failure (a refusal of Save all may
// refuse renames that depend on each other, each with its message; the
// program ends when it is interrupted: what it tells then is not weighed).
std::string violation(const Outcome& outcome, const Outcome& faultless, const Job& job,
                      bool allOrNothing, bool interrupted) {
    Entries rest = outcome.entries;
    const bool isNew = rest.erase("JOB.EPS=" + jobMaster(job.names, job.header)) == 1;
    const bool backedUp = rest.erase("JOB.BAK=" + jobMaster(oldNames, job.header)) == 1;
    if (isNew ? !backedUp : rest.erase("JOB.EPS=" + jobMaster(oldNames, job.header)) != 1) {
        return isNew ? "the master is new, its backup not the old one"
                     : "the master is neither old nor new";
    }
    if (job.olderBackup && !backedUp && rest.erase("JOB.BAK=older") != 1) {
        return "the older backup is lost";
    }
    for (std::size_t channel = 0; channel < channelCount; ++channel) {
        const std::string bytes = "=" + oldNames[channel];
        const bool old = rest.erase(oldNames[channel] + bytes) == 1;
        const bool renamed = job.names[channel] != oldNames[channel];
        if (old + (renamed && rest.erase(job.names[channel] + bytes) == 1) != 1 ||
            (allOrNothing && renamed && old == isNew)) {
            return "separation file " + oldNames[channel] + " is not there once, by the name " +
                   "its master gives";
        }
    }
    const bool failed = outcome.entries != faultless.entries;
    const auto& messages = outcome.messages;
    const bool told = std::all_of(messages.begin(), messages.end(), [](const std::string& text) {
        return text.rfind("Impossible", 0) == 0;
    });
    if (!rest.empty() || (!interrupted && (messages.empty() == failed || !told))) {
        return rest.empty() ? std::to_string(messages.size()) + " messages"
                            : "left behind: " + *rest.begin();
    }
    return "";
}

// An interruption before the next file operation, when the program is not
// in an uninterrupted step: what its handler does, then nothing more, as
// the program ends there.
void interruption() {
    if (detail::insideUninterruptedStep()) {
        actBeforeNextFileOperation(interruption);
        return;
    }
    detail::interruptForTest();
    failEveryFileOperation();
}

enum class Fault { operationFails, diskFull, interrupted };

// Every fault counts in `injected`; those that made a command fail in
// `failed`, so that the test fails when no injected fault takes effect, and
// each simulated file system must be met, where the platform has a way
// around what it lacks.
TEST(CommandFaults, NoFailingFileOperationLosesOrDamagesAFile) {
    const bool win32 = pathSeparator() == '\\';
    std::uint64_t injected = 0;
    for (const Job& job : {Job{true, false, newNames}, Job{false, true, chainNames}}) {
        const Outcome untouched = runCommand(job, 0, [] {});
        for (auto lacking : {FileSystemFeature::none, FileSystemFeature::noReplaceRename,
                             FileSystemFeature::exchangingRename, FileSystemFeature::hardLinks,
                             FileSystemFeature::wholeWrites}) {
            simulateFileSystemWithout(lacking);
            for (const int command : {IDC_RENAME_CHANNELS, IDC_RENAME_FILES, IDC_SAVE_ALL}) {
                const Outcome faultless = runCommand(job, command, [] {});
                ASSERT_TRUE(faultless.messages.empty() && faultless.entries != untouched.entries)
                    << command;
                for (const Fault fault :
                     {Fault::operationFails, Fault::diskFull, Fault::interrupted}) {
                    const bool diskFull = fault == Fault::diskFull;
                    std::uint64_t n = 1, failed = 0;
                    for (; n < 200; ++n) { // a command that never ends is a failure too
                        const Outcome outcome = runCommand(job, command, [&] {
                            diskFull                      ? failFileWritesFrom(n)
                            : fault == Fault::interrupted ? actBeforeFileOperation(n, interruption)
                                                          : failFileOperation(n);
                        });
                        if ((diskFull ? outcome.writes : outcome.operations) < n) {
                            break;
                        }
                        failed += outcome.entries != faultless.entries;
                        EXPECT_EQ(violation(outcome, faultless, job, command == IDC_SAVE_ALL,
                                            fault == Fault::interrupted),
                                  "")
                            << command << ", fault " << int(fault) << " at " << n
                            << ", file system " << int(lacking) << ", header " << job.header;
                    }
                    EXPECT_TRUE(n < 200 &&
                                (failed > 0 || (diskFull && command == IDC_RENAME_FILES)))
                        << "no fault took effect in " << command << ", or it never ended";
                    injected += n - 1;
                }
            }
            const bool aWayAround = !win32 || lacking == FileSystemFeature::wholeWrites;
            EXPECT_TRUE(lacking == FileSystemFeature::none || !aWayAround ||
                        missingFeatureMet() > 0)
                << "file system " << int(lacking) << " was never met";
        }
    }
    simulateFileSystemWithout(FileSystemFeature::none);
    std::cout << "faults injected: " << injected << std::endl;
}

// "Save all changes" checks every rename, in the order it will do them,
// before it changes anything; then it renames the files and rewrites the
// master, and when a step fails, gives every file its name back. Before the
// command the fileset may be changed: "cut" the master cut short after it
// was opened, "gone" the magenta file removed, "twice" the cyan file
// recorded for magenta too, "link" a second name LINK.M for the magenta file,
// "master" a second name of the master recorded for cyan. A refusal renames
// nothing: no rename is undone that need not have been made.
struct SaveAllCase {
    Names names;
    std::size_t messages;
    const char* change;
};

TEST(Commands, SaveAllChangesDoesAllOrNothing) {
    const bool win32 = pathSeparator() == '\\';
    // clang-format off
    const SaveAllCase rows[] = {
        {{"JOB OLD.C", "JOB.C", "JOB.M", "JOB.N"}, 0, ""}, // names given up by earlier channels
        {{"", "JOB.M", "JOB.J", ".."}, 2, ""},
        {{"JOB.M", "NEW.M", "JOB.J", "JOB.N"}, 1, ""},     // given up by a later channel
        {{"JOB.C", "JOB.M", "SAME", "SAME"}, 1, ""},
        {{"JOB.C", std::string(250, 'm'), "\x01", "JOB.N"}, 2, ""},
        {{"n.C", "N.C", "JOB.J", "JOB.BAK"}, 1, ""},      // n.C and N.C: see below
        {{"NEW.C", "JOB.M", "JOB.J", "JOB.N"}, 1, "cut"},
        {{"NEW.C", "NEW.M", "JOB.J", "JOB.N"}, 1, "gone"},
        {{"NEW.C", "NEW.M", "JOB.J", "JOB.N"}, 1, "twice"},
        {{"NEW.C", "LINK.M", "JOB.J", "JOB.N"}, 1, "link"},
        {{"NEW.C", "JOB.M", "JOB.J", "JOB.N"}, 1, "master"},
        {{"JOB Ż.C", "JOB.M", "JOB.J", "JOB.N"}, win32 ? 1u : 0u, ""}}; // Ż: not in Windows-1252
    // clang-format on
    for (const SaveAllCase& row : rows) {
        OpenedFileset fileset(jobMaster(), oldNames);
        const std::string change = row.change;
        if (change == "cut") {
            fileset.folder.write("JOB.EPS", "%%CyanPlate: JOB.C\r\n");
        } else if (change == "gone") {
            removeFile(fileset.folder.file("JOB.M"));
        } else if (change == "twice") {
            fileset.state.recordedSeparationPaths[magenta] = fileset.folder.file("JOB.C");
        } else if (change == "link" || change == "master") {
            const char* const linked[][2] = {{"JOB.M", "LINK.M"}, {"JOB.EPS", "MASTER.C"}};
            const auto& [file, name] = linked[change == "master" ? 1 : 0];
            std::filesystem::create_hard_link(fileset.folder.file(file), fileset.folder.file(name));
            fileset.state.recordedSeparationPaths[cyan] =
                fileset.folder.file(change == "master" ? name : "JOB.C");
        }
        Entries expected = fileset.folder.entries();
        fileset.setNames(row.names);
        const FileFaultsGuard faults;
        failFileOperation(0);
        fileset.command(IDC_SAVE_ALL);
        EXPECT_EQ(fileOperationCount(FileOperation::rename) == 0,
                  row.messages > 0 && change != "cut")
            << row.names[1] << row.change;
        // Where n.C and N.C are two names, only the backup's name is refused.
        const std::size_t messages =
            row.messages + (row.names[0] == "n.C" && sameFileName("n.C", "N.C") ? 1 : 0);
        EXPECT_EQ(fileset.dialog.messages.size(), messages) << row.names[1] << row.change;
        if (messages == 0) {
            expected = {"JOB.EPS=" + jobMaster(row.names), "JOB.BAK=" + jobMaster()};
            for (std::size_t channel = 0; channel < channelCount; ++channel) {
                expected.insert(row.names[channel] + "=" + oldNames[channel]);
            }
        }
        EXPECT_EQ(fileset.folder.entries(), expected) << row.names[1] << row.change;
    }
}

} // namespace
} // namespace platelier
