// The Vigenère cipher over the 26 ASCII letters, and its letter square.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "verschl/buchstaben.h"
#include "verschl/verschl.h"

namespace verschl {

TVigenereTabelle VigenereTabelle{};

void VigenereTabelleAufbauen(TVigenereTabelle& tabelle) {
  for (std::size_t i = 0; i < 26; ++i)
    for (std::size_t j = 0; j < 26; ++j) tabelle[i + 26 * j] = static_cast<unsigned char>(65 + (i + j) % 26);
}

namespace {

constexpr std::size_t kBlock = 4096;

using detail::Ergebnis;
using detail::Kopie;
using detail::Neu;
using detail::Zeichen;

// The table's entry at row P, column K is the letter of value (P + K) mod 26, and its column
// search for decryption finds the value (P - K) mod 26. Both are a shift by a key-dependent
// amount, so the ciphers compute the letter directly: that keeps them independent of whether
// VigenereTabelleAufbauen has run, and lets the loops vectorise.
unsigned char Schluesselverschiebung(unsigned char schluesselbuchstabe, bool rueckwaerts) {
  // A key byte that is no letter is outside the contract; the remainder keeps it a shift.
  const unsigned char wert = static_cast<unsigned char>(detail::Buchstabenwert(schluesselbuchstabe) % 26);
  return rueckwaerts ? static_cast<unsigned char>((26 - wert) % 26) : wert;
}

// The shifts of the key's first m letters, repeated over `laenge` bytes, after `vorlauf` bytes
// that are there only to be read.
std::vector<unsigned char> Verschiebungen(std::string_view schluessel, std::size_t m, std::size_t vorlauf,
                                          std::size_t laenge, bool rueckwaerts) {
  std::vector<unsigned char> v(vorlauf + laenge);
  unsigned char* w = v.data() + vorlauf;
  const unsigned char* k = Zeichen(schluessel);
  for (std::size_t i = 0; i < std::min(m, laenge); ++i) w[i] = Schluesselverschiebung(k[i], rueckwaerts);
  // Doubling copies: each starts at a multiple of m, so the key's period carries on.
  for (std::size_t fertig = m; fertig < laenge; fertig *= 2)
    std::memcpy(w + fertig, w, std::min(fertig, laenge - fertig));
  return v;
}

// Every character uses up a key letter, so the key position is the character's index modulo the
// key length. The key's shifts are laid out repeatedly in a buffer whose length is a multiple of
// the key length; each stretch of text of that length then starts at key position 1 and pairs
// with the buffer element by element, which the vectoriser can take in whole registers.
template <class Z>
void MitJedemZeichen(const Z* __restrict quelle, std::size_t n, std::string_view schluessel, std::size_t m,
                     bool rueckwaerts, Z* __restrict ziel) {
  const std::size_t wiederholungen = (std::min(n, kBlock) + m - 1) / m;
  const std::vector<unsigned char> verschiebungen = Verschiebungen(schluessel, m, 0, m * wiederholungen, rueckwaerts);
  const unsigned char* __restrict k = verschiebungen.data();
  for (std::size_t start = 0; start < n; start += verschiebungen.size()) {
    const std::size_t laenge = std::min(verschiebungen.size(), n - start);
    const Z* __restrict q = quelle + start;
    Z* __restrict z = ziel + start;
    for (std::size_t i = 0; i < laenge; ++i) z[i] = detail::VerschiebeBuchstaben(q[i], k[i]);
  }
}

// Only letters use up a key letter. Within a block of B characters the key position can rise by at
// most B, so with the shifts laid out over key length + B the position needs wrapping only once
// per block. Each block then takes three loops: the letters are found, every character is given the
// shift at the current key position, and the shifts are applied. The first and the last
// vectorise; the middle one is what a single loop doing all three would be held up by, so it
// is kept to loads, stores and one addition per pair of characters.
template <class Z>
void NurMitBuchstaben(const Z* __restrict quelle, std::size_t n, std::string_view schluessel, std::size_t m,
                      bool rueckwaerts, Z* __restrict ziel) {
  const std::size_t block = std::min(n, kBlock);
  // One spare shift in front for the pairwise reads below.
  const std::vector<unsigned char> verschiebungen = Verschiebungen(schluessel, m, 1, m + block, rueckwaerts);

  unsigned char buchstabe[kBlock];
  // The shifts are placed half a page away from the output's address modulo 4096. The last
  // loop stores into the output while it loads them; at an equal page offset the processor
  // would take some of those loads for reloads of the fresh stores and stall them.
  alignas(64) unsigned char raum[2 * kBlock];
  std::size_t position = 0;
  for (std::size_t start = 0; start < n; start += block) {
    const std::size_t laenge = std::min(block, n - start);
    const Z* __restrict q = quelle + start;
    Z* __restrict z = ziel + start;
    const std::uintptr_t versatz =
        (reinterpret_cast<std::uintptr_t>(z) + kBlock / 2 - reinterpret_cast<std::uintptr_t>(raum)) % kBlock;
    unsigned char* __restrict verschiebung = raum + versatz;
    for (std::size_t i = 0; i < laenge; ++i) buchstabe[i] = detail::Buchstabenwert(q[i]) < 26 ? 1 : 0;
    position %= m;
    // vor[1 + s] is the shift of the s-th letter of this block.
    const unsigned char* __restrict vor = verschiebungen.data() + position;
    std::size_t s = 0;
    std::size_t i = 0;
    // The shift given to a non-letter is never used. So a pair of characters takes the two shifts
    // from the current key position on when its first character is a letter, and from one before
    // when it is not: either way the letters among the two get theirs, in one 2-byte read.
#pragma GCC unroll 4
    for (; i + 2 <= laenge; i += 2) {
      const std::size_t erster = buchstabe[i];
      std::memcpy(verschiebung + i, vor + s + erster, 2);
      s += erster + buchstabe[i + 1];
    }
    if (i < laenge) {
      verschiebung[i] = vor[1 + s];
      s += buchstabe[i];
    }
    position += s;
    for (std::size_t j = 0; j < laenge; ++j) z[j] = detail::VerschiebeBuchstaben(q[j], verschiebung[j]);
  }
}

template <class Z>
Ergebnis<Z> Vigenere(const Z* text, std::size_t n, std::string_view schluessel, bool sonderzeichenIgnorieren,
                     bool rueckwaerts) {
  if (schluessel.empty() || n == 0) return Kopie(text, n);
  // A key longer than the text is used only as far as the text reaches.
  const std::size_t m = std::min(schluessel.size(), n);
  Ergebnis<Z> ergebnis = Neu<Z>(n);
  if (sonderzeichenIgnorieren)
    NurMitBuchstaben(text, n, schluessel, m, rueckwaerts, Zeichen(ergebnis));
  else
    MitJedemZeichen(text, n, schluessel, m, rueckwaerts, Zeichen(ergebnis));
  return ergebnis;
}

}  // namespace

std::string VigenereVerschluesseln(std::string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren) {
  return Vigenere(Zeichen(text), text.size(), schluessel, sonderzeichenIgnorieren, false);
}

std::string VigenereEntschluesseln(std::string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren) {
  return Vigenere(Zeichen(text), text.size(), schluessel, sonderzeichenIgnorieren, true);
}

TText VigenereVerschluesseln(std::u32string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren) {
  return Vigenere(Zeichen(text), text.size(), schluessel, sonderzeichenIgnorieren, false);
}

TText VigenereEntschluesseln(std::u32string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren) {
  return Vigenere(Zeichen(text), text.size(), schluessel, sonderzeichenIgnorieren, true);
}

}  // namespace verschl
