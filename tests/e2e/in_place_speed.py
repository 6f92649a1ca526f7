"""The in-place commands' speed under Wine: from the user letting go of the shortcut's keys to the
replaced text in the window, as the window itself sees both moments.

    in_place_speed.py --build DIR [--sizes 1K,64K] [--repeats 5]

A window of the probe's holds a one-line text (a known Caesar shift of it is the expected result),
all of it selected; xdotool presses Strg+Umschalt+X there. The probe notes when Strg comes up and
when the edit's text changes. Prints a Markdown table of medians; exits 1 when a result is wrong.
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
CTRL_SHIFT_X = 0x0358


def line(size: int) -> bytes:
    rng = random.Random(size)
    words = "Hallo Welt wir treffen uns um 12 Uhr am Kölner Dom und gehen dann über die Brücke".split()
    text = ""
    while len(text) < size:
        text += rng.choice(words) + " "
    return text[:size].encode("cp1252")


def once(s: Session, text: bytes) -> int:
    source = s.work / "in-place.txt"
    source.write_bytes(text)
    editor, out = s.probe_beside(b"focused=1", "the probe's edit takes the focus", "edit-window",
                                 "@" + s.windows_path(source), "15000")
    try:
        s.x("xdotool", "search", "--sync", "--name", "^probe-edit$", "windowfocus", "--sync", timeout=15)
        s.x("xdotool", "key", "ctrl+shift+x")
    finally:
        end(editor, 30)
    values = dict(line.partition("=")[::2] for line in out.read_text().splitlines())
    expected = ref.encrypt_command(text, {})
    if bytes.fromhex(values.get("text", "")) != expected or "released-to-replaced-ms" not in values:
        raise CaseFailure(f"{len(text)} bytes are replaced by their encryption", expected[:40], values.get("text", "")[:80])
    return int(values["released-to-replaced-ms"])


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True)
    parser.add_argument("--sizes", default="1K,64K")
    parser.add_argument("--repeats", type=int, default=5)
    args = parser.parse_args()
    paths = measurement_paths(Path(args.build).resolve(), "in-place")

    def measure(s: Session) -> list[str]:
        rows = ["| size | median, ms | each, ms |", "|---|---:|---|"]
        s.settings({"TastenkuerzelAuswahlVerschluesseln": CTRL_SHIFT_X})
        s.start()
        s.wait_form()
        once(s, line(100))  # Wine's first-use costs are nobody's measurement
        for name in args.sizes.split(","):
            times = [once(s, line(SIZES[name])) for _ in range(args.repeats)]
            rows.append(f"| {name.replace('K', ' KB')} | {statistics.median(times)} | {', '.join(map(str, times))} |")
        return rows

    rows = in_measurement(paths, "in-place", measure)
    if rows is None:
        return 1
    print("\n".join(rows))
    return 0


if __name__ == "__main__":
    sys.exit(main())
