#!/usr/bin/env python3
"""The manifest check catches what would break an install: run on a copy of a release's manifests
(scripts/release.sh's, in build/release or the folder given) with one fault put in at a time.
Usage: packaging/manifests_test.py [RELEASE-FOLDER]"""

import re
import shutil
import sys
import tempfile
import unittest
from pathlib import Path

import manifests

# The folder, when given, comes before unittest's own options.
RELEASE = Path(sys.argv.pop(1) if len(sys.argv) > 1 and not sys.argv[1].startswith("-")
               else manifests.ROOT / "build" / "release")
ID = manifests.IDENTIFIER
# Per fault: the manifest, what is changed in it and into what, and what the check must say.
FAULTS = [
    (f"{ID}.installer.yaml", r"InstallerSha256: [0-9A-F]{64}", "InstallerSha256: " + "AB" * 32,
     f"the sum {'AB' * 32} is not TalsekTray-{manifests.program_version()}-win64-setup.exe's"),
    (f"{ID}.locale.de-DE.yaml", r"ShortDescription:", "ShortDescriptio:", "'ShortDescription' is a required property"),
]


class ManifestCheck(unittest.TestCase):
    def copy_of_release(self) -> Path:
        folder = Path(tempfile.mkdtemp())
        self.addCleanup(shutil.rmtree, folder)
        for path in RELEASE.iterdir():
            (shutil.copytree if path.is_dir() else shutil.copy)(path, folder / path.name)
        return folder

    def test_catches_a_wrong_sum_and_a_missing_field(self):
        self.assertEqual(manifests.check(self.copy_of_release()), [])
        for name, old, new, expected in FAULTS:
            with self.subTest(expected):
                folder = self.copy_of_release()
                path = manifests.winget_folder(folder, manifests.program_version()) / name
                text, changed = re.subn(old, new, path.read_text(encoding="utf-8"), count=1)
                self.assertEqual(changed, 1)
                path.write_text(text, encoding="utf-8")
                errors = manifests.check(folder)
                self.assertTrue(any(expected in e for e in errors), errors)


if __name__ == "__main__":
    unittest.main()
