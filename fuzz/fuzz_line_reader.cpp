// Fuzzes readLine, commentValue and the block line copy: the lines read with
// any maximum length put back together give the input exactly, no line
// passes its length by more than one byte, a comment value never holds a
// line end or blanks at its ends, and the block copy stops where reading
// line by line meets the first line that starts with '%'.
#include "fuzz_input_file.h"
#include "master/comment_value.h"
#include "master/line_copier.h"
#include "master/line_reader.h"

#include <cstdint>
#include <cstdlib>

using namespace platelier;

namespace {

// `before`: the bytes of the lines read before the first that starts with '%'.
void checkLineCopy(const std::string& path, int maxLength, const std::string& before) {
    FileReader input = FileReader::open(path);
    FileWriter output = FileWriter::open(fuzzing::writeScratchFile("copied", ""));
    std::uint64_t written = 0;
    const bool copied = copyLinesUntilOneStartsWith('%', maxLength, input, output, written);
    const int next = input.getByte();
    if (!copied || !output.close()) {
        std::abort();
    }
    const std::string bytes = fuzzing::readScratchFile(fuzzing::scratchFolder() + "copied");
    if (bytes != before || written != bytes.size() ||
        (next != '%' && next != FileReader::endOfFile)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int maxLength = data[0] % 64 == 0 ? masterLineLength : data[0] % 64;
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::string path = fuzzing::writeScratchFile("lines", bytes);
    FileReader file = FileReader::open(path);
    std::string joined;
    std::string beforePercentLine;
    bool percentLineMet = false;
    std::string line;
    for (int count; (count = readLine(line, maxLength, file)) != 0;) {
        if (static_cast<std::size_t>(count) != line.size() || count > maxLength + 1 ||
            (maxLength <= 1)) {
            std::abort();
        }
        if (!percentLineMet && line[0] == '%') {
            percentLineMet = true;
            beforePercentLine = joined;
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
    if (maxLength > 1) {
        checkLineCopy(path, maxLength, percentLineMet ? beforePercentLine : joined);
    }
    return 0;
}
