// The program's two dialogs as the user must see them: header, and each
// control in template (and tab) order with its ID, class, text, rectangle in
// dialog units and styles. The template and live-window tests compare
// against these tables.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace platelier::testing {

constexpr std::uint16_t noId = 0xFFFF; // IDC_STATIC, (WORD)-1

enum class ControlClass : std::uint16_t { button = 0x0080, edit = 0x0081, staticText = 0x0082 };

enum class TextKind {
    exact,            // the text as given
    applicationIcon,  // the ordinal of the program's icon, 128
    publisherAddress, // seven non-empty lines
};

struct ControlLayout {
    std::uint16_t id;
    ControlClass windowClass;
    TextKind textKind;
    const char* text;
    std::int16_t x;
    std::int16_t y;
    std::int16_t cx;
    std::int16_t cy;
    DWORD style; // besides WS_CHILD | WS_VISIBLE, which every control has
};

struct DialogLayout {
    int templateId;
    const char* title;
    DWORD style;
    std::int16_t x;
    std::int16_t y;
    std::int16_t cx;
    std::int16_t cy;
    std::uint16_t pointSize;
    const char* faceName;
    std::vector<ControlLayout> controls;
};

constexpr DWORD groupBox = BS_GROUPBOX;
constexpr DWORD label = WS_GROUP | SS_LEFT;
constexpr DWORD field = WS_BORDER | WS_TABSTOP | ES_LEFT;
constexpr DWORD button = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD disabledButton = WS_DISABLED | WS_TABSTOP | BS_PUSHBUTTON;

constexpr ControlClass buttonClass = ControlClass::button;
constexpr ControlClass editClass = ControlClass::edit;
constexpr ControlClass staticClass = ControlClass::staticText;

constexpr TextKind exact = TextKind::exact;

inline const DialogLayout mainDialogLayout = {
    128,
    "Platelier - Utility to edit/manage links between DCS files",
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT,
    17,
    50,
    361,
    210,
    8,
    "MS Sans Serif",
    {
        {noId, buttonClass, exact, "Master file :", 5, 5, 351, 27, groupBox},
        {300, editClass, exact, "", 12, 14, 280, 13, WS_BORDER | ES_LEFT | ES_READONLY},
        {400, buttonClass, exact, "Browse", 300, 13, 50, 13, button},
        {noId, buttonClass, exact, "Names of channels :", 5, 34, 231, 94, groupBox},
        {noId, staticClass, exact, "Master", 8, 44, 36, 9, label},
        {500, editClass, exact, "", 60, 43, 165, 13, field},
        {noId, staticClass, exact, "Cyan", 8, 59, 36, 9, label},
        {501, editClass, exact, "", 60, 58, 165, 13, field},
        {noId, staticClass, exact, "Magenta", 8, 74, 36, 9, label},
        {502, editClass, exact, "", 60, 73, 165, 13, field},
        {noId, staticClass, exact, "Yellow", 8, 89, 36, 9, label},
        {503, editClass, exact, "", 60, 88, 165, 13, field},
        {noId, staticClass, exact, "Black", 8, 104, 36, 9, label},
        {504, editClass, exact, "", 60, 103, 165, 14, field},
        {noId, buttonClass, exact, "Color separation files :", 5, 129, 279, 76, groupBox},
        {noId, staticClass, exact, "Cyan", 8, 139, 36, 9, label},
        {301, editClass, exact, "", 60, 138, 165, 14, field},
        {401, buttonClass, exact, "Browse", 230, 138, 50, 14, button},
        {noId, staticClass, exact, "Magenta", 8, 154, 36, 9, label},
        {302, editClass, exact, "", 60, 153, 165, 13, field},
        {402, buttonClass, exact, "Browse", 230, 153, 50, 13, button},
        {noId, staticClass, exact, "Yellow", 8, 169, 36, 9, label},
        {303, editClass, exact, "", 60, 168, 165, 13, field},
        {403, buttonClass, exact, "Browse", 230, 168, 50, 13, button},
        {noId, staticClass, exact, "Black", 8, 184, 36, 9, label},
        {304, editClass, exact, "", 60, 183, 165, 14, field},
        {404, buttonClass, exact, "Browse", 230, 183, 50, 14, button},
        {noId, staticClass, TextKind::applicationIcon, "", 312, 135, 21, 20, SS_ICON},
        {601, buttonClass, exact, "Rename channels", 244, 38, 112, 29, disabledButton},
        {602, buttonClass, exact, "Rename files", 244, 69, 112, 29, disabledButton},
        {600, buttonClass, exact, "Save all changes", 244, 100, 112, 29, disabledButton},
        {603, buttonClass, exact, "New Fileset", 288, 159, 70, 20, button},
        {604, buttonClass, exact, "Quit", 288, 184, 70, 20, button},
    },
};

inline const DialogLayout aboutDialogLayout = {
    129,
    "About Platelier...",
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME,
    120,
    59,
    169,
    134,
    8,
    "MS Sans Serif",
    {
        {noId, staticClass, TextKind::applicationIcon, "", 4, 108, 21, 20, SS_ICON},
        {noId, staticClass, exact,
         "Utility to edit links between\ncolors seps in a DCS fileset\nVersion 1.0", 12, 7, 148, 32,
         WS_GROUP | SS_CENTER},
        {noId, staticClass, TextKind::publisherAddress, "", 16, 38, 144, 62, WS_GROUP | SS_CENTER},
        {501, buttonClass, exact, "OK", 36, 112, 125, 18, WS_TABSTOP | BS_DEFPUSHBUTTON},
        {noId, staticClass, exact, "", 9, 4, 155, 100, SS_BLACKFRAME},
    },
};

} // namespace platelier::testing
