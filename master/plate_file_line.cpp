// "%%PlateFile:" lines. A PostScript string holds balanced parentheses and
// the escapes \n \r \t \b \f \\ \( \) and \ddd (one to three octal digits);
// a backslash before any other character stands for that character.
#include "master/plate_file_line.h"

#include "platform/ascii_case.h"

#include <algorithm>
#include <charconv>

namespace platelier {

namespace {

constexpr std::string_view blanks = " \t";

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

// The escape at `at` (just after a backslash) appended to `text`; the
// position after it.
std::size_t unescape(std::string_view line, std::size_t at, std::string& text) {
    static constexpr std::string_view letters = "nrtbf", meanings = "\n\r\t\b\f";
    if (at >= line.size()) {
        return at;
    }
    if (isOctal(line[at])) {
        int value = 0;
        std::size_t digits = 0;
        for (; digits < 3 && at + digits < line.size() && isOctal(line[at + digits]); ++digits) {
            value = value * 8 + (line[at + digits] - '0');
        }
        text += static_cast<char>(value & 0xFF);
        return at + digits;
    }
    const std::size_t letter = letters.find(line[at]);
    text += letter == std::string_view::npos ? line[at] : meanings[letter];
    return at + 1;
}

// The PostScript string that begins at `at` (an opening parenthesis),
// unquoted into `text`; the position after its closing parenthesis, or none
// when the line ends inside it.
std::optional<std::size_t> readString(std::string_view line, std::size_t at, std::string& text) {
    int depth = 0;
    for (++at; at < line.size(); ++at) {
        const char c = line[at];
        if (c == '\\') {
            at = unescape(line, at + 1, text) - 1;
        } else if (c == ')' && depth == 0) {
            return at + 1;
        } else {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
            text += c;
        }
    }
    return std::nullopt;
}

std::size_t skipBlanks(std::string_view line, std::size_t at) {
    return std::min(line.find_first_not_of(blanks, at), line.size());
}

// The word at `at`, up to the next blank.
std::string_view word(std::string_view line, std::size_t at) {
    return line.substr(at, line.find_first_of(blanks, at) - at);
}

std::optional<std::uint64_t> number(std::string_view text) {
    std::uint64_t value = 0;
    const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && stop == text.data() + text.size() && !text.empty()
               ? std::make_optional(value)
               : std::nullopt;
}

bool isEps(std::string_view type) {
    return equalIgnoringAsciiCase(std::string(type), "EPS") ||
           equalIgnoringAsciiCase(std::string(type), "EPSF");
}

// Where the plate is: the file named by the rest of the line from `at`.
void readFileName(std::string_view line, std::size_t at, PlateFileLine& plate) {
    plate.where = PlateFileLine::file;
    const std::size_t end = line.find_last_not_of(blanks) + 1;
    plate.nameAt = at;
    if (at < line.size() && line[at] == '(') {
        plate.quoted = true;
        const std::optional<std::size_t> after = readString(line, at, plate.name);
        plate.nameLength = after.value_or(line.size()) - at;
        plate.where = after && skipBlanks(line, *after) == line.size() ? PlateFileLine::file
                                                                       : PlateFileLine::elsewhere;
        return;
    }
    plate.nameLength = at < end ? end - at : 0;
    plate.name = std::string(line.substr(at, plate.nameLength));
}

} // namespace

std::optional<PlateFileLine> parsePlateFileLine(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    if (line.substr(0, plateFileKeyword.size()) != plateFileKeyword) {
        return std::nullopt;
    }
    PlateFileLine plate;
    std::size_t at = skipBlanks(line, plateFileKeyword.size());
    if (at < line.size() && line[at] == '(') {
        const std::optional<std::size_t> after = readString(line, at, plate.colour);
        if (!after) {
            return std::nullopt;
        }
        at = *after;
    } else {
        plate.colour = std::string(word(line, at));
        at += plate.colour.size();
    }
    const std::size_t typeAt = skipBlanks(line, at);
    const std::string_view type = word(line, typeAt);
    const std::size_t whereAt = skipBlanks(line, typeAt + type.size());
    const std::string_view where = word(line, whereAt);
    if (plate.colour.empty() || type.empty() || where.empty()) {
        return std::nullopt;
    }
    const std::size_t restAt = skipBlanks(line, whereAt + where.size());
    if (!isEps(type)) {
        plate.where = PlateFileLine::elsewhere;
    } else if (equalIgnoringAsciiCase(std::string(where), "Local") && restAt < line.size()) {
        readFileName(line, restAt, plate);
    } else if (where.front() == '#') {
        const std::optional<std::uint64_t> offset = number(where.substr(1));
        const std::optional<std::uint64_t> length = number(word(line, restAt));
        const bool whole =
            offset && length && skipBlanks(line, restAt + word(line, restAt).size()) == line.size();
        plate.where = whole ? PlateFileLine::inMaster : PlateFileLine::elsewhere;
        plate.offset = offset.value_or(0);
        plate.length = length.value_or(0);
    }
    return plate;
}

std::optional<std::string> plateFileName(const std::string& name, bool quoted) {
    const bool plain = !name.empty() && std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '(' || c == ')' || c == '\\' ||
               c == 0x7F;
    });
    if (plain && !quoted) {
        return name;
    }
    if (!quoted) {
        return std::nullopt;
    }
    std::string written = "(";
    for (const char c : name) {
        if (c == '(' || c == ')' || c == '\\') {
            written += '\\';
        }
        written += c;
    }
    return written + ")";
}

} // namespace platelier
