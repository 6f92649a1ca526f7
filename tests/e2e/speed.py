"""The speed of the clipboard commands against their floor, under Wine on a virtual display.

    speed.py --build DIR [--sizes 64K,1M,8M] [--repeats 3] [--goal 1.5] [--json FILE]

For each size and direction (encrypt "v", decrypt "e") of a multi-line German text, it times
  (a) the command: from the menu key to the result on the clipboard, and
  (b) the floor: clipboard_floor.exe, a bare program that only reads the same input and writes it back,
both from the start of the step (the probe that presses the key, or the floor program) to the same
completion signal: X loses the input's owner (Wine has taken the clipboard for the result), then
`xclip -o` reads the expected text. Both include one Wine process start and one read of the whole
text through X. Each is repeated and summarised by its median; the rows are interleaved so that the
load of a shared machine falls on both alike. The method is Caesar (Methode 1), which keeps the line
structure, so the command's text has the lines and length of the floor's.

Prints a Markdown table; exits 1 when a result is wrong or a ratio (a)/(b) is above the goal.
"""

from __future__ import annotations

import argparse
import json
import random
import statistics
import subprocess
import sys
import time
from pathlib import Path

import cipher_reference as ref
from harness import (WINE, CaseFailure, Session, as_program_sees_it, as_x_sees_it, first_difference, in_measurement,
                     measurement_paths, poll, show)

OPTIONS = {"Methode": 1}
# 8 MB stays below the commands' limit of 8 MiB characters, which counts each line break as two.
SIZES = {"64K": 64 * 1024, "1M": 1024 * 1024, "8M": 8_000_000}
COMMANDS = {"encrypt": "v", "decrypt": "e"}
RESULT_TIMEOUT = 600.0

# German prose as it reaches the clipboard: capitals, umlauts and ß, digits, punctuation, lines of
# 60 to 80 characters and now and then an empty line between paragraphs.
WORDS = ("der die das und ist nicht ein eine mit für auf über unter Straße Größe Äpfel Öfen Übung schön "
         "grün Mädchen Brücke Häuser Wörter Fußball heißt müssen können würde Schlüssel Verschlüsselung "
         "Zwischenablage Nachricht Geheimnis Tabelle Spalte Zeile Methode Verschiebung Wandelrose Kölner "
         "Phonetik Bäume Vögel Maß Straßenbahn am im vom zum bei nach seit gegen ohne durch während "
         "wegen trotz heute morgen gestern immer wieder Hamburg München Köln Düsseldorf Nürnberg Jahr "
         "Monat Woche Tag Stunde Minute").split()


def german_text(size: int, seed: int = 1) -> str:
    """At least `size` bytes as the program pastes them (CR LF line breaks), in X's form (LF)."""
    rng = random.Random(seed)
    lines: list[str] = []
    pasted = 0
    while pasted < size:
        width = rng.randint(60, 80)
        line = ""
        while True:
            word = str(rng.randint(1, 2024)) if rng.random() < 0.06 else rng.choice(WORDS)
            if rng.random() < 0.12:
                word += rng.choice(",.;:!?")
            if line and len(line) + 1 + len(word) > width:
                break
            line = f"{line} {word}" if line else word
        lines.append(line)
        pasted += len(line) + 2
        if rng.random() < 0.08:
            lines.append("")
            pasted += 2
    return "\n".join(lines)


def time_to_result(s: Session, what: str, trigger, expected: bytes) -> dict:
    """Runs `trigger` and times it to the result readable on the X clipboard; `changed_s` is when X
    lost the input's owner (Wine took the clipboard), `done_s` when xclip read the expected text."""
    # The xclip that holds the input ends when X hands the selection to Wine for the result.
    owner = s._clip_owner  # pylint: disable=protected-access
    expected_x = as_x_sees_it(expected)
    start = time.monotonic()
    trigger()
    try:
        owner.wait(timeout=RESULT_TIMEOUT)
    except subprocess.TimeoutExpired:
        raise CaseFailure(f"{what}: the clipboard changes", "the result", "still the input") from None
    changed = time.monotonic() - start
    # A request that reaches Wine while it hands the selection on (the copy, then its flush) can go
    # unanswered, and xclip then waits for ever; a short wait and a new request keep such a loss
    # from counting as the command's time.
    seen = poll(RESULT_TIMEOUT, lambda: s.clip_x(timeout=2) == expected_x, 0.02)
    done = time.monotonic() - start
    if not seen:
        raise CaseFailure(f"{what}: the result on the clipboard", show(expected),
                          first_difference(expected, s.clip_exact()))
    return {"changed_s": round(changed, 3), "done_s": round(done, 3)}


def press(s: Session, key: str):
    """Opens the tray menu and returns the trigger that presses `key` in it."""
    s.tray(517)
    if s.probe("wait-menu")[0] != 0:
        raise CaseFailure("the tray menu opens", "a menu", "none")

    def trigger():
        if s.probe("menu-key", key)[0] != 0:
            raise CaseFailure(f"'{key}' chooses a menu item", "the menu closed", "still open")
    return trigger


