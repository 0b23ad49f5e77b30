// UTF-8 from bytes of unknown encoding. Windows-1252 leaves five bytes
// undefined (81, 8D, 8F, 90, 9D); like Windows, they are read as the control
// characters of the same number, which the lines for people then escape.
#include "cli/utf8_text.h"

#include <cstdint>

namespace platelier {

namespace {

// The characters of the bytes 80 to 9F; from A0 on, byte and character agree.
constexpr std::uint16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendWindows1252(std::string& text, unsigned char byte) {
    const std::uint32_t c = (byte & 0xE0) == 0x80 ? windows1252High[byte & 0x1F] : byte;
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | c >> 6);
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | c >> 12);
        text += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the valid UTF-8 sequence at `at`, or 0 when none starts
// there: no overlong form (C0 and C1 never lead), no surrogate, nothing past
// U+10FFFF.
std::size_t utf8SequenceLength(const std::string& bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        return 1;
    }
    const std::size_t length = lead >= 0xF8   ? 0
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC2 ? 2
                                              : 0;
    if (length == 0 || at + length > bytes.size()) {
        return 0;
    }
    std::uint32_t c = lead & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        c = c << 6 | (next & 0x3Fu);
    }
    constexpr std::uint32_t shortest[5] = {0, 0, 0x80, 0x800, 0x10000};
    const bool valid = c >= shortest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    return valid ? length : 0;
}

void appendEscape(std::string& text, unsigned char control) {
    const char* named = control == '\t'   ? "\\t"
                        : control == '\n' ? "\\n"
                        : control == '\r' ? "\\r"
                                          : nullptr;
    if (named) {
        text += named;
        return;
    }
    constexpr char digits[] = "0123456789abcdef";
    text += "\\x";
    text += digits[control >> 4];
    text += digits[control & 0xF];
}

// A C1 character U+0080 to U+009F is C2 then the byte 80 to 9F.
std::string controlsEscaped(const std::string& text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const auto next = static_cast<unsigned char>(at + 1 < text.size() ? text[at + 1] : 0);
        if (byte == 0xC2 && (next & 0xE0) == 0x80) {
            appendEscape(escaped, next);
            ++at;
        } else if (byte < 0x20 || byte == 0x7F) {
            appendEscape(escaped, byte);
        } else {
            escaped += text[at];
        }
    }
    return escaped;
}

} // namespace

bool isUtf8(const std::string& bytes) {
    for (std::size_t at = 0, length; at < bytes.size(); at += length) {
        if ((length = utf8SequenceLength(bytes, at)) == 0) {
            return false;
        }
    }
    return true;
}

std::string utf8FromOneEncoding(const std::string& bytes) {
    if (isUtf8(bytes)) {
        return bytes;
    }
    std::string text;
    for (const char byte : bytes) {
        appendWindows1252(text, static_cast<unsigned char>(byte));
    }
    return text;
}

std::string utf8FromMixedEncodings(const std::string& bytes) {
    std::string text;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = utf8SequenceLength(bytes, at);
        if (length == 0) {
            appendWindows1252(text, static_cast<unsigned char>(bytes[at++]));
        } else {
            text.append(bytes, at, length);
            at += length;
        }
    }
    return text;
}

std::string peopleTextFromOneEncoding(const std::string& bytes) {
    return controlsEscaped(utf8FromOneEncoding(bytes));
}

std::string peopleTextFromMixedEncodings(const std::string& bytes) {
    return controlsEscaped(utf8FromMixedEncodings(bytes));
}

} // namespace platelier
