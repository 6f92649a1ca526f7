// The four preparation filters: transcription of umlauts, case folding, removal of spaces.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "verschl/verschl.h"
#include "verschl_test_hilfen.h"

namespace {

using verschl_test::AlleBytes;
using verschl_test::Bytes;
using verschl_test::U;
using verschl_test::Zufall;

// Slow transcriptions of the filters exactly as the cipher library describes them, byte by
// byte, for the fast versions to be compared with.
std::string ReferenzErsetzeUmlaute(std::string_view text) {
  std::string ergebnis;
  for (char c : text) {
    switch (U(c)) {
      case 196: ergebnis += "Ae"; break;
      case 214: ergebnis += "Oe"; break;
      case 220: ergebnis += "Ue"; break;
      case 223: ergebnis += "ss"; break;
      case 228: ergebnis += "ae"; break;
      case 246: ergebnis += "oe"; break;
      case 252: ergebnis += "ue"; break;
      default: ergebnis += c;
    }
  }
  return ergebnis;
}

std::string ReferenzInKleinschrift(std::string_view text) {
  std::string ergebnis(text);
  for (char& c : ergebnis) {
    const unsigned char b = U(c);
    if ((b >= 65 && b <= 90) || b == 196 || b == 214 || b == 220) c = static_cast<char>(b + 32);
  }
  return ergebnis;
}

std::string ReferenzInGrossschrift(std::string_view text) {
  std::string ergebnis(text);
  for (char& c : ergebnis) {
    const unsigned char b = U(c);
    if ((b >= 97 && b <= 122) || b == 228 || b == 246 || b == 252) c = static_cast<char>(b - 32);
  }
  return ergebnis;
}

// "As long as the text contains a space, cut the first space out": quadratic, so only for
// texts of a few thousand bytes.
std::string ReferenzEntferneLeerzeichen(std::string_view text) {
  std::string ergebnis(text);
  for (std::size_t p = ergebnis.find(' '); p != std::string::npos; p = ergebnis.find(' ')) ergebnis.erase(p, 1);
  return ergebnis;
}

// Lengths that cross every boundary the fast versions work in: 16-byte vectors, 8-byte groups,
// 255-byte counting blocks and 4096-byte blocks.
std::vector<std::size_t> PruefLaengen() {
  std::vector<std::size_t> laengen;
  for (std::size_t n = 0; n <= 300; ++n) laengen.push_back(n);
  for (std::size_t n : {509u, 510u, 511u, 4095u, 4096u, 4097u, 8191u, 8192u, 8193u, 12345u}) laengen.push_back(n);
  return laengen;
}

struct Fall {
  std::string eingabe;
  std::string erwartet;
};

// Expected values: the worked examples and edge cases that the cipher library's description
// gives for its preparation filters.
TEST(ErsetzeUmlaute, TranscribesTheWorkedExamples) {
  const Fall faelle[] = {
      {"Stra\xDF" "e \xC4rger \xFC" "ber \xD6l", "Strasse Aerger ueber Oel"},
      {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "AeOeUeaeoeuess"},
      {"GRO\xDF" "E", "GROssE"},
      {"Hallo, Welt! 123 \xC9\xE9\xE0\xA0", "Hallo, Welt! 123 \xC9\xE9\xE0\xA0"},
      {"", ""},
  };
  for (const Fall& f : faelle) EXPECT_EQ(verschl::ErsetzeUmlaute(f.eingabe), f.erwartet) << f.eingabe;
}

TEST(ErsetzeUmlaute, TranscribesExactlySevenByteValues) {
  for (int b = 0; b < 256; ++b) {
    const std::string ein = Bytes({b});
    EXPECT_EQ(verschl::ErsetzeUmlaute(ein), ReferenzErsetzeUmlaute(ein)) << "byte " << b;
  }
  std::size_t verlaengert = 0;
  for (int b = 0; b < 256; ++b) verlaengert += verschl::ErsetzeUmlaute(Bytes({b})).size() - 1;
  EXPECT_EQ(verlaengert, 7u);
}

TEST(ErsetzeUmlaute, MatchesTheByteByByteDescriptionOnRandomTexts) {
  Zufall zufall(11);
  for (std::size_t n : PruefLaengen()) {
    const std::string text = zufall.Text(n);
    const std::string ergebnis = verschl::ErsetzeUmlaute(text);
    ASSERT_EQ(ergebnis, ReferenzErsetzeUmlaute(text)) << "length " << n;
    // The result is written two bytes at a time, up to one past its end.
    ASSERT_EQ(ergebnis.c_str()[ergebnis.size()], '\0') << "length " << n;
  }
}

TEST(ErsetzeUmlaute, HandlesAnUmlautAtEveryPlaceOfAGroup) {
  for (std::size_t laenge = 1; laenge <= 40; ++laenge) {
    for (std::size_t p = 0; p < laenge; ++p) {
      std::string text(laenge, 'x');
      text[p] = static_cast<char>(0xDF);
      ASSERT_EQ(verschl::ErsetzeUmlaute(text), ReferenzErsetzeUmlaute(text)) << laenge << " " << p;
    }
  }
}

TEST(Kleinschrift, FoldsCapitalsAndCapitalUmlautsOnly) {
  const Fall faelle[] = {
      {"\xC4\xD6\xDC", "\xE4\xF6\xFC"},
      {"\xC9\xC0\xDF", "\xC9\xC0\xDF"},
      {"Hallo WELT 09 @[`{", "hallo welt 09 @[`{"},
      {"", ""},
  };
  for (const Fall& f : faelle) EXPECT_EQ(verschl::InKleinschrift(f.eingabe), f.erwartet) << f.eingabe;
}

TEST(Grossschrift, RaisesSmallLettersAndUmlautsButKeepsSharpS) {
  const Fall faelle[] = {
      {"stra\xDF" "e", "STRA\xDF" "E"},
      {"\xE4\xF6\xFC", "\xC4\xD6\xDC"},
      {"\xE9\xE0\xFF", "\xE9\xE0\xFF"},
      {"", ""},
  };
  for (const Fall& f : faelle) EXPECT_EQ(verschl::InGrossschrift(f.eingabe), f.erwartet) << f.eingabe;
}

TEST(Grossschrift, AfterTranscriptionTurnsSharpSIntoDoubleCapitalS) {
  EXPECT_EQ(verschl::InGrossschrift(verschl::ErsetzeUmlaute("stra\xDF" "e")), "STRASSE");
}

TEST(Kleinschrift, BothCaseFiltersMatchTheirDescriptionForEveryByteAtEveryOffset) {
  // All 256 values, rotated so that each one passes through every lane of a vector and
  // through the scalar tail.
  const std::string alle = AlleBytes();
  for (std::size_t drehung = 0; drehung < 40; ++drehung) {
    const std::string text = alle.substr(drehung) + alle.substr(0, drehung);
    for (std::size_t n : {text.size(), std::size_t{drehung}, std::size_t{drehung + 17}}) {
      const std::string_view stueck = std::string_view(text).substr(0, n);
      ASSERT_EQ(verschl::InKleinschrift(stueck), ReferenzInKleinschrift(stueck)) << drehung << " " << n;
      ASSERT_EQ(verschl::InGrossschrift(stueck), ReferenzInGrossschrift(stueck)) << drehung << " " << n;
    }
  }
}

TEST(EntferneLeerzeichen, RemovesEverySpaceButKeepsOtherBlanks) {
  const Fall faelle[] = {
      {"  Hallo   Welt  ", "HalloWelt"},
      {Bytes({' ', 9, 13, 10, 160, ' ', 'a'}), Bytes({9, 13, 10, 160, 'a'})},
      {"     ", ""},
      {"ohne", "ohne"},
      {"", ""},
  };
  for (const Fall& f : faelle) EXPECT_EQ(verschl::EntferneLeerzeichen(f.eingabe), f.erwartet) << f.eingabe;
}

TEST(EntferneLeerzeichen, MatchesCuttingTheFirstSpaceUntilNoneIsLeft) {
  Zufall zufall(12);
  for (std::size_t n : PruefLaengen()) {
    const std::string text = zufall.Text(n);
    ASSERT_EQ(verschl::EntferneLeerzeichen(text), ReferenzEntferneLeerzeichen(text)) << "length " << n;
  }
  // Runs of spaces longer than a block, and a block that is nothing but spaces.
  const std::string lang = "a" + std::string(5000, ' ') + "b" + std::string(4096, ' ') + "c";
  EXPECT_EQ(verschl::EntferneLeerzeichen(lang), "abc");
}

TEST(EntferneLeerzeichen, ShortensTheTextByItsSpacesOnly) {
  Zufall zufall(13);
  for (int runde = 0; runde < 50; ++runde) {
    const std::string text = zufall.Bytes(zufall.Zahl(3000));
    std::size_t leer = 0;
    for (char c : text) leer += c == ' ' ? 1 : 0;
    const std::string ergebnis = verschl::EntferneLeerzeichen(text);
    ASSERT_EQ(ergebnis.size(), text.size() - leer);
    ASSERT_EQ(ergebnis.find(' '), std::string::npos);
  }
}

}  // namespace
