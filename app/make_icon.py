#!/usr/bin/env python3
"""Draws the program's icon: a green disc with a white downward arrow over a
bar, the sign of an update arriving. Writes a .ico with 16, 24, 32 and 48 pixel
images (32-bit colour with alpha), drawn from the same shapes at each size with
4x4 supersampling. Usage: make_icon.py OUTPUT.ico"""
import struct
import sys

GREEN = (46, 139, 87)
DARK = (27, 94, 58)
WHITE = (255, 255, 255)


def coverage(size, inside):
    """Fraction of each pixel (4x4 samples) for which inside(x, y) holds, x and
    y in 0..1 over the icon."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = 0
            for sy in range(4):
                for sx in range(4):
                    x = (px + (sx + 0.5) / 4) / size
                    y = (py + (sy + 0.5) / 4) / size
                    hits += inside(x, y)
            row.append(hits / 16)
        rows.append(row)
    return rows


def disc(x, y):
    return (x - 0.5) ** 2 + (y - 0.5) ** 2 <= 0.47 ** 2


def ring(x, y):
    return disc(x, y) and (x - 0.5) ** 2 + (y - 0.5) ** 2 >= 0.42 ** 2


def arrow(x, y):
    shaft = 0.42 <= x <= 0.58 and 0.18 <= y <= 0.52
    head = 0.50 <= y <= 0.72 and abs(x - 0.5) <= (0.72 - y) * 1.05
    bar = 0.24 <= x <= 0.76 and 0.76 <= y <= 0.84
    return shaft or head or bar


def image(size):
    body = coverage(size, disc)
    edge = coverage(size, ring)
    sign = coverage(size, arrow)
    pixels = []
    for py in range(size):
        for px in range(size):
            a = body[py][px]
            colour = [GREEN[i] * (1 - edge[py][px]) + DARK[i] * edge[py][px] for i in range(3)]
            s = sign[py][px]
            colour = [colour[i] * (1 - s) + WHITE[i] * s for i in range(3)]
            r, g, b = (int(round(c)) for c in colour)
            pixels.append((b, g, r, int(round(a * 255))))
    return pixels


def bmp_entry(size, pixels):
    """A DIB for an icon entry: header with doubled height, bottom-up BGRA
    rows, then an all-zero AND mask (alpha decides)."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = b"".join(
        bytes(c for p in pixels[y * size:(y + 1) * size] for c in p) for y in reversed(range(size))
    )
    mask_row = ((size + 31) // 32) * 4
    return header + rows + bytes(mask_row * size)


def main():
    sizes = [16, 24, 32, 48]
    entries = [bmp_entry(s, image(s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for size, data in zip(sizes, entries):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(entries)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
