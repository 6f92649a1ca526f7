// The columnar transposition, square or with a fixed column count, in both directions.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "verschl/verschl.h"
#include "verschl_test_hilfen.h"

namespace {

using verschl_test::Zufall;

// A literal transcription of the described algorithm with an explicit r x c matrix.
struct Groesse {
  std::size_t spalten;
  std::size_t zeilen;
};

Groesse ReferenzGroesse(std::size_t laenge, bool quadratisch, std::int32_t spaltenzahl) {
  std::size_t c = static_cast<std::size_t>(spaltenzahl);
  if (quadratisch) {
    std::size_t ganz = 0;  // the whole part of the square root, found by counting
    while ((ganz + 1) * (ganz + 1) <= laenge) ++ganz;
    c = ganz + (ganz * ganz < laenge ? 1 : 0);
  }
  return {c, laenge / c + (laenge % c != 0 ? 1 : 0)};
}

using Matrix = std::vector<std::vector<char>>;

std::string ReferenzVerschluesseln(std::string_view text, bool quadratisch, std::int32_t spaltenzahl) {
  if (text.empty()) return {};
  const auto [c, r] = ReferenzGroesse(text.size(), quadratisch, spaltenzahl);
  std::string voll(text);
  while (voll.size() < r * c) voll += ' ';
  Matrix m(r, std::vector<char>(c));
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) m[i][j] = voll[i * c + j];
  std::string ergebnis;
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) ergebnis += m[i][j];
  return ergebnis;
}

std::string ReferenzEntschluesseln(std::string_view text, bool quadratisch, std::int32_t spaltenzahl) {
  if (text.empty()) return {};
  const auto [c, r] = ReferenzGroesse(text.size(), quadratisch, spaltenzahl);
  std::string voll(text);
  while (voll.size() < r * c) voll += ' ';
  Matrix m(r, std::vector<char>(c));
  for (std::size_t j = 0; j < c; ++j)
    for (std::size_t i = 0; i < r; ++i) m[i][j] = voll[j * r + i];
  std::string ergebnis;
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) ergebnis += m[i][j];
  while (!ergebnis.empty() && ergebnis.back() == ' ') ergebnis.pop_back();
  return ergebnis;
}

