// The fuzzers' inputs go through the real file layer: each input is written
// to a file in a folder of the fuzzer's own, in memory-backed storage where
// the machine has it. The fuzzers run on Linux only.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platelier::fuzzing {

inline const std::string& scratchFolder() {
    static const std::string folder = [] {
        const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        const std::string path = base + "/platelier-fuzz-" + std::to_string(getpid()) + "/";
        mkdir(path.c_str(), 0700);
        return path;
    }();
    return folder;
}

inline std::string writeScratchFile(const std::string& name, const std::string& bytes) {
    const std::string path = scratchFolder() + name;
    if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

inline std::string readScratchFile(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char chunk[65536];
        for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
            bytes.append(chunk, n);
        }
        std::fclose(file);
    }
    return bytes;
}

inline bool scratchFileExists(const std::string& path) {
    return access(path.c_str(), F_OK) == 0;
}

} // namespace platelier::fuzzing
