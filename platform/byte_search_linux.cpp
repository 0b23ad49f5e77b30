// The byte search on Linux: glibc's memchr, which reads the bytes in the
// widest registers the processor has.
#include "platform/byte_search.h"

namespace platelier {

std::size_t findByte(std::string_view bytes, char byte, std::size_t from) {
    return bytes.find(byte, from);
}

} // namespace platelier
