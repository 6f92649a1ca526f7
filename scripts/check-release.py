#!/usr/bin/env python3
"""Checks a release ZIP and its installer without running them: the ZIP holds one folder named
like itself with both programs and the read-me, nothing else; each program is stripped (no COFF
symbol table), built for the machine type that the package's name says (win64: x86-64, win32:
i386) and within its size budget (win64 400 KB, win32 460 KB); the installer is there. Prints the sizes.
Usage: scripts/check-release.py TalsekTray-<version>-<win64|win32>.zip [SETUP.exe...]"""

import struct
import sys
import zipfile
from pathlib import Path

# Per package: the machine type of its programs and the most bytes each may have.
MACHINES = {"win64": 0x8664, "win32": 0x014C}
LIMITS = {"win64": 400 * 1024, "win32": 460 * 1024}
FILES = ("LIESMICH.txt", "TalsekTray.exe", "talsek.exe")


def coff_header(image: bytes) -> tuple[int, int]:
    """The COFF header's Machine and NumberOfSymbols (0 once the program is stripped)."""
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise ValueError("not a PE file")
    machine, = struct.unpack_from("<H", image, pe + 4)
    symbols, = struct.unpack_from("<I", image, pe + 16)
    return machine, symbols


def main() -> int:
    errors = []
    package = Path(sys.argv[1])
    folder = package.name.removesuffix(".zip")
    system = folder.rsplit("-", 1)[-1]
    machine, limit = MACHINES[system], LIMITS[system]
    with zipfile.ZipFile(package) as z:
        expected = sorted(f"{folder}/{name}" for name in FILES)
        if sorted(z.namelist()) != expected:
            errors.append(f"{package.name}: holds {sorted(z.namelist())}, expected {expected}")
        for member in (m for m in z.namelist() if m.lower().endswith(".exe")):
            image = z.read(member)
            print(f"{member}: {len(image)} bytes")
            if len(image) > limit:
                errors.append(f"{member}: {len(image)} bytes, more than {limit}")
            seen, symbols = coff_header(image)
            if seen != machine:
                errors.append(f"{member}: machine type {seen:#06x}, expected {machine:#06x}")
            if symbols:
                errors.append(f"{member}: not stripped ({symbols} symbols)")
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
