// Fuzzes readLine and commentValue: the lines read with any maximum length
// put back together give the input exactly, no line passes its length by
// more than one byte, and a comment value never holds a line end or blanks
// at its ends.
#include "fuzz_input_file.h"
#include "master/comment_value.h"
#include "master/line_reader.h"

#include <cstdint>
#include <cstdlib>

using namespace platelier;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int maxLength = data[0] % 64 == 0 ? masterLineLength : data[0] % 64;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    FileStream file = FileStream::open(fuzzing::writeScratchFile("lines", bytes), "rb");
    std::string joined;
    std::string line;
    for (int count; (count = readLine(line, maxLength, file)) != 0;) {
        if (static_cast<std::size_t>(count) != line.size() || count > maxLength + 1 ||
            (maxLength <= 1)) {
            std::abort();
        }
        joined += line;
        const std::string value = commentValue(line);
        if (value.find_first_of("\r\n") != std::string::npos ||
            (!value.empty() && (value.front() == ' ' || value.back() == ' '))) {
            std::abort();
        }
    }
    if (maxLength > 1 && joined != bytes) {
        std::abort();
    }
    return 0;
}
