// Real EPS files that nobody on the team wrote (public test images of an
// imaging library, read in place from the shared test data folder): none is
// a DCS master, so the reader refuses each and a rewrite keeps it byte for
// byte; masters made from them by inserting a title and a plate block keep
// every promise of a rewrite, previews included, and state the box that
// makes the file a sound separation file of theirs.
#include "fileset/separation_content.h"
#include "master/postscript_section.h"
#include "rewrite_check.h"

#include <gtest/gtest.h>
#include <iostream>

namespace platelier {
namespace {

using namespace testing;

// `bytes` with a title and a plate block after the first line of its
// PostScript section, the header brought up to date.
std::string derivedMaster(const std::string& bytes) {
    TempFolder folder({"eps=" + bytes});
    FileReader file = FileReader::open(folder.file("eps"));
    PostScriptSection section;
    locatePostScriptSection(file, section);
    std::size_t at = bytes.find_first_of("\r\n", section.start);
    at += bytes.compare(at, 2, "\r\n") == 0 ? 2u : 1u;
    const std::string inserted =
        "%%Title: derived\n" + plateBlock("\n", "d.C", "d.M", "d.J", "d.N");
    std::string master = bytes.substr(0, at) + inserted + bytes.substr(at);
    if (section.header) {
        EpsBinaryHeader header = *section.header;
        const auto growth = static_cast<std::uint32_t>(inserted.size());
        header.postScriptLength = static_cast<std::uint32_t>(section.end - section.start) + growth;
        for (std::uint32_t* offset : {&header.metafileOffset, &header.tiffOffset}) {
            *offset += *offset >= section.end ? growth : 0;
        }
        unsigned char raw[EpsBinaryHeader::size];
        header.encode(raw);
        master.replace(0, sizeof raw, reinterpret_cast<const char*>(raw), sizeof raw);
    }
    return master;
}

TEST(RealEpsFiles, KeepEveryPromiseOfARewrite) {
    if (!std::filesystem::is_directory(PLATELIER_SHARED_EPS_DIR)) {
        GTEST_SKIP() << "the real EPS files are not in " << PLATELIER_SHARED_EPS_DIR;
    }
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(PLATELIER_SHARED_EPS_DIR)) {
        files.push_back(entry.path());
    }
    const Names names = {"a-much-longer-name.C", "new.M", "new.J", "new.N"};
    int previews = 0, checked = 0;
    for (const std::filesystem::path& file : files) {
        const std::string original = readFileBytes(file.string());
        if (file.extension() != ".eps") {
            continue;
        }
        ASSERT_FALSE(original.empty()) << file;
        // The one file whose header runs past its end (see the README) is
        // damaged: neither read as a master nor rewritten.
        const bool cut = file.filename().string().rfind("timeout-", 0) == 0;
        PageBoxes boxes;
        for (const std::string& before : {original, cut ? original : derivedMaster(original)}) {
            TempFolder folder({"real.eps=" + before});
            const std::string master = folder.file("real.eps");
            const MasterReading reading = readMasterFile(master);
            EXPECT_EQ(masterValues(master).size(), before == original ? 0u : 5u) << file;
            EXPECT_EQ(reading.refusal == MasterRefusal::damagedHeader, cut) << file;
            boxes = reading.boxes;
            const RewriteError error = rewriteMasterFile(master, names).error;
            EXPECT_EQ(error, cut ? RewriteError::damagedHeader : RewriteError::none) << file;
            EXPECT_TRUE(before != original || readFileBytes(master) == original) << file;
            EXPECT_EQ(rewriteViolation(master, before, names, error), "") << file;
        }
        ASSERT_EQ(boxes.box.has_value(), !cut) << file;
        const PageBoxes otherPage{BoundingBox{}, BoundingBox{}};
        EXPECT_EQ(std::string(verdictWord(judgeSeparationFile(file.string(), boxes))) + " " +
                      std::string(verdictWord(judgeSeparationFile(file.string(), otherPage))),
                  cut ? "truncated truncated" : "sound other-page")
            << file;
        previews += preview(original, 0) || preview(original, 1) ? 1 : 0;
        ++checked;
    }
    ASSERT_GT(checked, 0) << "no EPS file in " << PLATELIER_SHARED_EPS_DIR;
    std::cout << "real EPS files checked: " << checked << ", with a preview: " << previews
              << std::endl;
}

} // namespace
} // namespace platelier
