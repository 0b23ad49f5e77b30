// The line reader shared by the master file reader and rewriter. Each line's
// bytes up to its first CR or LF are taken from the stream's buffer in runs;
// only the byte after that ending is looked at on its own.
#include "master/line_reader.h"

#include "master/dsc_syntax.h"

#include <algorithm>
#include <cstring>

namespace platelier {

namespace {

// The offset of the first CR or LF in `bytes`, or npos. Two memchr passes
// (for LF, then for CR before it) outrun a search byte by byte.
std::size_t firstLineEnd(std::string_view bytes) {
    const auto* lineFeed = static_cast<const char*>(std::memchr(bytes.data(), '\n', bytes.size()));
    const std::size_t beforeLineFeed =
        lineFeed ? static_cast<std::size_t>(lineFeed - bytes.data()) : bytes.size();
    const auto* carriageReturn =
        static_cast<const char*>(std::memchr(bytes.data(), '\r', beforeLineFeed));
    if (carriageReturn) {
        return static_cast<std::size_t>(carriageReturn - bytes.data());
    }
    return lineFeed ? beforeLineFeed : std::string_view::npos;
}

// Appends the next bytes up to and including the first CR or LF, at most
// `maxCount` of them; true when the last one appended is that CR or LF.
bool appendUpToLineEnd(std::string& line, std::size_t maxCount, FileReader& file) {
    for (std::string_view bytes; maxCount > 0 && !(bytes = file.bufferedBytes()).empty();) {
        bytes = bytes.substr(0, maxCount);
        const std::size_t lineEnd = firstLineEnd(bytes);
        const std::size_t run = std::min(lineEnd, bytes.size() - 1) + 1;
        line.append(bytes.data(), run);
        file.skipBytes(run);
        maxCount -= run;
        if (lineEnd != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

int readLine(std::string& line, int maxLength, FileReader& file) {
    if (maxLength <= 1) {
        return 0;
    }
    line.clear();
    if (appendUpToLineEnd(line, static_cast<std::size_t>(maxLength), file)) {
        const int next = file.getByte();
        if (isLineEnd(next)) {
            line.push_back(static_cast<char>(next));
        } else if (next != FileReader::endOfFile) {
            file.ungetByte(next);
        }
    }
    return static_cast<int>(line.size());
}

} // namespace platelier
