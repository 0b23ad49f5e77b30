// A plate as a master names it: the colour it carries, the name of the file
// that holds it, as the master writes it, and where its line stands in the
// master. A DCS 1.0 master names four, cyan, magenta, yellow and black, in
// that order, on the four lines of its plate block; a DCS 2.0 master names
// any number on "%%PlateFile:" lines (plate_file_line.h), each in a file
// beside it or inside the master itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platelier {

struct Plate {
    enum Where {
        file,     // a file in the master's folder
        inMaster, // bytes of the master itself
        elsewhere // another file type or location: not followed
    };

    std::string colour;           // "cyan" in a DCS 1.0 master; the plate's name in a DCS 2.0 one
    std::string name;             // the file's name, as the master writes it (unquoted)
    std::uint64_t lineOffset = 0; // of the plate line's first byte in the master
    Where where = file;
    // DCS 2.0: where the file's name is written in the master, as written
    // (parentheses included when `quoted`).
    std::uint64_t nameOffset = 0;
    std::uint64_t nameLength = 0;
    bool quoted = false;
    // inMaster: the plate's bytes in the master.
    std::uint64_t offset = 0;
    std::uint64_t length = 0;
};

enum class MasterFormat { dcs1, dcs2 };

// A name for each plate of a master, in the order of its plates.
using PlateNames = std::vector<std::string>;

// A path for each plate of a master (empty for a plate without a file), in
// the order of its plates.
using PlatePaths = std::vector<std::string>;

} // namespace platelier
