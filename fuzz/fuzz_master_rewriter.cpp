// Fuzzes rewriteMasterFile with the round-trip property: a refused rewrite
// leaves the master and nothing else; a done rewrite keeps the old bytes as
// the backup, reads back with the names written wherever the old master
// could be read, keeps the previews byte for byte at the offsets its header
// gives, and gives the same file again when done once more.
#include "fuzz_input_file.h"
#include "master/eps_binary_header.h"
#include "master/master_file_reader.h"
#include "master/master_file_rewriter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <vector>

using namespace platelier;

namespace {

const std::array<std::string, channelCount> names = {"NEW-NAME.C", "M", "", "name with:colon.N"};

std::size_t scratchEntries() {
    std::size_t count = 0;
    if (DIR* folder = opendir(fuzzing::scratchFolder().c_str())) {
        while (const dirent* entry = readdir(folder)) {
            count += entry->d_name[0] == '.' ? 0 : 1;
        }
        closedir(folder);
    }
    return count;
}

std::vector<std::string> readValues(const std::string& path, bool& read) {
    std::vector<std::string> values;
    read = readMasterFile(path,
                          [&](MasterValue, const std::string& value) { values.push_back(value); });
    return values;
}

struct Preview {
    std::uint32_t offset;
    std::uint32_t length;
};

// The Windows metafile and TIFF previews of a file as its header gives them;
// none without a header.
std::vector<Preview> headerPreviews(const std::string& bytes, EpsBinaryHeader& header) {
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    if (bytes.size() < EpsBinaryHeader::size ||
        !EpsBinaryHeader::startsWithMagic(data, bytes.size())) {
        return {};
    }
    unsigned char raw[EpsBinaryHeader::size];
    std::copy(data, data + EpsBinaryHeader::size, raw);
    header = EpsBinaryHeader::decode(raw);
    return {{header.metafileOffset, header.metafileLength}, {header.tiffOffset, header.tiffLength}};
}

// A preview that lies whole outside the header and the PostScript section:
// a part of the file that a rewrite moves but never changes.
bool onlyMoved(const Preview& preview, const EpsBinaryHeader& header, std::size_t fileSize) {
    const std::uint64_t start = header.postScriptOffset;
    const std::uint64_t end = std::min<std::uint64_t>(start + header.postScriptLength, fileSize);
    const std::uint64_t previewEnd = std::uint64_t{preview.offset} + preview.length;
    const bool beforeSection = preview.offset >= EpsBinaryHeader::size && previewEnd <= start;
    const bool afterSection = preview.offset >= end && previewEnd <= fileSize;
    return preview.length != 0 && (beforeSection || afterSection);
}

void check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string before(reinterpret_cast<const char*>(data), size);
    const std::string master = fuzzing::writeScratchFile("master.eps", before);
    const std::string backup = fuzzing::scratchFolder() + "master.BAK";
    std::remove(backup.c_str());
    bool readBefore = false;
    readValues(master, readBefore);

    if (rewriteMasterFile(master, names).error != RewriteError::none) {
        check(fuzzing::readScratchFile(master) == before && !fuzzing::scratchFileExists(backup) &&
              scratchEntries() == 1);
        return 0;
    }
    const std::string after = fuzzing::readScratchFile(master);
    check(fuzzing::readScratchFile(backup) == before && scratchEntries() == 2);
    bool readAfter = false;
    const std::vector<std::string> valuesAfter = readValues(master, readAfter);
    if (readBefore) {
        check(readAfter && valuesAfter.size() == 5);
        for (std::size_t channel = 0; channel < names.size(); ++channel) {
            check(valuesAfter[channel + 1] == names[channel]);
        }
    }
    EpsBinaryHeader headerBefore;
    EpsBinaryHeader headerAfter;
    const std::vector<Preview> previewsBefore = headerPreviews(before, headerBefore);
    const std::vector<Preview> previewsAfter = headerPreviews(after, headerAfter);
    check(previewsBefore.size() == previewsAfter.size());
    for (std::size_t i = 0; i < previewsBefore.size(); ++i) {
        if (onlyMoved(previewsBefore[i], headerBefore, before.size())) {
            check(previewsAfter[i].length == previewsBefore[i].length &&
                  std::uint64_t{previewsAfter[i].offset} + previewsAfter[i].length <=
                      after.size() &&
                  before.compare(previewsBefore[i].offset, previewsBefore[i].length, after,
                                 previewsAfter[i].offset, previewsAfter[i].length) == 0);
        }
    }
    check(rewriteMasterFile(master, names).error == RewriteError::none &&
          fuzzing::readScratchFile(master) == after);
    return 0;
}
