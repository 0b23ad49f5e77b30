// The benchmark program. In one run and on the same files it rewrites
// synthetic DCS masters (1 MiB, 64 MiB and 1 GiB by default) and writes the
// same bytes out three other ways: a plain buffered copy into a new file,
// that copy renamed over an existing name, and sed doing the same four-line
// substitution. It measures the peak resident memory of one rewrite of each
// size in a child process of its own, reads a master whose plate block
// stands behind 64 MiB of comments, and searches a folder of 100,000 files
// for the four separations. It prints a table of medians and can write the
// figures to a results file for scripts/plot_performance.py. POSIX only.
//
// Usage: platelier_bench [--work-dir DIR] [--results FILE] [--sizes MIB,...]
// DIR (default /tmp) receives a folder for the files, removed at the end.
// `platelier_bench --rewrite-once MASTER` rewrites MASTER once: the child
// whose memory is measured.
#include "fileset/channel_table.h"
#include "fileset/separation_discovery.h"
#include "master/backup_path.h"
#include "master/master_file_reader.h"
#include "master/master_file_rewriter.h"
#include "measure.h"
#include "platform/path_parts.h"
#include "synthetic_files.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace platelier::bench {

namespace {

constexpr std::uint64_t mebibyte = 1 << 20;
constexpr std::uint64_t commentBytesBeforePlates = 64 * mebibyte;
constexpr int crowdedFolderSize = 100000;
constexpr int runsPerMeasure = 5;

struct Options {
    std::string self;
    std::string workDir = "/tmp";
    std::string resultsPath;
    std::vector<std::uint64_t> sizes = {mebibyte, 64 * mebibyte, 1024 * mebibyte};
};

// The ways the master's bytes are written out, timed in turn on the same
// file: the rewrite, a plain copy into a new file, the same copy renamed
// over an existing name (as the rewrite puts the new master in place), and
// sed writing the same substitution into a new file.
enum WayIndex { rewriting, copying, copyingAndReplacing, sedding, wayCount };

const char* const wayNames[wayCount] = {"rewrite", "copy", "copy+replace", "sed"};

struct SizeFigures {
    std::uint64_t size = 0;
    int runs = 0;
    std::array<double, wayCount> seconds{};
    long rewritePeakKiB = 0;
};

struct Figures {
    std::vector<SizeFigures> sizes;
    int searchRuns = runsPerMeasure;
    double read = 0;
    double discovery = 0;
};

std::string sizeName(std::uint64_t size) {
    if (size % (1024 * mebibyte) == 0) {
        return std::to_string(size / (1024 * mebibyte)) + " GiB";
    }
    return std::to_string(size / mebibyte) + " MiB";
}

std::string cpuModel() {
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.compare(0, 10, "model name") == 0) {
            return line.substr(line.find(':') + 2);
        }
    }
    return "unknown CPU";
}

std::vector<std::string> sedCommand(const std::string& master) {
    const char* const keywords[] = {"%%CyanPlate", "%%MagentaPlate", "%%YellowPlate",
                                    "%%BlackPlate"};
    std::vector<std::string> command = {"sed"};
    for (int channel = cyan; channel <= black; ++channel) {
        const std::string keyword = keywords[channel];
        command.push_back("-e");
        command.push_back("s/^" + keyword + ": .*/" + keyword + ": " +
                          newNames[static_cast<std::size_t>(channel)] + "\\r/");
    }
    command.push_back(master);
    return command;
}

bool rewrite(const std::string& master) {
    return rewriteMasterFile(master, newNames).error == RewriteError::none;
}

bool fail(const std::string& what) {
    std::fprintf(stderr, "platelier_bench: %s\n", what.c_str());
    return false;
}

void removeIfThere(const std::string& path) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
}

struct Way {
    std::function<void()> prepare; // before each timed run, untimed
    std::function<bool()> run;
};

// Before each run, the file that the run would replace is removed, so that
// no run pays for freeing the blocks of an earlier one; the copy that
// replaces a file replaces a second name of the master, which frees nothing
// either, as the rewrite replaces the master while its backup keeps it.
std::array<Way, wayCount> ways(const std::string& folder) {
    const std::string master = folder + "/master.eps";
    const std::string copy = folder + "/copy.eps";
    const std::string replacement = folder + "/replacement.eps";
    const std::string replaced = folder + "/replaced.eps";
    const std::string sedOutput = folder + "/sed.eps";
    const std::vector<std::string> sed = sedCommand(master);
    return {{
        {[=] { removeIfThere(backupPath(master)); }, [=] { return rewrite(master); }},
        {[=] { removeIfThere(copy); }, [=] { return plainCopy(master, copy); }},
        {[=] {
             removeIfThere(replacement);
             removeIfThere(replaced);
             std::error_code ignored;
             std::filesystem::create_hard_link(master, replaced, ignored);
         },
         [=] {
             return plainCopy(master, replacement) &&
                    std::rename(replacement.c_str(), replaced.c_str()) == 0;
         }},
        {[=] { removeIfThere(sedOutput); }, [=] { return runChild(sed, sedOutput).succeeded; }},
    }};
}

