"""An independent reference for what the encrypt and decrypt commands must put on the clipboard.

Written from the described algorithms, not from the program's code, and checked against the
described worked examples by `known_answers()` (run in the harness's self-test), so that an
expected value in a case is never the program's own answer played back.

All texts are `bytes` in code page 1252.
"""

UMLAUT_TRANSCRIPTION = {196: b"Ae", 214: b"Oe", 220: b"Ue", 223: b"ss", 228: b"ae", 246: b"oe", 252: b"ue"}
FIXED_KEY = b"quorvalmidestrenix"


def transcribe_umlauts(text: bytes) -> bytes:
    return b"".join(UMLAUT_TRANSCRIPTION.get(c, bytes([c])) for c in text)


def to_lower(text: bytes) -> bytes:
    folded = {196: 228, 214: 246, 220: 252}
    return bytes(c + 32 if 65 <= c <= 90 else folded.get(c, c) for c in text)


def to_upper(text: bytes) -> bytes:
    folded = {228: 196, 246: 214, 252: 220}
    return bytes(c - 32 if 97 <= c <= 122 else folded.get(c, c) for c in text)


def drop_spaces(text: bytes) -> bytes:
    return text.replace(b" ", b"")


def caesar(text: bytes, shift: int) -> bytes:
    def one(c: int) -> int:
        if 97 <= c <= 122:
            return 97 + (c - 97 + shift + 26) % 26
        if 65 <= c <= 90:
            return 65 + (c - 65 + shift + 26) % 26
        return c
    return bytes(one(c) for c in text)


def rot13(text: bytes) -> bytes:
    return caesar(text, 13)


def shift128(text: bytes) -> bytes:
    return bytes((c + 128) % 256 for c in text)


def _square_columns(length: int) -> int:
    n = 1
    while n * n < length:
        n += 1
    return n


