// The promises of a rewrite of a master, checked on the files it left: used
// by the rewriter's table tests, the test of real EPS files, the Win32
// program's test and the rewriter's fuzzer.
#pragma once

#include "fixtures.h"
#include "master/backup_path.h"
#include "master/eps_binary_header.h"
#include "master/master_file_reader.h"
#include "master/master_file_rewriter.h"
#include "platform/file_stream.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

namespace platelier::testing {

using Names = PerChannel;

// The title and plate names of the master at `path`; none when it is refused.
inline std::vector<std::string> masterValues(const std::string& path) {
    const MasterReading reading = readMasterFile(path);
    if (!reading.isMaster()) {
        return {};
    }
    std::vector<std::string> values{reading.title.value_or("")};
    for (const Plate& plate : reading.plates) {
        values.push_back(plate.name);
    }
    return values;
}

// Preview `index` (0: Windows metafile, 1: TIFF) as the header gives it, when
// it lies whole outside the header and the PostScript section: a part of the
// file that a rewrite may move but never changes.
inline std::optional<std::string> preview(const std::string& bytes, int index) {
    unsigned char raw[EpsBinaryHeader::size] = {};
    std::copy_n(bytes.begin(), std::min(bytes.size(), sizeof raw), raw);
    const EpsBinaryHeader header = EpsBinaryHeader::decode(raw);
    const std::uint64_t start = header.postScriptOffset;
    const std::uint64_t end =
        std::min<std::uint64_t>(start + header.postScriptLength, bytes.size());
    const std::uint64_t offset = index == 0 ? header.metafileOffset : header.tiffOffset;
    const std::uint64_t length = index == 0 ? header.metafileLength : header.tiffLength;
    const bool outside = (offset >= sizeof raw && offset + length <= start) ||
                         (offset >= end && offset + length <= bytes.size());
    if (!EpsBinaryHeader::startsWithMagic(raw, bytes.size()) || length == 0 || !outside) {
        return std::nullopt;
    }
    return bytes.substr(offset, length);
}

// The rewrite of the master at `path` as it reads now, with `names` for its
// plates, committed; for `rewriting`, of the master as its reading left it
// open (readMasterForRewrite).
inline RewriteResult rewriteAsRead(const std::string& path, const PlateNames& names,
                                   RewriteMode mode = RewriteMode::replace,
                                   ReadingFor reading = ReadingFor::reading) {
    FileReader opened;
    const MasterReading read = reading == ReadingFor::rewriting
                                   ? readMasterForRewrite(path, MasterReach::wholeFile, opened)
                                   : readMasterFile(path);
    PreparedRewrite prepared = prepareRewrite(path, read, names, mode, &opened);
    return prepared.commit();
}

// What broke of the promises of a rewrite of the master at `master`, which
// held `before` and was rewritten with `names` (for its plates as it read)
// with the result `error`;
// empty when all hold. `olderBackup`: what stood at the backup path before;
// `others`: how many other entries the master's folder holds.
inline std::string rewriteViolation(const std::string& master, const std::string& before,
                                    const PlateNames& names, RewriteError error,
                                    const std::optional<std::string>& olderBackup = {},
                                    std::ptrdiff_t others = 0) {
    const std::string backup = backupPath(master), after = readFileBytes(master);
    std::error_code none;
    const bool hasBackup =
        std::filesystem::exists(backup) && !std::filesystem::equivalent(backup, master, none);
    const std::filesystem::path folder = std::filesystem::path(master).parent_path();
    if (std::distance(std::filesystem::directory_iterator(folder), {}) != others + 1 + hasBackup) {
        return "a file is left behind";
    }
    if (error != RewriteError::none) {
        const bool backupKept = olderBackup ? readFileBytes(backup) == *olderBackup : !hasBackup;
        return after != before ? "a refused rewrite changed the master"
               : !backupKept   ? "a refused rewrite changed the backup"
                               : "";
    }
    const std::vector<std::string> old = masterValues(backup);
    std::vector<std::string> written = {old.empty() ? "" : old[0]};
    const std::size_t plates = std::min(names.size(), old.empty() ? 0 : old.size() - 1);
    written.insert(written.end(), names.begin(),
                   names.begin() + static_cast<std::ptrdiff_t>(plates));
    if (readFileBytes(backup) != before) {
        return "the backup does not hold the master's old bytes";
    }
    if (!old.empty() && masterValues(master) != written) {
        return "the master does not read back with the names written";
    }
    for (int index : {0, 1}) {
        if (const auto kept = preview(before, index); kept && preview(after, index) != kept) {
            return "a preview changed";
        }
    }
    if (rewriteAsRead(master, names).error != RewriteError::none ||
        readFileBytes(master) != after) {
        return "the same names written again changed the master";
    }
    return "";
}

inline std::string rewriteViolation(const std::string& master, const std::string& before,
                                    const Names& names, RewriteError error,
                                    const std::optional<std::string>& olderBackup = {},
                                    std::ptrdiff_t others = 0) {
    return rewriteViolation(master, before, PlateNames(names.begin(), names.end()), error,
                            olderBackup, others);
}

} // namespace platelier::testing
