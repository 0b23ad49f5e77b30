// The line reader shared by the master file reader and rewriter.
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
    for (int taken = 0; taken < maxLength; ++taken) {
        const int byte = file.getByte();
        if (byte == FileStream::endOfFile) {
            break;
        }
        line.push_back(static_cast<char>(byte));
        if (isLineEnd(byte)) {
            const int next = file.getByte();
            if (isLineEnd(next)) {
                line.push_back(static_cast<char>(next));
            } else if (next != FileStream::endOfFile) {
                file.ungetByte(next);
            }
            break;
        }
    }
    return static_cast<int>(line.size());
}

} // namespace platelier
