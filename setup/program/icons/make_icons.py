#!/usr/bin/env python3
"""Writes the installer's icons (32x32, 16 colours) from their pixel-art sources.

Each NAME.txt holds 32 lines of 32 characters, one per pixel: '.' is transparent, and
0-9 a-f pick a colour of the standard 16-colour palette. Run it after changing a drawing:
    python3 setup/program/icons/make_icons.py
The .ico files it writes are committed; the build only reads them.
"""
import os
import struct
import sys

PALETTE = [  # (blue, green, red) of the 16 standard colours
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128),
    (128, 128, 0), (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0),
    (0, 255, 255), (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255)]
# Colour order above is the Windows VGA palette in BGR: 0 black, 1 dark red, 2 dark green,
# 3 olive, 4 navy, 5 purple, 6 teal, 7 silver, 8 grey, 9 red, a lime, b yellow, c blue,
# d fuchsia, e aqua, f white.
SIZE = 32


def read_pixels(path):
    rows = [line.rstrip("\n") for line in open(path, encoding="ascii")]
    if len(rows) != SIZE or any(len(row) != SIZE for row in rows):
        sys.exit(f"{path}: want {SIZE} lines of {SIZE} characters")
    return rows


def ico_bytes(rows):
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        for x in range(0, SIZE, 2):
            pair = [0 if c == "." else int(c, 16) for c in row[x:x + 2]]
            xor.append(pair[0] << 4 | pair[1])
        bits = 0
        for x, c in enumerate(row):
            if c == ".":
                bits |= 1 << (SIZE - 1 - x)
        mask += bits.to_bytes(4, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name in ("disk", "setup", "corvane"):
        rows = read_pixels(os.path.join(here, name + ".txt"))
        with open(os.path.join(here, name + ".ico"), "wb") as out:
            out.write(ico_bytes(rows))


if __name__ == "__main__":
    main()
