// platelier-cli run in-process on trees of filesets made from lists of
// names, and tables of such runs: their exit status, what they write (with
// the tree's own path taken out) and the folder they leave.
#pragma once

#include "cli/command_line.h"
#include "fixtures.h"
#include "master/master_file_reader.h"
#include "named_rows.h"
#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <utility>

namespace platelier::testing {

// The words of `text`, "" standing for an empty one.
inline std::vector<std::string> words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> list;
    for (std::string word; in >> word;) {
        list.push_back(word == "\"\"" ? std::string() : word);
    }
    return list;
}

inline std::string master(const std::string& title, const std::array<std::string, 4>& plates,
                          const std::string& e = "\r\n") {
    return "%!PS-Adobe-3.0 EPSF-3.0" + e + "%%Title: " + title + e +
           plateBlock(e, plates[0], plates[1], plates[2], plates[3]) + "%%EndComments" + e;
}

// A DCS 2.0 master: Cyan, Magenta, Yellow, Black, then Spot5 and on (or
// the colour after '@'), each in a file ("NAME"), inside the master
// ("#OFFSET_LENGTH") or in another place ("!NAME", a Remote one).
inline std::string dcs2Master(const std::string& title, const std::vector<std::string>& plates,
                              const std::string& e) {
    static const char* const process[] = {"Cyan", "Magenta", "Yellow", "Black"};
    std::string bytes = "%!PS-Adobe-3.0 EPSF-3.0" + e + "%%Title: " + title + e;
    for (std::size_t at = 0; at < plates.size(); ++at) {
        const std::size_t named = plates[at].find('@');
        std::string where = plates[at].substr(0, named);
        std::replace(where.begin(), where.end(), '_', ' ');
        where = where[0] == '#'   ? where
                : where[0] == '!' ? "Remote " + where.substr(1)
                                  : "Local " + where;
        const std::string colour = named != std::string::npos ? plates[at].substr(named + 1)
                                   : at < 4                   ? std::string(process[at])
                                                              : "Spot" + std::to_string(at + 1);
        bytes += "%%PlateFile: (" + colour + ") EPS " + where + e;
    }
    return bytes + "%%EndComments" + e;
}

// A separation file as the trees hold it: an EPS file naming itself,
// stating no bounding box.
inline std::string separation(const std::string& name) {
    return "%!PS-Adobe-3.0 EPSF-3.0\n%%Title: " + name + "\n";
}

