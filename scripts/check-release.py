#!/usr/bin/env python3
"""Checks the release programs in the ZIP: each is stripped (no COFF symbol table) and at most
400 KB; prints the sizes of the programs and of the installers given after the ZIP.
Usage: scripts/check-release.py PACKAGE.zip [SETUP.exe...]"""

import struct
import sys
import zipfile
from pathlib import Path

LIMIT = 400 * 1024


def symbols(image: bytes) -> int:
    """The COFF header's NumberOfSymbols: 0 once the program is stripped."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    return struct.unpack_from("<I", image, pe + 16)[0]


def main() -> int:
    errors = []
    with zipfile.ZipFile(sys.argv[1]) as z:
        for member in (m for m in z.namelist() if m.lower().endswith(".exe")):
            image = z.read(member)
            print(f"{member}: {len(image)} bytes")
            if len(image) > LIMIT:
                errors.append(f"{member}: {len(image)} bytes, more than {LIMIT}")
            if symbols(image):
                errors.append(f"{member}: not stripped ({symbols(image)} symbols)")
    for setup in sys.argv[2:]:
        if Path(setup).is_file():
            print(f"{setup}: {Path(setup).stat().st_size} bytes")
        else:
            errors.append(f"{setup}: missing")
    for e in errors:
        print(e, file=sys.stderr)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
