// The cipher library: pure transformations of code-page-1252 byte strings.
// Every operation returns a fresh string and never changes its input.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

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

}  // namespace verschl