std::string OhneSpacesAmEnde(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

struct Fall {
  std::string eingabe;
  bool quadratisch;
  std::int32_t spalten;
  std::string erwartet;
};

// Expected values: the worked examples of the transposition's description, and (marked) ones
// worked by hand from its algorithm.
TEST(Transposition, EncryptsTheWorkedExamples) {
  const Fall faelle[] = {
      {"HALLO", true, 0, "HLAOL "},
      {"ABCDEFGHI", true, 0, "ADGBEHCFI"},
      {"ABCDEF", true, 0, "ADBECF"},
      {"HALLO WELT", true, 0, "HOLA TLW LE "},
      {"HALLO WELT", false, 4, "HOLA TLW LE "},
      {"HALLO WELT", false, 3, "HLWTAOE L L "},
      {"HALLO", false, 5, "HALLO"},
      {"ABC", false, 5, "ABC  "},
      {"X", true, 0, "X"},
      {"X", false, 5, "X    "},
      {"", true, 0, ""},
      {"", false, 7, ""},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(verschl::TranspositionVerschluesseln(f.eingabe, f.quadratisch, f.spalten), f.erwartet)
        << f.eingabe << " " << f.quadratisch << " " << f.spalten;
}

TEST(Transposition, DecryptsTheWorkedExamples) {
  const Fall faelle[] = {
      {"HLAOL ", true, 0, "HALLO"},
      {"ADGBEHCFI", true, 0, "ABCDEFGHI"},
      {"ADBECF", true, 0, "ABCDEF"},
      {"HOLA TLW LE ", true, 0, "HALLO WELT"},
      {"HLWTAOE L L ", false, 3, "HALLO WELT"},
      {"ABC  ", false, 5, "ABC"},
      {"X    ", false, 5, "X"},
      {"", true, 0, ""},
      {"", false, 3, ""},
      // Worked by hand: 5 bytes in 3 columns are filled up to 6 before the matrix is built.
      {"ABCDE", false, 3, "ACEBD"},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(verschl::TranspositionEntschluesseln(f.eingabe, f.quadratisch, f.spalten), f.erwartet)
        << f.eingabe << " " << f.quadratisch << " " << f.spalten;
}

TEST(Transposition, SquareMatrixFollowsTheSizingTable) {
  // length from, length to, columns, rows: the square-matrix table for short texts.
  struct Zeile {
    std::size_t von, bis, spalten, zeilen;
  };
  const Zeile tabelle[] = {{1, 1, 1, 1},   {2, 2, 2, 1},   {3, 4, 2, 2},     {5, 6, 3, 2},     {7, 9, 3, 3},
                           {10, 12, 4, 3}, {13, 16, 4, 4}, {17, 20, 5, 4},   {21, 25, 5, 5}};
  const std::string abc = "abcdefghijklmnopqrstuvwxy";
  for (const Zeile& z : tabelle) {
    for (std::size_t laenge = z.von; laenge <= z.bis; ++laenge) {
      const std::string text = abc.substr(0, laenge);
      const std::string geheim = verschl::TranspositionVerschluesseln(text, true, 0);
      ASSERT_EQ(geheim.size(), z.spalten * z.zeilen) << "length " << laenge;
      // The second byte read is the first of row 2; the first of column 2 is the text's second.
      if (z.zeilen > 1) {
        EXPECT_EQ(geheim[1], text[z.spalten]) << "length " << laenge;
      }
      if (z.spalten > 1) {
        EXPECT_EQ(geheim[z.zeilen], text[1]) << "length " << laenge;
      }
    }
  }
}

TEST(Transposition, SquareLengthsWithoutFillerKeepTheirLength) {
  for (std::size_t n = 1; n <= 40; ++n) {
    for (std::size_t laenge : {n * n, n * (n + 1)}) {
      const std::string text(laenge, 'q');
      const std::string geheim = verschl::TranspositionVerschluesseln(text, true, 0);
      ASSERT_EQ(geheim.size(), laenge);
      ASSERT_EQ(verschl::TranspositionEntschluesseln(geheim, true, 0), text);
    }
  }
}

TEST(Transposition, MatchesTheExplicitMatrixForEveryShortLengthAndColumnCount) {
  Zufall zufall(31);
  for (std::size_t laenge = 0; laenge <= 300; ++laenge) {
    const std::string text = zufall.Text(laenge);
    ASSERT_EQ(verschl::TranspositionVerschluesseln(text, true, 0), ReferenzVerschluesseln(text, true, 0))
        << "length " << laenge;
    ASSERT_EQ(verschl::TranspositionEntschluesseln(text, true, 0), ReferenzEntschluesseln(text, true, 0))
        << "length " << laenge;
    for (std::int32_t c = 1; c <= 100; ++c) {
      ASSERT_EQ(verschl::TranspositionVerschluesseln(text, false, c), ReferenzVerschluesseln(text, false, c))
          << "length " << laenge << " columns " << c;
      ASSERT_EQ(verschl::TranspositionEntschluesseln(text, false, c), ReferenzEntschluesseln(text, false, c))
          << "length " << laenge << " columns " << c;
    }
  }
}

TEST(Transposition, MatchesTheExplicitMatrixAcrossTileEdges) {
  // Texts large enough for the matrix to be moved in tiles, with column and row counts on
  // either side of a tile's edge and texts that leave the last rows partly or wholly filler.
  Zufall zufall(32);
  for (std::size_t laenge : {4095u, 4096u, 4097u, 8191u, 12289u, 20000u}) {
    const std::string text = zufall.Bytes(laenge);
    EXPECT_EQ(verschl::TranspositionVerschluesseln(text, true, 0), ReferenzVerschluesseln(text, true, 0));
    EXPECT_EQ(verschl::TranspositionEntschluesseln(text, true, 0), ReferenzEntschluesseln(text, true, 0));
    for (std::int32_t c : {1, 2, 63, 64, 65, 100, 127, 129, 4000, 4097, 30000}) {
      EXPECT_EQ(verschl::TranspositionVerschluesseln(text, false, c), ReferenzVerschluesseln(text, false, c))
          << "length " << laenge << " columns " << c;
      EXPECT_EQ(verschl::TranspositionEntschluesseln(text, false, c), ReferenzEntschluesseln(text, false, c))
          << "length " << laenge << " columns " << c;
    }
  }
}

TEST(Transposition, DecryptionUndoesEncryptionLessTrailingSpaces) {
  Zufall zufall(33);
  for (std::size_t laenge = 0; laenge <= 300; ++laenge) {
    std::string text = zufall.Text(laenge);
    // Every seventh text ends in spaces of its own, which go the way of the filler.
    if (laenge % 7 == 0) text += "   ";
    const std::string erwartet = OhneSpacesAmEnde(text);
    ASSERT_EQ(verschl::TranspositionEntschluesseln(verschl::TranspositionVerschluesseln(text, true, 0), true, 0),
              erwartet)
        << "length " << laenge;
    for (std::int32_t c = 1; c <= 100; ++c)
      ASSERT_EQ(verschl::TranspositionEntschluesseln(verschl::TranspositionVerschluesseln(text, false, c), false, c),
                erwartet)
          << "length " << laenge << " columns " << c;
  }
}

TEST(Transposition, LeadingAndInnerSpacesSurviveTheRoundTrip) {
  const std::string text = "  A  B C   ";
  for (std::int32_t c = 1; c <= 12; ++c)
    EXPECT_EQ(verschl::TranspositionEntschluesseln(verschl::TranspositionVerschluesseln(text, false, c), false, c),
              "  A  B C");
  EXPECT_EQ(verschl::TranspositionEntschluesseln(verschl::TranspositionVerschluesseln(text, true, 0), true, 0),
            "  A  B C");
}

TEST(Transposition, DecryptionOfOnlySpacesIsEmpty) {
  EXPECT_EQ(verschl::TranspositionEntschluesseln("      ", true, 0), "");
  EXPECT_EQ(verschl::TranspositionEntschluesseln("   ", false, 2), "");
}

TEST(Transposition, MovesEveryByteValueLikeAnyOther) {
  const std::string alle = verschl_test::AlleBytes();
  for (std::int32_t c : {1, 3, 16, 100}) {
    const std::string geheim = verschl::TranspositionVerschluesseln(alle, false, c);
    // A permutation of the input plus filler: every value is still there once.
    std::vector<int> anzahl(256, 0);
    for (char b : geheim) ++anzahl[verschl_test::U(b)];
    const int filler = static_cast<int>(geheim.size()) - 256;
    for (int b = 0; b < 256; ++b) EXPECT_EQ(anzahl[static_cast<std::size_t>(b)], b == ' ' ? 1 + filler : 1) << b;
    EXPECT_EQ(verschl::TranspositionEntschluesseln(geheim, false, c), alle);
  }
}

TEST(Transposition, AColumnCountBeyondTheTextFillsOneRow) {
  const std::string geheim = verschl::TranspositionVerschluesseln("ABC", false, 1000);
  EXPECT_EQ(geheim, "ABC" + std::string(997, ' '));
  EXPECT_EQ(verschl::TranspositionEntschluesseln(geheim, false, 1000), "ABC");
}

}  // namespace