def _matrix_size(length: int, square: bool, columns: int) -> tuple[int, int]:
    c = _square_columns(length) if square else columns
    return c, -(-length // c)


def transpose_encrypt(text: bytes, square: bool, columns: int) -> bytes:
    if not text:
        return b""
    c, r = _matrix_size(len(text), square, columns)
    padded = text.ljust(r * c, b" ")
    return bytes(padded[row * c + col] for col in range(c) for row in range(r))


def transpose_decrypt(text: bytes, square: bool, columns: int) -> bytes:
    if not text:
        return b""
    c, r = _matrix_size(len(text), square, columns)
    padded = text.ljust(r * c, b" ")
    return bytes(padded[col * r + row] for row in range(r) for col in range(c)).rstrip(b" ")


def _is_letter(c: int) -> bool:
    return 65 <= c <= 90 or 97 <= c <= 122


def _vigenere(text: bytes, key: bytes, ignore_others: bool, sign: int) -> bytes:
    if not key:
        return text
    out = bytearray()
    k = 0
    for c in text:
        if _is_letter(c):
            upper = c - 32 if c >= 97 else c
            key_letter = key[k]
            key_value = (key_letter - 32 if key_letter >= 97 else key_letter) - 65
            new = 65 + (upper - 65 + sign * key_value) % 26
            out.append(new + 32 if c >= 97 else new)
            k = (k + 1) % len(key)
        else:
            out.append(c)
            if not ignore_others:
                k = (k + 1) % len(key)
    return bytes(out)


def vigenere_encrypt(text: bytes, key: bytes, ignore_others: bool) -> bytes:
    return _vigenere(text, key, ignore_others, +1)


def vigenere_decrypt(text: bytes, key: bytes, ignore_others: bool) -> bytes:
    return _vigenere(text, key, ignore_others, -1)


def stored_key(key: bytes) -> bytes:
    """The form in which the companion program writes a Vigenère key into the registry."""
    return vigenere_encrypt(key, FIXED_KEY, False)


def encrypt_command(text: bytes, options: dict) -> bytes:
    """What the encrypt command makes of the clipboard text `text` (as the program pastes it)."""
    o = {**DEFAULTS, **options}
    if o["UmlauteErsetzen"]:
        text = transcribe_umlauts(text)
    if o["Kleinschrift"]:
        text = to_lower(text)
    if o["Grossschrift"]:
        text = to_upper(text)
    if o["LeerzeichenLoeschen"]:
        text = drop_spaces(text)
    return _method(text, o, forward=True)


def decrypt_command(text: bytes, options: dict) -> bytes:
    return _method(text, {**DEFAULTS, **options}, forward=False)


DEFAULTS = {
    "CaesarVerschiebung": 2, "Methode": 1, "MatrixQuadratisch": True, "Spaltenzahl": 5,
    "VigenereSchluessel": b"Wandelrose", "SonderzeichenIgnorieren": False, "Kleinschrift": False,
    "Grossschrift": False, "LeerzeichenLoeschen": False, "UmlauteErsetzen": False,
}


def _method(text: bytes, o: dict, forward: bool) -> bytes:
    m = o["Methode"]
    if m == 0:
        op = transpose_encrypt if forward else transpose_decrypt
        return op(text, o["MatrixQuadratisch"], o["Spaltenzahl"])
    if m == 1:
        return caesar(text, o["CaesarVerschiebung"] if forward else -o["CaesarVerschiebung"])
    if m == 2:
        return rot13(text)
    if m == 3:
        return shift128(text)
    if m == 4:
        op = vigenere_encrypt if forward else vigenere_decrypt
        return op(text, o["VigenereSchluessel"], o["SonderzeichenIgnorieren"])
    return text


def known_answers() -> list[str]:
    """The described worked examples; returns the ones that this reference gets wrong."""
    examples = [
        (transcribe_umlauts("Straße Ärger über Öl".encode("cp1252")), b"Strasse Aerger ueber Oel"),
        (to_upper("straße".encode("cp1252")), "STRAßE".encode("cp1252")),
        (to_upper(transcribe_umlauts("straße".encode("cp1252"))), b"STRASSE"),
        (to_lower("ÄÖÜÉß".encode("cp1252")), "äöüÉß".encode("cp1252")),
        (drop_spaces(b"  a b\t\r\n\xa0 "), b"ab\t\r\n\xa0"),
        (caesar("Zebra-123 ä".encode("cp1252"), 2), "Bgdtc-123 ä".encode("cp1252")),
        (caesar("Bgdtc-123 ä".encode("cp1252"), -2), "Zebra-123 ä".encode("cp1252")),
        (caesar(b"xyz XYZ", 25), b"wxy WXY"),
        (caesar(b"abc", -25), b"bcd"),
        (rot13(b"Hallo"), b"Unyyb"),
        (shift128(b"A b"), bytes([193, 160, 226])),
        (transpose_encrypt(b"HALLO", True, 0), b"HLAOL "),
        (transpose_decrypt(b"HLAOL ", True, 0), b"HALLO"),
        (transpose_encrypt(b"ABCDEFGHI", True, 0), b"ADGBEHCFI"),
        (transpose_encrypt(b"ABCDEF", True, 0), b"ADBECF"),
        (transpose_encrypt(b"HALLO WELT", True, 0), b"HOLA TLW LE "),
        (transpose_encrypt(b"HALLO WELT", False, 4), b"HOLA TLW LE "),
        (transpose_encrypt(b"HALLO WELT", False, 3), b"HLWTAOE L L "),
        (transpose_encrypt(b"ABC", False, 5), b"ABC  "),
        (transpose_decrypt(b"ABC  ", False, 5), b"ABC"),
        (vigenere_encrypt(b"AB", b"Z", False), b"ZA"),
        (vigenere_encrypt(b"a b", b"BCD", False), b"b e"),
        (vigenere_encrypt(b"a b", b"BCD", True), b"b d"),
        (vigenere_decrypt(stored_key(b"Wandelrose"), FIXED_KEY, False), b"Wandelrose"),
        (encrypt_command(b"Hallo Welt", {}), b"Jcnnq Ygnv"),
        (encrypt_command("Grüße aus Köln".encode("cp1252"),
                         {"UmlauteErsetzen": True, "Grossschrift": True, "LeerzeichenLoeschen": True}),
         b"ITWGUUGCWUMQGNP"),
        (encrypt_command("Grüße aus Köln".encode("cp1252"), {"Kleinschrift": True, "Grossschrift": True}),
         "ITÜßG CWU MÖNP".encode("cp1252")),
    ]
    return [f"{i}: expected {want!r}, got {got!r}" for i, (got, want) in enumerate(examples) if got != want]
