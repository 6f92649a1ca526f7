// The preparation filters that the encrypt command runs before the cipher.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "verschl/buchstaben.h"
#include "verschl/verschl.h"

namespace verschl {

namespace {

using detail::Ergebnis;
using detail::Kopie;
using detail::Neu;
using detail::Zeichen;

constexpr unsigned char kAe = 196, kOe = 214, kUe = 220, kSz = 223, kae = 228, koe = 246, kue = 252;

// Each byte's transcription as up to two bytes. A byte that stays itself has 0 as its second
// byte, so that the unconditional two-byte store below only ever puts a 0 one past the
// last byte written, which the string's terminator slot may hold.
struct Umschrift {
  std::array<unsigned char, 256> erstes{};
  std::array<unsigned char, 256> zweites{};
  std::array<unsigned char, 256> laenge{};
};

constexpr Umschrift UmschriftAufbauen() {
  Umschrift u;
  for (int b = 0; b < 256; ++b) {
    u.erstes[b] = static_cast<unsigned char>(b);
    u.laenge[b] = 1;
  }
  const auto setze = [&u](unsigned char b, char erstes, char zweites) {
    u.erstes[b] = static_cast<unsigned char>(erstes);
    u.zweites[b] = static_cast<unsigned char>(zweites);
    u.laenge[b] = 2;
  };
  setze(kAe, 'A', 'e');
  setze(kOe, 'O', 'e');
  setze(kUe, 'U', 'e');
  setze(kSz, 's', 's');
  setze(kae, 'a', 'e');
  setze(koe, 'o', 'e');
  setze(kue, 'u', 'e');
  return u;
}

constexpr Umschrift kUmschrift = UmschriftAufbauen();

// 1 for the seven characters that ErsetzeUmlaute transcribes, else 0. Clearing bit 5 folds
// each small umlaut onto its capital and keeps every higher bit, so no code point above 0xFF
// lands on one. Summed selects rather than || or a lookup table: GCC turns either of those into
// branches or bit tests that block the vectoriser.
template <class Z>
Z IstUmlaut(Z c) {
  const auto gross = static_cast<Z>(c & static_cast<Z>(~Z{0x20}));
  return static_cast<Z>((gross == kAe ? 1 : 0) + (gross == kOe ? 1 : 0) + (gross == kUe ? 1 : 0) + (c == kSz ? 1 : 0));
}

template <class Z>
std::size_t ZaehleUmlaute(const Z* __restrict quelle, std::size_t n) {
  // Counted in lanes as wide as the characters, whose sums are carried out before a byte-wide
  // one can overflow.
  constexpr std::size_t kBlock = 255;
  std::size_t summe = 0;
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t laenge = std::min(kBlock, n - start);
    Z teilsumme = 0;
    for (std::size_t i = 0; i < laenge; ++i) teilsumme = static_cast<Z>(teilsumme + IstUmlaut(quelle[start + i]));
    summe += teilsumme;
  }
  return summe;
}

// Writes c's transcription at ziel and moves ziel past it; always stores two characters.
template <class Z>
void Umschreiben(Z*& ziel, Z c) {
  if constexpr (sizeof(Z) == 1) {
    ziel[0] = kUmschrift.erstes[c];
    ziel[1] = kUmschrift.zweites[c];
    ziel += kUmschrift.laenge[c];
  } else {
    // Beyond the table every character stays itself, as the table's byte 0 does.
    const bool imBereich = c < 256;
    const std::size_t b = imBereich ? c : 0;
    ziel[0] = imBereich ? kUmschrift.erstes[b] : c;
    ziel[1] = kUmschrift.zweites[b];
    ziel += kUmschrift.laenge[b];
  }
}

template <class Z>
Ergebnis<Z> Umlaute(const Z* quelle, std::size_t n) {
  // Counting first lets the result be allocated once at its exact size.
  const std::size_t zusatz = ZaehleUmlaute(quelle, n);
  if (zusatz == 0) return Kopie(quelle, n);

  // The two-character store can reach one past the end: a string's terminator slot takes that,
  // a vector needs a slot of its own, dropped again at the end.
  constexpr std::size_t kUeberhang = sizeof(Z) == 1 ? 0 : 1;
  Ergebnis<Z> ergebnis = Neu<Z>(n + zusatz + kUeberhang);
  Z* ziel = Zeichen(ergebnis);
  // Umlauts are rare in real text, so most groups of eight characters hold none and are copied
  // as a whole; which groups those are is worked out a block at a time in a loop that vectorises.
  constexpr std::size_t kBlock = 4096;
  constexpr std::size_t kGruppe = 8;
  unsigned char umlaute[kBlock];
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t laenge = std::min(kBlock, n - start);
    const Z* block = quelle + start;
    for (std::size_t i = 0; i < laenge; ++i) umlaute[i] = static_cast<unsigned char>(IstUmlaut(block[i]));
    std::size_t i = 0;
    for (; i + kGruppe <= laenge; i += kGruppe) {
      std::uint64_t gruppe;
      std::memcpy(&gruppe, umlaute + i, kGruppe);
      if (gruppe == 0) {
        std::memcpy(ziel, block + i, kGruppe * sizeof(Z));
        ziel += kGruppe;
      } else {
        for (std::size_t j = 0; j < kGruppe; ++j) Umschreiben(ziel, block[i + j]);
      }
    }
    for (; i < laenge; ++i) Umschreiben(ziel, block[i]);
  }
  if constexpr (kUeberhang != 0) ergebnis.pop_back();
  return ergebnis;
}

