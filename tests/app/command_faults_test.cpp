// "Rename channels", "Rename files" and "Save all changes" on a realistic
// fileset while each file operation fails in turn, and while the disk fills
// up at each write. Whatever fails, the master holds all its old bytes or
// all its new ones (and then its backup the old ones), every separation file
// exists once under its old or its new name, nothing is left behind, and
// each failure is told in exactly one message.
#include "master_bytes.h"
#include "opened_fileset.h"
#include "platform/file_faults.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <set>

namespace platelier {
namespace {

using namespace testing;

const char* const oldNames[] = {"JOB.C", "JOB.M", "JOB.J", "JOB.N"};
const char* const newNames[] = {"JOB-renamed.C", "JOB-renamed.M", "JOB.J", "JOB.N"};

std::string jobMaster() {
    const std::string ps = "%!PS-Adobe-3.0 EPSF-3.0\r\n%%Title: job\r\n" +
                           plateBlock("\r\n", oldNames[0], oldNames[1], oldNames[2], oldNames[3]) +
                           "%%EndComments\r\n" + std::string(3000, 'F') + "\r\n%%EOF\r\n";
    std::string tiff = "II*";
    for (int i = 0; i < 20000; ++i) {
        tiff += static_cast<char>(i * 31 % 256);
    }
    const auto psLength = static_cast<std::uint32_t>(ps.size());
    return epsBinaryHeader(30, psLength, 0, 0, 30 + psLength,
                           static_cast<std::uint32_t>(tiff.size())) +
           ps + tiff;
}

// What a command left on disk and told the user.
struct Outcome {
    std::string master;
    std::string backup;
    std::set<std::string> entries;
    std::vector<std::string> messages;
    std::uint64_t operations = 0; // file operations, and writes, the command made
    std::uint64_t writes = 0;

    bool sameFiles(const Outcome& other) const {
        return master == other.master && backup == other.backup && entries == other.entries;
    }
};

Outcome runCommand(int command, const std::function<void()>& arm) {
    OpenedFileset fileset("JOB.EPS", jobMaster(),
                          {oldNames[0], oldNames[1], oldNames[2], oldNames[3]});
    fileset.setNames({newNames[0], newNames[1], newNames[2], newNames[3]});
    const TempFolder& folder = fileset.folder;
    arm();
    fileset.command(command);
    Outcome outcome;
    outcome.operations = fileOperationCount();
    outcome.writes = fileWriteCount();
    failFileOperation(0);

    outcome.master = readFileBytes(folder.file("JOB.EPS"));
    outcome.backup =
        fileExists(folder.file("JOB.BAK")) ? readFileBytes(folder.file("JOB.BAK")) : "";
    for (const auto& entry : std::filesystem::directory_iterator(folder.folder())) {
        outcome.entries.insert(entry.path().filename().string() + "=" +
                               readFileBytes(entry.path().string()));
    }
    for (const FakeDialog::Message& message : fileset.dialog.messages) {
        outcome.messages.push_back(message.text);
    }
    return outcome;
}

// The violations of the promises above in `outcome`, given the master's old
// and new bytes; empty when there is none.
std::vector<std::string> violations(const Outcome& outcome, const Outcome& faultless,
                                    const std::string& oldMaster) {
    std::vector<std::string> found;
    const std::string& newMaster = faultless.master;
    if (outcome.master != oldMaster && outcome.master != newMaster) {
        found.push_back("the master is neither old nor new");
    }
    if (outcome.master == newMaster && newMaster != oldMaster && outcome.backup != oldMaster) {
        found.push_back("the master is new but its backup does not hold the old bytes");
    }
    std::set<std::string> allowed = {"JOB.EPS=" + outcome.master};
    if (!outcome.backup.empty()) {
        allowed.insert("JOB.BAK=" + outcome.backup);
    }
    for (int channel = cyan; channel <= black; ++channel) {
        const std::string was = std::string(oldNames[channel]) + "=" + oldNames[channel];
        const std::string now = std::string(newNames[channel]) + "=" + oldNames[channel];
        if (outcome.entries.count(was) + (was == now ? 0 : outcome.entries.count(now)) != 1) {
            found.push_back(std::string("separation file ") + oldNames[channel] +
                            " is not there exactly once");
        }
        allowed.insert(was);
        allowed.insert(now);
    }
    for (const std::string& entry : outcome.entries) {
        if (allowed.count(entry) == 0) {
            found.push_back("left behind: " + entry.substr(0, entry.find('=')));
        }
    }
    const std::size_t expectedMessages = outcome.sameFiles(faultless) ? 0 : 1;
    if (outcome.messages.size() != expectedMessages) {
        found.push_back(std::to_string(outcome.messages.size()) + " messages for " +
                        std::to_string(expectedMessages) + " failure");
    }
    for (const std::string& message : outcome.messages) {
        if (message.rfind("Impossible", 0) != 0) {
            found.push_back("a message that does not tell a failure: " + message);
        }
    }
    return found;
}

TEST(CommandFaults, NoFailingFileOperationLosesOrDamagesAFile) {
    const std::string oldMaster = jobMaster();
    std::uint64_t injected = 0;
    std::uint64_t violationCount = 0;
    const int commands[] = {IDC_RENAME_CHANNELS, IDC_RENAME_FILES, IDC_SAVE_ALL};
    for (const int command : commands) {
        const Outcome faultless = runCommand(command, [] {});
        ASSERT_TRUE(faultless.messages.empty()) << command;
        for (const bool diskFull : {false, true}) {
            for (std::uint64_t n = 1;; ++n) {
                const Outcome outcome = runCommand(
                    command, [&] { diskFull ? failFileWritesFrom(n) : failFileOperation(n); });
                const bool hit = (diskFull ? outcome.writes : outcome.operations) >= n;
                for (const std::string& violation : violations(outcome, faultless, oldMaster)) {
                    ADD_FAILURE() << "command " << command
                                  << (diskFull ? ", disk full from write " : ", operation ") << n
                                  << ": " << violation;
                    ++violationCount;
                }
                if (!hit) {
                    break;
                }
                ++injected;
            }
        }
    }
    std::cout << "faults injected: " << injected << ", violations: " << violationCount << std::endl;
}

} // namespace
} // namespace platelier
