// A plate as a master names it: the colour it carries, the name of the file
// that holds it, as the master writes it, and where its line stands in the
// master. A DCS 1.0 master names four, cyan, magenta, yellow and black, in
// that order, on the four lines of its plate block.
#pragma once

#include <cstdint>
#include <string>

namespace platelier {

struct Plate {
    std::string colour;           // as the program names it ("cyan" in a DCS 1.0 master)
    std::string name;             // the file's name, as the master writes it
    std::uint64_t lineOffset = 0; // of the plate line's first byte in the master
};

} // namespace platelier
