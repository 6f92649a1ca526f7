// The cipher library: pure transformations of text, on two roads that share every operation.
// The byte road takes code-page-1252 byte strings; the Unicode road takes code points and
// returns a TText. A character's class is that of its code-page-1252 byte, and "every other
// byte" where it has none, so characters outside the code page pass through every filter and
// cipher in their place, the transposition moves each as one character, and the byte shift by
// 128 leaves them as they are.
// Every operation returns a fresh text and never changes its input.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "verschl/Codepage1252.h"
#include "verschl/Text.h"

namespace verschl {

// The ciphers' letters: "A" to "Z" and "a" to "z", nothing else.
constexpr bool IstBuchstabe(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

using TVigenereTabelle = std::array<unsigned char, 676>;
extern TVigenereTabelle VigenereTabelle;               // process-wide, built once at start-up
void VigenereTabelleAufbauen(TVigenereTabelle& tabelle);
std::string ErsetzeUmlaute(std::string_view text);
std::string InKleinschrift(std::string_view text);
std::string InGrossschrift(std::string_view text);
std::string EntferneLeerzeichen(std::string_view text);
std::string CaesarVerschieben(std::string_view text, std::int32_t verschiebung);
std::string Rot13(std::string_view text);
std::string Verschiebe128(std::string_view text);
std::string TranspositionVerschluesseln(std::string_view text, bool quadratisch, std::int32_t spaltenzahl);
std::string TranspositionEntschluesseln(std::string_view text, bool quadratisch, std::int32_t spaltenzahl);
std::string VigenereVerschluesseln(std::string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren);
std::string VigenereEntschluesseln(std::string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren);

// The Unicode road. The transposition's filler is U+0020; the Vigenère key is ASCII letters as
// on the byte road.
TText ErsetzeUmlaute(std::u32string_view text);
TText InKleinschrift(std::u32string_view text);
TText InGrossschrift(std::u32string_view text);
TText EntferneLeerzeichen(std::u32string_view text);
TText CaesarVerschieben(std::u32string_view text, std::int32_t verschiebung);
TText Rot13(std::u32string_view text);
TText Verschiebe128(std::u32string_view text);
TText TranspositionVerschluesseln(std::u32string_view text, bool quadratisch, std::int32_t spaltenzahl);
TText TranspositionEntschluesseln(std::u32string_view text, bool quadratisch, std::int32_t spaltenzahl);
TText VigenereVerschluesseln(std::u32string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren);
TText VigenereEntschluesseln(std::u32string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren);

}  // namespace verschl
