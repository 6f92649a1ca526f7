#!/usr/bin/env python3
"""Draws the program icon MAINICON (a padlock on a blue rounded square) and writes TalsekTray.ico
with a 16x16 and a 32x32 image, 32 bits per pixel with alpha. Standard library only.

Run from anywhere: python3 TalsekTray/make_icon.py  (writes next to this script)."""

import os
import struct

SUBSAMPLES = 4  # per axis, for smooth edges

BACKGROUND = (0x1F, 0x5F, 0xA8)
BACKGROUND_EDGE = (0x12, 0x3C, 0x6E)
SHACKLE = (0xD8, 0xDD, 0xE3)
BODY = (0xF2, 0xC2, 0x30)
KEYHOLE = (0x4A, 0x33, 0x00)


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """The colour at a point of the unit square, or None where the icon is transparent."""
    colour = None
    if in_rounded_rect(x, y, 0.0, 0.0, 1.0, 1.0, 0.18):
        inner = in_rounded_rect(x, y, 0.05, 0.05, 0.95, 0.95, 0.14)
        colour = BACKGROUND if inner else BACKGROUND_EDGE
    # Shackle: the upper half of a ring, with straight legs down into the body.
    cx, cy, outer, inner_r = 0.5, 0.40, 0.21, 0.12
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    if y <= cy and inner_r ** 2 <= d2 <= outer ** 2:
        colour = SHACKLE
    if cy <= y <= 0.50 and (cx - outer <= x <= cx - inner_r or cx + inner_r <= x <= cx + outer):
        colour = SHACKLE
    if in_rounded_rect(x, y, 0.22, 0.46, 0.78, 0.86, 0.06):
        colour = BODY
        if (x - 0.5) ** 2 + (y - 0.61) ** 2 <= 0.065 ** 2 or (0.47 <= x <= 0.53 and 0.61 <= y <= 0.76):
            colour = KEYHOLE
    return colour


def render(size):
    """Rows top to bottom of (b, g, r, a) tuples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SUBSAMPLES):
                for sx in range(SUBSAMPLES):
                    c = colour_at((px + (sx + 0.5) / SUBSAMPLES) / size, (py + (sy + 0.5) / SUBSAMPLES) / size)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += c[i]
            n = SUBSAMPLES * SUBSAMPLES
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(t / covered) for t in total)
                row.append((b, g, r, round(255 * covered / n)))
        rows.append(row)
    return rows


def dib(size):
    """A 32-bit BITMAPINFOHEADER image as icons store it: double height, bottom-up, AND mask after."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def ico(sizes):
    images = [dib(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "TalsekTray.ico")
    with open(target, "wb") as f:
        f.write(ico([16, 32]))
    print(target)