// Makes the master, checks that sed writes what the rewrite writes, runs
// every way once untimed, then times each way in turn `figures.runs` times,
// every dirty page written to disk before each run; then rewrites the
// master once in a child.
bool measureSize(const Options& options, const std::string& folder, SizeFigures& figures) {
    const std::string master = folder + "/master.eps";
    const std::string sedOutput = folder + "/sed.eps";
    const std::string name = sizeName(figures.size);
    if (!writeSyntheticMaster(master, figures.size)) {
        return fail("cannot write " + master);
    }
    if (!runChild(sedCommand(master), sedOutput).succeeded || !rewrite(master) ||
        !sameContents(sedOutput, master)) {
        return fail("sed and the rewrite do not write the same " + name + " master");
    }
    std::array<Way, wayCount> all = ways(folder);
    for (const Way& way : all) {
        way.prepare();
        if (!way.run()) {
            return fail("the warm-up round failed on the " + name + " master");
        }
    }
    std::array<std::vector<double>, wayCount> times;
    for (int run = 0; run < figures.runs; ++run) {
        std::fprintf(stderr, "%s run %d/%d:", name.c_str(), run + 1, figures.runs);
        for (int way = 0; way < wayCount; ++way) {
            const auto index = static_cast<std::size_t>(way);
            all[index].prepare();
            flushFileSystems();
            bool succeeded = false;
            times[index].push_back(timeOnce(all[index].run, succeeded));
            if (!succeeded) {
                return fail(std::string(wayNames[way]) + " failed on the " + name + " master");
            }
            std::fprintf(stderr, " %s %.4f s", wayNames[way], times[index].back());
        }
        std::fprintf(stderr, "\n");
    }
    for (std::size_t way = 0; way < wayCount; ++way) {
        figures.seconds[way] = median(times[way]);
    }
    const ChildRun child = runChild({options.self, "--rewrite-once", master}, std::string());
    figures.rewritePeakKiB = child.peakResidentKiB;
    return child.succeeded || fail("the rewrite in a child failed on the " + name + " master");
}

bool readPlateNames(const std::string& master) {
    const MasterReading reading = readMasterFile(master);
    return reading.isMaster() && reading.channelNames() == originalNames;
}

bool measureRead(const std::string& folder, Figures& figures) {
    const std::string master = folder + "/comments.eps";
    if (!writeCommentHeavyMaster(master, commentBytesBeforePlates) || !readPlateNames(master)) {
        return fail("cannot write or read " + master);
    }
    std::vector<double> times;
    bool succeeded = true;
    for (int run = 0; run < figures.searchRuns && succeeded; ++run) {
        times.push_back(timeOnce([&] { return readPlateNames(master); }, succeeded));
    }
    figures.read = median(times);
    std::filesystem::remove(master);
    return succeeded || fail("reading " + master + " failed");
}

// As the dialog finds them: the folder listed once, each channel's pattern
// searched in its index.
bool findFourSeparations(const std::string& masterPath) {
    const FolderIndex index(
        listFolder(folderPart(masterPath)).value_or(std::vector<FolderEntry>()));
    const MasterEntries own(index, masterPath);
    bool found = true;
    for (const ChannelRow& row : ChannelTable) {
        const std::optional<CandidatePattern> pattern =
            candidatePattern(masterPath, row.searchLetter);
        const std::vector<const FolderEntry*> matches =
            pattern ? discoveryMatches(index, *pattern, own) : std::vector<const FolderEntry*>();
        found = matches.size() == 1 &&
                matches.front()->name == std::string("IMAGE.") + row.searchLetter && found;
    }
    return found;
}

bool measureDiscovery(const std::string& folder, Figures& figures) {
    const std::string crowd = folder + "/crowd";
    std::filesystem::create_directory(crowd);
    const std::string masterPath = crowd + "/IMAGE.EPS";
    if (!fillFolder(crowd, crowdedFolderSize) || !findFourSeparations(masterPath)) {
        return fail("cannot fill or search " + crowd);
    }
    std::vector<double> times;
    bool succeeded = true;
    for (int run = 0; run < figures.searchRuns && succeeded; ++run) {
        times.push_back(timeOnce([&] { return findFourSeparations(masterPath); }, succeeded));
    }
    figures.discovery = median(times);
    std::filesystem::remove_all(crowd);
    return succeeded || fail("searching " + crowd + " failed");
}

double mibPerSecond(std::uint64_t size, double seconds) {
    return static_cast<double>(size) / static_cast<double>(mebibyte) / seconds;
}

