// File names on Win32: UTF-8 inside the program, compared in UTF-16 by
// CompareStringOrdinal with letter case ignored, the comparison Windows
// offers for file names, which its directory search makes too; refused as
// the Win32 path rules refuse them or take them for devices. Plate names are
// bytes in the ANSI code page, as the programs that place plates read them.
#include "platform/file_names.h"

#include "platform/utf16.h"

#include <algorithm>
#include <string_view>
#include <windows.h>

namespace platelier {

namespace {

bool isUtf8(const std::string& name) {
    return name.empty() || MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, name.data(),
                                               static_cast<int>(name.size()), nullptr, 0) != 0;
}

void appendAsUtf8(std::string& text, wchar_t unit) {
    const auto byte = [&](unsigned value) { text += static_cast<char>(value); };
    if (unit < 0x80) {
        byte(unit);
    } else if (unit < 0x800) {
        byte(0xC0 | unit >> 6);
        byte(0x80 | (unit & 0x3F));
    } else {
        byte(0xE0 | unit >> 12);
        byte(0x80 | (unit >> 6 & 0x3F));
        byte(0x80 | (unit & 0x3F));
    }
}

bool equalIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// What comes before the first dot, without trailing blanks, is what the
// system takes for a device.
bool isDeviceName(std::wstring_view name) {
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    stem = stem.substr(0, stem.find_last_not_of(L' ') + 1);
    const std::wstring_view portDigits = L"123456789\u00B9\u00B2\u00B3";
    if (stem.size() == 4 && portDigits.find(stem[3]) != std::wstring_view::npos) {
        return equalIgnoringCase(stem.substr(0, 3), L"COM") ||
               equalIgnoringCase(stem.substr(0, 3), L"LPT");
    }
    const std::wstring_view devices[] = {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"};
    return std::any_of(std::begin(devices), std::end(devices),
                       [&](std::wstring_view device) { return equalIgnoringCase(stem, device); });
}

} // namespace

bool sameFileName(const std::string& a, const std::string& b) {
    return equalIgnoringCase(utf16FromUtf8(a), utf16FromUtf8(b));
}

// Each UTF-16 unit upper-cased on its own, as the comparison does it: a
// surrogate pair, which LCMapStringEx would upper-case, keeps its case.
// UTF-8 keeps the order of the units, a surrogate written on its own too.
std::string fileNameKey(const std::string& name) {
    std::string key;
    for (const wchar_t unit : utf16FromUtf8(name)) {
        wchar_t upper = unit;
        if (!IS_HIGH_SURROGATE(unit) && !IS_LOW_SURROGATE(unit)) {
            LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, &unit, 1, &upper, 1, nullptr,
                          nullptr, 0);
        }
        appendAsUtf8(key, upper);
    }
    return key;
}

std::string searchKey(const std::string& name) {
    return fileNameKey(name);
}

bool acceptableFileName(const std::string& name) {
    const std::wstring wide = utf16FromUtf8(name);
    if (!isUtf8(name) || wide.empty() || wide.size() > 255) {
        return false;
    }
    const bool refused = std::any_of(wide.begin(), wide.end(), [](wchar_t c) {
        return c < 0x20 || std::wstring_view(L"<>:\"/\\|?*").find(c) != std::wstring_view::npos;
    });
    return !refused && wide.front() != L' ' && wide.back() != L'.' && wide.back() != L' ' &&
           !isDeviceName(wide);
}

std::string fileNameOfPlate(const std::string& plateBytes) {
    const int size = static_cast<int>(plateBytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, plateBytes.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, plateBytes.data(), size, wide.data(), units);
    return utf8FromUtf16(wide);
}

// Without best fit a character the code page lacks becomes its default
// character, and the bytes read back as another name: that of no file of
// this one. A system whose ANSI code page is UTF-8 takes no such flag.
std::optional<std::string> plateOfFileName(const std::string& name) {
    const std::wstring wide = utf16FromUtf8(name);
    const int size = static_cast<int>(wide.size());
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int bytes =
        WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string plate(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_ACP, flags, wide.data(), size, plate.data(), bytes, nullptr, nullptr);
    if (fileNameOfPlate(plate) != name) {
        return std::nullopt;
    }
    return plate;
}

} // namespace platelier
