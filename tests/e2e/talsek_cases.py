"""End-to-end cases of the options editor talsek.exe: the real editor, started by the real tray
program or on its own, under Wine on the harness's virtual display.

    talsek_cases.py --state FILE --talsek TALSEK.EXE --dialog-probe DIALOG_PROBE.EXE [--case SUBSTRING]

The environment (display, Wine prefix, probe.exe, the tray program) is the one that `harness.py setup`
made. dialog_probe.exe sets the dialog's controls and reads the settings key byte for byte. Expected
cipher results and stored keys come from cipher_reference.py, never from the programs.
"""

from __future__ import annotations

import argparse
import shutil
import subprocess
import sys
from pathlib import Path

import cipher_reference as ref
from cases import CTRL_SHIFT_V, FIRST_OPTION_WARNING, VK_V, WARNING_CAPTION, beenden, start_with_icon
from harness import WINE, CaseFailure, end, Session, State, existing_state, run_case, show

CAPTION = b"Talsek-Optionen"
APP_TITLE = b"talsek"  # the application title from "talsek.exe": its first letter as it stands
FIRST_OPTION_REASON = b"Es wurden noch keine Optionen gespeichert. Bitte speichern Sie sie jetzt."
SAVE_BOX = b"Optionen in Registierung speichern"
METHOD_NAMES = [b"Spaltentransposition", b"Caesar-Verschiebung", b"ROT13", b"Verschiebung um 128", "Vigenère".encode("cp1252")]
REG_SZ, REG_DWORD = 1, 4


def dword(n: int) -> tuple[int, bytes]:
    return REG_DWORD, (n & 0xFFFFFFFF).to_bytes(4, "little")


def sz(text: bytes) -> tuple[int, bytes]:
    return REG_SZ, text + b"\0"


class Editor:
    """talsek.exe as the cases drive it: its copy in the work folder, its dialog through dialog_probe."""

    def __init__(self, s: Session, talsek: str, dialog_probe: str):
        self.s, self.talsek, self.dialog_probe = s, Path(talsek), dialog_probe
        self.started: list[subprocess.Popen] = []

    @property
    def folder(self) -> Path:
        folder = self.s.work / "editor"
        folder.mkdir(exist_ok=True)
        exe = folder / "talsek.exe"
        if not exe.exists() or exe.stat().st_mtime != self.talsek.stat().st_mtime:
            shutil.copy2(self.talsek, exe)
        return folder

    def windows_folder(self) -> str:
        return self.s.windows_path(self.folder, True)

    def start(self, *args: str) -> subprocess.Popen:
        log = open(self.s.work / "logs" / "talsek-editor.log", "ab")
        process = subprocess.Popen([WINE, str(self.folder / "talsek.exe"), *args], env=self.s.env,
                                   cwd=self.s.work / "empty", stdin=subprocess.DEVNULL, stdout=log, stderr=log)
        self.started.append(process)
        return process

    def probe(self, *args: str) -> tuple[int, dict]:
        return self.s.run_probe(self.dialog_probe, "dialog_probe", *args)

    def must(self, what: str, *args: str) -> dict:
        rc, values = self.probe(*args)
        if rc != 0:
            raise CaseFailure(what, "done", f"dialog_probe {' '.join(args)} failed")
        return values

    def wait(self, timeout_ms: int = 20000) -> dict:
        rc, values = self.probe("wait-dialog", str(timeout_ms))
        if rc != 0:
            # Which programs run tells a start that never happened from a dialog that never showed.
            processes = self.s.wine("winedbg", "--command", "info proc").stdout.decode("latin-1")
            raise CaseFailure("the options dialog appears", "a visible \"TalsekOptionen\" window",
                              f"none within {timeout_ms} ms; running:\n{processes}")
        return values

    def state(self) -> dict:
        """Texts as bytes, check marks and visibility as bools, the method as its index."""
        raw = self.must("the options dialog can be read", "state")
        state = {}
        for key, value in raw.items():
            if key.endswith(".text") or key == "caption":
                state[key] = bytes.fromhex(value)
            elif key.endswith((".checked", ".visible")) or key in ("iconic", "foreground"):
                state[key] = value == "1"
            else:
                state[key] = int(value) if value.lstrip("-").isdigit() else value
        return state

    def set_text(self, control: str, text: bytes) -> None:
        self.must(f"{control} takes {show(text)}", "set-text", control, text.hex())

    def set_check(self, control: str, checked: bool) -> None:
        self.must(f"{control} is {'ticked' if checked else 'cleared'}", "set-check", control, "1" if checked else "0")

    def set_hotkey(self, control: str, value: int) -> None:
        self.must(f"{control} takes the shortcut {value:#06x}", "set-hotkey", control, str(value))

    def select(self, method: int) -> None:
        self.must(f"method {method} is chosen", "select", str(method))

    def click(self, button: str) -> None:
        self.must(f"\"{button}\" is clicked", "click", button)

    def expect_closed(self, what: str, process: subprocess.Popen | None = None) -> None:
        rc, _ = self.probe("no-dialog", "10000")
        self.s.check(f"{what}: the dialog closes", 0, rc)
        if process is not None:
            self.s.expect_exit(f"{what}: talsek.exe ends with exit code 0", process, 0)

    def registry(self) -> dict | None:
        """The settings key as {name: (type, data)}, or None when it does not exist."""
        raw = self.must("the settings key can be read", "reg-dump")
        if raw.get("key") == "absent":
            return None
        values = {}
        for key, value in raw.items():
            # The unnamed default value is no setting: Wine's "reg add KEY" makes one, the editor never does.
            if key.startswith("value.") and key != "value.":
                kind, _, data = value.partition(":")
                values[key[len("value."):]] = (int(kind), bytes.fromhex(data))
        return values

    def close(self) -> None:
        # Boxes first (they are modal over the dialog), then the dialog, then whatever is left.
        self.s.close_boxes()
        if self.probe("wait-dialog", "300")[0] == 0:
            self.probe("click", "cancel")
            self.probe("no-dialog", "5000")
        for process in self.started:
            end(process)


