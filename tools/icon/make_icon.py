#!/usr/bin/env python3
"""Draws the console's window icon (a mains outlet with a power lamp) and
writes it as a 32 x 32, 32-bit .ico file: make_icon.py OUT.ico"""
import struct
import sys

SIZE = 32


def pixel(x, y):
    """BGRA colour of one pixel of the icon."""
    cx, cy = x - 15.5, y - 15.5
    r2 = cx * cx + cy * cy
    if r2 > 15.5 * 15.5:
        return (0, 0, 0, 0)                       # outside: transparent
    if r2 > 13.5 * 13.5:
        return (90, 70, 40, 255)                  # dark blue rim
    if abs(cx + 5) < 1.6 and -6 < cy < 2:
        return (40, 40, 40, 255)                  # left pin slot
    if abs(cx - 5) < 1.6 and -6 < cy < 2:
        return (40, 40, 40, 255)                  # right pin slot
    if (cx * cx + (cy - 7) ** 2) < 3.2 ** 2:
        return (40, 40, 230, 255)                 # red power lamp
    return (235, 225, 215, 255)                   # light face


def main():
    out = sys.argv[1]
    rows = []
    for y in range(SIZE - 1, -1, -1):             # bottom-up rows
        rows.append(b"".join(bytes(pixel(x, y)) for x in range(SIZE)))
    xor = b"".join(rows)
    and_mask = b"\x00" * (SIZE * 4)               # 32 rows of 32 bits, alpha decides
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    icon = struct.pack("<HHH", 0, 1, 1)
    icon += struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    with open(out, "wb") as f:
        f.write(icon + image)


if __name__ == "__main__":
    main()
