#!/usr/bin/env python3
"""Checks the program icon file: one 32-bit image for each size the shell asks for from 100 to
200 % display scale, each drawn at its size (the header says so), the 256 px one as PNG.
Usage: icon_test.py TalsekTray.ico"""

import struct
import sys

EXPECTED = [16, 20, 24, 32, 40, 48, 64, 256]


def problems(data):
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind) != (0, 1):
        return [f"not an icon file (header {reserved}, {kind})"]
    found, errors = [], []
    for i in range(count):
        w, h, _, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        size = w or 256
        found.append(size)
        image = data[offset:offset + length]
        if len(image) != length or bits != 32 or planes != 1 or h != w:
            errors.append(f"entry {size}: {len(image)} of {length} bytes, {bits} bits, {planes} planes, {w}x{h}")
        elif image.startswith(b"\x89PNG\r\n\x1a\n"):
            pw, ph, depth, colour = struct.unpack_from(">IIBB", image, 16)
            if size != 256 or (pw, ph, depth, colour) != (256, 256, 8, 6):
                errors.append(f"entry {size}: PNG of {pw}x{ph}, depth {depth}, colour type {colour}")
        else:
            header, bw, bh, _, bcount = struct.unpack_from("<IiiHH", image, 0)
            if size == 256 or (header, bw, bh, bcount) != (40, size, 2 * size, 32):
                errors.append(f"entry {size}: bitmap header {header}, {bw}x{bh}, {bcount} bits")
    if found != EXPECTED:
        errors.append(f"sizes {found}, expected {EXPECTED}")
    return errors


if __name__ == "__main__":
    errors = problems(open(sys.argv[1], "rb").read())
    for e in errors:
        print(f"{sys.argv[1]}: {e}", file=sys.stderr)
    sys.exit(1 if errors else 0)