template <class Z>
Ergebnis<Z> Klein(const Z* __restrict quelle, std::size_t n) {
  Ergebnis<Z> ergebnis = Neu<Z>(n);
  Z* __restrict ziel = Zeichen(ergebnis);
  for (std::size_t i = 0; i < n; ++i) {
    const Z c = quelle[i];
    const Z gross = detail::Maske<Z>(static_cast<Z>(c - 'A') < 26) | detail::Maske<Z>(c == kAe) |
                    detail::Maske<Z>(c == kOe) | detail::Maske<Z>(c == kUe);
    ziel[i] = static_cast<Z>(c + (gross & 32));
  }
  return ergebnis;
}

template <class Z>
Ergebnis<Z> Gross(const Z* __restrict quelle, std::size_t n) {
  Ergebnis<Z> ergebnis = Neu<Z>(n);
  Z* __restrict ziel = Zeichen(ergebnis);
  for (std::size_t i = 0; i < n; ++i) {
    const Z c = quelle[i];
    // ß has no capital in code page 1252 and stays as it is.
    const Z klein = detail::Maske<Z>(static_cast<Z>(c - 'a') < 26) | detail::Maske<Z>(c == kae) |
                    detail::Maske<Z>(c == koe) | detail::Maske<Z>(c == kue);
    ziel[i] = static_cast<Z>(c - (klein & 32));
  }
  return ergebnis;
}

template <class Z>
Ergebnis<Z> OhneLeerzeichen(const Z* quelle, std::size_t n) {
  Ergebnis<Z> ergebnis = Neu<Z>(n);
  Z* ziel = Zeichen(ergebnis);
  // Every character is stored, and the write position only moves past the ones that stay: one
  // pass without a data-dependent branch, which spaces every few characters would keep
  // mispredicting. Which ones stay is worked out a block at a time in a loop that vectorises,
  // leaving the copying loop a load, a store and an addition.
  constexpr std::size_t kBlock = 4096;
  unsigned char bleibt[kBlock];
  std::size_t j = 0;
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t laenge = std::min(kBlock, n - start);
    const Z* block = quelle + start;
    for (std::size_t i = 0; i < laenge; ++i) bleibt[i] = block[i] != ' ' ? 1 : 0;
    // Unrolled, the loop's own counting no longer outweighs the work (a third faster).
#pragma GCC unroll 8
    for (std::size_t i = 0; i < laenge; ++i) {
      ziel[j] = block[i];
      j += bleibt[i];
    }
  }
  ergebnis.resize(j);
  return ergebnis;
}

}  // namespace

std::string ErsetzeUmlaute(std::string_view text) { return Umlaute(Zeichen(text), text.size()); }
std::string InKleinschrift(std::string_view text) { return Klein(Zeichen(text), text.size()); }
std::string InGrossschrift(std::string_view text) { return Gross(Zeichen(text), text.size()); }
std::string EntferneLeerzeichen(std::string_view text) { return OhneLeerzeichen(Zeichen(text), text.size()); }

TText ErsetzeUmlaute(std::u32string_view text) { return Umlaute(Zeichen(text), text.size()); }
TText InKleinschrift(std::u32string_view text) { return Klein(Zeichen(text), text.size()); }
TText InGrossschrift(std::u32string_view text) { return Gross(Zeichen(text), text.size()); }
TText EntferneLeerzeichen(std::u32string_view text) { return OhneLeerzeichen(Zeichen(text), text.size()); }

}  // namespace verschl