// Each word of `names`: "a/" is a folder, "a->b" a symbolic link to b; a
// name ending in ".eps", ".EPS" or ".BAK", or followed by plate names in
// brackets ("A.X(A.C,A.M,A.J,B.BAK)"), a master whose plates are those or
// its stem with C, M, J and N ("lf-" in it: lines ending in LF; "bin-":
// behind an EPS binary header; "not-": no plate block; "dmg-": a second
// block, cut short, that only a rewrite reads; "box-": a bounding box of
// 0 0 9 9; "late-": the plate block after the header comments; "dcs2-": a
// DCS 2.0 master (dcs2Master), by default with C, M, Y, K and 5; "=damaged"
// after it: a binary header whose sections overlap), and "+" after it adds
// its stem's files; any other name is a
// separation file, or with "=text" a file holding its name, "=page" an EPS
// file of a box of 0 0 5 5, "=" an empty file.
inline void makeTree(const TempFolder& folder, const std::string& names) {
    for (std::string name : words(names)) {
        std::filesystem::create_directories(
            std::filesystem::u8path(folder.file(name)).parent_path());
        if (const std::size_t arrow = name.find("->"); arrow != std::string::npos) {
            std::filesystem::create_symlink(name.substr(arrow + 2),
                                            folder.file(name.substr(0, arrow)));
            continue;
        }
        const bool withFiles = name.back() == '+';
        name.resize(name.size() - (withFiles ? 1 : 0));
        const std::size_t bracket = name.find('(');
        std::vector<std::string> plates;
        for (std::size_t at = bracket; at < name.size(); at = name.find(',', at + 1)) {
            plates.push_back(name.substr(at + 1, name.find_first_of(",)", at + 1) - at - 1));
        }
        name.resize(std::min(bracket, name.size()));
        const std::size_t dot = name.rfind('.');
        const std::string ext = name.substr(std::min(dot, name.size()), 4);
        const std::string kind = name.substr(std::min(name.find('='), name.size()));
        name.resize(name.size() - kind.size());
        if (ext != ".eps" && ext != ".EPS" && ext != ".BAK" && plates.empty()) {
            const std::string bytes = kind == "=text"   ? name
                                      : kind == "=page" ? "%!PS-Adobe-3.0\n%%BoundingBox: 0 0 5 5\n"
                                      : kind == "="     ? ""
                                                        : separation(name);
            if (name.back() != '/') {
                folder.write(name, bytes);
            }
            continue;
        }
        const std::string path = name.substr(0, dot);
        const std::string stem = path.substr(path.rfind('/') + 1);
        const bool dcs2 = name.find("dcs2-") != std::string::npos;
        const std::vector<std::string> letters =
            dcs2 ? std::vector<std::string>{".C", ".M", ".Y", ".K", ".5"}
                 : std::vector<std::string>{".C", ".M", ".J", ".N"};
        if (plates.empty()) {
            for (const std::string& letter : letters) {
                plates.push_back(stem + letter);
            }
        }
        const std::string e = name.find("lf-") != std::string::npos ? "\n" : "\r\n";
        std::string bytes = dcs2 ? dcs2Master(stem, plates, e)
                                 : master(stem, {plates[0], plates[1], plates[2], plates[3]}, e);
        if (name.find("box-") != std::string::npos) {
            bytes.insert(bytes.find("%%" + std::string(dcs2 ? "PlateFile" : "CyanPlate")),
                         "%%BoundingBox: 0 0 9 9" + e);
        }
        if (name.find("late-") != std::string::npos) {
            bytes.insert(bytes.find("%%CyanPlate"), "%%EndComments" + e);
        }
        const bool damaged = kind == "=damaged";
        if (name.find("bin-") != std::string::npos || damaged) {
            const auto size = static_cast<std::uint32_t>(bytes.size());
            bytes = epsBinaryHeader(30, size, damaged ? 31 : 0, damaged ? 1 : 0) + bytes;
        }
        bytes += name.find("dmg-") != std::string::npos ? "%%CyanPlate: cut" + e : "";
        folder.write(name, name.find("not-") != std::string::npos ? "%!PS-Adobe-3.0\n" : bytes);
        for (const std::string& letter : letters) {
            if (withFiles) {
                folder.write(path + letter, separation(path.substr(path.rfind('/') + 1) + letter));
            }
        }
    }
}

// The folder's entries in byte order: a master with its plates in brackets,
// a file that does not hold its own name (or a separation file naming
// itself) with "=" and what it holds or names, a folder with "/".
inline std::string describeFolder(const TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.folder())) {
        names.push_back(entry.path().filename().u8string());
    }
    std::sort(names.begin(), names.end());
    std::string text;
    for (const std::string& name : names) {
        if (std::filesystem::is_directory(std::filesystem::u8path(folder.file(name)))) {
            text += name + "/ ";
            continue;
        }
        const MasterReading reading = readMasterFile(folder.file(name));
        const bool isMaster = reading.isMaster();
        std::string plates;
        for (const Plate& plate : reading.plates) {
            plates += (plates.empty() ? "" : " ") + plate.name;
        }
        std::string bytes = readFileBytes(folder.file(name));
        const std::string eps = separation("");
        if (bytes.compare(0, eps.size() - 1, eps, 0, eps.size() - 1) == 0) {
            bytes = bytes.substr(eps.size() - 1, bytes.size() - eps.size()); // the name it holds
        }
        text += name + (isMaster ? "[" + plates + "]" : bytes == name ? "" : "=" + bytes) + " ";
    }
    return text;
}

// A stream buffer that takes no byte, each write failing with `error` as
// the system's would.
class RefusingBuffer : public std::streambuf {
  public:
    explicit RefusingBuffer(int error) : error_(error) {}

  private:
    int_type overflow(int_type) override {
        errno = error_;
        return traits_type::eof();
    }
    int error_;
};

// One run of the program on a tree, and what it must give: built with named
// steps, the run's description first, e.g.
//     CliRun("a renamed file").in("A.eps A2.C A.M A.J A.N").run("check @").exits(1)
//         .prints("broken  A.eps  cyan \"A.C\" renamed A2.C\n")
// Unless a step says otherwise, it exits with 0, prints nothing, tells
// nothing on standard error and leaves the tree as it was.
struct CliRun {
    explicit CliRun(std::string description) : what(std::move(description)) {}

