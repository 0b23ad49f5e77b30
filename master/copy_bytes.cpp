// Chunked copying between streams.
#include "master/copy_bytes.h"

#include <algorithm>

namespace platelier {

bool copyBytes(FileReader& input, ByteSink& output, std::uint64_t count) {
    char chunk[2048];
    while (count > 0) {
        const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(count, sizeof chunk));
        if (input.read(chunk, size) != size || !output.write(chunk, size)) {
            return false;
        }
        count -= size;
    }
    return true;
}

} // namespace platelier
