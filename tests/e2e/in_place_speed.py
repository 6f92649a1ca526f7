"""The in-place commands' speed under Wine: from the user letting go of the shortcut's keys to the
replaced text in the window, as the window itself sees both moments.

    in_place_speed.py --build DIR [--sizes 1K,64K] [--repeats 5]

A window of the probe's holds a one-line text (a known Caesar shift of it is the expected result),
all of it selected; xdotool presses Strg+Umschalt+X (encrypt) or Strg+Umschalt+Y (decrypt) there. The
probe notes when Strg comes up and when the edit's text changes. Beside it in the same run, the floor:
the same edit pasting the expected result from the clipboard with Strg+V, timed from that key. Prints
a Markdown table of medians; exits 1 when a result is wrong.
"""

from __future__ import annotations

import argparse
import random
import statistics
import sys
from pathlib import Path

import cipher_reference as ref
from harness import CaseFailure, Session, end, in_measurement, measurement_paths

SIZES = {"1K": 1024, "64K": 64 * 1024}
CTRL_SHIFT_X, CTRL_SHIFT_Y = 0x0358, 0x0359


def line(size: int) -> bytes:
    rng = random.Random(size)
    words = "Hallo Welt wir treffen uns um 12 Uhr am Kölner Dom und gehen dann über die Brücke".split()
    text = ""
    while len(text) < size:
        text += rng.choice(words) + " "
    return text[:size].encode("cp1252")


def once(s: Session, text: bytes, keys: str, expected: bytes, timing: str) -> int:
    source = s.work / "in-place.txt"
    source.write_bytes(text)
    editor, out = s.probe_beside(b"focused=1", "the probe's edit takes the focus", "edit-window",
                                 "@" + s.windows_path(source), "15000")
    try:
        s.x("xdotool", "search", "--sync", "--name", "^probe-edit$", "windowfocus", "--sync", timeout=15)
        s.x("xdotool", "key", keys)
    finally:
        end(editor, 30)
    values = dict(line.partition("=")[::2] for line in out.read_text().splitlines())
    if bytes.fromhex(values.get("text", "")) != expected or timing not in values:
        raise CaseFailure(f"{len(text)} bytes are replaced by {keys}", expected[:40], values.get("text", "")[:80])
    return int(values[timing])


def floor(s: Session, text: bytes, expected: bytes) -> int:
    """The same edit pasting the result that is already on the clipboard."""
    result = s.work / "in-place-result.txt"
    result.write_bytes(expected.decode("cp1252").encode("utf-16-le"))
    s.probe("clip-set-unicode", s.windows_path(result))
    return once(s, text, "ctrl+v", expected, "paste-to-replaced-ms")


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True)
    parser.add_argument("--sizes", default="1K,64K")
    parser.add_argument("--repeats", type=int, default=5)
    args = parser.parse_args()
    paths = measurement_paths(Path(args.build).resolve(), "in-place")

    def measure(s: Session) -> list[str]:
        rows = ["| size | direction | median, ms | floor, ms | each, ms |", "|---|---|---:|---:|---|"]
        s.settings({"TastenkuerzelAuswahlVerschluesseln": CTRL_SHIFT_X, "TastenkuerzelAuswahlEntschluesseln": CTRL_SHIFT_Y})
        s.start()
        s.wait_form()
        plain = line(100)
        once(s, plain, "ctrl+shift+x", ref.encrypt_command(plain, {}), "released-to-replaced-ms")  # Wine's first-use costs
        for name in args.sizes.split(","):
            plain = line(SIZES[name])
            cipher = ref.encrypt_command(plain, {})
            for direction, text, keys, expected in (("encrypt", plain, "ctrl+shift+x", cipher),
                                                    ("decrypt", cipher, "ctrl+shift+y", ref.decrypt_command(cipher, {}))):
                times = [once(s, text, keys, expected, "released-to-replaced-ms") for _ in range(args.repeats)]
                floors = [floor(s, text, expected) for _ in range(args.repeats)]
                rows.append(f"| {name.replace('K', ' KB')} | {direction} | {statistics.median(times)} | "
                            f"{statistics.median(floors)} | {', '.join(map(str, times))} |")
        return rows

    rows = in_measurement(paths, "in-place", measure)
    if rows is None:
        return 1
    print("\n".join(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())
