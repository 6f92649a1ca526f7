#!/usr/bin/env python3
"""Writes the seed corpora in corpus/<target>/ in each target's input format (described at the
top of each *_fuzz.cpp). Run it again after changing a format: python3 fuzz/make_seeds.py"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def write(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def letters(key):
    """The bytes that fuzz::AsLetters maps onto `key`."""
    return bytes((ord(c) - 65) if c.isupper() else 26 + ord(c) - 97 for c in key)


def chunk(data):
    assert len(data) < 256
    return bytes([len(data)]) + data


def cp(text):
    return text.encode("cp1252")


def vigenere(text, key="quorvalmidestrenix"):
    """Enciphers letters only, as the companion program stores its key."""
    out = []
    for i, c in enumerate(text):
        base = 65 if c.isupper() else 97
        out.append(chr(base + (ord(c) - base + ord(key[i % len(key)]) - 97) % 26))
    return "".join(out)


# --- verschl: flags, column byte, shift, key chunk, stretch, text
def verschl(name, flags, columns, shift, key, text, stretch=0):
    write("verschl", name, bytes([flags, columns - 1]) + struct.pack("<i", shift) + chunk(letters(key))
          + bytes([stretch]) + text)


verschl("hallo_square", 1, 5, 2, "Wandelrose", b"HALLO")
verschl("hallo_welt_three_columns", 2, 3, -2, "ABC", b"HALLO WELT")
verschl("zebra_shift25", 0, 100, 25, "Z", cp("Zebra-123 \xe4 xyz XYZ"))
verschl("koeln_min_shift", 3, 1, -2**31, "quorvalmidestrenix",
        cp("Gr\xfc\xdfe aus K\xf6ln\r\n\tStra\xdfe \xc4rger \xfcber \xd6l\xa0\xc9"))
verschl("all_bytes", 1, 17, 2**31 - 1, "Wandelrose", bytes(range(256)))
verschl("trailing_spaces", 0, 5, 13, "Kx", b"  ABC   ")
verschl("stretched_blocks", 1 | 4 | 8 | 16, 64, 7, "LongerKeyThanUsual", cp("Stra\xdfe, \xc4rger; \xfcber \xd6l! 12 "),
        stretch=200)
verschl("empty_text", 0, 1, 0, "", b"")

# --- optionen: flags, [start record], exe chunk, eleven value entries, rewrites
ABSENT = b"\x00"


def sz(s): return b"\x01" + chunk(s)                    # REG_SZ with its 0
def dw(n): return b"\x01" + bytes([n + 128])            # DWORD -128..127
def dw4(n): return b"\x02" + struct.pack("<I", n & 0xFFFFFFFF)
def expand(s): return b"\x02" + chunk(s)                # REG_EXPAND_SZ without a 0
def raw(t, data): return b"\x03" + bytes([t]) + chunk(data)


EXE = chunk(b"C:\\Tools\\tray.exe")


def optionen(name, flags, values, start=b"", rewrites=b"\x00", exe=EXE):
    assert len(values) == 11
    write("optionen", name, bytes([flags]) + start + exe + b"".join(values) + rewrites)


NONE = [ABSENT] * 11
FULL = [sz(b"C:\\Talsek\\"), dw(3), dw(4), dw(0), dw(7), sz(("12 " + vigenere("Geheim") + "!").encode()),
        dw(1), dw(1), dw(0), dw(1), dw(-1)]
START = bytes([0x7F, 7, 3, 41]) + chunk(letters("Vorher")) + chunk(b"E:\\Alt\\")
optionen("no_key", 0, NONE)
optionen("read_only_key", 3, [ABSENT, ABSENT, dw(0)] + [ABSENT] * 8)
optionen("only_methode", 1, [ABSENT, ABSENT, dw(0)] + [ABSENT] * 8)
optionen("all_values", 1, FULL)
optionen("edges", 1, [expand(b"%APPDATA%\\Talsek\\"), dw4(25), dw4(5), dw4(2), dw4(101), sz(b"123 !?"),
                      dw4(0x80000000), dw(0), dw(0), dw(0), dw(0)])
optionen("methode_as_string", 1, [sz(b"D:\\"), dw(1), raw(1, b"1\x00")] + [ABSENT] * 8)
optionen("kleinschrift_eight_bytes", 1,
         [ABSENT, dw(25), dw(2), dw(1), dw(100), sz(b"abc"), dw(0), raw(3, bytes(8))] + [ABSENT] * 3)
optionen("programmpfad_as_dword", 1, [raw(4, struct.pack("<I", 5))] + [ABSENT] * 10)
optionen("empty_values", 1, [raw(7, b""), raw(0, b""), ABSENT, raw(4, b"\x01"), ABSENT, raw(3, b"")] + [ABSENT] * 5)
optionen("start_record_no_key", 4, NONE, start=START)
optionen("start_record_with_key", 5, [ABSENT, dw(26), dw(5), ABSENT, dw(0)] + [ABSENT] * 6, start=START)
optionen("no_exe_folder", 1, NONE, exe=chunk(b"tray.exe"))
# the companion program rewriting values while the refresh reads them
optionen("string_grows_while_read", 1, [sz(b"abc")] + [ABSENT] * 10, rewrites=b"\x01\x00" + sz(b"abcdefghij"))
optionen("key_deleted_while_read", 1, [sz(b"abc"), dw(3)] + [ABSENT] * 9, rewrites=b"\x01" + bytes([0x80 | 1]))
optionen("type_changes_while_read", 1, FULL,
         rewrites=b"\x02" + b"\x05" + raw(4, b"\x01\x00\x00\x00") + b"\x02" + raw(1, b"x\x00"))

# --- zwischenablage: record, refresh byte, [second record], clipboard
SQ, IGN, KLEIN, GROSS, LEER, UML = 1, 2, 4, 8, 16, 32


def record(switches, method, caesar=2, columns=5, key="Wandelrose"):
    return bytes([switches, method + 7, caesar, columns - 1]) + chunk(letters(key))


def zwischenablage(name, rec, clipboard, refresh=0, second=b""):
    write("zwischenablage", name, rec + bytes([refresh]) + second + clipboard)


zwischenablage("defaults", record(SQ, 1), b"Hallo Welt")
zwischenablage("koeln_filters", record(SQ | UML | GROSS | LEER, 1), cp("Gr\xfc\xdfe aus K\xf6ln"))
zwischenablage("koeln_both_cases", record(SQ | KLEIN | GROSS, 1), cp("Gr\xfc\xdfe aus K\xf6ln"))
zwischenablage("euro_byte_shift", record(SQ, 3), cp("Preis: 5 \u20ac netto"))
zwischenablage("transposition_three_columns", record(0, 0, columns=3), b"HALLO WELT  ")
zwischenablage("transposition_square", record(SQ | LEER, 0), b"ABCDEF\r\nGHI")
zwischenablage("vigenere_ignoring", record(IGN, 4, key="Schluessel"), b"Hallo, Welt! 42")
zwischenablage("vigenere_empty_key", record(0, 4, key=""), b"unchanged text")
zwischenablage("rot13_nul_in_clipboard", record(0, 2), b"Hallo\x00Welt")
zwischenablage("code_without_row", record(UML | KLEIN, 5), cp("\xc4\xd6\xdc \xe4\xf6\xfc \xdf"))
zwischenablage("negative_code", record(LEER, -1), b" a b c ")
zwischenablage("refresh_throws", record(SQ, 1), b"Hallo Welt", refresh=1)
zwischenablage("refresh_changes_method", record(SQ, 1), cp("Stra\xdfe \u20ac"), refresh=2, second=record(GROSS, 3))
zwischenablage("empty_clipboard", record(SQ | UML, 0), b"")
zwischenablage("lone_breaks_transposition", record(0, 0, columns=2), b"x\r\ny\nz")
# The text as UTF-16: characters outside the code page, which pass every filter and cipher, a
# transposition that moves an emoji, lone surrogates, and a U+0000 where the readers stop.
UTF16 = 128


def u16(text):
    return text.encode("utf-16-le", "surrogatepass")


zwischenablage("utf16_outside_code_page", record(UML | KLEIN, 1), u16("\u0141\u00f3d\u017a, \u0414\u043e\u043c \u00c4rger \U0001F642"),
               refresh=UTF16)
zwischenablage("utf16_emoji_transposed", record(SQ, 0), u16("ab\U0001F642 Stra\u00dfe \u20ac"), refresh=UTF16)
zwischenablage("utf16_vigenere_emoji", record(0, 4, key="ab"), u16("a\U0001F642a \u4e2d\u6587 z"), refresh=UTF16)
zwischenablage("utf16_lone_surrogates", record(LEER, 0, columns=2), u16("\ud800 x\udc00 \ude42"), refresh=UTF16)
zwischenablage("utf16_nul", record(GROSS, 3), u16("vorher\u0000nachher \u20ac"), refresh=UTF16)
# What may come between: a clipboard held open, taken once the text is read, lost or unmarked writes.
zwischenablage("held_open", record(SQ, 1), b"Hallo Welt", refresh=4)
zwischenablage("held_after_reading_held_briefly", record(SQ, 2), b"Hallo Welt", refresh=8 | 64)
zwischenablage("copies_lost", record(SQ, 1), b"Hallo Welt", refresh=16)
zwischenablage("writes_unmarked", record(SQ, 1), u16("Jcnnq \U0001F642"), refresh=32 | UTF16)

# --- menu: mode, [mask bytes], captions separated by line feeds
write("menu", "tray_menu", b"\x01" + cp("Programm Talsek starten\nTalsek-Optionen \xe4ndern\n-\n"
                                         "Zwischenablage &verschl\xfcsseln\nZwischenablage &entschl\xfcsseln\n-\n&Beenden"))
write("menu", "duplicate_marks", b"\x01&Datei\n&Drucken\n&Bx\n&Bx\nBx\n&open\n&Ordner")
write("menu", "literal_ampersands", b"\x01Q&&A\n&&B\n&&\nA&&&B\nb\n&Dx\n&D&y\nabc&")
write("menu", "separators", b"\x01-\n-\nA\n-\n-\n-\nB\n-\n-")
write("menu", "outside_the_keys", b"\x01" + cp("&\xe4pfel\nA&-B\n\xe4pfel\n&A\na\n...\n\xc4\xd6\xdc\n&1 Datei\n1 Datei"))
write("menu", "masked", b"\x00\x0c\x00\x00&Datei\nXyz\nDrucken\nXa")
write("menu", "shortcuts", b"\x01" + cp("&A\nA\tStrg+B\nZwischenablage &verschl\xfcsseln\tStrg+Umschalt+V\n"
                                         "x\t&&\nY&\tZ"))