CASES = []


def case(fn):
    CASES.append(fn)
    return fn


def every_value(folder: str, **changes) -> dict:
    """The whole key as the editor writes it for the tray program's defaults, with `changes`."""
    values = {"Programmpfad": folder.encode("cp1252"), "CaesarVerschiebung": 2, "Methode": 1,
              "MatrixQuadratisch": True, "Spaltenzahl": 5, "VigenereSchluessel": b"Wandelrose",
              "SonderzeichenIgnorieren": False, "Kleinschrift": False, "Grossschrift": False,
              "LeerzeichenLoeschen": False, "UmlauteErsetzen": False, "ZwischenablageLeerenNach": 0,
              "TastenkuerzelVerschluesseln": 0, "TastenkuerzelEntschluesseln": 0,
              "TastenkuerzelAuswahlVerschluesseln": 0, "TastenkuerzelAuswahlEntschluesseln": 0, **changes}
    stored = {}
    for name, value in values.items():
        if name == "VigenereSchluessel":
            stored[name] = sz(ref.stored_key(value))
        elif isinstance(value, bytes):
            stored[name] = sz(value)
        else:
            stored[name] = dword(int(value))
    return stored


# ---- the cases ----------------------------------------------------------------------------------------

@case
def the_tray_menus_options_command_opens_the_editor_and_the_next_encryption_uses_its_choice(s: Session, e: Editor):
    folder = e.windows_folder()
    tray = start_with_icon(s, {"Programmpfad": folder, "Methode": 1})
    s.menu("t")
    e.wait()
    state = e.state()
    s.check("the dialog's caption", CAPTION, state["caption"])
    s.check("it opens with the stored method", (1, b"Caesar-Verschiebung"), (state["methode.index"], state["methode.text"]))
    s.check("... and the defaults for values not stored",
            (b"2", b"5", b"Wandelrose", True, False),
            (state["caesar.text"], state["spaltenzahl.text"], state["schluessel.text"], state["quadratisch.checked"],
             state["sonderzeichen.checked"]))
    s.check("settings found in the registry are saved there again by default", (SAVE_BOX, True),
            (state["speichern.text"], state["speichern.checked"]))
    s.check("no reason line in the options mode", False, state["hinweis.visible"])

    e.select(4)
    e.set_text("schluessel", b"Geheimnis")
    e.set_check("sonderzeichen", True)
    e.click("ok")
    e.expect_closed("OK with valid inputs")
    s.check("every value is written with the type the tray program reads",
            every_value(folder, Methode=4, VigenereSchluessel=b"Geheimnis", SonderzeichenIgnorieren=True),
            e.registry())

    options = {"Methode": 4, "VigenereSchluessel": b"Geheimnis", "SonderzeichenIgnorieren": True}
    plain = s.clip_put("Hallo Welt, mein Geheimnis!")
    cipher = ref.encrypt_command(plain, options)
    s.menu("v")
    s.expect_clipboard("the next encryption uses the method and key chosen in the dialog", plain, cipher)
    s.menu("e")
    s.expect_clipboard("and decryption gives the text back", cipher, plain)
    beenden(s, tray)


