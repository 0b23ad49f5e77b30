// readMasterFile: line endings, binary headers, the keyword rules and every
// refusal, with what is delivered, in order, before it.
#include "fixtures.h"
#include "master/master_file_reader.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace platelier {
namespace {

using namespace testing;
using Values = std::vector<std::string>;

const Values usual = {"My picture", "pic.C", "pic.M", "pic.J", "pic.N"}, titleOnly = {"My picture"};
const std::string crlf = "\r\n", ps = masterText(crlf);
const auto psSize = static_cast<std::uint32_t>(ps.size());
const std::string decoy = "II*\0%%Title: decoy\r\n" + plateBlock(crlf, "x", "x", "x", "x");
const auto decoySize = static_cast<std::uint32_t>(decoy.size());

// A master gives all five values; a refused file says why, and gives its
// title when it has one (bytes: none for no file, "/" for a folder).
struct ReaderCase {
    const char* what;
    std::optional<std::string> bytes;
    Values values;
    MasterRefusal refusal = MasterRefusal::none;
};
constexpr MasterRefusal damaged = MasterRefusal::damagedHeader,
                        noBlock = MasterRefusal::noPlateBlock;

// clang-format off
const ReaderCase readerCases[] = {
    {"CR LF", ps, usual},
    {"LF: values without their LF", masterText("\n"), usual},
    {"no file", std::nullopt, {}, MasterRefusal::cannotOpen},
    {"a folder", "/", {}, MasterRefusal::notRegularFile},
    {"header, PostScript at 30", epsBinaryHeader(30, psSize) + ps, usual},
    {"header, PostScript behind a preview with comments",
     epsBinaryHeader(30 + decoySize, psSize, 30, decoySize) + decoy + ps, usual},
    {"header: nothing read past the PostScript section", epsBinaryHeader(30, 25) + ps, {}, noBlock},
    {"header: a length past the end is cut", epsBinaryHeader(30, 1u << 30) + ps, usual},
    {"header: offset past the end", epsBinaryHeader(5000, psSize) + ps, {}, damaged},
    {"header: offset at the end", epsBinaryHeader(30 + psSize, psSize) + ps, {}, damaged},
    {"header: offset inside it", epsBinaryHeader(29, psSize) + ps, {}, damaged},
    {"header cut short", "\xc5\xd0\xd3\xc6\x1e", {}, damaged},
    {"magic number big-endian is no header", "\xc6\xd3\xd0\xc5" + ps, usual},
    {"no title line", plateBlock(crlf), {}, noBlock},
    {"plate block only before the title", plateBlock(crlf) + "%%Title: My picture\r\n", titleOnly,
        noBlock},
    {"title in small letters", "%%title: x\r\n" + plateBlock(crlf), {}, noBlock},
    {"indented plate line", "%%Title: My picture\r\n\t" + plateBlock(crlf), titleOnly, noBlock},
    {"longer keywords count", "%%Titles: T\r\n%%CyanPlates: a\r\nb: b\r\nc: c\r\nd: d\r\n", {"T",
        "a", "b", "c", "d"}},
    {"blanks only", "%%Title:    \r\n" + plateBlock(crlf), {"", "pic.C", "pic.M", "pic.J",
        "pic.N"}},
    {"no colon", "%%Title\r\n" + plateBlock(crlf), {"", "pic.C", "pic.M", "pic.J", "pic.N"}},
    {"blanks trimmed, colons and tabs kept",
        "%%Title:  a:b\tc\t \r\n%%CyanPlate: D:\\x\n" + plateBlock(crlf),
     {"a:b\tc\t", "D:\\x", "pic.C", "pic.M", "pic.J"}},
    {"a zero byte ends a value", std::string("%%Title: ab\0c\r\n", 15) + plateBlock(crlf), {"ab",
        "pic.C", "pic.M", "pic.J", "pic.N"}},
    {"a second title is passed over", "%%Title: My picture\r\n%%Title: x\r\n" + plateBlock(crlf),
        usual},
    {"CR LF: an empty line is the magenta line",
        "%%Title: t\r\n%%CyanPlate: a\r\n\r\nm: b\r\ny: c\r\n",
     {"t", "a", "", "b", "c"}},
    {"a plate line longer than 256 bytes", "%%Title: t\r\n%%CyanPlate: " + std::string(300,
        'L') + "\r\nm: b\r\ny: c\r\n",
     {"t", std::string(243, 'L'), "", "b", "c"}},
    {"the black line last, without ending", "%%Title: t\r\n%%CyanPlate: a\r\nm: b\r\ny: c\r\nk: d",
        {"t", "a", "b", "c", "d"}},
    {"the file ends inside the block", "%%Title: t\r\n%%CyanPlate: a\r\nm: b\r\ny: c\r\n", {"t"},
        noBlock},
};
// clang-format on

TEST(ReadMasterFile, FindsTitleAndPlateNamesOrRefuses) {
    for (const ReaderCase& row : readerCases) {
        TempFolder folder({"x.eps/"});
        const bool file = row.bytes && *row.bytes != "/";
        const MasterReading reading = readMasterFile(file ? folder.write("master.eps", *row.bytes)
                                                          : folder.file(row.bytes ? "x.eps" : "x"));
        Values values;
        if (reading.title) {
            values.push_back(*reading.title);
        }
        for (const std::string& plate : reading.plates) {
            values.insert(values.end(), reading.isMaster() ? 1 : 0, plate);
        }
        EXPECT_EQ(reading.refusal, row.refusal) << row.what;
        EXPECT_EQ(values, row.values) << row.what;
        EXPECT_TRUE(reading.isMaster() || reading.plates == decltype(reading.plates)()) << row.what;
    }
}

} // namespace
} // namespace platelier
