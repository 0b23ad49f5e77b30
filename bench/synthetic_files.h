// The files the benchmark works on, made from fixed seeds so that every run
// measures the same bytes: DCS masters of a chosen size, a master whose
// plate block stands behind a long run of comments, and a crowded folder.
#pragma once

#include "master/channel.h"

#include <array>
#include <cstdint>
#include <string>

namespace platelier::bench {

using PlateNames = PerChannel;

// The plate names the synthetic masters carry.
extern const PlateNames originalNames;

// The names they are rewritten with: of the same lengths, so that a rewrite
// leaves the EPS binary header as it is and sed can write the same bytes.
extern const PlateNames newNames;

// Writes a master of exactly `size` bytes (at least 64 KiB): an EPS binary
// header, a PostScript section of short DSC comment lines (the plate block
// among them) and long hexadecimal image lines, every line ending in CR LF,
// and behind it a binary TIFF preview of an eighth of the file.
bool writeSyntheticMaster(const std::string& path, std::uint64_t size);

// Writes a master without binary header whose title comes first and whose
// plate block follows `commentBytes` bytes of short comment lines.
bool writeCommentHeavyMaster(const std::string& path, std::uint64_t commentBytes);

// Fills the existing `folder` with `count` empty files (at least 5): the
// master IMAGE.EPS, its four separations IMAGE.C, .M, .J and .N, and others
// whose names come close to the separations' patterns without matching.
bool fillFolder(const std::string& folder, int count);

} // namespace platelier::bench