@case
def the_editor_shows_every_stored_value_and_names_the_five_methods(s: Session, e: Editor):
    s.settings({"Programmpfad": "C:\\anderswo\\", "CaesarVerschiebung": 25, "Methode": 0, "MatrixQuadratisch": 0,
                "Spaltenzahl": 100, "VigenereSchluessel": ref.stored_key(b"abcXYZ").decode(),
                "SonderzeichenIgnorieren": 1, "Kleinschrift": 1, "Grossschrift": 1, "LeerzeichenLoeschen": 1,
                "UmlauteErsetzen": 1, "TastenkuerzelVerschluesseln": CTRL_SHIFT_V,
                "TastenkuerzelEntschluesseln": 0x0B2D})
    editor = e.start("-onlyoption")
    e.wait()
    state = e.state()
    s.check("the stored values, the key deciphered",
            (0, b"25", False, b"100", b"abcXYZ", True, True, True, True, True, CTRL_SHIFT_V, 0x0B2D),
            (state["methode.index"], state["caesar.text"], state["quadratisch.checked"], state["spaltenzahl.text"],
             state["schluessel.text"], state["sonderzeichen.checked"], state["umlaute.checked"],
             state["kleinschrift.checked"], state["grossschrift.checked"], state["leerzeichen.checked"],
             state["kuerzel_v.hotkey"], state["kuerzel_e.hotkey"]))
    s.check("the controls' names",
            [b"Quadratische Matrix", b"Sonderzeichen ignorieren", b"Umlaute ersetzen", b"Kleinschrift",
             "Großschrift".encode("cp1252"), "Leerzeichen löschen".encode("cp1252"), b"OK", b"Abbrechen"],
            [state[f"{c}.text"] for c in ("quadratisch", "sonderzeichen", "umlaute", "kleinschrift", "grossschrift",
                                          "leerzeichen", "ok", "cancel")])
    names = []
    for method in range(5):
        e.select(method)
        names.append(e.state()["methode.text"])
    s.check("the five methods in the order of their codes", METHOD_NAMES, names)
    e.click("cancel")
    e.expect_closed("\"Abbrechen\"", editor)


@case
def a_refused_input_is_named_in_a_box_and_nothing_is_written(s: Session, e: Editor):
    s.settings({"Methode": 2, "VigenereSchluessel": ref.stored_key(b"Alt").decode()})
    before = e.registry()
    editor = e.start()
    e.wait()
    refusals = [
        ("schluessel", b"Geheim1", b"Alt",
         "Der Vigenère-Schlüssel darf nur die Buchstaben A bis Z und a bis z enthalten.\r\n"
         'Das Zeichen "1" an Stelle 7 ist nicht erlaubt.'),
        ("schluessel", b"", b"Alt",
         "Bitte geben Sie einen Vigenère-Schlüssel ein.\r\nErlaubt sind die Buchstaben A bis Z und a bis z."),
        ("caesar", b"26", b"2",
         "26 bei Caesar-Verschiebung liegt nicht im erlaubten Bereich.\r\nErlaubt sind die Zahlen von 0 bis 25."),
        ("spaltenzahl", b"abc", b"5",
         '"abc" bei Spaltenzahl ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von 1 bis 100.'),
        ("kuerzel_v", 0x0156, 0,
         "Umschalt+V ist als Tastenkürzel für Verschlüsseln nicht möglich:\r\n"
         "Ohne Strg oder Alt finge TalsekTray die Taste in jedem Programm ab, und sie wirkte dort nicht mehr. "
         "Nur F1 bis F24 gehen auch allein."),
        ("leeren", b"3601", b"0",
         "3601 bei Sekunden bis zum Löschen liegt nicht im erlaubten Bereich.\r\n"
         "Erlaubt sind die Zahlen von 0 bis 3600."),
        ("kuerzel_ae", 0x0156, 0,
         "Umschalt+V ist als Tastenkürzel für Markierten Text entschlüsseln nicht möglich:\r\n"
         "Ohne Strg oder Alt finge TalsekTray die Taste in jedem Programm ab, und sie wirkte dort nicht mehr. "
         "Nur F1 bis F24 gehen auch allein."),
    ]

    def enter(control: str, value) -> None:
        if control.startswith("kuerzel"):
            e.set_hotkey(control, value)
        else:
            e.set_text(control, value)

    for control, bad, good, message in refusals:
        enter(control, bad)
        e.click("ok")
        s.expect_box(f"OK with {control} {show(bad)}", CAPTION, message.encode("cp1252"), "warning")
        s.click_ok()
        s.check(f"after {control} {show(bad)} the dialog stays open", 1, e.state()["count"])
        s.check(f"after {control} {show(bad)} nothing is written", before, e.registry())
        enter(control, good)
    e.click("cancel")
    e.expect_closed("\"Abbrechen\" after the refusals", editor)
    s.check("nothing is written at all", before, e.registry())


