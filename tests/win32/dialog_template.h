// Reads a classic dialog template (DLGTEMPLATE and its DLGITEMTEMPLATEs) as
// the resource compiler stored it in the program, so that a test can check
// the template itself rather than what the dialog manager made of it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platelier::testing {

// A template field that holds either a string or 0xFFFF and an ordinal.
struct NameOrOrdinal {
    bool isOrdinal = false;
    std::uint16_t ordinal = 0;
    std::string name; // Windows-1252
};

struct DialogItemTemplate {
    std::uint32_t style = 0;
    std::uint32_t extendedStyle = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t cx = 0;
    std::int16_t cy = 0;
    std::uint16_t id = 0;
    NameOrOrdinal windowClass;
    NameOrOrdinal text;
    std::uint16_t creationDataSize = 0;
};

struct DialogTemplate {
    std::uint32_t style = 0;
    std::uint32_t extendedStyle = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t cx = 0;
    std::int16_t cy = 0;
    NameOrOrdinal menu;
    NameOrOrdinal windowClass;
    std::string title;
    std::uint16_t pointSize = 0; // with DS_SETFONT only
    std::string faceName;
    std::vector<DialogItemTemplate> items;
};

// Parses `size` bytes of a classic template. Throws std::runtime_error on an
// extended template or one that runs past its end.
DialogTemplate parseDialogTemplate(const unsigned char* bytes, std::size_t size);

// The RT_DIALOG resource `id` of `module`, parsed. Throws std::runtime_error
// when the module has no such resource.
DialogTemplate loadDialogTemplate(HMODULE module, int id);

} // namespace platelier::testing
