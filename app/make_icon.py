#!/usr/bin/env python3
"""Draws Quorvale's icon, a white download arrow on a blue rounded square, and
writes it as quorvale.ico (16, 32 and 48 pixels, 32-bit with alpha).
Run it again after changing the drawing; the .ico beside it is its output."""
import struct
import sys
from pathlib import Path

BLUE = (0x2B, 0x6C, 0xD6)
DARK = (0x1A, 0x47, 0x96)
WHITE = (0xFF, 0xFF, 0xFF)


def pixel(x, y, n):
    """Colour and alpha at the centre of pixel (x, y), y downwards, in an n x n icon."""
    u, v = (x + 0.5) / n, (y + 0.5) / n
    r = 0.18  # corner radius, in icon widths
    cx, cy = min(max(u, r), 1 - r), min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0), 0
    shaft = 0.42 <= u <= 0.58 and 0.16 <= v <= 0.52
    head = 0.50 <= v <= 0.74 and abs(u - 0.5) <= (0.74 - v) * 1.15
    tray = 0.80 <= v <= 0.86 and 0.22 <= u <= 0.78
    if shaft or head or tray:
        return WHITE, 255
    return (BLUE if v < 0.5 else DARK), 255


def image(n):
    rows = []
    for y in reversed(range(n)):  # bottom-up, as in a bitmap
        row = b""
        for x in range(n):
            (r, g, b), a = pixel(x, y, n)
            row += bytes((b, g, r, a))
        rows.append(row)
    mask_row = b"\0" * (((n + 31) // 32) * 4)  # alpha decides; the AND mask lets all through
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + mask_row * n


def icon(sizes):
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("quorvale.ico")
    target.write_bytes(icon([16, 32, 48]))
