#!/usr/bin/env python3
"""Writes a ZIP whose bytes depend on nothing but the files and one time: the files below one folder,
in name order, each dated at that time (UTC) with the same attributes, deflated at the highest level.
Usage: packaging/make_zip.py OUT.zip FOLDER EPOCH FILE..."""

import sys
import time
import zipfile
from pathlib import Path

# ZIP dates begin in 1980.
EARLIEST = 315532800


def main() -> int:
    out, folder, epoch, *files = sys.argv[1:]
    stamp = time.gmtime(max(int(epoch), EARLIEST))[:6]
    with zipfile.ZipFile(out, "w") as archive:
        for path in sorted(map(Path, files), key=lambda p: p.name):
            entry = zipfile.ZipInfo(f"{folder}/{path.name}", stamp)
            entry.compress_type = zipfile.ZIP_DEFLATED
            entry.create_system = 3
            entry.external_attr = 0o100644 << 16
            archive.writestr(entry, path.read_bytes(), compresslevel=9)
    return 0


if __name__ == "__main__":
    sys.exit(main())
