// What the benchmark measures with: wall-clock time, medians, child
// processes with their peak resident memory, and the file comparisons that
// check the outputs being timed. POSIX only.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace platelier::bench {

// Runs `work` once and returns how long it took, in seconds; `succeeded`
// receives what `work` returned.
double timeOnce(const std::function<bool()>& work, bool& succeeded);

// The median of `values` (not empty).
double median(std::vector<double> values);

struct ChildRun {
    bool succeeded = false; // it ran and exited with status 0
    double seconds = 0;
    long peakResidentKiB = 0;
};

// Starts the program `arguments[0]` (looked up on PATH when it names no
// folder) with standard output written to `outputPath`, or inherited when
// that is empty, and waits for it.
ChildRun runChild(const std::vector<std::string>& arguments, const std::string& outputPath);

// True when both files hold the same bytes.
bool sameContents(const std::string& first, const std::string& second);

// Copies `from` to `to` through a 128 KiB buffer with fread and fwrite,
// replacing what `to` held: the baseline a rewrite is measured against.
bool plainCopy(const std::string& from, const std::string& to);

// Writes the dirty pages of every file to disk, so that every timed run
// starts with nothing waiting to be written.
void flushFileSystems();

} // namespace platelier::bench
