// readMasterFile: line endings, binary headers, the keyword rules, the box
// and every refusal, with what is delivered, in order, before it.
#include "fixtures.h"
#include "master/master_file_reader.h"
#include "named_rows.h"
#include "platform/file_stream.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace platelier {
namespace {

using namespace testing;
using Values = std::vector<std::string>;

const Values named = {"My picture", "pic.C", "pic.M", "pic.J", "pic.N"}, titleOnly = {"My picture"},
             usual = {"My picture", "pic.C", "pic.M", "pic.J", "pic.N", "0 0 9 9"},
             plates = {"t", "pic.C", "pic.M", "pic.J", "pic.N"},
             boxed = {"t", "pic.C", "pic.M", "pic.J", "pic.N", "1 2 3 4"};
const std::string crlf = "\r\n", ps = masterText(crlf);
const auto psSize = static_cast<std::uint32_t>(ps.size());
const std::string decoy = "II*\0%%Title: decoy\r\n" + plateBlock(crlf, "x", "x", "x", "x");
const auto decoySize = static_cast<std::uint32_t>(decoy.size());
const std::string head = "%%Title: t\r\n" + plateBlock(crlf), box = "%%BoundingBox: 1 2 3 4\r\n",
                  atEnd = "%%Title: t\r\n%%BoundingBox: (atend)\r\n" + plateBlock(crlf),
                  tail = box + std::string(trailerReach - box.size(), '\n');

// A master gives all five values, and its box when it states one; a refused
// file says why, and gives its title when it has one (bytes: none for no
// file, "/" for a folder).
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
    {"header, PostScript behind a preview with comments",
     epsBinaryHeader(30 + decoySize, psSize, 30, decoySize) + decoy + ps, usual},
    {"header: nothing read past the PostScript section", epsBinaryHeader(30, 25) + ps, {}, noBlock},
    {"header: a length past the end is damaged",
        epsBinaryHeader(30, 1u << 30) + ps + std::string(5000, '%'), {}, damaged},
    {"header: a preview over the PostScript is damaged", epsBinaryHeader(30, psSize, 40, 5) + ps,
        {}, damaged},
    {"header: offset at the end", epsBinaryHeader(30 + psSize, psSize) + ps, {}, damaged},
    {"magic number big-endian is no header", "\xc6\xd3\xd0\xc5" + ps, named},
    {"plate block only before the title", plateBlock(crlf) + "%%Title: My picture\r\n", titleOnly,
        noBlock},
    {"a title in small letters, an indented plate line",
        "%%title: x\r\n%%Title: My picture\r\n\t" + plateBlock(crlf), titleOnly, noBlock},
    {"longer keywords count", "%%Titles: T\r\n%%CyanPlates: a\r\nb: b\r\nc: c\r\nd: d\r\n", {"T",
        "a", "b", "c", "d"}},
    {"blanks only, no colon", "%%Title:    \r\n%%CyanPlate\r\nm: b\r\ny: c\r\nk: d\r\n", {"", "",
        "b", "c", "d"}},
    {"blanks trimmed, colons and tabs kept",
        "%%Title:  a:b\tc\t \r\n%%CyanPlate: D:\\x\n" + plateBlock(crlf),
     {"a:b\tc\t", "D:\\x", "pic.C", "pic.M", "pic.J"}},
    {"a zero byte ends a value", std::string("%%Title: ab\0c\r\n", 15) + plateBlock(crlf), {"ab",
        "pic.C", "pic.M", "pic.J", "pic.N"}},
    {"a second title is passed over", "%%Title: My picture\r\n%%Title: x\r\n" + plateBlock(crlf),
        named},
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
    {"box: the first line decides", "%%BoundingBox: 0 0 9\r\n" + head + box, plates},
    {"box: past a long line", head + "%" + std::string(300, 'L') + "\r\n" + box, boxed},
    {"box: past the reach", head + std::string(headerCommentsReach, '%') + "\r\n" + box, plates},
    {"box: (atend), the last line", atEnd + box + "%%BoundingBox: \t-0 +7 -9223372036854775808 0\n",
        {"t", "pic.C", "pic.M", "pic.J", "pic.N", "0 7 -9223372036854775808 0"}},
    {"box: (atend), 8 KiB before the end", atEnd + "x\r\n" + tail, boxed},
    {"box: (atend), a line cut by the trailer", atEnd + "x" + tail, plates},
    {"box: (atend), none in the section", epsBinaryHeader(30, 122) + atEnd + box, plates},
    {"DCS 2.0: names quoted with escapes and blanks, EPSF, local",
     "%!PS\r\n%%PlateFile: (PANTONE 185 C) EPS Local SPOT.5\r\n%%PlateFile: (C\\(yan\\)) EPSF "
        "local (IMAGE \\(1\\).C)\r\n%%PlateFile: (Spot \\101 (1)) EPS LOCAL x\r\n%%EndComments\r\n",
     {"PANTONE 185 C=SPOT.5", "C(yan)=IMAGE (1).C", "Spot A (1)=x"}},
    {"DCS 2.0: a bare word, CR alone, a name with blanks, a title, a box",
     "%!PS\r%%Title: t\r%%PlateFile: Black EPS Local my black.N \r%%BoundingBox: 1 2 3 4\r",
     {"t", "Black=my black.N", "1 2 3 4"}},
    {"DCS 2.0: plates inside the master, and another location or type",
     "%%PlateFile: (Cyan) EPS #100 20\n%%PlateFile: (M) EPS Remote M.M\n%%PlateFile: (Y) TIFF "
        "Local Y.J\n%%PlateFile: (K) EPS #1 x\n%%PlateFile: (cut) EPS\n"
        "%%PlateFile: (S) EPS Local (S.5) x\n%%PlateFile: (T) EPS Local (T.6\n",
     {"Cyan@100+20", "M?", "Y?", "K?", "S?", "T?"}},
    {"DCS 2.0: plate lines after the header comments are no master's",
     "%!PS\r\n%%EndComments\r\n%%PlateFile: (Cyan) EPS Local X.C\r\n", {}, noBlock},
};
// clang-format on

