// Bounding boxes: their values, and the header comment and trailer lines
// that state them.
#include "master/bounding_box.h"

#include "master/comment_value.h"
#include "master/dsc_syntax.h"
#include "master/line_reader.h"

#include <charconv>
#include <cmath>

namespace platelier {

namespace {

constexpr std::string_view blanks = " \t";

// A decimal number with an optional sign, digits and a fraction after a
// point, and nothing else: what DSC writers put in a box. Read without the
// C library's locale, whose decimal point may be another.
std::optional<double> parseNumber(std::string_view token) {
    const bool negative = !token.empty() && token.front() == '-';
    token.remove_prefix(!token.empty() && (token.front() == '-' || token.front() == '+') ? 1 : 0);
    const bool digits = token.find_first_of("0123456789") != std::string_view::npos;
    const char* end = token.data() + token.size();
    double value = 0;
    const auto [stop, error] = std::from_chars(token.data(), end, value, std::chars_format::fixed);
    if (!digits || token.front() == '-' || error != std::errc() || stop != end ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

// The boxes of the last "%%BoundingBox:" and "%%HiResBoundingBox:" lines in
// the last trailerReach bytes of the section. Reading starts one byte earlier
// and passes over the first line, so that a line whose start lies before
// them is not taken whole.
PageBoxes trailerBoxes(FileReader& file, const PostScriptSection& section) {
    const bool cut = section.end - section.start > trailerReach;
    const std::uint64_t from = cut ? section.end - trailerReach - 1 : section.start;
    file.seek(from);
    file.limitReading(section.end - from);
    std::string line, box, hiRes;
    if (cut) {
        readLine(line, masterLineLength, file);
    }
    while (readLine(line, masterLineLength, file) != 0) {
        if (startsWithKeyword(line, boundingBoxKeyword)) {
            box = line;
        } else if (startsWithKeyword(line, hiResBoundingBoxKeyword)) {
            hiRes = line;
        }
    }
    return {parseBoundingBox(commentValue(box)), parseBoundingBox(commentValue(hiRes))};
}

bool sameBox(const BoundingBox& a, const BoundingBox& b) {
    const auto near = [](double x, double y) { return std::fabs(x - y) <= boxTolerance; };
    return near(a.lowerLeftX, b.lowerLeftX) && near(a.lowerLeftY, b.lowerLeftY) &&
           near(a.upperRightX, b.upperRightX) && near(a.upperRightY, b.upperRightY);
}

// Six decimals, then the zeros that end them, and the point, dropped. The
// program keeps the C library's own locale, whose decimal point is '.'.
std::string numberText(double value) {
    std::string text = std::to_string(value);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') {
        text.pop_back();
    }
    return text == "-0" ? "0" : text;
}

} // namespace

SamePage samePage(const PageBoxes& a, const PageBoxes& b) {
    if (a.hiRes && b.hiRes) {
        return sameBox(*a.hiRes, *b.hiRes) ? SamePage::yes : SamePage::no;
    }
    if (a.box && b.box) {
        return sameBox(*a.box, *b.box) ? SamePage::yes : SamePage::no;
    }
    return SamePage::unknown;
}

std::optional<BoundingBox> parseBoundingBox(std::string_view value) {
    double numbers[4] = {};
    std::size_t count = 0;
    for (std::size_t at = value.find_first_not_of(blanks), end = 0; at != std::string_view::npos;
         at = value.find_first_not_of(blanks, end)) {
        end = value.find_first_of(blanks, at);
        const std::optional<double> number = parseNumber(value.substr(at, end - at));
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
    return numberText(box.lowerLeftX) + ' ' + numberText(box.lowerLeftY) + ' ' +
           numberText(box.upperRightX) + ' ' + numberText(box.upperRightY);
}

void HeaderComments::look(const std::string& line) {
    if (line.empty() || line.front() != '%' || startsWithKeyword(line, endCommentsKeyword)) {
        ended_ = true;
    } else if (!boxValue_ && startsWithKeyword(line, boundingBoxKeyword)) {
        boxValue_ = commentValue(line);
    } else if (!hiResValue_ && startsWithKeyword(line, hiResBoundingBoxKeyword)) {
        hiResValue_ = commentValue(line);
    }
}

void HeaderComments::readOn(FileReader& file, std::uint64_t reach) {
    std::string line;
    for (std::uint64_t read = 0; !ended_ && !(boxValue_ && hiResValue_) && read < reach;) {
        const int count = readLine(line, masterLineLength, file);
        if (count == 0) {
            return;
        }
        read += static_cast<std::uint64_t>(count);
        follow(line);
    }
}

PageBoxes HeaderComments::boxes(FileReader& file, const PostScriptSection& section) const {
    const bool deferred =
        (boxValue_ && *boxValue_ == atEndValue) || (hiResValue_ && *hiResValue_ == atEndValue);
    const PageBoxes atEnd = deferred ? trailerBoxes(file, section) : PageBoxes();
    const auto stated = [](const std::optional<std::string>& value,
                           const std::optional<BoundingBox>& deferredBox) {
        return !value                 ? std::nullopt
               : *value == atEndValue ? deferredBox
                                      : parseBoundingBox(*value);
    };
    return {stated(boxValue_, atEnd.box), stated(hiResValue_, atEnd.hiRes)};
}

} // namespace platelier