void printTable(const Figures& figures) {
    std::printf("Platelier benchmark: %s, %u cores. Medians; file cache warm, dirty pages\n"
                "written to disk before each timed run; sed with LC_ALL=C.\n\n",
                cpuModel().c_str(), std::thread::hardware_concurrency());
    std::printf("%-8s %4s", "master", "runs");
    for (const char* way : wayNames) {
        std::printf(" %14s", (std::string(way) + " s").c_str());
    }
    for (const char* way : wayNames) {
        std::printf(" %19s", (std::string(way) + " MiB/s").c_str());
    }
    std::printf("\n");
    for (const SizeFigures& f : figures.sizes) {
        std::printf("%-8s %4d", sizeName(f.size).c_str(), f.runs);
        for (const double seconds : f.seconds) {
            std::printf(" %14.4f", seconds);
        }
        for (const double seconds : f.seconds) {
            std::printf(" %19.0f", mibPerSecond(f.size, seconds));
        }
        std::printf("\n");
    }
    std::printf("\n%-8s %13s %26s %12s %25s\n", "master", "rewrite/copy", "rewrite/(copy+replace)",
                "rewrite/sed", "rewrite peak RSS (KiB)");
    for (const SizeFigures& f : figures.sizes) {
        std::printf("%-8s %13.2f %26.2f %12.2f %25ld\n", sizeName(f.size).c_str(),
                    f.seconds[rewriting] / f.seconds[copying],
                    f.seconds[rewriting] / f.seconds[copyingAndReplacing],
                    f.seconds[rewriting] / f.seconds[sedding], f.rewritePeakKiB);
    }
    std::printf("\nread master, plate block after %s of comments: %.4f s (%d runs)\n",
                sizeName(commentBytesBeforePlates).c_str(), figures.read, figures.searchRuns);
    std::printf("discovery, four channels in a folder of %d files: %.4f s (%d runs)\n",
                crowdedFolderSize, figures.discovery, figures.searchRuns);
}

bool writeResults(const std::string& path, const Figures& figures) {
    std::ofstream out(path);
    out << "# cpu: " << cpuModel() << "\n# cores: " << std::thread::hardware_concurrency()
        << "\n# measure\tsize\truns\tvalue\tunit\n";
    for (const SizeFigures& f : figures.sizes) {
        for (std::size_t way = 0; way < wayCount; ++way) {
            out << wayNames[way] << '\t' << f.size << '\t' << f.runs << '\t' << f.seconds[way]
                << "\ts\n";
        }
        out << "rewrite-peak-rss\t" << f.size << "\t1\t" << f.rewritePeakKiB << "\tKiB\n";
    }
    out << "read\t" << commentBytesBeforePlates << '\t' << figures.searchRuns << '\t'
        << figures.read << "\ts\n"
        << "discovery\t" << crowdedFolderSize << '\t' << figures.searchRuns << '\t'
        << figures.discovery << "\ts\n";
    return static_cast<bool>(out.flush());
}

std::optional<Options> parseOptions(int argc, char** argv) try {
    Options options;
    options.self = argv[0];
    for (int at = 1; at + 1 < argc; at += 2) {
        const std::string name = argv[at];
        const std::string value = argv[at + 1];
        if (name == "--work-dir") {
            options.workDir = value;
        } else if (name == "--results") {
            options.resultsPath = value;
        } else if (name == "--sizes") {
            options.sizes.clear();
            for (std::size_t start = 0; start < value.size();) {
                const std::size_t comma = std::min(value.find(',', start), value.size());
                options.sizes.push_back(std::stoull(value.substr(start, comma - start)) * mebibyte);
                start = comma + 1;
            }
        } else {
            return std::nullopt;
        }
    }
    return argc % 2 == 1 ? std::optional<Options>(options) : std::nullopt;
} catch (const std::logic_error&) {
    return std::nullopt;
}

int run(const Options& options) {
    std::string folder = options.workDir + "/platelier-bench-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        fail("cannot create a folder in " + options.workDir);
        return 1;
    }
    setenv("LC_ALL", "C", 1);
    Figures figures;
    bool succeeded = true;
    for (const std::uint64_t size : options.sizes) {
        SizeFigures sizeFigures;
        sizeFigures.size = size;
        sizeFigures.runs = runsPerMeasure;
        succeeded = succeeded && measureSize(options, folder, sizeFigures);
        figures.sizes.push_back(sizeFigures);
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            removeIfThere(entry.path().string());
        }
    }
    succeeded = succeeded && measureRead(folder, figures) && measureDiscovery(folder, figures);
    std::filesystem::remove_all(folder);
    if (!succeeded) {
        return 1;
    }
    printTable(figures);
    if (!options.resultsPath.empty() && !writeResults(options.resultsPath, figures)) {
        fail("cannot write " + options.resultsPath);
        return 1;
    }
    return 0;
}

} // namespace

} // namespace platelier::bench

int main(int argc, char** argv) {
    using namespace platelier::bench;
    if (argc == 3 && std::string(argv[1]) == "--rewrite-once") {
        return platelier::rewriteMasterFile(argv[2], newNames).error ==
                       platelier::RewriteError::none
                   ? 0
                   : 1;
    }
    const std::optional<Options> options = parseOptions(argc, argv);
    if (!options) {
        std::fprintf(
            stderr, "usage: platelier_bench [--work-dir DIR] [--results FILE] [--sizes MIB,...]\n");
        return 2;
    }
    return run(*options);
}
