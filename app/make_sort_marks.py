#!/usr/bin/env python3
"""Draws the two sort marks of the update list's column headers as 24-bit
bitmaps for the program's resources, from the pixel rows the program itself
holds (decision/sort_marks.cpp), so that the resources and the program's own
copy cannot differ. Usage: make_sort_marks.py SORT_MARKS_CPP DESCENDING.bmp ASCENDING.bmp"""
import re
import struct
import sys

COLOURS = {".": (200, 208, 212), "g": (128, 128, 128), "w": (255, 255, 255)}


def rows_of(source, name):
    block = re.search(name + r"\s*=\s*\{(.*?)\};", source, re.S)
    if not block:
        sys.exit("make_sort_marks: no " + name + " in the source")
    rows = re.findall(r'"([.gw]+)"', block.group(1))
    if not rows or len({len(r) for r in rows}) != 1:
        sys.exit("make_sort_marks: the rows of " + name + " are not one rectangle")
    return rows


def bitmap(rows):
    """A BMP file: bottom-up rows of blue, green, red, each padded to 4 bytes."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) // 4 * 4
    pixels = b""
    for row in reversed(rows):
        line = b"".join(bytes(reversed(COLOURS[c])) for c in row)
        pixels += line + bytes(stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main():
    source = open(sys.argv[1], encoding="utf-8").read()
    for name, path in (("kDescendingRows", sys.argv[2]), ("kAscendingRows", sys.argv[3])):
        with open(path, "wb") as f:
            f.write(bitmap(rows_of(source, name)))


if __name__ == "__main__":
    main()
