#!/usr/bin/env python3
"""Builds the program icon from its text pixel map.

Usage: make_icon.py PIXEL_MAP ICO_FILE

The pixel map holds 32 rows of 32 hex digits, top row first, each giving a
palette index; lines starting with '#' are comments and blank lines are
skipped. The icon file gets one 32x32 image with 16 colours, every pixel
opaque.
"""

import struct
import sys

SIZE = 32
BITS_PER_PIXEL = 4

# The Windows 16-colour palette as (red, green, blue), in index order.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

HEX_DIGITS = frozenset("0123456789abcdefABCDEF")


class PixelMapError(Exception):
    """The pixel map is not 32 rows of 32 hex digits."""


def read_pixel_map(path):
    """Returns the rows of palette indices, top row first."""
    rows = []
    with open(path, encoding="ascii", errors="replace") as source:
        for number, line in enumerate(source, start=1):
            line = line.rstrip("\r\n")
            if not line or line.startswith("#"):
                continue
            if len(line) != SIZE:
                raise PixelMapError(
                    f"{path}:{number}: row has {len(line)} characters, expected {SIZE}")
            for column, char in enumerate(line, start=1):
                if char not in HEX_DIGITS:
                    raise PixelMapError(
                        f"{path}:{number}:{column}: {char!r} is not a hex digit")
            rows.append([int(char, 16) for char in line])
    if len(rows) != SIZE:
        raise PixelMapError(f"{path}: {len(rows)} rows, expected {SIZE}")
    return rows


def icon_image(rows):
    """Returns the DIB of one icon image: header, palette, XOR and AND masks."""
    xor_mask = bytearray()
    for row in reversed(rows):  # a DIB stores its bottom row first
        for left, right in zip(row[0::2], row[1::2]):
            xor_mask.append(left << 4 | right)
    and_row_bytes = (SIZE + 31) // 32 * 4
    and_mask = bytes(and_row_bytes * SIZE)  # all zero: every pixel opaque

    header = struct.pack(
        "<IiiHHIIiiII",
        40,                             # biSize
        SIZE,                           # biWidth
        SIZE * 2,                       # biHeight: XOR and AND masks together
        1,                              # biPlanes
        BITS_PER_PIXEL,                 # biBitCount
        0,                              # biCompression: BI_RGB
        len(xor_mask) + len(and_mask),  # biSizeImage
        0, 0,                           # biXPelsPerMeter, biYPelsPerMeter
        0, 0)                           # biClrUsed, biClrImportant: all 16
    palette = b"".join(struct.pack("<BBBB", blue, green, red, 0)
                       for red, green, blue in PALETTE)
    return header + palette + bytes(xor_mask) + and_mask


def icon_file(image):
    """Wraps one image in an icon directory."""
    directory = struct.pack("<HHH", 0, 1, 1)  # reserved, type icon, one image
    entry = struct.pack(
        "<BBBBHHII",
        SIZE, SIZE,              # width, height
        len(PALETTE),            # colour count
        0,                       # reserved
        1,                       # planes
        BITS_PER_PIXEL,          # bit count
        len(image),              # bytes in the image
        len(directory) + 16)     # offset of the image: just after this entry
    return directory + entry + image


def main(argv):
    if len(argv) != 3:
        print(f"usage: {argv[0]} PIXEL_MAP ICO_FILE", file=sys.stderr)
        return 2
    try:
        rows = read_pixel_map(argv[1])
    except (OSError, PixelMapError) as error:
        print(f"{argv[0]}: {error}", file=sys.stderr)
        return 1
    with open(argv[2], "wb") as output:
        output.write(icon_file(icon_image(rows)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
