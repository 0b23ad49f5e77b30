// Timing, child processes and file helpers of the benchmark. Children are
// started with posix_spawn and reaped with wait4, whose resource usage gives
// the peak resident memory of that child alone.
#include "measure.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platelier::bench {

namespace {

using Clock = std::chrono::steady_clock;

struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

using File = std::unique_ptr<std::FILE, Closer>;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

double timeOnce(const std::function<bool()>& work, bool& succeeded) {
    const Clock::time_point start = Clock::now();
    succeeded = work();
    return secondsSince(start);
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

ChildRun runChild(const std::vector<std::string>& arguments, const std::string& outputPath) {
    ChildRun run;
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!outputPath.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    }
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return run;
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child) {
        return run;
    }
    run.seconds = secondsSince(start);
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.peakResidentKiB = usage.ru_maxrss;
    return run;
}

bool sameContents(const std::string& first, const std::string& second) {
    const File a(std::fopen(first.c_str(), "rb"));
    const File b(std::fopen(second.c_str(), "rb"));
    if (!a || !b) {
        return false;
    }
    std::vector<char> blockA(1 << 20);
    std::vector<char> blockB(1 << 20);
    for (;;) {
        const std::size_t countA = std::fread(blockA.data(), 1, blockA.size(), a.get());
        const std::size_t countB = std::fread(blockB.data(), 1, blockB.size(), b.get());
        if (countA != countB || std::memcmp(blockA.data(), blockB.data(), countA) != 0) {
            return false;
        }
        if (countA == 0) {
            return std::ferror(a.get()) == 0 && std::ferror(b.get()) == 0;
        }
    }
}

bool plainCopy(const std::string& from, const std::string& to) {
    const File in(std::fopen(from.c_str(), "rb"));
    File out(std::fopen(to.c_str(), "wb"));
    if (!in || !out) {
        return false;
    }
    std::vector<char> buffer(128 * 1024);
    std::size_t count = 0;
    while ((count = std::fread(buffer.data(), 1, buffer.size(), in.get())) > 0) {
        if (std::fwrite(buffer.data(), 1, count, out.get()) != count) {
            return false;
        }
    }
    return std::ferror(in.get()) == 0 && std::fclose(out.release()) == 0;
}

void flushFileSystems() {
    sync();
}

} // namespace platelier::bench
