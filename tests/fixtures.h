// What the tests share: a folder of their own, removed with everything in
// it and listed as "name=bytes" (a folder "name/"), and the bytes of test
// masters in any line-ending convention, behind an EPS binary header or not.
// Paths are the program's own: UTF-8 on Win32, bytes on Linux (u8path takes
// them as they are there).
#pragma once

#include "platform/file_faults.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <sys/stat.h>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace platelier::testing {

inline std::string readFileBytes(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A file's owner and group as "uid:gid" (0:0 for every file on Win32).
inline std::string ownerOf(const std::string& path) {
    struct stat status {};
    stat(path.c_str(), &status);
    return std::to_string(status.st_uid) + ":" + std::to_string(status.st_gid);
}

// Gives a file to an owner and group that are not the test's, where it may
// (as root); Win32 files have no owner to give.
#ifdef _WIN32
inline bool giveToAnotherOwner(const std::string&) {
    return false;
}
#else
inline bool giveToAnotherOwner(const std::string& path) {
    return chown(path.c_str(), 4321, 4321) == 0;
}
#endif

using Entries = std::set<std::string>;

class TempFolder {
  public:
    explicit TempFolder(const Entries& entries = {}) {
        std::filesystem::create_directories(path_);
        for (const std::string& entry : entries) {
            const std::size_t equals = entry.find('=');
            if (equals == std::string::npos) {
                std::filesystem::create_directories(std::filesystem::u8path(file(entry)));
            } else {
                write(entry.substr(0, equals), entry.substr(equals + 1));
            }
        }
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string file(const std::string& name) const {
        return (path_ / std::filesystem::u8path(name)).u8string();
    }
    std::string folder() const { return path_.u8string(); } // file("") ends with a separator
    std::string write(const std::string& name, const std::string& bytes) const {
        const std::filesystem::path path = path_ / std::filesystem::u8path(name);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return file(name);
    }
    Entries entries() const { // hidden ones too
        Entries found;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            const std::string name = entry.path().filename().u8string();
            found.insert(entry.is_directory() ? name + "/"
                                              : name + "=" + readFileBytes(file(name)));
        }
        return found;
    }

  private:
    std::filesystem::path path_ = std::filesystem::temp_directory_path() /
                                  ("platelier-test-" + std::to_string(std::random_device()()));
};

// Injected faults and a simulated file system for the scope of a test: both
// switched off when it ends, even when an assertion failed before.
struct FileFaultsGuard {
    FileFaultsGuard() = default;
    FileFaultsGuard(const FileFaultsGuard&) = delete;
    FileFaultsGuard& operator=(const FileFaultsGuard&) = delete;
    ~FileFaultsGuard() {
        failFileOperation(0);
        simulateFileSystemWithout(FileSystemFeature::none);
    }
};

inline std::string plateBlock(const std::string& e, const std::string& c = "pic.C",
                              const std::string& m = "pic.M", const std::string& y = "pic.J",
                              const std::string& k = "pic.N") {
    return "%%CyanPlate: " + c + e + "%%MagentaPlate: " + m + e + "%%YellowPlate: " + y + e +
           "%%BlackPlate: " + k + e;
}

// A DCS master whose lines end with `e`, titled "My picture".
inline std::string masterText(const std::string& e, const std::string& block = "") {
    return "%!PS-Adobe-3.0 EPSF-3.0" + e + "%%Title: My picture" + e + "%%BoundingBox: 0 0 9 9" +
           e + (block.empty() ? plateBlock(e) : block) + "%%EndComments" + e + "%%EOF" + e;
}

// An EPS binary header for the given section layout (checksum FFFF).
inline std::string epsBinaryHeader(std::uint32_t psOffset, std::uint32_t psLength,
                                   std::uint32_t tiffOffset = 0, std::uint32_t tiffLength = 0,
                                   std::uint32_t wmfOffset = 0, std::uint32_t wmfLength = 0) {
    std::string header = "\xC5\xD0\xD3\xC6";
    for (std::uint32_t field : {psOffset, psLength, wmfOffset, wmfLength, tiffOffset, tiffLength}) {
        for (int i = 0; i < 4; ++i) {
            header += static_cast<char>(field >> (8 * i) & 0xFF);
        }
    }
    return header + "\xFF\xFF";
}

// `postScript` behind a header, then a TIFF preview of `size` bytes.
inline std::string withPreview(const std::string& postScript, std::size_t size = 5000) {
    std::string preview = "II*";
    for (std::size_t i = 3; i < size; ++i) {
        preview += static_cast<char>(i * 31 % 256);
    }
    const auto length = static_cast<std::uint32_t>(postScript.size());
    return epsBinaryHeader(30, length, 30 + length, static_cast<std::uint32_t>(size)) + postScript +
           preview;
}

} // namespace platelier::testing
