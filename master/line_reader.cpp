// The line reader shared by the master file reader and rewriter. The stream
// hands over each line's bytes up to its first CR or LF in one run from its
// buffer; only the byte after that ending is looked at on its own.
#include "master/line_reader.h"

namespace platelier {

namespace {

bool isLineEnd(int byte) {
    return byte == '\r' || byte == '\n';
}

} // namespace

int readLine(std::string& line, int maxLength, FileStream& file) {
    if (maxLength <= 1) {
        return 0;
    }
    line.clear();
    if (file.appendUpToLineEnd(line, static_cast<std::size_t>(maxLength))) {
        const int next = file.getByte();
        if (isLineEnd(next)) {
            line.push_back(static_cast<char>(next));
        } else if (next != FileStream::endOfFile) {
            file.ungetByte(next);
        }
    }
    return static_cast<int>(line.size());
}

} // namespace platelier