@case
def cancel_and_an_unticked_save_write_nothing(s: Session, e: Editor):
    s.reg_delete_key()
    editor = e.start()
    e.wait()
    state = e.state()
    s.check("without stored settings and without -firstoption, saving starts unticked", False,
            state["speichern.checked"])
    s.check("... and no reason line is shown", False, state["hinweis.visible"])
    e.select(3)
    e.click("ok")
    e.expect_closed("OK with saving unticked", editor)
    s.check("OK with saving unticked writes nothing", None, e.registry())

    editor = e.start()
    e.wait()
    e.set_check("speichern", True)
    e.select(0)
    e.click("cancel")
    e.expect_closed("\"Abbrechen\" with saving ticked", editor)
    s.check("\"Abbrechen\" writes nothing", None, e.registry())


@case
def firstoption_after_the_tray_warning_ticks_save_says_why_and_creates_the_key(s: Session, e: Editor):
    # No key: the tray program's path stays empty and it looks for talsek.exe in its current folder.
    folder = e.folder
    tray = start_with_icon(s, None, cwd=folder)
    s.menu("t")
    s.expect_box("the options command without settings", WARNING_CAPTION, FIRST_OPTION_WARNING, "warning")
    s.click_ok()
    e.wait()
    state = e.state()
    s.check("-firstoption: saving starts ticked", True, state["speichern.checked"])
    s.check("-firstoption: the one-line reason is shown", (True, FIRST_OPTION_REASON),
            (state["hinweis.visible"], state["hinweis.text"]))
    e.click("ok")
    e.expect_closed("OK at the first start")
    s.check("the key is created with every value and the editor's own folder",
            every_value(e.windows_folder()), e.registry())

    plain = s.clip_put("Hallo Welt")
    s.menu("v")
    s.expect_clipboard("the tray program reads the saved settings (Caesar 2)", plain, b"Jcnnq Ygnv")
    # That command refreshed the options: the key is found now, so no warning and no -firstoption.
    s.menu("t")
    e.wait()
    s.no_box_for(500)
    s.check("started with -onlyoption, the reason line is hidden", False, e.state()["hinweis.visible"])
    e.click("cancel")
    e.expect_closed("\"Abbrechen\"")
    beenden(s, tray)


@case
def a_value_of_the_wrong_type_is_reported_and_saving_mends_it(s: Session, e: Editor):
    s.settings({"CaesarVerschiebung": 9, "Methode": ("REG_SZ", "3")})
    editor = e.start("-onlyoption")
    s.expect_box("a wrong type when the editor reads the key", APP_TITLE,
                 "Ungültiger Datentyp für 'Methode'".encode("cp1252"), "error", timeout_ms=20000)
    s.click_ok()
    e.wait()
    state = e.state()
    s.check("the values read before the broken one are shown, the broken one keeps its default",
            (b"9", 1), (state["caesar.text"], state["methode.index"]))
    e.click("ok")
    e.expect_closed("OK after the read error", editor)
    s.check("saving writes the method anew as a REG_DWORD", dword(1), (e.registry() or {}).get("Methode"))


