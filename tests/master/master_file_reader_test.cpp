// readMasterFile on master files written to a temporary folder: endings,
// binary headers, the keyword rules and every refusal.
#include "master/master_file_reader.h"

#include "master_bytes.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace platelier {
namespace {

using namespace testing;
using Deliveries = std::vector<std::pair<MasterValue, std::string>>;

Deliveries allValues(const std::string& title, const std::string& c, const std::string& m,
                     const std::string& y, const std::string& k) {
    return {{masterTitle, title},
            {cyanPlateName, c},
            {magentaPlateName, m},
            {yellowPlateName, y},
            {blackPlateName, k}};
}

const Deliveries usual = allValues("My picture", "pic.C", "pic.M", "pic.J", "pic.N");
const Deliveries titleOnly = {{masterTitle, "My picture"}};

struct ReaderCase {
    const char* name;
    std::string bytes;
    bool result;
    Deliveries delivered;
};

const std::string crlf = "\r\n";
const std::string decoy = "%%Title: decoy\r\n" + plateBlock(crlf, "x", "x", "x", "x");
const std::string ps = masterText(crlf);
const auto psSize = static_cast<std::uint32_t>(ps.size());
const std::string tiff = "II*\0" + decoy + std::string(100, '\x7f');
const auto tiffSize = static_cast<std::uint32_t>(tiff.size());
const std::string longName(300, 'L');

const ReaderCase readerCases[] = {
    {"CR LF master", ps, true, usual},
    {"LF master gives clean values", masterText("\n"), true, usual},
    {"CR master", masterText("\r"), true, usual},
    {"LF CR master", masterText("\n\r"), true, usual},
    {"header, PostScript at 30", epsBinaryHeader(30, psSize) + ps, true, usual},
    {"header, PostScript at 32 behind decoy bytes", epsBinaryHeader(32, psSize) + "%%" + ps, true,
     usual},
    {"header, PostScript after a TIFF preview holding comment lines",
     epsBinaryHeader(30 + tiffSize, psSize, 0, 0, 30, tiffSize) + tiff + ps, true, usual},
    {"header, PostScript first and preview after it",
     epsBinaryHeader(30, psSize, 0, 0, 30 + psSize, tiffSize) + ps + tiff, true, usual},
    {"header: comments behind the PostScript section are not read",
     epsBinaryHeader(30, 40) + ps.substr(0, 40) + ps.substr(40),
     false,
     {}},
    {"header: PostScript length past the end is cut", epsBinaryHeader(30, 1u << 30) + ps, true,
     usual},
    {"PostScript offset past the end", epsBinaryHeader(5000, psSize) + ps, false, {}},
    {"PostScript offset at the end", epsBinaryHeader(30 + psSize, psSize) + ps, false, {}},
    {"PostScript offset inside the header", epsBinaryHeader(8, psSize) + ps, false, {}},
    {"PostScript offset zero", epsBinaryHeader(0, psSize) + ps, false, {}},
    {"magic number in a file shorter than a header", "\xc5\xd0\xd3\xc6\x1e", false, {}},
    {"header magic read as little-endian only", "\xc6\xd3\xd0\xc5" + ps, true, usual},
    {"no title line", plateBlock(crlf), false, {}},
    {"plate block only before the title", plateBlock(crlf) + "%%Title: My picture\r\n", false,
     titleOnly},
    {"title keyword in small letters", "%%title: x\r\n" + plateBlock(crlf), false, {}},
    {"indented title line", " %%Title: x\r\n" + plateBlock(crlf), false, {}},
    {"indented plate line", "%%Title: My picture\r\n \t" + plateBlock(crlf), false, titleOnly},
    {"longer keywords still count", "%%Titles: T\r\n%%CyanPlates: a\r\nb: b\r\nc: c\r\nd: d\r\n",
     true, allValues("T", "a", "b", "c", "d")},
    {"empty title", "%%Title:\r\n" + plateBlock(crlf), true,
     allValues("", "pic.C", "pic.M", "pic.J", "pic.N")},
    {"second title line passed over",
     "%%Title: My picture\r\n%%Title: other\r\n" + plateBlock(crlf), true, usual},
    {"three following lines taken whatever they say",
     "%%Title: t\r\n%%CyanPlate: a\r\n%%Other: b\r\n%%X: c\r\n%%Y: d\r\n", true,
     allValues("t", "a", "b", "c", "d")},
    {"CR LF: empty line after the cyan line is the magenta line",
     "%%Title: t\r\n%%CyanPlate: a\r\n\r\nm: b\r\ny: c\r\n", true,
     allValues("t", "a", "", "b", "c")},
    {"LF: a single empty line is absorbed", "%%Title: t\n%%CyanPlate: a\n\nm: b\ny: c\nk: d\n",
     true, allValues("t", "a", "b", "c", "d")},
    {"plate line longer than 256 bytes",
     "%%Title: t\r\n%%CyanPlate: " + longName + "\r\nm: b\r\ny: c\r\n", true,
     allValues("t", std::string(256 - 13, 'L'), "", "b", "c")},
    {"black plate line is the last, without ending",
     "%%Title: t\r\n%%CyanPlate: a\r\nm: b\r\ny: c\r\nk: d", true,
     allValues("t", "a", "b", "c", "d")},
    {"file ends inside the plate block",
     "%%Title: t\r\n%%CyanPlate: a\r\nm: b\r\ny: c\r\n",
     false,
     {{masterTitle, "t"}}},
    {"empty file", "", false, {}},
};

TEST(ReadMasterFile, FindsTitleAndPlateNamesOrRefuses) {
    TempFolder folder;
    for (const ReaderCase& c : readerCases) {
        Deliveries delivered;
        const bool result = readMasterFile(folder.write("master.eps", c.bytes),
                                           [&](MasterValue which, const std::string& value) {
                                               delivered.emplace_back(which, value);
                                           });
        EXPECT_EQ(result, c.result) << c.name;
        EXPECT_EQ(delivered, c.delivered) << c.name;
    }
}

TEST(ReadMasterFile, MissingFileIsRefusedWithoutDelivery) {
    TempFolder folder;
    bool delivered = false;
    EXPECT_FALSE(readMasterFile(folder.file("absent.eps"),
                                [&](MasterValue, const std::string&) { delivered = true; }));
    EXPECT_FALSE(delivered);
}

} // namespace
} // namespace platelier