def floor(s: Session, floor_exe: str):
    def trigger():
        done = s.wine(floor_exe, timeout=RESULT_TIMEOUT)
        if done.returncode != 0:
            raise CaseFailure("the floor program reads and writes the clipboard", "exit code 0",
                              f"{done.returncode}: {done.stderr.decode('latin-1').strip()}")
    return trigger


def one_round(s: Session, floor_exe: str, x_text: str, direction: str) -> list[tuple[str, dict]]:
    """The command and the floor on the same input, one after the other."""
    timings = []
    for kind in ("command", "floor"):
        pasted = s.clip_put(x_text)
        if kind == "floor":
            expected, trigger = pasted, floor(s, floor_exe)
        else:
            forward = direction == "encrypt"
            expected = (ref.encrypt_command if forward else ref.decrypt_command)(pasted, OPTIONS)
            trigger = press(s, COMMANDS[direction])
        timings.append((kind, time_to_result(s, f"{kind}, {direction}, {len(pasted)} bytes", trigger, expected)))
    return timings


def measure(s: Session, floor_exe: str, sizes: list[str], repeats: int) -> list[dict]:
    s.settings(OPTIONS)
    s.start()
    s.wait_form()
    s.expect_tray("the icon is shown", True)
    texts = {}
    for name in sizes:
        plain_x = german_text(SIZES[name])
        texts[name] = {"encrypt": plain_x,
                       "decrypt": as_x_sees_it(ref.encrypt_command(as_program_sees_it(plain_x), OPTIONS))}
    samples = []
    for repeat in range(repeats):
        # A small untimed round first, so that neither side pays for Wine's first-use costs, nor the
        # first row for giving up the previous repeat's largest result (8 MB take the control 0.3 s).
        for direction in COMMANDS:
            one_round(s, floor_exe, texts[sizes[0]][direction][:4000], direction)
        for name in sizes:
            for direction in COMMANDS:
                for kind, timing in one_round(s, floor_exe, texts[name][direction], direction):
                    samples.append({"size": name, "direction": direction, "kind": kind, "repeat": repeat, **timing})
                    print(f"  {name} {direction} {kind}: {timing['done_s']:.2f} s "
                          f"(clipboard taken after {timing['changed_s']:.2f} s)", file=sys.stderr, flush=True)
    return samples


def table(samples: list[dict], sizes: list[str], goal: float) -> tuple[str, bool]:
    def median(name, direction, kind):
        return statistics.median(x["done_s"] for x in samples
                                 if (x["size"], x["direction"], x["kind"]) == (name, direction, kind))

    rows = ["| size | direction | (a) command, s | (b) floor, s | (a)/(b) |", "|---|---|---:|---:|---:|"]
    met = True
    for name in sizes:
        for direction in COMMANDS:
            a, b = median(name, direction, "command"), median(name, direction, "floor")
            met = met and a <= goal * b
            rows.append(f"| {name.replace('K', ' KB').replace('M', ' MB')} | {direction} | {a:.2f} | {b:.2f} "
                        f"| {a / b:.2f} |")
    return "\n".join(rows), met


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", required=True, help="the mingw32 build folder")
    parser.add_argument("--sizes", default="64K,1M,8M")
    parser.add_argument("--repeats", type=int, default=3)
    parser.add_argument("--goal", type=float, default=1.5, help="the largest allowed ratio (a)/(b)")
    parser.add_argument("--json", help="write every sample to this file")
    args = parser.parse_args()
    sizes = args.sizes.split(",")
    if any(name not in SIZES for name in sizes):
        parser.error(f"sizes are among {', '.join(SIZES)}")
    build = Path(args.build).resolve()
    paths = measurement_paths(build, "speed")
    floor_exe = str(build / "tests" / "e2e" / "clipboard_floor.exe")
    missing = [path for path in (paths.probe, paths.program, floor_exe) if not Path(path).exists()]
    if missing:
        print(f"speed: not built: {', '.join(missing)}", file=sys.stderr)
        return 1
    samples = in_measurement(paths, "speed", lambda session: measure(session, floor_exe, sizes, args.repeats))
    if samples is None:
        return 1
    if args.json:
        Path(args.json).write_text(json.dumps(samples, indent=1))
    text, met = table(samples, sizes, args.goal)
    print(text)
    print(f"\ngoal (a) <= {args.goal} x (b): {'met' if met else 'NOT met'} "
          f"(medians of {args.repeats}; Wine {wine_version()})")
    return 0 if met else 1


def wine_version() -> str:
    done = subprocess.run([WINE, "--version"], capture_output=True, text=True)
    return done.stdout.strip()


if __name__ == "__main__":
    sys.exit(main())
