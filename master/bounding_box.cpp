// Bounding boxes: their values, and the header comment and trailer lines
// that state them.
#include "master/bounding_box.h"

#include "master/comment_value.h"
#include "master/dsc_syntax.h"
#include "master/line_reader.h"

#include <charconv>

namespace platelier {

namespace {

constexpr std::string_view blanks = " \t";

// A decimal integer with an optional sign and nothing else.
std::optional<std::int64_t> parseInteger(std::string_view token) {
    const bool plus = !token.empty() && token.front() == '+';
    token.remove_prefix(plus ? 1 : 0);
    const char* end = token.data() + token.size();
    std::int64_t value = 0;
    const auto [stop, error] = std::from_chars(token.data(), end, value);
    if (error != std::errc() || stop != end || (plus && token.front() == '-')) {
        return std::nullopt;
    }
    return value;
}

// The box of the last "%%BoundingBox:" line in the last trailerReach bytes of
// the section. Reading starts one byte earlier and passes over the first
// line, so that a line whose start lies before them is not taken whole.
std::optional<BoundingBox> trailerBoundingBox(FileReader& file, const PostScriptSection& section) {
    const bool cut = section.end - section.start > trailerReach;
    const std::uint64_t from = cut ? section.end - trailerReach - 1 : section.start;
    if (!file.seek(from)) {
        return std::nullopt;
    }
    file.limitReading(section.end - from);
    std::string line, last;
    if (cut) {
        readLine(line, masterLineLength, file);
    }
    while (readLine(line, masterLineLength, file) != 0) {
        if (startsWithKeyword(line, boundingBoxKeyword)) {
            last = line;
        }
    }
    return last.empty() ? std::nullopt : parseBoundingBox(commentValue(last));
}

} // namespace

bool operator==(const BoundingBox& left, const BoundingBox& right) {
    return left.lowerLeftX == right.lowerLeftX && left.lowerLeftY == right.lowerLeftY &&
           left.upperRightX == right.upperRightX && left.upperRightY == right.upperRightY;
}

std::optional<BoundingBox> parseBoundingBox(std::string_view value) {
    std::int64_t numbers[4] = {};
    std::size_t count = 0;
    for (std::size_t at = value.find_first_not_of(blanks), end = 0; at != std::string_view::npos;
         at = value.find_first_not_of(blanks, end)) {
        end = value.find_first_of(blanks, at);
        const std::optional<std::int64_t> number = parseInteger(value.substr(at, end - at));
        if (!number || count == 4) {
            return std::nullopt;
        }
        numbers[count++] = *number;
    }
    if (count < 4) {
        return std::nullopt;
    }
    return BoundingBox{numbers[0], numbers[1], numbers[2], numbers[3]};
}

std::string boundingBoxText(const BoundingBox& box) {
    return std::to_string(box.lowerLeftX) + ' ' + std::to_string(box.lowerLeftY) + ' ' +
           std::to_string(box.upperRightX) + ' ' + std::to_string(box.upperRightY);
}

void HeaderComments::look(const std::string& line) {
    if (line.empty() || line.front() != '%' || startsWithKeyword(line, endCommentsKeyword)) {
        ended_ = true;
    } else if (startsWithKeyword(line, boundingBoxKeyword)) {
        boundingBoxValue_ = commentValue(line);
    }
}

void HeaderComments::readOn(FileReader& file, std::uint64_t reach) {
    std::string line;
    for (std::uint64_t read = 0; !ended_ && !boundingBoxValue_ && read < reach;) {
        const int count = readLine(line, masterLineLength, file);
        if (count == 0) {
            return;
        }
        read += static_cast<std::uint64_t>(count);
        follow(line);
    }
}

std::optional<BoundingBox> HeaderComments::boundingBox(FileReader& file,
                                                       const PostScriptSection& section) const {
    if (!boundingBoxValue_) {
        return std::nullopt;
    }
    return *boundingBoxValue_ == atEndValue ? trailerBoundingBox(file, section)
                                            : parseBoundingBox(*boundingBoxValue_);
}

} // namespace platelier
