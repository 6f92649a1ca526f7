"""Copies of a plain text left in TalsekTray's memory after its commands, read from outside with
VirtualQueryEx and ReadProcessMemory as any program of the same user can (`probe mem-scan`).

    memory_copies.py --build DIR

For a short (7 characters), a middling (15) and a long (40) distinctive plain text: after a
decryption from the menu, after an encryption of it and after an in-place decryption, each once the
clipboard holds another text, how often the text lies in the program's committed memory in code page
1252, UTF-16 and UTF-32; and, as the control, the same right after the decryption while the text is
still the clipboard's. A measurement to look at, not a test.
"""

from __future__ import annotations

import argparse
import sys
import time
from pathlib import Path

import cipher_reference as ref
from cases import in_place
from harness import Session, in_measurement, measurement_paths

CTRL_SHIFT_Y = 0x0359
TEXTS = ["Qxzwvkb", "Qxzwvkb Lorapmi", "Qxzwvkb Lorapmi Tenfuzy Wombak Ostrigel 9"]


def copies(s: Session, plain: bytes) -> str:
    _, found = s.probe("mem-scan", bytes(b ^ 0x5A for b in plain).hex())
    return "/".join(found.get(k, "?") for k in ("cp1252", "utf16", "utf32"))


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True)
    args = parser.parse_args()
    paths = measurement_paths(Path(args.build).resolve(), "memory")

    def measure(s: Session) -> list[str]:
        rows = ["| text | while on the clipboard | after decrypting | after encrypting | after in place |",
                "|---|---|---|---|---|"]
        s.settings({"TastenkuerzelAuswahlEntschluesseln": CTRL_SHIFT_Y})
        s.start()
        s.wait_form()
        for text in TEXTS:
            plain = text.encode("cp1252")
            cipher = ref.encrypt_command(plain, {})
            s.clip_put(cipher.decode("cp1252"))
            s.menu("e")
            s.expect_clipboard("the decryption", cipher, plain)
            control = copies(s, plain)
            s.clip_put("anders")
            time.sleep(1)
            decrypted = copies(s, plain)
            s.clip_put(text)
            s.menu("v")
            s.expect_clipboard("the encryption", plain, cipher)
            s.clip_put("anders")
            time.sleep(1)
            encrypted = copies(s, plain)
            in_place(s, cipher, "ctrl+shift+y")
            s.clip_put("anders")
            time.sleep(1)
            rows.append(f"| {len(text)} characters | {control} | {decrypted} | {encrypted} | {copies(s, plain)} |")
        return rows

    rows = in_measurement(paths, "memory", measure)
    if rows is None:
        return 1
    print("Copies found, as code page 1252 / UTF-16 / UTF-32:")
    print("\n".join(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())