void PrintTo(const ReaderCase& row, std::ostream* out) {
    printRow(row.what, out);
}

class ReadMasterFile : public ::testing::TestWithParam<ReaderCase> {};

Values valuesOf(const MasterReading& reading) {
    Values values(reading.title ? 1u : 0u, reading.title.value_or(""));
    for (const Plate& plate : reading.plates) {
        const std::string where =
            plate.where == Plate::file ? "=" + plate.name
            : plate.where == Plate::inMaster
                ? "@" + std::to_string(plate.offset) + "+" + std::to_string(plate.length)
                : "?";
        values.push_back(reading.format == MasterFormat::dcs2 ? plate.colour + where : plate.name);
    }
    if (const std::optional<BoundingBox>& stated = reading.boxes.box) {
        values.push_back(boundingBoxText(*stated));
    }
    if (const std::optional<BoundingBox>& hiRes = reading.boxes.hiRes) {
        values.push_back("hires " + boundingBoxText(*hiRes));
    }
    return values;
}

// The reading from a start read before (as a check reads a folder's
// masters) is the file's own, or none; a start that holds the whole file
// always gives it, unless the file's identity must be taken.
void expectReadFromStart(const std::string& path) {
    for (const MasterReach reach : {MasterReach::wholeFile, MasterReach::headerComments}) {
        const MasterReading own = readMasterFile(path, reach, ReadingFor::lookingAt);
        for (const std::size_t most : {std::size_t{64}, FileReader::smallBufferSize}) {
            FileStart start = std::move(readFileStarts({path}, most).front());
            const bool whole = start.whole;
            const std::optional<MasterReading> read = readMasterStart(std::move(start), reach);
            const std::string where = "reach " + std::to_string(static_cast<int>(reach)) +
                                      ", start of " + std::to_string(most);
            EXPECT_TRUE(read || !whole || own.identity != FileIdentity()) << where;
            if (read) {
                EXPECT_EQ(read->refusal, own.refusal) << where;
                EXPECT_EQ(valuesOf(*read), valuesOf(own)) << where;
                EXPECT_TRUE(read->identity == own.identity) << where;
            }
        }
    }
}

TEST_P(ReadMasterFile, FindsTitleAndPlateNamesOrRefuses) {
    const ReaderCase& row = GetParam();
    const TempFolder folder({"x.eps/", "master.eps=" + row.bytes.value_or("")});
    const char* name = !row.bytes ? "x" : *row.bytes == "/" ? "x.eps" : "master.eps";
    const MasterReading reading = readMasterFile(folder.file(name));
    EXPECT_EQ(reading.refusal, row.refusal);
    EXPECT_EQ(valuesOf(reading), row.values);
    EXPECT_TRUE(reading.isMaster() || reading.plates.empty());
    if (row.bytes && *row.bytes != "/") {
        expectReadFromStart(folder.file(name));
    }
}

INSTANTIATE_TEST_SUITE_P(Masters, ReadMasterFile, ::testing::ValuesIn(readerCases), RowName());

// A master whose reading fails anywhere (its header, its plate block, its
// trailer for the box, the length asked of a file opened to look at) is
// unreadable: never a file without a plate block, which a walk passes over,
// nor a master without its box.
TEST(ReadMasterFile, IsUnreadableWhereverAFileOperationFails) {
    const std::string section = atEnd + "x\r\n" + tail;
    const TempFolder folder(
        {"m.eps=" + epsBinaryHeader(30, static_cast<std::uint32_t>(section.size())) + section});
    const FileFaultsGuard faults;
    for (const ReadingFor purpose : {ReadingFor::reading, ReadingFor::lookingAt}) {
        failFileOperation(0);
        const std::string path = folder.file("m.eps");
        ASSERT_TRUE(readMasterFile(path, MasterReach::wholeFile, purpose).boxes.box);
        const std::uint64_t operations = fileOperationCount();
        for (std::uint64_t n = 1; n <= operations; ++n) {
            failFileOperation(n);
            const MasterReading reading = readMasterFile(path, MasterReach::wholeFile, purpose);
            EXPECT_EQ(reading.refusal, MasterRefusal::cannotOpen) << n;
            EXPECT_TRUE(reading.plates.empty() && !reading.boxes.box) << n;
        }
    }
}

TEST(ParseBoundingBox, TakesFourDecimalNumbersOnly) {
    for (const char* value :
         {"0 0 9 9 9", "0 0 9 9e1", "+-1 0 0 0", "", ". 0 0 0", "1.2.3 0 0 0", "0,5 0 0 0"}) {
        EXPECT_FALSE(parseBoundingBox(value)) << value;
    }
    EXPECT_EQ(boundingBoxText(*parseBoundingBox("-.5 +0 612.0 792.125")), "-0.5 0 612 792.125");
}

} // namespace
} // namespace platelier
