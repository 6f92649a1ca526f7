"""The end-to-end cases: TalsekTray as a user meets it, under Wine on a virtual display.

    cases.py --state FILE --group GROUP [--case SUBSTRING]

Each case starts from a clean desk (no program running, the settings key as the case makes it, a
known clipboard) and checks exact results; a failure names the case, prints what was expected and
what was seen, and leaves a screenshot in the artefacts folder. Expected cipher results come from
cipher_reference.py, never from the program.
"""

from __future__ import annotations

import argparse
import shutil
import subprocess
import sys
import time
from pathlib import Path

import cipher_reference as ref
from harness import WINE, CaseFailure, Session, State, end, existing_state, poll, run_case, show

# The program's texts, in code page 1252.
TITLE = b"Talsektray"
ALREADY_RUNNING = "TalsekTray läuft bereits!".encode("cp1252")
NO_SETTINGS = "Kein Registry-Eintrag für Talsek-Optionen gefunden.\r\nStart mit Standardoptionen".encode("cp1252")
INFO_CAPTION = b"TalsekTray-Info"
ERROR_CAPTION = b"Fehler"
WARNING_CAPTION = b"Warnung"
FIRST_OPTION_WARNING = ('Bitte wählen Sie die Option "Optionen in Registierung speichern"\r\n'
                        "im Hauptprogramm von Talsek!").encode("cp1252")
BUSY = ("Die Zwischenablage wird gerade von einem anderen Programm benutzt.\r\n"
        "Bitte versuchen Sie es noch einmal; die Zwischenablage bleibt unverändert.").encode("cp1252")
TOO_LONG_9_MIB = ("Der Text ist mit 9.437.184 Zeichen zu lang; TalsekTray verarbeitet höchstens 8.388.608 Zeichen.\r\n"
                  "Die Zwischenablage bleibt unverändert.").encode("cp1252")
NOTHING_SELECTED = ("Es ist kein Text markiert, oder das Fenster nimmt keine Eingaben von TalsekTray an (zum Beispiel "
                    "ein als Administrator gestartetes Programm).\r\nDie Zwischenablage bleibt unverändert.").encode("cp1252")
TERMINAL = ("Das Fenster im Vordergrund ist eine Konsole oder ein Terminal: dort würde Strg+C das laufende "
            "Programm abbrechen, und TalsekTray sendet deshalb keine Tasten dorthin.\r\nKopieren Sie den Text dort "
            "selbst und wählen Sie „Zwischenablage verschlüsseln“ oder „Zwischenablage entschlüsseln“ im Menü von "
            "TalsekTray. Die Zwischenablage bleibt unverändert.").encode("cp1252")
TOO_MUCH = ("Die Zwischenablage enthält mehr, als TalsekTray während des Ersetzens aufbewahren kann (höchstens "
            "64 MB, in höchstens einer Sekunde gelesen).\r\nTalsekTray hat nichts kopiert; die Zwischenablage "
            "bleibt unverändert.").encode("cp1252")
NO_PASTE = ("Das Fenster hat das Ergebnis nicht eingefügt; es nimmt wohl keine Eingaben an (zum Beispiel eine "
            "schreibgeschützte Seite oder ein schreibgeschütztes Dokument).\r\nDie Zwischenablage bleibt unverändert."
            ).encode("cp1252")
NULL_BYTE_REFUSED = ("Der Text enthält das Zeichen €, das diese Methode in ein Nullzeichen verwandeln würde.\r\n"
                     "Die Zwischenablage bleibt unverändert.").encode("cp1252")


# The shortcuts as the hotkey control stores them, RegisterHotKey's numbers, the keys' virtual codes.
CTRL_SHIFT_V, CTRL_SHIFT_E, CTRL_SHIFT_K = 0x0356, 0x0345, 0x034B
LEFT, SHIFT_INSERT, CTRL_SHIFT_X, CTRL_SHIFT_Y = 0x0025, 0x012D, 0x0358, 0x0359
MOD_SHIFT, MOD_CONTROL_SHIFT, VK_V, VK_LEFT, VK_INSERT = 4, 2 | 4, 0x56, 0x25, 0x2D


def combination_taken(name: str) -> bytes:
    return (f"Die Tastenkombination {name} ist bereits von einem anderen Programm belegt und bleibt in TalsekTray "
            "ohne Wirkung.").encode("cp1252")


def wrong_type(name: str) -> bytes:
    # No "." is appended: the text ends in an apostrophe, which sorts before ".".
    return f"Ungültiger Datentyp für '{name}'".encode("cp1252")


def unreadable(name: str) -> bytes:
    # This text ends in "n", which sorts after ".", so the error handler appends a full stop.
    return f"Konnte Daten für '{name}' nicht holen.".encode("cp1252")


def not_found(folder: str) -> bytes:
    return b"Talsek wurde nicht im Pfad \r\n" + folder.encode("cp1252") + b"\r\n gefunden!"


CASES: dict[str, list] = {}


def case(group: str):
    def register(fn):
        CASES.setdefault(group, []).append(fn)
        return fn
    return register


def name_of(fn) -> str:
    return fn.__name__.replace("_", " ")


# ---- shared steps -----------------------------------------------------------------------------------

def start_with_icon(s: Session, settings: dict | None, cwd: Path | None = None,
                    folder: Path | None = None) -> subprocess.Popen:
    """Starts the program with the settings key holding `settings` (None: no key at all, so the
    information box comes first and is closed) and waits for its tray icon."""
    if settings is None:
        s.reg_delete_key()
    else:
        s.settings(settings)
    process = s.start(cwd, folder)
    s.wait_form()
    if settings is None:
        s.expect_box("start-up without settings", INFO_CAPTION, NO_SETTINGS, "information")
        s.click_ok()
    s.expect_tray("the tray icon is shown after start-up", True)
    return process


def encrypt(s: Session, before: bytes, expected: bytes, what: str) -> None:
    s.menu("v")
    s.expect_clipboard(what, before, expected, timeout=120 if len(before) > 100000 else 15)


def decrypt(s: Session, before: bytes, expected: bytes, what: str) -> None:
    s.menu("e")
    s.expect_clipboard(what, before, expected, timeout=120 if len(before) > 100000 else 15)


def round_trip(s: Session, x_text: str, options: dict, what: str) -> None:
    """Copies `x_text`, encrypts and decrypts it, checking both results against the reference."""
    plain = s.clip_put(x_text)
    cipher = ref.encrypt_command(plain, options)
    encrypt(s, plain, cipher, f"{what}: encrypting {show(plain)}")
    decrypt(s, cipher, ref.decrypt_command(cipher, options), f"{what}: decrypting {show(cipher)}")


def beenden(s: Session, process: subprocess.Popen) -> None:
    s.menu("b")
    s.expect_exit("\"&Beenden\" ends the program with exit code 0", process, 0)
    s.expect_tray("the icon is gone after \"&Beenden\"", False)


def clip_put_unicode(s: Session, text: str) -> None:
    """Copies `text` as a Unicode program does: CF_UNICODETEXT, set by the probe."""
    path = s.work / "unicode.txt"
    path.write_bytes(text.encode("utf-16-le"))
    rc, _ = s.probe("clip-set-unicode", s.windows_path(path))
    s.check(f"the probe puts {show(text[:40])} on the clipboard as CF_UNICODETEXT", 0, rc)


def clip_unicode(s: Session) -> str:
    """The clipboard's CF_UNICODETEXT as a Windows program reads it."""
    _, values = s.probe("clip-formats")
    return bytes.fromhex(values.get("unicode", "")).decode("utf-16-le", errors="replace").split("\0")[0]


def refused(s: Session, command_key: str, what: str, text: bytes) -> None:
    s.menu(command_key)
    s.expect_box(what, ERROR_CAPTION, text, "error")
    s.click_ok()


