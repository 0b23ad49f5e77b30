// The promises of readLine and of the block copy that stands in for it,
// checked on any bytes: used by the line reader's tests and its fuzzer.
#pragma once

#include "fixtures.h"
#include "master/comment_value.h"
#include "master/line_copier.h"
#include "master/line_reader.h"

#include <vector>

namespace platelier::testing {

// What broke of the promises on `bytes` read with `maxLength`, empty when
// all hold: each line counted, at most `maxLength` + 1 bytes long, the lines
// together giving the bytes, no comment value with a line end or outer
// blanks, and the block copy ending where reading line by line meets the
// first line that starts with '%'. `lines` receives the lines read.
inline std::string lineViolation(const std::string& bytes, int maxLength,
                                 std::vector<std::string>& lines) {
    TempFolder folder({"in=" + bytes});
    FileReader file = FileReader::open(folder.file("in"));
    std::string line, joined, before;
    for (int count; (count = readLine(line, maxLength, file)) != 0;
         lines.push_back(line), joined += line) {
        const std::string value = commentValue(line);
        if (static_cast<std::size_t>(count) != line.size() || count > maxLength + 1 ||
            value.find_first_of("\r\n") != std::string::npos ||
            (!value.empty() && (value.front() == ' ' || value.back() == ' '))) {
            return "line " + std::to_string(lines.size()) + " breaks a promise";
        }
        before += before.size() == joined.size() && line[0] != '%' ? line : "";
    }
    if (!line.empty() || joined != (maxLength > 1 ? bytes : "")) {
        return "the lines do not give the bytes back";
    }
    if (maxLength < 2) {
        return ""; // nothing was read
    }
    FileReader input = FileReader::open(folder.file("in"));
    FileWriter output = FileWriter::create(folder.file(""), {});
    FileSink sink(output);
    std::uint64_t written = 0;
    const bool copied = copyLinesUntilOneStartsWith('%', maxLength, input, sink, written);
    std::string rest(bytes.size(), '\0');
    rest.resize(input.read(rest.data(), rest.size()));
    if (!copied || !output.close() || written != before.size() ||
        readFileBytes(output.path()) != before || rest != bytes.substr(before.size())) {
        return "the block copy does not stop where the lines do";
    }
    return "";
}

} // namespace platelier::testing