@case
def a_second_start_brings_the_open_dialog_to_the_front_and_ends_with_0(s: Session, e: Editor):
    s.settings({"Methode": 2})
    first = e.start()
    e.wait()
    e.must("the dialog can be minimised", "minimize")
    second = e.start("-onlyoption")
    s.expect_exit("the second start ends with exit code 0", second, 0, timeout=20)
    state = e.state()
    s.check("still one dialog", 1, state["count"])
    s.check("the first dialog is restored and in front", (False, True), (state["iconic"], state["foreground"]))
    s.check("the first editor is still running", None, first.poll())
    e.click("cancel")
    e.expect_closed("\"Abbrechen\" in the first dialog", first)


@case
def a_shortcut_saved_in_the_editor_works_at_once_in_the_running_tray_program(s: Session, e: Editor):
    folder = e.windows_folder()
    tray = start_with_icon(s, {"Programmpfad": folder, "Methode": 2})
    s.menu("t")
    e.wait()
    s.check("no shortcut is stored yet", (0, 0), (e.state()["kuerzel_v.hotkey"], e.state()["kuerzel_e.hotkey"]))
    e.set_hotkey("kuerzel_v", CTRL_SHIFT_V)
    e.click("ok")
    e.expect_closed("OK with a shortcut")
    s.check("the shortcut is written as a REG_DWORD beside the other values",
            every_value(folder, Methode=2, TastenkuerzelVerschluesseln=CTRL_SHIFT_V), e.registry())
    plain = s.clip_put("Hallo Welt")
    s.check("with no command run since, the key is the tray program's hotkey", False, VK_V in s.press("ctrl+shift+v"))
    s.expect_clipboard("Strg+Umschalt+V encrypts with ROT13", plain, ref.rot13(plain))
    beenden(s, tray)


@case
def beside_each_other_in_a_folder_outside_the_code_page_a_double_click_opens_the_editor(s: Session, e: Editor):
    folder = s.work / "Benutzer \u0141\u00f3d\u017a \u03a3\u03bf\u03c6\u03af\u03b1"
    folder.mkdir(exist_ok=True)
    shutil.copy2(e.talsek, folder / "talsek.exe")
    tray = start_with_icon(s, {"Methode": 2}, folder=folder)  # no "Programmpfad": the program's own folder
    s.tray(515)
    e.wait()
    caption = e.state()["caption"]
    print(f"launcher: {s.windows_path(folder, True)} -> window {caption.decode('cp1252')!r}")
    s.check("the double-click opens the editor's dialog", CAPTION, caption)
    s.no_box_for(500)
    e.click("ok")
    e.expect_closed("OK in the editor started from there")
    stored = e.must("the settings key can be read", "reg-dump").get("wide.Programmpfad", "")
    s.check("\"Programmpfad\" reads back as the folder, every letter", s.windows_path(folder, True),
            bytes.fromhex(stored).decode("utf-16-le").rstrip("\0"))
    s.tray(515)  # the tray program took the saved folder: the editor opens from it again
    e.wait()
    # An installer ends the editor by a registered message, also while a box is open: nothing is saved.
    before = e.registry()
    e.set_text("caesar", b"26")
    e.click("ok")
    s.wait_box()
    s.check("the message reaches the editor", 0, s.probe("post-registered", "TalsekOptionen",
                                                         "TalsekOptionenSofortBeenden")[0])
    e.expect_closed("the installer's message with a box open")
    s.check("... and nothing is written", before, e.registry())
    beenden(s, tray)


# ---- the runner ---------------------------------------------------------------------------------------

def run(state: State, talsek: str, dialog_probe: str, only: str | None) -> int:
    cases = [fn for fn in CASES if not only or only in fn.__name__]
    failed = []
    for fn in cases:
        s = Session(state, "talsek")
        e = Editor(s, talsek, dialog_probe)
        if not run_case(s, "talsek", fn, lambda: fn(s, e), (e.close, s.close)):
            failed.append(fn)
    print(f"talsek: {len(cases) - len(failed)} of {len(cases)} cases passed")
    return 1 if failed or not cases else 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--state", required=True)
    parser.add_argument("--talsek", required=True, help="the built talsek.exe")
    parser.add_argument("--dialog-probe", required=True)
    parser.add_argument("--case", help="run only the cases whose name contains this")
    args = parser.parse_args()
    state = existing_state(args.state)
    return run(state, args.talsek, args.dialog_probe, args.case) if state else 1


if __name__ == "__main__":
    sys.exit(main())