def nothing_for(seconds: float, condition) -> bool:
    """True when `condition` stays false for the whole time (a bounded wait for something that must not happen)."""
    return not poll(seconds, condition, 0.1)


# ---- the harness itself, before the program is involved ---------------------------------------------

@case("harness")
def reference_reproduces_the_worked_examples(s: Session) -> None:
    s.check("the cipher reference agrees with the described examples", [], ref.known_answers())


@case("harness")
def probe_reads_caption_text_and_icon_of_a_box(s: Session) -> None:
    text = "Zeile eins \r\nZeile zwei: äöü €".encode("cp1252")
    for kind in ("none", "error", "warning", "information"):
        shown = subprocess.Popen([WINE, s.state.probe, "show-box", kind, b"Fehler".hex(), text.hex()],
                                 env=s.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            s.expect_box(f"the probe's own {kind} box", b"Fehler", text, kind)
            s.click_ok()
            s.expect_exit(f"OK ends the probe's {kind} box", shown, 0)
        finally:
            if shown.poll() is None:
                shown.kill()


@case("harness")
def clipboard_crosses_between_x_and_wine_as_modelled(s: Session) -> None:
    s.check("X text arrives as code page 1252, a lone line feed as CR LF",
            "Grüße\r\nzwei €".encode("cp1252"), s.clip_put("Grüße\nzwei €"))
    program_side = b"x\xe4\x80\x81\x8d\x9d\r\ny\rz"
    rc, _ = s.probe("clip-set", program_side.hex())
    s.check("the probe sets the clipboard", 0, rc)
    s.expect_clipboard("Windows text reaches X with CR LF as LF and undefined bytes as C1 characters",
                       b"", program_side)


@case("harness")
def no_tray_window_is_shown_while_no_program_has_an_icon(s: Session) -> None:
    s.check("the Wine System Tray window is unmapped", False, s.tray_icon_shown())


# ---- start-up, single instance, tray icon, exit ------------------------------------------------------

@case("startup")
def without_settings_the_information_box_comes_before_the_icon(s: Session) -> None:
    s.reg_delete_key()
    process = s.start()
    s.wait_form()
    s.expect_box("start-up without settings", INFO_CAPTION, NO_SETTINGS, "information")
    if not nothing_for(1.0, s.tray_icon_shown):
        raise CaseFailure("no tray icon while the information box is open", "tray window unmapped", "icon shown")
    s.click_ok()
    s.expect_tray("the icon appears once the information box is closed", True)
    beenden(s, process)


@case("startup")
def with_settings_the_icon_comes_at_once_without_a_box(s: Session) -> None:
    s.settings({"Methode": 1})
    process = s.start()
    s.wait_form()
    s.expect_tray("the icon is shown at once", True)
    s.no_box_for(1000)
    beenden(s, process)


@case("startup")
def a_riched32_dll_beside_the_program_or_in_its_folder_is_never_loaded(s: Session) -> None:
    planted = Path(s.state.probe).parent / "RICHED32.dll"
    copies = [s.app_folder / "RICHED32.dll", s.work / "empty" / "RICHED32.dll"]
    markers = [Path(str(copy) + ".loaded") for copy in copies]
    plain_env = s.env
    # Native before built-in: Wine then behaves as Windows does with a library that is no known DLL.
    s.env = {**s.env, "WINEDLLOVERRIDES": s.env["WINEDLLOVERRIDES"] + ";riched32=n,b"}
    try:
        for copy, marker in zip(copies, markers):
            shutil.copy2(planted, copy)
            marker.unlink(missing_ok=True)
        process = start_with_icon(s, {})
        plain = s.clip_put("Hallo Welt")
        encrypt(s, plain, b"Jcnnq Ygnv", "the commands work without it")
        beenden(s, process)
        for marker in markers:
            s.check(f"no code of {marker.name[:-len('.loaded')]} in {marker.parent.name} ran", False, marker.exists())
    finally:
        s.env = plain_env
        for path in copies + markers:
            path.unlink(missing_ok=True)


@case("startup")
def a_second_instance_is_refused_and_the_first_keeps_running(s: Session) -> None:
    first = start_with_icon(s, {})
    second = s.start()
    box = s.wait_box()
    s.check("duplicate-instance dialog: caption", TITLE, box.caption)
    s.check("duplicate-instance dialog: text", ALREADY_RUNNING, box.text)
    s.check("duplicate-instance dialog: icon", "none", box.icon)
    s.check("duplicate-instance dialog: one button \"OK\"", (b"OK", 1), (box.button, box.buttons))
    s.click_ok()
    s.expect_exit("the second instance ends with exit code 0", second, 0)
    s.check("the first instance is still running", None, first.poll())
    s.expect_tray("the first instance keeps its icon", True)
    s.wait_form(2000)
    beenden(s, first)


@case("startup")
def the_icon_comes_back_when_the_taskbar_is_created_again(s: Session) -> None:
    process = start_with_icon(s, {})
    rc, _ = s.probe("remove-icon")
    s.check("the probe removes the program's icon as a restarting shell would", 0, rc)
    s.expect_tray("no icon after the removal", False)
    s.probe("broadcast-taskbarcreated")
    s.expect_tray("the icon is back after \"TaskbarCreated\"", True)
    s.no_box_for(500)
    beenden(s, process)


@case("startup")
def beenden_ends_the_program_and_a_new_instance_can_start(s: Session) -> None:
    first = start_with_icon(s, {})
    beenden(s, first)
    rc, _ = s.probe("no-form", "5000")
    s.check("the form is gone with the process", 0, rc)
    again = s.start()
    s.program = again
    s.wait_form()
    s.expect_tray("the new instance shows its icon", True)
    s.no_box_for(1000)
    beenden(s, again)


@case("startup")
def a_wrong_type_at_start_up_shows_the_error_and_the_program_stays_usable(s: Session) -> None:
    s.settings({"Methode": ("REG_SZ", "3")})
    process = s.start()
    s.expect_box("a wrong type at start-up", TITLE, wrong_type("Methode"), "error", timeout_ms=20000)
    if not nothing_for(1.0, s.tray_icon_shown):
        raise CaseFailure("no tray icon while the error box is open", "tray window unmapped", "icon shown")
    s.click_ok()
    # The team's choice: the icon is added in spite of the failed refresh, so the program stays in the
    # user's reach and can be ended from its menu.
    s.expect_tray("the icon is shown after the error box", True)
    beenden(s, process)


# ---- the clipboard commands -------------------------------------------------------------------------

@case("clipboard")
def the_start_up_defaults_encrypt_and_decrypt_hallo_welt(s: Session) -> None:
    process = start_with_icon(s, {})  # an empty key: every option keeps its default
    plain = s.clip_put("Hallo Welt")
    encrypt(s, plain, b"Jcnnq Ygnv", "Caesar 2 by default")
    decrypt(s, b"Jcnnq Ygnv", b"Hallo Welt", "and back")
    beenden(s, process)


@case("clipboard")
def the_preparation_filters_run_in_their_order_before_the_cipher(s: Session) -> None:
    process = start_with_icon(s, {"UmlauteErsetzen": 1, "Grossschrift": 1, "LeerzeichenLoeschen": 1})
    plain = s.clip_put("Grüße aus Köln")
    encrypt(s, plain, b"ITWGUUGCWUMQGNP", "transcribe, upper case, no spaces, Caesar 2")
    decrypt(s, b"ITWGUUGCWUMQGNP", b"GRUESSEAUSKOELN", "decrypting gives the prepared text")
    # The options are read again at each command: no restart needed.
    for name, value in {"UmlauteErsetzen": 0, "LeerzeichenLoeschen": 0, "Kleinschrift": 1}.items():
        s.reg_add(name, "REG_DWORD", str(value))
    plain = s.clip_put("Grüße aus Köln")
    encrypt(s, plain, "ITÜßG CWU MÖNP".encode("cp1252"), "lower then upper case: upper case wins, ß stays")
    s.reg_add("LeerzeichenLoeschen", "REG_DWORD", "1")
    plain = s.clip_put("Jcnnq Ygnv")
    decrypt(s, plain, b"Hallo Welt", "decrypting runs no filter: the space stays")
    beenden(s, process)


@case("clipboard")
def the_transposition_moves_bytes_through_its_matrix(s: Session) -> None:
    process = start_with_icon(s, {"Methode": 0})
    plain = s.clip_put("HALLO WELT")
    encrypt(s, plain, b"HOLA TLW LE ", "square matrix, two filler spaces")
    decrypt(s, b"HOLA TLW LE ", b"HALLO WELT", "square matrix back, filler dropped")
    s.reg_add("MatrixQuadratisch", "REG_DWORD", "0")
    s.reg_add("Spaltenzahl", "REG_DWORD", "3")
    plain = s.clip_put("HALLO WELT")
    encrypt(s, plain, b"HLWTAOE L L ", "three columns")
    decrypt(s, b"HLWTAOE L L ", b"HALLO WELT", "three columns back")
    options = {"Methode": 0, "MatrixQuadratisch": False, "Spaltenzahl": 7}
    s.reg_add("Spaltenzahl", "REG_DWORD", "7")
    round_trip(s, "Ein längerer Satz, mit Satzzeichen; Ziffern 0123 und Umlauten: Äußerst übel!",
               options, "seven columns")
    beenden(s, process)


@case("clipboard")
def the_caesar_shift_uses_the_stored_shift(s: Session) -> None:
    options = {"Methode": 1, "CaesarVerschiebung": 25}
    process = start_with_icon(s, options)
    round_trip(s, "Zebra-123 ä xyz XYZ", options, "Caesar 25")
    beenden(s, process)


@case("clipboard")
def rot13_applied_twice_gives_the_text_back(s: Session) -> None:
    process = start_with_icon(s, {"Methode": 2})
    plain = s.clip_put("Hallo Welt! Grüße 42")
    cipher = ref.rot13(plain)
    encrypt(s, plain, cipher, "ROT13")
    encrypt(s, cipher, plain, "ROT13 again")
    beenden(s, process)


@case("clipboard")
def the_byte_shift_puts_exact_high_bytes_on_the_clipboard(s: Session) -> None:
    process = start_with_icon(s, {"Methode": 3})
    plain = s.clip_put("Hallo Welt, grüße: 5+5=10!")
    cipher = ref.shift128(plain)  # ASCII becomes 128–255, "ü" (252) becomes "|"
    encrypt(s, plain, cipher, "byte shift by 128")
    decrypt(s, cipher, plain, "byte shift by 128 back")
    beenden(s, process)


@case("clipboard")
def vigenere_uses_the_deciphered_stored_key_over_several_lines(s: Session) -> None:
    key = b"Geheimnis"
    options = {"Methode": 4, "VigenereSchluessel": key, "SonderzeichenIgnorieren": False}
    process = start_with_icon(s, {"Methode": 4, "VigenereSchluessel": ref.stored_key(key).decode(),
                                  "SonderzeichenIgnorieren": 0})
    text = "Erste Zeile, mit Komma.\nZweite Zeile: 42 Äpfel\nDritte Zeile ohne Ende"
    round_trip(s, text, options, "Vigenère, other bytes use up key letters")
    s.reg_add("SonderzeichenIgnorieren", "REG_DWORD", "1")
    round_trip(s, text, {**options, "SonderzeichenIgnorieren": True}, "Vigenère, other bytes skipped")
    # Bytes other than letters in the stored key play no part; a key without letters gives "Wandelrose".
    stored = ref.stored_key(key).decode()
    s.reg_add("VigenereSchluessel", "REG_EXPAND_SZ", f"{stored[:3]} 1-2 {stored[3:]}.")
    round_trip(s, text, {**options, "SonderzeichenIgnorieren": True}, "Vigenère, stored key with noise")
    s.reg_add("VigenereSchluessel", "REG_SZ", "123 -")
    round_trip(s, text, {**options, "SonderzeichenIgnorieren": True, "VigenereSchluessel": b"Wandelrose"},
               "Vigenère, stored key without letters")
    beenden(s, process)


@case("clipboard")
def the_result_stays_on_the_clipboard_after_beenden(s: Session) -> None:
    process = start_with_icon(s, {})
    plain = s.clip_put("Hallo Welt")
    encrypt(s, plain, b"Jcnnq Ygnv", "Caesar 2")
    beenden(s, process)
    s.check("xclip reads the result after the program has ended", "Jcnnq Ygnv", s.clip_x())
    s.check("a Windows program reads the result after the program has ended", b"Jcnnq Ygnv", s.clip_exact())


PRIVATE_FORMATS = ["ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory",
                   "CanUploadToCloudClipboard", "Clipboard Viewer Ignore"]


def clip_formats(s: Session) -> dict[str, int]:
    """The clipboard's formats by name (unnamed ones by number) with the sizes of their data."""
    done = s.wine(s.state.probe, "clip-formats")
    found = {}
    for line in done.stdout.decode("latin-1").splitlines():
        if line.startswith("format="):
            head, _, size = line[len("format="):].rpartition(" size=")
            number, _, name = head.partition(" ")
            found[name or number] = int(size)
    return found


@case("clipboard")
def a_decrypted_text_and_no_encrypted_one_is_marked_for_clipboard_watchers_to_leave_alone(s: Session) -> None:
    process = start_with_icon(s, {})
    plain = s.clip_put("Hallo Welt")
    updates = s.watch_clipboard(lambda: encrypt(s, plain, b"Jcnnq Ygnv", "Caesar 2"), "watched-encryption")
    s.check("a watcher reads the ciphertext at an update", True, any(u["text"] == b"Jcnnq Ygnv" for u in updates))
    s.check("no update of the encryption is marked", [],
            [u for u in updates if set(PRIVATE_FORMATS) & set(u["formats"])])
    for which in ("first", "second"):
        cipher = s.clip_put("Jcnnq Ygnv")
        updates = s.watch_clipboard(lambda: decrypt(s, cipher, b"Hallo Welt", f"{which} decryption"),
                                    f"watched-decryption-{which}")
        s.no_box_for(300)
        shown = [u for u in updates if u["text"] == b"Hallo Welt"]
        s.check(f"{which} decryption: a watcher reads the plain text at an update", True, bool(shown))
        s.check(f"{which} decryption: every update with the plain text has the four formats and both DWORDs 0", [],
                [u for u in shown if not set(PRIVATE_FORMATS) <= set(u["formats"]) or
                 (u["history"], u["cloud"]) != ("0/4", "0/4")])
    beenden(s, process)
    s.check("the decrypted text stays on the clipboard after \"&Beenden\"", b"Hallo Welt", s.clip_exact())
    s.check("... with its four formats, each of four bytes", [4] * 4, [clip_formats(s).get(f) for f in PRIVATE_FORMATS])


def megabyte_text() -> str:
    """1 MB in lines of 60 letters, each line the alphabet rotated by its number.

    The text is plain on purpose: Wine's rich edit lays out the hidden buffer's text to its narrow
    width, and that layout grows much faster than the text (with spaces, digits, punctuation, tabs
    or umlauts, or with many short lines, a megabyte takes it many minutes; 200 KB of mixed text 20 s).
    The byte variety is covered by the smaller cases."""
    letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
    lines = []
    for n in range(1024 * 1024 // 62 + 1):
        rotated = letters[n % 52:] + letters[:n % 52]
        lines.append((rotated * 2)[:60])
    return "\n".join(lines)


@case("clipboard")
def a_megabyte_of_text_goes_through_byte_for_byte(s: Session) -> None:
    process = start_with_icon(s, {})
    text = megabyte_text()
    plain = s.clip_put(text)
    if len(plain) < 1024 * 1024:
        raise CaseFailure("the test text is a megabyte", ">= 1048576 bytes", len(plain))
    cipher = ref.encrypt_command(plain, {})
    encrypt(s, plain, cipher, "1 MB, Caesar 2")
    decrypt(s, cipher, plain, "1 MB back")
    beenden(s, process)


@case("clipboard")
def the_euro_sign_under_the_byte_shift_is_refused_and_the_clipboard_kept(s: Session) -> None:
    process = start_with_icon(s, {"Methode": 3})
    plain = s.clip_put("Preis: 5 € netto")
    for command, key in (("encrypt", "v"), ("decrypt", "e")):
        s.menu(key)
        s.expect_box(f"{command} with a euro sign", ERROR_CAPTION, NULL_BYTE_REFUSED, "error")
        s.check(f"{command}: the clipboard is unchanged while the box is open", plain, s.clip_exact())
        s.click_ok()
        s.check(f"{command}: the clipboard is unchanged after OK", plain, s.clip_exact())
        s.check(f"{command}: xclip still reads the original", "Preis: 5 € netto", s.clip_x())
    beenden(s, process)


# Known answers on every ANSI code page: characters outside code page 1252 stay in their place under
# every filter and cipher; the case filters do not fold them, the transcription leaves them.
ANY_TEXT = (
    ({}, "Bis morgen 🙂 Łódź", "Dku oqtigp 🙂 Łófź", "Bis morgen 🙂 Łódź"),
    ({"UmlauteErsetzen": 1, "Kleinschrift": 1}, "Grüße Ä Дом", "itwguug cg Дом", "gruesse ae Дом"),
    ({"Methode": 0}, "👋🏽 Ἀθῆναι", "👋Ἀν🏽θα ῆι", "👋🏽 Ἀθῆναι"),
)


def unicode_command(s: Session, key: str, before: str, expected: str, what: str) -> None:
    clip_put_unicode(s, before)
    s.menu(key)
    if not poll(15, lambda: clip_unicode(s) != before):
        raise CaseFailure(what, expected, clip_unicode(s))
    s.check(what, expected, clip_unicode(s))


@case("clipboard")
def letters_outside_the_code_page_pass_in_their_place_whatever_the_systems_code_page(s: Session) -> None:
    plain_env = s.env
    try:
        for locale, acp in ((None, "1252"), ("pl_PL.UTF-8", "1250"), ("ru_RU.UTF-8", "1251")):
            s.env = {**plain_env, "LC_ALL": locale} if locale else plain_env
            _, values = s.probe("acp")
            s.check(f"{locale}: Wine's ANSI code page", acp, values.get("acp"))
            process = start_with_icon(s, {})
            for settings, plain, cipher, back in ANY_TEXT:
                s.settings(settings)
                unicode_command(s, "v", plain, cipher, f"{locale or 'de'}: {plain} encrypted, {settings}")
                unicode_command(s, "e", cipher, back, f"{locale or 'de'}: {cipher} decrypted")
            beenden(s, process)
    finally:
        s.env = plain_env
    process = start_with_icon(s, {})
    # Typographic quotes, dashes, the ellipsis and the euro sign are all in code page 1252.
    typographic = "„Grüße“ – ‚so‘ … 5 € · ©"
    clip_put_unicode(s, typographic)
    plain = typographic.encode("cp1252")
    encrypt(s, plain, ref.encrypt_command(plain, {}), "typographic characters pass")
    beenden(s, process)


def hold_clipboard(s: Session, milliseconds: int) -> subprocess.Popen:
    """Another program holds the clipboard open for the time; returns once it has it. Once under Wine
    something else still held it for longer than the probe waits; the probe then names the holder,
    and unless that is the program under test (which never holds it between commands) it tries again."""
    try:
        return s.probe_beside(b"held=1", "the probe holds the clipboard open", "clip-hold", str(milliseconds))[0]
    except CaseFailure as failure:
        if b"TalsekTray" in failure.seen:
            raise
        print(f"note: the probe could not hold the clipboard ({show(failure.seen)}); it tries once more", flush=True)
        return s.probe_beside(b"held=1", "the probe holds the clipboard open", "clip-hold", str(milliseconds))[0]


@case("clipboard")
def a_clipboard_held_by_another_program_is_reported_and_the_next_command_works(s: Session) -> None:
    process = start_with_icon(s, {})
    plain = s.clip_put("Hallo Welt")
    holder = hold_clipboard(s, 6000)
    s.menu("v")
    started = time.monotonic()
    s.expect_box("encrypting while another program holds the clipboard", ERROR_CAPTION, BUSY, "error")
    waited = time.monotonic() - started
    if waited > 2.5:
        raise CaseFailure("the box comes within about two seconds", "<= 2.5 s", f"{waited:.1f} s")
    s.click_ok()
    holder.wait(timeout=30)
    s.check("the plain text stays on the clipboard", plain, s.clip_exact())
    encrypt(s, plain, b"Jcnnq Ygnv", "once the clipboard is free the command works")
    beenden(s, process)


def wordpad(program: str) -> str:
    """Wine's own WordPad of the program's machine type: a 32-bit Windows, where the 32-bit program
    runs, has a 32-bit WordPad, found in a 64-bit prefix under "Program Files (x86)"."""
    with open(program, "rb") as exe:
        header = exe.read(4096)
    pe = int.from_bytes(header[0x3C:0x40], "little")
    machine = int.from_bytes(header[pe + 4:pe + 6], "little")
    folder = "Program Files (x86)" if machine == 0x14C else "Program Files"
    return rf"C:\{folder}\Windows NT\Accessories\wordpad.exe"


def copy_in_wordpad(s: Session, text: bytes, *keys: str) -> str:
    """Clicks into Wine's WordPad as its user does (after the tray menu no window manager gives it the
    focus back), presses `keys` (a word is typed), selects all and copies; checks that the copy offers
    `text` beside a rich text and returns the formats offered."""
    clicked = s.x("xdotool", "search", "--sync", "--onlyvisible", "--name", "Wordpad", "windowfocus", "--sync",
                  "mousemove", "--window", "%1", "300", "200", "click", "1", timeout=15)
    s.check("WordPad's window is shown and clicked", 0, clicked.returncode)
    for key in (*keys, "ctrl+a", "ctrl+c"):
        s.x("xdotool", *(("key", key) if "+" in key else ("type", "--delay", "60", key)), timeout=30)
        time.sleep(0.2)
    formats = poll(15, lambda: "Rich Text Format" in (found := clip_formats(s)) and found, 0.3) or clip_formats(s)
    s.check(f"WordPad's copy of {show(text)} offers a rich text", True, "Rich Text Format" in formats)
    s.check(f"WordPad's copy of {show(text)}: its plain text", text, s.clip_exact())
    return f"{text.decode()}: " + ", ".join(f"{name} ({size} bytes)" for name, size in formats.items())


@case("clipboard")
def a_line_copied_from_wordpad_is_encrypted_and_pasted_back_decrypts_to_the_original(s: Session) -> None:
    process = start_with_icon(s, {})
    s.start_beside(wordpad(s.state.program))
    offered = [copy_in_wordpad(s, b"Hallo Welt", "Hallo Welt")]
    encrypt(s, b"Hallo Welt", b"Jcnnq Ygnv", "the plain text of WordPad's copy, Caesar 2")
    s.no_box_for(500)
    offered.append(copy_in_wordpad(s, b"Jcnnq Ygnv", "ctrl+a", "ctrl+v"))
    decrypt(s, b"Jcnnq Ygnv", b"Hallo Welt", "the ciphertext pasted into WordPad and copied again")
    s.no_box_for(500)
    (s.artifacts / "wordpad-formats.txt").write_text("\n".join(offered) + "\n")
    beenden(s, process)


@case("clipboard")
def a_text_of_9_mib_is_refused_and_the_program_keeps_answering(s: Session) -> None:
    process = start_with_icon(s, {})
    clip_put_unicode(s, "a" * (9 * 1024 * 1024))
    refused(s, "v", "encrypting 9 MiB", TOO_LONG_9_MIB)
    _, idle = s.probe("idle", "5000")
    s.check("the program answers after the refusal", "1", idle.get("idle"))
    seen = s.clip_x()
    s.check("the clipboard keeps the 9 MiB text", 9 * 1024 * 1024, len(seen or ""))
    plain = s.clip_put("Hallo Welt")
    encrypt(s, plain, b"Jcnnq Ygnv", "a short text afterwards")
    beenden(s, process)


@case("clipboard")
def shortcuts_set_at_start_up_encrypt_and_decrypt_the_clipboard(s: Session) -> None:
    process = start_with_icon(s, {"TastenkuerzelVerschluesseln": CTRL_SHIFT_V,
                                  "TastenkuerzelEntschluesseln": CTRL_SHIFT_E})
    plain = s.clip_put("Hallo Welt")
    s.check("the shortcut's key is taken by the hotkey, not typed", False, VK_V in s.press("ctrl+shift+v"))
    s.expect_clipboard("Strg+Umschalt+V encrypts (Caesar 2)", plain, b"Jcnnq Ygnv")
    s.press("ctrl+shift+e")
    s.expect_clipboard("Strg+Umschalt+E decrypts", b"Jcnnq Ygnv", plain)
    beenden(s, process)


@case("clipboard")
def a_decrypted_text_leaves_the_clipboard_after_its_seconds(s: Session) -> None:
    process = start_with_icon(s, {"ZwischenablageLeerenNach": 3})
    decrypt(s, s.clip_put("Jcnnq Ygnv"), b"Hallo Welt", "Caesar 2")
    started = time.monotonic()
    updates = s.watch_clipboard(lambda: poll(8, lambda: s.clip_exact() == b""), "watched-timed-clear")
    s.check("the plain text has left the clipboard 3 s after the decryption, not before", (b"", True),
            (s.clip_exact(), time.monotonic() - started > 2))
    s.check("the last update empties the clipboard", b"", updates[-1]["text"] if updates else None)
    decrypt(s, s.clip_put("Jcnnq Ygnv"), b"Hallo Welt", "a second decryption")
    own = s.clip_put("Eigener Text")
    if not nothing_for(5, lambda: s.clip_exact() != own):
        raise CaseFailure("what the user copied meanwhile stays", own, s.clip_exact())
    encrypt(s, s.clip_put("Hallo Welt"), b"Jcnnq Ygnv", "an encryption")
    if not nothing_for(5, lambda: s.clip_exact() != b"Jcnnq Ygnv"):
        raise CaseFailure("an encrypted text stays on the clipboard", b"Jcnnq Ygnv", s.clip_exact())
    beenden(s, process)


# ---- registry values of the wrong type or size, values out of range --------------------------------

@case("registry")
def a_wrong_type_fails_every_command_until_mended(s: Session) -> None:
    process = start_with_icon(s, {"Methode": 2})
    plain = s.clip_put("Hallo Welt")
    s.reg_add("Methode", "REG_SZ", "3")
    for command, key in (("encrypt", "v"), ("decrypt", "e"), ("encrypt again", "v")):
        s.menu(key)
        s.expect_box(f"{command} with \"Methode\" as a string", TITLE, wrong_type("Methode"), "error")
        s.click_ok()
        s.check(f"{command}: the clipboard keeps its text", plain, s.clip_exact())
        s.check(f"{command}: xclip reads the original", "Hallo Welt", s.clip_x())
    s.reg_add("Methode", "REG_DWORD", "2")
    encrypt(s, plain, b"Unyyb Jryg", "mended: ROT13 works again")
    beenden(s, process)


@case("registry")
def values_of_more_than_four_bytes_and_strings_in_place_of_numbers_are_reported(s: Session) -> None:
    process = start_with_icon(s, {"Methode": 2})
    plain = s.clip_put("Hallo Welt")
    faults = [
        ("Methode", ("REG_QWORD", "2"), unreadable("Methode")),
        ("Kleinschrift", ("REG_BINARY", "0100000000000000"), unreadable("Kleinschrift")),
        ("Programmpfad", ("REG_DWORD", "1"), wrong_type("Programmpfad")),
        ("Spaltenzahl", ("REG_EXPAND_SZ", "5"), wrong_type("Spaltenzahl")),
    ]
    for name, (kind, data), message in faults:
        s.reg_add(name, kind, data)
        s.menu("v")
        s.expect_box(f"\"{name}\" as {kind}", TITLE, message, "error")
        s.click_ok()
        s.check(f"\"{name}\" as {kind}: the clipboard keeps its text", plain, s.clip_exact())
        s.reg_delete(name)
    s.reg_add("Methode", "REG_DWORD", "2")
    encrypt(s, plain, b"Unyyb Jryg", "all values mended: ROT13")
    beenden(s, process)


@case("registry")
def values_out_of_range_are_ignored_and_the_last_good_ones_kept(s: Session) -> None:
    process = start_with_icon(s, {"Methode": 1, "CaesarVerschiebung": 3})
    plain = s.clip_put("Hallo Welt")
    encrypt(s, plain, ref.caesar(plain, 3), "Caesar 3")
    s.reg_add("Methode", "REG_DWORD", "5")
    s.reg_add("CaesarVerschiebung", "REG_DWORD", "26")
    plain = s.clip_put("Hallo Welt")
    encrypt(s, plain, ref.caesar(plain, 3), "Methode 5 and shift 26 are ignored")
    s.reg_add("CaesarVerschiebung", "REG_DWORD", "0xFFFFFFFF")
    s.reg_delete("Methode")
    plain = s.clip_put("Hallo Welt")
    encrypt(s, plain, ref.caesar(plain, 3), "a negative shift is ignored, a deleted method keeps its value")
    s.reg_add("CaesarVerschiebung", "REG_DWORD", "25")
    plain = s.clip_put("Hallo Welt")
    encrypt(s, plain, ref.caesar(plain, 25), "shift 25 is accepted")
    beenden(s, process)


@case("registry")
def a_shortcut_changed_in_the_registry_takes_effect_at_the_next_refresh(s: Session) -> None:
    process = start_with_icon(s, {"TastenkuerzelVerschluesseln": CTRL_SHIFT_V})
    s.reg_add("TastenkuerzelVerschluesseln", "REG_DWORD", str(CTRL_SHIFT_K))
    plain = s.clip_put("Hallo Welt")
    decrypt(s, plain, ref.caesar(plain, -2), "the menu's command, which reads the settings again")
    s.check("the old combination is a plain key again", True, VK_V in s.press("ctrl+shift+v"))
    if not nothing_for(1.0, lambda: s.clip_exact() != ref.caesar(plain, -2)):
        raise CaseFailure("the old combination does nothing", ref.caesar(plain, -2), s.clip_exact())
    s.press("ctrl+shift+k")
    s.expect_clipboard("the new combination encrypts", ref.caesar(plain, -2), plain)
    beenden(s, process)


@case("registry")
def a_combination_another_program_holds_is_reported_once_and_taken_when_free(s: Session) -> None:
    holder = s.hold_hotkey(MOD_CONTROL_SHIFT, VK_V)
    s.settings({"TastenkuerzelVerschluesseln": CTRL_SHIFT_V})
    process = s.start()
    s.wait_form()
    s.expect_box("the shortcut at start-up", WARNING_CAPTION, combination_taken("Strg+Umschalt+V"), "warning")
    s.click_ok()
    s.expect_tray("the icon is shown after the warning", True)
    plain = s.clip_put("Hallo Welt")
    encrypt(s, plain, b"Jcnnq Ygnv", "the menu's command works")
    s.no_box_for(700)  # its refresh finds the combination still taken and says nothing more
    holder.kill()
    holder.wait()
    decrypt(s, b"Jcnnq Ygnv", plain, "the next command registers the combination, now free")
    s.press("ctrl+shift+v")
    s.expect_clipboard("Strg+Umschalt+V now encrypts", plain, b"Jcnnq Ygnv")
    s.no_box_for(300)
    beenden(s, process)


@case("registry")
def shortcuts_that_would_take_a_key_from_every_program_are_not_registered(s: Session) -> None:
    process = start_with_icon(s, {"TastenkuerzelVerschluesseln": LEFT, "TastenkuerzelEntschluesseln": SHIFT_INSERT})
    s.no_box_for(300)
    for holder in (s.hold_hotkey(0, VK_LEFT), s.hold_hotkey(MOD_SHIFT, VK_INSERT)):  # each fails unless it gets its key
        holder.kill()
        holder.wait()
    beenden(s, process)


@case("registry")
def a_shortcut_pressed_while_a_commands_warning_is_open_starts_nothing(s: Session) -> None:
    process = start_with_icon(s, {"TastenkuerzelEntschluesseln": CTRL_SHIFT_E})
    holder = s.hold_hotkey(MOD_CONTROL_SHIFT, VK_V)
    s.reg_add("TastenkuerzelVerschluesseln", "REG_DWORD", str(CTRL_SHIFT_V))
    plain = s.clip_put("Hallo Welt")
    s.menu("v")
    s.expect_box("the encryption's refresh finds the new shortcut taken", WARNING_CAPTION,
                 combination_taken("Strg+Umschalt+V"), "warning")
    s.check("the warning comes once the command is done", b"Jcnnq Ygnv", s.clip_exact())
    s.press("ctrl+shift+e")
    s.press("ctrl+shift+e")
    s.click_ok()
    if not nothing_for(1.0, lambda: s.clip_exact() != b"Jcnnq Ygnv"):
        raise CaseFailure("the shortcut pressed twice during the warning ran nothing", b"Jcnnq Ygnv", s.clip_exact())
    s.press("ctrl+shift+e")
    s.expect_clipboard("after the warning the shortcut decrypts", b"Jcnnq Ygnv", plain)
    holder.kill()
    holder.wait()
    beenden(s, process)


# ---- the selection in place --------------------------------------------------------------------------

def in_place(s: Session, text: bytes, keys: str, record: str | None = None, options: tuple = (),
             during=None, ms: int = 5000) -> bytes:
    """A window of the probe's whose edit holds `text`, all of it selected and focused; `keys` pressed
    there as a user presses them; what the edit holds after `ms`. With `record`, the clipboard's updates
    meanwhile and pictures of the desktop before and after are kept under that name; `options` are the
    edit's (hold:<ms>, late:<ms>, readonly); `during` runs while the edit is still there."""
    def press() -> None:
        editor, out = s.probe_beside(b"focused=1", "the probe's edit takes the focus", "edit-window", text.hex(),
                                     str(ms), *options)
        try:
            s.x("xdotool", "search", "--sync", "--name", "^probe-edit$", "windowfocus", "--sync", timeout=15)
            if record:
                s.screenshot(f"{record}-before")
            s.x("xdotool", "key", keys)
            if during:
                during()
            if record:
                time.sleep(2.5)
                s.screenshot(f"{record}-after")
        finally:
            end(editor, ms / 1000 + 20)
        result.append(next((bytes.fromhex(line[5:]) for line in out.read_text().splitlines()
                            if line.startswith("text=")), None))
    result = []
    if record:
        s.watch_clipboard(press, record)
    else:
        press()
    return result[0]


def in_place_settings(**more) -> dict:
    return {"TastenkuerzelAuswahlVerschluesseln": CTRL_SHIFT_X, "TastenkuerzelAuswahlEntschluesseln": CTRL_SHIFT_Y,
            **more}


@case("auswahl")
def the_in_place_shortcuts_replace_the_selection_and_give_the_clipboard_back(s: Session) -> None:
    process = start_with_icon(s, {"TastenkuerzelAuswahlVerschluesseln": CTRL_SHIFT_X,
                                  "TastenkuerzelAuswahlEntschluesseln": CTRL_SHIFT_Y})
    html = b"Version:0.9\r\nStartHTML:0\r\n<b>vorher</b>\x00\xff"
    rc, _ = s.probe("clip-set", b"vorher".hex(), "HTML Format", html.hex())
    s.check("the probe copies a text with its HTML Format", 0, rc)
    s.check("Strg+Umschalt+X encrypts the selection in place", b"Jcnnq Ygnv",
            in_place(s, b"Hallo Welt", "ctrl+shift+x", "watched-in-place-encryption"))
    s.check("Strg+Umschalt+Y decrypts it in place", b"Hallo Welt",
            in_place(s, b"Jcnnq Ygnv", "ctrl+shift+y", "watched-in-place-decryption"))
    for keys, before, after in (("ctrl+shift+x", "Bis morgen 🙂 Łódź", "Dku oqtigp 🙂 Łófź"),
                                ("ctrl+shift+y", "Dku oqtigp 🙂 Łófź", "Bis morgen 🙂 Łódź")):
        s.check(f"{keys} in a Unicode edit: {before}", after,
                in_place(s, before.encode("utf-16-le"), keys, options=("utf16",)).decode("utf-16-le"))
    s.no_box_for(300)
    s.check("the clipboard's text is given back", b"vorher", s.clip_exact())
    _, data = s.probe("clip-data", "HTML Format")
    s.check("... and its HTML Format byte for byte", html.hex(), data.get("data"))
    beenden(s, process)


@case("auswahl")
def a_window_with_nothing_selected_gets_the_box_and_the_clipboard_stays(s: Session) -> None:
    process = start_with_icon(s, {"TastenkuerzelAuswahlVerschluesseln": CTRL_SHIFT_X})
    plain = s.clip_put("vorher")
    s.check("nothing selected, nothing replaced", b"", in_place(s, b"", "ctrl+shift+x"))
    s.expect_box("Strg+Umschalt+X with nothing to copy", ERROR_CAPTION, NOTHING_SELECTED, "error")
    s.click_ok()
    s.check("the clipboard keeps its text", plain, s.clip_exact())
    beenden(s, process)


@case("auswahl")
def a_picture_beside_the_text_comes_back_with_it(s: Session) -> None:
    process = start_with_icon(s, in_place_settings())
    rc, _ = s.probe("clip-set", b"vorher".hex(), "CF_ENHMETAFILE", "")
    s.check("the probe copies a text with a picture beside it", 0, rc)
    picture = s.probe("clip-data", "CF_ENHMETAFILE")[1].get("data")
    s.check("Strg+Umschalt+X encrypts the selection", b"Jcnnq Ygnv", in_place(s, b"Hallo Welt", "ctrl+shift+x"))
    s.no_box_for(300)
    s.check("the text comes back", b"vorher", s.clip_exact())
    s.check("... and the picture with it, as the same metafile", picture, s.probe("clip-data", "CF_ENHMETAFILE")[1].get("data"))
    beenden(s, process)


@case("auswahl")
def what_the_user_copies_while_the_commands_box_is_open_stays(s: Session) -> None:
    process = start_with_icon(s, in_place_settings(Methode=3))
    s.clip_put("vorher")

    def copy_during_the_box() -> None:
        s.expect_box("the byte shift of a selected euro sign", ERROR_CAPTION, NULL_BYTE_REFUSED, "error")
        s.clip_put("neu")
        s.click_ok()
    s.check("the selection stays", b"A\x80B", in_place(s, b"A\x80B", "ctrl+shift+x", during=copy_during_the_box, ms=8000))
    s.check("the user's copy stays on the clipboard", b"neu", s.clip_exact())
    beenden(s, process)


@case("auswahl")
def a_pending_clear_empties_the_decrypted_text_that_an_in_place_command_gives_back(s: Session) -> None:
    process = start_with_icon(s, in_place_settings(ZwischenablageLeerenNach=3))
    decrypt(s, s.clip_put("Jcnnq Ygnv"), b"Hallo Welt", "Caesar 2")
    started = time.monotonic()
    s.check("Strg+Umschalt+X encrypts a selection meanwhile", b"cde", in_place(s, b"abc", "ctrl+shift+x", ms=3000))
    if not poll(10, lambda: s.clip_exact() == b""):
        raise CaseFailure("the decrypted text that came back is cleared after its seconds", b"", s.clip_exact())
    s.check("... after them, not before", True, time.monotonic() - started > 2.5)
    beenden(s, process)


@case("auswahl")
def a_paste_that_holds_the_clipboard_longer_than_a_second_gets_it_back_later(s: Session) -> None:
    process = start_with_icon(s, in_place_settings())
    s.clip_put("vorher")
    s.check("the selection is replaced", b"Jcnnq Ygnv", in_place(s, b"Hallo Welt", "ctrl+shift+x", options=("hold:3500",)))
    s.check("the edit held the clipboard after its paste", True,
            "held-after-paste=1" in (s.work / "logs" / "edit-window.out").read_text())
    if not poll(15, lambda: s.clip_exact() == b"vorher"):
        raise CaseFailure("the clipboard comes back once the paste lets it go", b"vorher", s.clip_exact())
    s.no_box_for(300)
    beenden(s, process)


@case("auswahl")
def a_console_running_a_job_gets_no_keys_and_a_box_says_why(s: Session) -> None:
    process = start_with_icon(s, in_place_settings())
    s.clip_put("vorher")
    job, lines = s.work / "job.bat", s.work / "job.txt"
    lines.unlink(missing_ok=True)
    # A line a second: ping waits a second between its two echoes.
    job.write_text(f"@echo off\r\nfor /L %%i in (1,1,30) do (\r\n  >>\"{s.windows_path(lines)}\" echo %%i\r\n"
                   "  ping -n 2 127.0.0.1 >nul\r\n)\r\n")
    s.start_beside("wineconsole", "cmd", "/c", s.windows_path(job))
    count = lambda: len(lines.read_text().split()) if lines.exists() else 0
    s.check("the job runs in Wine's console", True, bool(poll(20, lambda: count() >= 2)))
    found = s.x("xdotool", "search", "--sync", "--onlyvisible", "--name", "cmd.exe", "windowfocus", "--sync", timeout=15)
    s.check("the console's window takes the focus", 0, found.returncode)
    s.x("xdotool", "key", "ctrl+shift+x")
    s.expect_box("Strg+Umschalt+X in a console", ERROR_CAPTION, TERMINAL, "error")
    s.click_ok()
    before = count()
    s.check("the job goes on after the shortcut", True, bool(poll(10, lambda: count() >= before + 2)))
    s.check("the clipboard keeps its text", b"vorher", s.clip_exact())
    beenden(s, process)


@case("auswahl")
def a_clipboard_with_more_than_can_be_kept_is_left_alone_and_twenty_megabytes_are_kept(s: Session) -> None:
    process = start_with_icon(s, in_place_settings())
    megabyte = 1024 * 1024
    s.probe_beside(b"offered=1", "a program offers 20 delayed formats of 1 MB", "clip-offer", "20", str(megabyte), "20000")
    s.check("with 20 MB offered the selection is replaced", b"Jcnnq Ygnv", in_place(s, b"Hallo Welt", "ctrl+shift+x"))
    timing = [line for line in (s.work / "logs" / "edit-window.out").read_text().splitlines() if "released" in line]
    print(f"note: 20 delayed formats of 1 MB kept, {timing[0] if timing else 'no timing'}", flush=True)
    formats = clip_formats(s)
    s.check("... and every format comes back", [megabyte] * 20,
            [formats.get(f"TalsekProbeFormat{i}") for i in range(1, 21)])
    s.probe_beside(b"offered=1", "a program offers 70 delayed formats of 1 MB", "clip-offer", "70", str(megabyte), "20000")

    def refused_before_copying() -> None:
        s.expect_box("Strg+Umschalt+X over 70 MB", ERROR_CAPTION, TOO_MUCH, "error")
        s.click_ok()
    s.check("with 70 MB offered the selection stays", b"Hallo Welt",
            in_place(s, b"Hallo Welt", "ctrl+shift+x", during=refused_before_copying, ms=8000))
    s.check("the clipboard keeps the offering program's text", b"vorher", s.clip_exact())
    beenden(s, process)


@case("auswahl")
def a_paste_400_ms_late_gets_the_result_while_two_tools_read_every_update(s: Session) -> None:
    process = start_with_icon(s, in_place_settings())
    s.clip_put("vorher")
    late, _ = s.probe_beside(b"watching=1", "a tool reads 250 ms after each update", "clip-watch", "250",
                             out=s.artifacts / "watched-late-tool.txt")
    try:
        updates = s.watch_clipboard(lambda: s.check("a busy window gets the result", b"Jcnnq Ygnv",
                                                    in_place(s, b"Hallo Welt", "ctrl+shift+x", options=("late:400",))),
                                    "watched-late-paste")
    finally:
        s.probe("clip-watch-stop", "250")
        end(late, 30)
    s.check("the clipboard comes back", b"vorher", s.clip_exact())
    seen = [u["text"] for u in updates] + [line for line in (s.artifacts / "watched-late-tool.txt").read_bytes().split(b"\n")]
    s.check("neither tool read the result", False, any(b"Jcnnq" in t or b"4a636e6e71" in t for t in seen))
    beenden(s, process)


@case("auswahl")
def a_read_only_window_takes_no_paste_and_a_box_says_so(s: Session) -> None:
    process = start_with_icon(s, in_place_settings())
    s.clip_put("vorher")

    def box() -> None:
        s.expect_box("Strg+Umschalt+X in a read-only edit", ERROR_CAPTION, NO_PASTE, "error", timeout_ms=15000)
        s.click_ok()
    s.check("the read-only text stays", b"Hallo Welt",
            in_place(s, b"Hallo Welt", "ctrl+shift+x", options=("readonly",), during=box, ms=12000))
    s.check("the clipboard keeps its text", b"vorher", s.clip_exact())
    beenden(s, process)


def in_place_in(s: Session, program: str, name: str, pasted: str | None = None, cipher: str = "Jcnnq Ygnv") -> None:
    """Types a line in Wine's own program (or pastes `pasted` there from the clipboard), selects it,
    encrypts it in place and copies it back."""
    if pasted is None:
        s.clip_put("vorher")
    else:
        clip_put_unicode(s, pasted)
    before = clip_unicode(s)
    editor = s.start_beside(program)
    clicked = s.x("xdotool", "search", "--sync", "--onlyvisible", "--name", name, "windowfocus", "--sync",
                  "mousemove", "--window", "%1", "300", "200", "click", "1", timeout=15)
    s.check(f"{name}'s window is shown and clicked", 0, clicked.returncode)
    for key in ("Hallo Welt" if pasted is None else "ctrl+v", "ctrl+a", "ctrl+shift+x"):
        s.x("xdotool", *(("key", key) if "+" in key else ("type", "--delay", "60", key)), timeout=30)
        time.sleep(0.2)
    if not poll(10, lambda: clip_unicode(s) == before):
        raise CaseFailure(f"{name}: the clipboard comes back after the paste", before, clip_unicode(s))
    s.no_box_for(300)
    for key in ("ctrl+a", "ctrl+c"):
        s.x("xdotool", "key", key)
        time.sleep(0.2)
    if not poll(10, lambda: clip_unicode(s) != before):
        raise CaseFailure(f"{name}'s copy arrives", cipher, clip_unicode(s))
    s.check(f"{name} holds the encrypted line", cipher, clip_unicode(s).rstrip("\r\n"))
    editor.kill()
    editor.wait(timeout=15)
    if not poll(10, lambda: s.x("xdotool", "search", "--onlyvisible", "--name", name).returncode != 0):
        raise CaseFailure(f"{name}'s window goes with its program", "no window", "still shown")


@case("auswahl")
def wines_notepad_and_wordpad_get_their_selection_replaced(s: Session) -> None:
    process = start_with_icon(s, in_place_settings())
    in_place_in(s, "notepad", "Notepad")
    in_place_in(s, wordpad(s.state.program), "Wordpad")
    in_place_in(s, "notepad", "Notepad", "Bis morgen 🙂 Łódź", "Dku oqtigp 🙂 Łófź")
    beenden(s, process)


# ---- the launcher -------------------------------------------------------------------------------------

def talsek_folder(s: Session) -> Path:
    folder = s.work / "talsek"
    exe = folder / "talsek.exe"
    if not exe.exists():
        shutil.copy2(s.state.standin, exe)
    (folder / "talsek-starts.log").unlink(missing_ok=True)
    return folder


@case("launcher")
def a_double_click_starts_talsek_without_arguments_and_opens_no_menu(s: Session) -> None:
    folder = talsek_folder(s)
    process = start_with_icon(s, {"Programmpfad": s.windows_path(folder, True)})
    s.tray(515)
    s.expect_standin("the double-click starts talsek.exe with no arguments", folder, ["[]"])
    rc, _ = s.probe("wait-menu", "700")
    s.check("no menu opens on a double-click", 1, rc)
    s.no_box_for(300)
    for ignored in (512, 513, 514, 516):
        s.tray(ignored)
    rc, _ = s.probe("wait-menu", "700")
    s.check("moves, single presses and releases open no menu", 1, rc)
    s.check("... and start nothing", ["[]"], s.standin_starts(folder))
    beenden(s, process)


@case("launcher")
def the_menu_starts_talsek_plainly_and_in_its_options_mode(s: Session) -> None:
    folder = talsek_folder(s)
    process = start_with_icon(s, {"Programmpfad": ("REG_EXPAND_SZ", s.windows_path(folder, True))})
    s.menu("p")
    s.expect_standin("\"Programm Talsek starten\" passes no arguments", folder, ["[]"])
    s.menu("t")
    s.expect_standin("\"Talsek-Optionen ändern\" passes -onlyoption", folder, ["[]", "[-onlyoption]"])
    s.no_box_for(300)
    beenden(s, process)


@case("launcher")
def a_missing_talsek_is_reported_with_its_folder(s: Session) -> None:
    folder = talsek_folder(s)
    empty = s.work / "empty"
    process = start_with_icon(s, {"Programmpfad": s.windows_path(empty, True)})
    s.tray(515)
    s.expect_box("talsek.exe missing", ERROR_CAPTION, not_found(s.windows_path(empty, True)), "error")
    s.click_ok()
    # The file name is appended without a separator: "...\talsek" + "talsek.exe" does not exist,
    # although talsek.exe lies in that folder.
    s.reg_add("Programmpfad", "REG_SZ", s.windows_path(folder))
    s.menu("e")  # any command refreshes the options; the launcher itself never does
    s.menu("t")
    s.expect_box("a path without its final backslash", ERROR_CAPTION, not_found(s.windows_path(folder)), "error")
    s.click_ok()
    s.reg_add("Programmpfad", "REG_EXPAND_SZ", "%TEMP%\\")
    s.menu("e")
    s.menu("p")
    s.expect_box("a variable in the path is not expanded", ERROR_CAPTION, not_found("%TEMP%\\"), "error")
    s.click_ok()
    s.check("nothing was started", [], s.standin_starts(folder))
    beenden(s, process)


@case("launcher")
def without_a_stored_path_talsek_is_looked_for_beside_the_program(s: Session) -> None:
    own = s.app_folder
    shutil.copy2(s.state.standin, own / "talsek.exe")
    (own / "talsek-starts.log").unlink(missing_ok=True)
    try:
        process = start_with_icon(s, {"Methode": 1})
        s.tray(515)
        s.expect_standin("talsek.exe beside the program is started", own, ["[]"])
        beenden(s, process)
    finally:
        (own / "talsek.exe").unlink(missing_ok=True)


@case("launcher")
def without_settings_the_options_command_warns_then_passes_firstoption(s: Session) -> None:
    # No key: the path stays empty, so talsek.exe is looked for in the program's current folder.
    folder = talsek_folder(s)
    process = start_with_icon(s, None, cwd=folder)
    s.menu("t")
    s.expect_box("the options command without settings", WARNING_CAPTION, FIRST_OPTION_WARNING, "warning")
    s.check("talsek.exe waits until the warning is closed", [], s.standin_starts(folder))
    s.click_ok()
    s.expect_standin("then it starts with -firstoption", folder, ["[-firstoption]"])
    beenden(s, process)


@case("launcher")
def without_settings_and_without_talsek_only_the_error_box_is_shown(s: Session) -> None:
    process = start_with_icon(s, None)  # current folder: the empty one
    s.menu("t")
    s.expect_box("an empty path and no talsek.exe in the current folder", ERROR_CAPTION, not_found(""), "error")
    s.click_ok()
    s.no_box_for(700)
    beenden(s, process)


# ---- the menu ---------------------------------------------------------------------------------------

@case("menu")
def a_right_click_opens_the_menu_at_the_cursor_and_escape_chooses_nothing(s: Session) -> None:
    folder = talsek_folder(s)
    process = start_with_icon(s, {"Programmpfad": s.windows_path(folder, True)})
    s.x("xdotool", "mousemove", "400", "300")
    s.tray(517)
    rc, values = s.probe("wait-menu")
    s.check("a menu opens on the right button's release", 0, rc)
    left, top, _, _ = (int(v) for v in values["menu"].split(","))
    s.check("the menu's top-left corner is at the cursor", (400, 300), (left, top))
    time.sleep(0.5)  # let it paint: the picture is for a human to check captions, order and bold item
    s.screenshot("menu-open")
    rc, _ = s.probe("menu-key", "esc")
    s.check("Escape closes the menu", 0, rc)
    s.no_box_for(500)
    s.check("choosing nothing starts nothing", [], s.standin_starts(folder))
    s.check("the program goes on", None, process.poll())
    s.tray(517)
    rc, _ = s.probe("menu-key", "esc")
    s.check("the menu opens a second time", 0, rc)
    beenden(s, process)


# ---- the runner -------------------------------------------------------------------------------------

def run(state: State, group: str, only: str | None) -> int:
    cases = [fn for fn in CASES.get(group, []) if not only or only in fn.__name__]
    if not cases:
        print(f"no cases in group {group!r}", file=sys.stderr)
        return 2
    failed = []
    for fn in cases:
        s = Session(state, group)
        if not run_case(s, group, fn, lambda: fn(s), (s.close,)):
            failed.append(fn)
    print(f"{group}: {len(cases) - len(failed)} of {len(cases)} cases passed")
    return 1 if failed else 0


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--state", required=True)
    parser.add_argument("--group", required=True, choices=sorted(CASES))
    parser.add_argument("--case", help="run only the cases whose name contains this")
    args = parser.parse_args()
    state = existing_state(args.state)
    return run(state, args.group, args.case) if state else 1


if __name__ == "__main__":
    sys.exit(main())
