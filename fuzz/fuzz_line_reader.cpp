// Fuzzes readLine, commentValue and the block line copy with the promises of
// line_check.h, for every maximum length from 0 to 63, and 256.
#include "line_check.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int maxLength = data[0] % 64 == 0 ? platelier::masterLineLength : data[0] % 64;
    std::vector<std::string> lines;
    if (!platelier::testing::lineViolation(
             std::string(reinterpret_cast<const char*>(data) + 1, size - 1), maxLength, lines)
             .empty()) {
        std::abort();
    }
    return 0;
}
