// The system's own rules for the names of files: whether two names name one
// entry of a folder, whether a file can be given a name at all, and which
// file the name of a plate in a master leads to. Linux takes a name as
// bytes; Win32 takes it in UTF-8 (the program's own form of what the wide
// calls take) and ignores letter case for every letter its file systems
// have a case for.
#pragma once

#include <optional>
#include <string>

namespace platelier {

// True when `a` and `b`, as names of entries of one folder, name the same
// entry: byte for byte on Linux; on Win32 with letter case ignored as
// CompareStringOrdinal ignores it (e acute equals E acute). Trailing dots
// and blanks, which Win32 drops from a path, are not ignored: no acceptable
// name has them.
bool sameFileName(const std::string& a, const std::string& b);

// The key of a name for sorting and indexing names as sameFileName compares
// them: two names have the same key exactly when they are the same name. On
// Linux the name itself; on Win32 no name but its upper case in UTF-16
// units, each written as UTF-8 writes it, so that '.', '*' and '?' keep
// their byte and the key of a name's beginning begins the name's key.
std::string fileNameKey(const std::string& name);

// The key under which the system's wildcard search compares names: a name
// matches the wildcard STEM*.EXT exactly when its key begins with the key of
// STEM, ends with the key of ".EXT" and is at least as long as both. On
// Linux the name with the letters A-Z folded, as the program's own search
// has always folded them; on Win32 fileNameKey, whose UTF-16 units are what
// FindFirstFileW matches a '*' with, short names included.
std::string searchKey(const std::string& name);

// True when a file in an existing folder can be given `name` (a name, not a
// path), and a master can name it on a plate line that is read back with
// it. Never the empty name, "." or "..", a name with a folder separator, a
// control character (below 0x20) or a blank at either end, nor one longer
// than 255 bytes on Linux. On Win32 neither a name with one of <>:"/\|?*,
// ending with a dot, longer than 255 UTF-16 units, or that is no UTF-8; nor
// a device name, letter case ignored: CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// COM and LPT followed by a digit 1-9 or a superscript 1, 2 or 3, alone or
// before blanks or an extension ("con .eps"), which Windows before Windows
// 11 opens as the device.
bool acceptableFileName(const std::string& name);

// The name of the file that a plate line's bytes name: on Linux the bytes
// themselves; on Win32 the bytes read in the system's ANSI code page, as
// any program that places the plate opens it.
std::string fileNameOfPlate(const std::string& plateBytes);

// The bytes a plate line names the file `name` with: on Linux the name
// itself; on Win32 the name in the system's ANSI code page, none when one of
// its characters has no byte form of its own there (a best-fit letter names
// another file).
std::optional<std::string> plateOfFileName(const std::string& name);

} // namespace platelier
