// The rewrite on Win32 against the system's own copy: in one run and on the
// same synthetic master (256 MiB by default), rewriteMasterFile and
// CopyFileA into a new file, each timed in turn, once untimed and then nine
// times; it prints the medians and their ratio, and can write them to a
// results file. scripts/bench.sh runs it under Wine with its files in
// memory (/dev/shm), so that the figure is the program's own work and
// Wine's, not the disk's.
//
// Usage: platelier_wine_bench WORK_DIR [SIZE_MIB [RESULTS_FILE]]
#include "master/backup_path.h"
#include "master/master_file_rewriter.h"
#include "synthetic_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>
#include <windows.h>

namespace platelier::bench {

namespace {

constexpr int timedRounds = 9;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Seconds that `work` took, or a negative number when it failed.
template <typename Work> double timed(Work work) {
    const auto start = std::chrono::steady_clock::now();
    const bool succeeded = work();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    return succeeded ? seconds.count() : -1;
}

// Before each run the file that the run would replace is deleted, so that
// neither pays for freeing an earlier run's file.
bool measure(const std::string& folder, std::vector<double>& rewrite, std::vector<double>& copy) {
    const std::string master = folder + "\\master.eps";
    const std::string copied = folder + "\\copy.eps";
    for (int round = 0; round <= timedRounds; ++round) {
        DeleteFileA(backupPath(master).c_str());
        const double rewriting = timed([&] {
            return rewriteMasterFile(master, round % 2 ? originalNames : newNames).error ==
                   RewriteError::none;
        });
        DeleteFileA(copied.c_str());
        const double copying =
            timed([&] { return CopyFileA(master.c_str(), copied.c_str(), TRUE) != 0; });
        if (rewriting < 0 || copying < 0) {
            return false;
        }
        if (round > 0) {
            rewrite.push_back(rewriting);
            copy.push_back(copying);
        }
    }
    return true;
}

} // namespace

int run(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: platelier_wine_bench WORK_DIR [SIZE_MIB [RESULTS_FILE]]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::uint64_t mebibytes = argc > 2 ? std::stoull(argv[2]) : 256;
    std::vector<double> rewrite, copy;
    const bool measured = writeSyntheticMaster(folder + "\\master.eps", mebibytes << 20) &&
                          measure(folder, rewrite, copy);
    if (!measured) {
        std::fprintf(stderr, "platelier_wine_bench: a rewrite or a copy failed in %s\n",
                     folder.c_str());
        return 1;
    }
    const double rewriting = median(rewrite), copying = median(copy);
    std::printf("%llu MiB: rewrite %.3f s, CopyFileA %.3f s, rewrite / copy %.2f\n",
                static_cast<unsigned long long>(mebibytes), rewriting, copying,
                rewriting / copying);
    if (argc > 3) {
        std::ofstream(argv[3]) << "size_mib\trewrite_s\tcopyfilea_s\trewrite_over_copy\n"
                               << mebibytes << '\t' << rewriting << '\t' << copying << '\t'
                               << rewriting / copying << '\n';
    }
    return 0;
}

} // namespace platelier::bench

int main(int argc, char** argv) {
    return platelier::bench::run(argc, argv);
}
