// Real EPS files that nobody on the team wrote (public test images of an
// imaging library, read from the shared test data folder when it is there):
// none is a DCS master, so each is refused by the reader and reproduced byte
// for byte by the rewriter; masters derived from them by inserting a title
// and a plate block read back with their names, and after a rewrite with
// longer names their previews are unchanged at the offsets the new header
// gives.
#include "master/eps_binary_header.h"
#include "master/master_file_reader.h"
#include "master/master_file_rewriter.h"

#include "master_bytes.h"
#include "temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <vector>

namespace platelier {
namespace {

using namespace testing;

std::vector<std::filesystem::path> realEpsFiles() {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(PLATELIER_SHARED_EPS_DIR, error)) {
        if (entry.path().extension() == ".eps") {
            files.push_back(entry.path());
        }
    }
    return files;
}

std::optional<EpsBinaryHeader> headerOf(const std::string& bytes) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < EpsBinaryHeader::size ||
        !EpsBinaryHeader::startsWithMagic(data, bytes.size())) {
        return std::nullopt;
    }
    unsigned char raw[EpsBinaryHeader::size];
    std::copy(data, data + EpsBinaryHeader::size, raw);
    return EpsBinaryHeader::decode(raw);
}

std::string withHeader(std::string bytes, const EpsBinaryHeader& header) {
    unsigned char raw[EpsBinaryHeader::size];
    header.encode(raw);
    bytes.replace(0, EpsBinaryHeader::size, reinterpret_cast<const char*>(raw), sizeof raw);
    return bytes;
}

// The bytes of the TIFF preview, or of the Windows metafile, as the header
// gives them; empty without a preview.
std::string previewOf(const std::string& bytes) {
    const std::optional<EpsBinaryHeader> header = headerOf(bytes);
    if (!header) {
        return std::string();
    }
    if (header->tiffLength != 0) {
        return bytes.substr(header->tiffOffset, header->tiffLength);
    }
    return header->metafileLength != 0
               ? bytes.substr(header->metafileOffset, header->metafileLength)
               : std::string();
}

// `bytes` with a title and a plate block after the first line of its
// PostScript section, the header brought up to date.
std::string derivedMaster(const std::string& bytes) {
    const std::optional<EpsBinaryHeader> header = headerOf(bytes);
    const std::size_t start = header ? header->postScriptOffset : 0;
    std::size_t at = bytes.find_first_of("\r\n", start);
    at += (bytes.compare(at, 2, "\r\n") == 0) ? 2u : 1u;
    const std::string inserted =
        "%%Title: derived\r\n" + plateBlock("\r\n", "d.C", "d.M", "d.J", "d.N");
    std::string master = bytes.substr(0, at) + inserted + bytes.substr(at);
    if (!header) {
        return master;
    }
    EpsBinaryHeader updated = *header;
    const auto growth = static_cast<std::uint32_t>(inserted.size());
    const std::uint64_t end = std::uint64_t{header->postScriptOffset} + header->postScriptLength;
    updated.postScriptLength = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(header->postScriptLength, bytes.size() - start) + growth);
    for (std::uint32_t* offset : {&updated.metafileOffset, &updated.tiffOffset}) {
        *offset += (*offset != 0 && *offset >= end) ? growth : 0;
    }
    return withHeader(master, updated);
}

TEST(RealEpsFiles, AreRefusedByTheReaderAndKeptByTheRewriter) {
    const std::vector<std::filesystem::path> files = realEpsFiles();
    if (files.empty()) {
        GTEST_SKIP() << "no real EPS files in " << PLATELIER_SHARED_EPS_DIR;
    }
    const std::array<std::string, channelCount> names = {"a-longer-name.C", "m", "j", "n"};
    for (const std::filesystem::path& file : files) {
        TempFolder folder;
        const std::string original = readFileBytes(file.string());
        const std::string copy = folder.write("real.eps", original);
        EXPECT_FALSE(readMasterFile(copy, [](MasterValue, const std::string&) {})) << file;
        EXPECT_EQ(rewriteMasterFile(copy, names).error, RewriteError::none) << file;
        EXPECT_EQ(readFileBytes(copy), original) << file;
    }
    std::cout << "external files checked: " << files.size() << std::endl;
}

TEST(RealEpsFiles, DerivedMastersReadBackAndKeepTheirPreviews) {
    const std::vector<std::filesystem::path> files = realEpsFiles();
    if (files.empty()) {
        GTEST_SKIP() << "no real EPS files in " << PLATELIER_SHARED_EPS_DIR;
    }
    const std::array<std::string, channelCount> names = {"a-much-longer-name.C", "new.M", "new.J",
                                                         "new.N"};
    std::size_t previews = 0;
    for (const std::filesystem::path& file : files) {
        TempFolder folder;
        const std::string original = readFileBytes(file.string());
        const std::string master = folder.write("derived.eps", derivedMaster(original));
        std::vector<std::string> values;
        const auto collect = [&](MasterValue, const std::string& value) {
            values.push_back(value);
        };
        ASSERT_TRUE(readMasterFile(master, collect)) << file;
        EXPECT_EQ(values, (std::vector<std::string>{"derived", "d.C", "d.M", "d.J", "d.N"}))
            << file;

        ASSERT_EQ(rewriteMasterFile(master, names).error, RewriteError::none) << file;
        values.clear();
        ASSERT_TRUE(readMasterFile(master, collect)) << file;
        EXPECT_EQ(values,
                  (std::vector<std::string>{"derived", names[0], names[1], names[2], names[3]}))
            << file;
        EXPECT_EQ(previewOf(readFileBytes(master)), previewOf(original)) << file;
        previews += previewOf(original).empty() ? 0u : 1u;
    }
    std::cout << "derived masters checked: " << files.size() << ", with a preview: " << previews
              << std::endl;
}

} // namespace
} // namespace platelier
