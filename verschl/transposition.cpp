// The columnar transposition: written row by row into a matrix, read out column by column.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "verschl/buchstaben.h"
#include "verschl/verschl.h"

namespace verschl {

namespace {

constexpr char kFueller = ' ';

using detail::Ergebnis;
using detail::Neu;
using detail::Zeichen;

// Edge of the square tiles in which the matrix is moved. A tile's rows are copied into a small
// contiguous buffer first: with a power-of-two row length (1024 columns at 1 MiB) the rows of a
// tile would otherwise all fall into the same few cache sets and evict one another.
constexpr std::size_t kKachel = 64;

std::size_t QuadratischeSpaltenzahl(std::size_t laenge) {
  // The square root in double precision is exact to within one for every length a string can
  // have; the two loops settle the boundary cases in whole numbers.
  auto n = static_cast<std::size_t>(std::sqrt(static_cast<double>(laenge)));
  while (n * n < laenge) ++n;
  while (n > 1 && (n - 1) * (n - 1) >= laenge) --n;
  return n;
}

std::size_t Spaltenzahl(std::size_t laenge, bool quadratisch, std::int32_t spaltenzahl) {
  if (quadratisch) return QuadratischeSpaltenzahl(laenge);
  // Fewer than one column is outside the contract; one column keeps such a call harmless.
  return spaltenzahl < 1 ? 1 : static_cast<std::size_t>(spaltenzahl);
}

// Only for big-endian machines, where a row loaded as a word has its first byte at the top.
[[maybe_unused]] constexpr std::uint64_t Umgedreht(std::uint64_t x) {
  std::uint64_t r = 0;
  for (int i = 0; i < 8; ++i) r |= ((x >> (8 * i)) & 0xFFu) << (8 * (7 - i));
  return r;
}

// Transposes an 8 x 8 block of bytes held as eight 64-bit rows (byte j of a row is its column
// j): the off-diagonal 4 x 4 quarters are exchanged, then the 2 x 2 blocks inside each quarter,
// then single bytes. Masked shifts on whole words take the place of 64 single-byte moves.
void Transponiere8x8(std::uint64_t (&z)[8]) {
  for (int i = 0; i < 4; ++i) {
    const std::uint64_t a = z[i], b = z[i + 4];
    z[i] = (a & 0x00000000FFFFFFFFu) | (b << 32);
    z[i + 4] = (a >> 32) | (b & 0xFFFFFFFF00000000u);
  }
  for (int i : {0, 1, 4, 5}) {
    constexpr std::uint64_t m = 0x0000FFFF0000FFFFu;
    const std::uint64_t a = z[i], b = z[i + 2];
    z[i] = (a & m) | ((b & m) << 16);
    z[i + 2] = ((a >> 16) & m) | (b & ~m);
  }
  for (int i : {0, 2, 4, 6}) {
    constexpr std::uint64_t m = 0x00FF00FF00FF00FFu;
    const std::uint64_t a = z[i], b = z[i + 1];
    z[i] = (a & m) | ((b & m) << 8);
    z[i + 1] = ((a >> 8) & m) | (b & ~m);
  }
}

// Writes the matrix of `zeilen` x `spalten` characters, given row by row as `quelle` and filled
// up with spaces past `laenge`, column by column into `ziel`: ziel[j * zeilen + i] = M[i][j].
template <class Z>
void Transponiere(const Z* __restrict quelle, std::size_t laenge, std::size_t zeilen, std::size_t spalten,
                  Z* __restrict ziel) {
  // Rows that lie wholly inside the text go through the tiled copy; the filler can only touch
  // the rows after them, and those are few enough to take one by one.
  const std::size_t volleZeilen = std::min(zeilen, laenge / spalten);

  alignas(8) Z kachel[kKachel * kKachel];
  for (std::size_t i0 = 0; i0 < volleZeilen; i0 += kKachel) {
    const std::size_t h = std::min(kKachel, volleZeilen - i0);
    for (std::size_t j0 = 0; j0 < spalten; j0 += kKachel) {
      const std::size_t w = std::min(kKachel, spalten - j0);
      const Z* ein = quelle + i0 * spalten + j0;
      if (w == kKachel || (i0 + h - 1) * spalten + j0 + kKachel <= laenge) {
        // A constant length lets the compiler copy each row in a few vector moves; a narrower
        // tile takes the characters beyond its edge along where the text has them, and ignores
        // them.
        for (std::size_t i = 0; i < h; ++i)
          std::memcpy(kachel + i * kKachel, ein + i * spalten, kKachel * sizeof(Z));
      } else {
        for (std::size_t i = 0; i < h; ++i) std::memcpy(kachel + i * kKachel, ein + i * spalten, w * sizeof(Z));
      }
      // Eight output rows at a time, filled left to right, so that each output line is
      // finished before the next is begun.
      for (std::size_t bj = 0; bj < w; bj += 8) {
        const std::size_t bw = std::min<std::size_t>(8, w - bj);
        for (std::size_t bi = 0; bi < h; bi += 8) {
          const std::size_t bh = std::min<std::size_t>(8, h - bi);
          Z* aus = ziel + (j0 + bj) * zeilen + i0 + bi;
          // The word trick packs eight characters into 64 bits, so it serves the byte road only.
          if (sizeof(Z) == 1 && bw == 8 && bh == 8) {
            std::uint64_t block[8];
            for (std::size_t k = 0; k < 8; ++k) std::memcpy(&block[k], kachel + (bi + k) * kKachel + bj, 8);
            // The shifts above number the bytes from the least significant end.
            if constexpr (std::endian::native != std::endian::little) {
              for (std::uint64_t& b : block) b = Umgedreht(b);
            }
            Transponiere8x8(block);
            if constexpr (std::endian::native != std::endian::little) {
              for (std::uint64_t& b : block) b = Umgedreht(b);
            }
            for (std::size_t k = 0; k < 8; ++k) std::memcpy(aus + k * zeilen, &block[k], 8);
          } else {
            for (std::size_t j = 0; j < bw; ++j)
              for (std::size_t i = 0; i < bh; ++i) aus[j * zeilen + i] = kachel[(bi + i) * kKachel + bj + j];
          }
        }
      }
    }
  }

  for (std::size_t i = volleZeilen; i < zeilen; ++i) {
    for (std::size_t j = 0; j < spalten; ++j) {
      const std::size_t p = i * spalten + j;
      ziel[j * zeilen + i] = p < laenge ? quelle[p] : Z{kFueller};
    }
  }
}

template <class Z>
Ergebnis<Z> Verschluesseln(const Z* text, std::size_t n, bool quadratisch, std::int32_t spaltenzahl) {
  if (n == 0) return {};
  const std::size_t c = Spaltenzahl(n, quadratisch, spaltenzahl);
  const std::size_t r = (n + c - 1) / c;
  Ergebnis<Z> ergebnis = Neu<Z>(r * c);
  Transponiere(text, n, r, c, Zeichen(ergebnis));
  return ergebnis;
}

template <class Z>
Ergebnis<Z> Entschluesseln(const Z* text, std::size_t n, bool quadratisch, std::int32_t spaltenzahl) {
  if (n == 0) return {};
  const std::size_t c = Spaltenzahl(n, quadratisch, spaltenzahl);
  const std::size_t r = (n + c - 1) / c;
  // Read as rows, the encrypted text is the matrix's columns: a c x r matrix whose transpose,
  // taken column by column, is the plain text row by row.
  Ergebnis<Z> ergebnis = Neu<Z>(r * c);
  Transponiere(text, n, c, r, Zeichen(ergebnis));
  std::size_t ende = ergebnis.size();
  while (ende > 0 && ergebnis[ende - 1] == kFueller) --ende;
  ergebnis.resize(ende);
  return ergebnis;
}

}  // namespace

std::string TranspositionVerschluesseln(std::string_view text, bool quadratisch, std::int32_t spaltenzahl) {
  return Verschluesseln(Zeichen(text), text.size(), quadratisch, spaltenzahl);
}

std::string TranspositionEntschluesseln(std::string_view text, bool quadratisch, std::int32_t spaltenzahl) {
  return Entschluesseln(Zeichen(text), text.size(), quadratisch, spaltenzahl);
}

TText TranspositionVerschluesseln(std::u32string_view text, bool quadratisch, std::int32_t spaltenzahl) {
  return Verschluesseln(Zeichen(text), text.size(), quadratisch, spaltenzahl);
}

TText TranspositionEntschluesseln(std::u32string_view text, bool quadratisch, std::int32_t spaltenzahl) {
  return Entschluesseln(Zeichen(text), text.size(), quadratisch, spaltenzahl);
}

}  // namespace verschl
