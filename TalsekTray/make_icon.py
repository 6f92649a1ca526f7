#!/usr/bin/env python3
"""Draws the program icon MAINICON (a padlock on a blue rounded square) and writes TalsekTray.ico
with the sizes the shell asks for at 100 to 200 % display scale: 16, 20, 24, 32, 40, 48, 64 and
256 px, 32 bits per pixel with alpha; the 256 px image as PNG, the others as bitmaps. Standard
library only.

Each size is laid out on its own pixel grid: every straight edge (body, shackle legs, keyhole
slot, frame) falls on a whole pixel, and strokes are at least one or two pixels wide, so the
small images are sharp instead of a shrunken large one. Only the curves are smoothed.

Run from anywhere: python3 TalsekTray/make_icon.py  (writes next to this script)."""

import os
import struct
import zlib

SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_SIZES = (256,)
SUBSAMPLES = 4  # per axis, for the curves' edges

BACKGROUND = (0x1F, 0x5F, 0xA8)
BACKGROUND_EDGE = (0x12, 0x3C, 0x6E)
SHACKLE = (0xD8, 0xDD, 0xE3)
BODY = (0xF2, 0xC2, 0x30)
KEYHOLE = (0x4A, 0x33, 0x00)


def in_rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


class Layout:
    """The padlock's measures for one size, in whole pixels (coordinates are pixel edges)."""

    def __init__(self, s):
        self.s = s
        self.radius = max(2, round(s * 0.19))
        self.frame = max(1, round(s / 24))
        # The body, symmetric about the middle.
        self.body_left = round(s * 0.22)
        self.body_right = s - self.body_left
        self.body_top = round(s * 0.47)
        self.body_bottom = round(s * 0.84)
        self.body_radius = max(1, round(s * 0.06))
        # The shackle: two legs of `stroke` pixels and a half ring over them.
        self.stroke = max(2, round(s * 0.1))
        self.shackle_left = self.body_left + max(1, round(s * 0.05))
        self.shackle_right = s - self.shackle_left
        self.outer = (self.shackle_right - self.shackle_left) / 2
        self.inner = self.outer - self.stroke
        self.arc_y = max(1, round(s * 0.12)) + self.outer
        # The keyhole: a slot of the body's parity, so it sits exactly in the middle; from 32 px on
        # a round head above it.
        self.slot = 2 if s < 40 else 2 * max(1, round(s * 0.03))
        height = self.body_bottom - self.body_top
        self.head = s >= 32
        self.head_y = self.body_top + height * 0.38
        self.head_r = s * 0.07
        self.slot_top = round(self.head_y) if self.head else self.body_top + 1
        self.slot_bottom = self.body_bottom - max(1, round(height * 0.22))

    def colour_at(self, x, y):
        """The colour at a point of the image (pixel units), or None where it is transparent."""
        s, colour = self.s, None
        if in_rounded_rect(x, y, 0, 0, s, s, self.radius):
            f = self.frame
            inner = in_rounded_rect(x, y, f, f, s - f, s - f, max(1, self.radius - f))
            colour = BACKGROUND if inner else BACKGROUND_EDGE
        mid = s / 2
        d2 = (x - mid) ** 2 + (y - self.arc_y) ** 2
        if y < self.arc_y and self.inner ** 2 <= d2 <= self.outer ** 2:
            colour = SHACKLE
        legs = (self.shackle_left <= x < self.shackle_left + self.stroke
                or self.shackle_right - self.stroke <= x < self.shackle_right)
        if legs and self.arc_y <= y < self.body_top:
            colour = SHACKLE
        if in_rounded_rect(x, y, self.body_left, self.body_top, self.body_right, self.body_bottom,
                           self.body_radius):
            colour = BODY
            in_slot = mid - self.slot / 2 <= x < mid + self.slot / 2 and self.slot_top <= y < self.slot_bottom
            in_head = self.head and (x - mid) ** 2 + (y - self.head_y) ** 2 <= self.head_r ** 2
            if in_slot or in_head:
                colour = KEYHOLE
        return colour


def render(size):
    """Rows top to bottom of (r, g, b, a) tuples."""
    layout = Layout(size)
    n = SUBSAMPLES * SUBSAMPLES
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for sy in range(SUBSAMPLES):
                for sx in range(SUBSAMPLES):
                    c = layout.colour_at(px + (sx + 0.5) / SUBSAMPLES, py + (sy + 0.5) / SUBSAMPLES)
                    if c is not None:
                        covered += 1
                        for i in range(3):
                            total[i] += c[i]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                r, g, b = (round(t / covered) for t in total)
                row.append((r, g, b, round(255 * covered / n)))
        rows.append(row)
    return rows


def dib(size):
    """A 32-bit BITMAPINFOHEADER image as icons store it: double height, bottom-up, BGRA, AND mask after."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + pixels + bytes(mask)


def png(size):
    """An 8-bit RGBA PNG, as icons from Windows Vista on store their large images."""
    raw = b"".join(b"\0" + bytes(c for px in row for c in px) for row in render(size))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico(sizes):
    images = [png(s) if s in PNG_SIZES else dib(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


if __name__ == "__main__":
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "TalsekTray.ico")
    with open(target, "wb") as f:
        f.write(ico(SIZES))
    print(target)