    // The tree, as makeTree takes it.
    CliRun& in(std::string names) { return tree = std::move(names), *this; }
    // The arguments, as words; "@NAME" stands for the tree's NAME, "@" for the tree.
    CliRun& run(std::string words) { return call = std::move(words), *this; }
    CliRun& exits(int expected) { return status = expected, *this; }
    // All of standard output, the tree's path taken out, backslashes as
    // slashes, but the summary line that ends a walk.
    CliRun& prints(std::string expected) { return out = std::move(expected), *this; }
    // The summary line, without its first word, or "none"; not given: a
    // walk's is not looked at.
    CliRun& sums(std::string expected) { return summary = std::move(expected), *this; }
    CliRun& printsAnything() { return out.reset(), *this; }
    // A part of standard error.
    CliRun& tells(std::string part) { return err = std::move(part), *this; }
    // The tree afterwards, as describeFolder gives it.
    CliRun& leaves(std::string expected) { return after = std::move(expected), *this; }
    // Standard output refuses every byte with `error` (an errno value).
    CliRun& outputFails(int error) { return outError = error, *this; }
    // Another program acts on the tree right before the run's first file
    // operation of a kind.
    CliRun& meanwhile(FileOperation before, std::function<void(const TempFolder&)> act) {
        return interleaved = before, otherProgram = std::move(act), *this;
    }

    std::string what, tree, call;
    int status = 0;
    std::optional<std::string> out = std::string();
    std::optional<std::string> summary;
    std::string err;                  // empty: nothing is told
    std::optional<std::string> after; // none: as it was
    int outError = 0;
    FileOperation interleaved = FileOperation::open;
    std::function<void(const TempFolder&)> otherProgram;
};

inline void PrintTo(const CliRun& row, std::ostream* out) {
    *out << row.what;
}

// Runs `row` in a tree of its own and checks everything it must give.
inline void checkRun(const CliRun& row) {
    TempFolder folder;
    makeTree(folder, row.tree);
    const std::string before = describeFolder(folder);
    std::vector<std::string> arguments = words(row.call);
    for (std::string& argument : arguments) {
        if (argument[0] == '@') {
            argument = argument == "@" ? folder.folder() : folder.file(argument.substr(1));
        }
    }
    std::ostringstream out;
    std::ostringstream err;
    RefusingBuffer refusing(row.outError);
    std::ostream refused(&refusing);
    const FileFaultsGuard faults;
    if (row.otherProgram) {
        actBeforeFileOperation(row.interleaved, [&] { row.otherProgram(folder); });
    }
    const int status = runCommandLine(arguments, row.outError ? refused : out, err, {});
    failFileOperation(0);
    // The tree's path taken out as it is written, and as JSON escapes it.
    const auto relative = [&](std::string text) {
        std::string prefix = folder.folder() + pathSeparator(), escaped;
        for (const char c : prefix) {
            escaped += c == '\\' ? std::string(2, c) : std::string(1, c);
        }
        for (const std::string& written : {escaped, prefix}) {
            for (std::size_t at; (at = text.find(written)) != std::string::npos;) {
                text.erase(at, written.size());
            }
        }
        std::replace(text.begin(), text.end(), '\\', '/');
        return text;
    };
    std::string printed = relative(out.str());
    std::optional<std::string> summary;
    if (const std::size_t at = printed.rfind("summary  ");
        at != std::string::npos && (at == 0 || printed[at - 1] == '\n')) {
        summary = printed.substr(at + 9, printed.size() - at - 10);
        printed.erase(at);
    }
    EXPECT_TRUE(!row.summary || summary.value_or("none") == row.summary)
        << summary.value_or("none");
    EXPECT_EQ(status, row.status);
    EXPECT_EQ(row.out ? printed : "", row.out.value_or(""));
    const std::string told = relative(err.str());
    EXPECT_TRUE(row.err.empty() ? told.empty() : told.find(row.err) != std::string::npos) << told;
    EXPECT_EQ(describeFolder(folder), row.after.value_or(before));
}

// The test of a table of runs, each row a test of its own named by its description.
class CommandLine : public ::testing::TestWithParam<CliRun> {};

} // namespace platelier::testing
