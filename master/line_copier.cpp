// Block copying of lines. Where readLine's lines start is known without
// reading them: after each CR or LF that is not followed by another one, and
// every `maxLength` bytes along a line that runs longer. So only the bytes
// equal to `first` need a closer look: the one that stands at such a start
// ends the copy.
#include "master/line_copier.h"

#include "master/dsc_syntax.h"
#include "platform/byte_search.h"

#include <string_view>

namespace platelier {

namespace {

// The last CR or LF in bytes[from, end), or npos.
std::size_t lastLineEnd(std::string_view bytes, std::size_t from, std::size_t end) {
    while (end > from) {
        --end;
        if (isLineEnd(bytes[end])) {
            return end;
        }
    }
    return std::string_view::npos;
}

// Walks the input block by block; offsets count from where the copy began.
class LineCopy {
  public:
    LineCopy(char first, int maxLength) : first_(first), maxLength_(maxLength) {}

    // The offset in `bytes` of the first line start holding `first`, or npos.
    std::size_t findLineStart(std::string_view bytes) {
        std::size_t examined = 0;
        for (std::size_t at = findByte(bytes, first_); at != std::string_view::npos;
             at = findByte(bytes, first_, at + 1)) {
            passLineEnds(bytes, examined, at);
            examined = at;
            if ((blockStart_ + at - lineStart_) % static_cast<std::uint64_t>(maxLength_) == 0) {
                return at;
            }
        }
        passLineEnds(bytes, examined, bytes.size());
        blockStart_ += bytes.size();
        return std::string_view::npos;
    }

  private:
    // Notes where the line after the last line end in bytes[from, end) starts.
    void passLineEnds(std::string_view bytes, std::size_t from, std::size_t end) {
        const std::size_t lineEnd = lastLineEnd(bytes, from, end);
        if (lineEnd != std::string_view::npos) {
            lineStart_ = blockStart_ + lineEnd + 1;
        }
    }

    const char first_;
    const int maxLength_;
    std::uint64_t blockStart_ = 0;
    std::uint64_t lineStart_ = 0;
};

} // namespace

bool copyLinesUntilOneStartsWith(char first, int maxLength, FileReader& input, ByteSink& output,
                                 std::uint64_t& written) {
    LineCopy copy(first, maxLength);
    for (std::string_view bytes; !(bytes = input.bufferedBytes()).empty();) {
        const std::size_t found = copy.findLineStart(bytes);
        const std::string_view passed = bytes.substr(0, found);
        if (!output.write(passed.data(), passed.size())) {
            return false;
        }
        input.skipBytes(passed.size());
        written += passed.size();
        if (found != std::string_view::npos) {
            return true;
        }
    }
    return true;
}

} // namespace platelier
