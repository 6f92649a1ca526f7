// The byte road and the Unicode road of every filter and cipher: equal on code page 1252, and
// what the Unicode road does with characters the code page does not have.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "verschl/verschl.h"
#include "verschl_test_hilfen.h"

namespace {

using namespace std::string_literals;
using verschl_test::AlsBytes;
using verschl_test::AlsCodepunkte;
using verschl_test::Zufall;

std::string_view Sicht(const std::string& text) { return text; }
std::u32string_view Sicht(const verschl::TText& text) { return verschl::Ansicht(text); }
std::string Kopie(std::string_view text) { return std::string(text); }
verschl::TText Kopie(std::u32string_view text) { return {text.begin(), text.end()}; }

// One cipher, or none, with its parameters, on either road.
struct Methode {
  std::string name;
  std::function<std::string(std::string_view)> bytes;
  std::function<verschl::TText(std::u32string_view)> unicode;
};

template <class Operation>
Methode Beide(std::string name, Operation op) {
  return {std::move(name), [op](std::string_view t) { return op(t); }, [op](std::u32string_view t) { return op(t); }};
}

std::vector<Methode> AlleMethoden(const std::string& schluessel) {
  std::vector<Methode> m;
  m.push_back(Beide("none", [](auto t) { return Kopie(t); }));
  for (std::int32_t k : {-27, -1, 1, 3, 25, std::numeric_limits<std::int32_t>::min()})
    m.push_back(Beide("caesar " + std::to_string(k), [k](auto t) { return verschl::CaesarVerschieben(t, k); }));
  m.push_back(Beide("rot13", [](auto t) { return verschl::Rot13(t); }));
  m.push_back(Beide("shift 128", [](auto t) { return verschl::Verschiebe128(t); }));
  for (std::int32_t c : {0, 1, 3, 7, 64, 100}) {
    const bool quadratisch = c == 0;
    m.push_back(Beide("transposition enc " + std::to_string(c),
                      [=](auto t) { return verschl::TranspositionVerschluesseln(t, quadratisch, c); }));
    m.push_back(Beide("transposition dec " + std::to_string(c),
                      [=](auto t) { return verschl::TranspositionEntschluesseln(t, quadratisch, c); }));
  }
  for (bool ignorieren : {false, true}) {
    m.push_back(Beide("vigenere enc " + std::to_string(ignorieren),
                      [=](auto t) { return verschl::VigenereVerschluesseln(t, schluessel, ignorieren); }));
    m.push_back(Beide("vigenere dec " + std::to_string(ignorieren),
                      [=](auto t) { return verschl::VigenereEntschluesseln(t, schluessel, ignorieren); }));
  }
  return m;
}

// The filters in the order the encrypt command runs them; bit i of `filter` switches filter i on.
template <class Text>
Text Gefiltert(Text t, unsigned filter) {
  if ((filter & 1U) != 0) t = verschl::ErsetzeUmlaute(Sicht(t));
  if ((filter & 2U) != 0) t = verschl::InKleinschrift(Sicht(t));
  if ((filter & 4U) != 0) t = verschl::InGrossschrift(Sicht(t));
  if ((filter & 8U) != 0) t = verschl::EntferneLeerzeichen(Sicht(t));
  return t;
}

TEST(BeideStrassen, AgreeOnEveryTextOfTheCodePageForEveryFilterSetAndMethod) {
  Zufall zufall(51);
  std::size_t faelle = 0;
  std::vector<std::size_t> laengen;
  for (std::size_t n = 0; n <= 120; ++n) laengen.push_back(n);
  // Across the 4096-character blocks and the 64 x 64 tiles.
  for (std::size_t n : {4095u, 4097u, 9001u}) laengen.push_back(n);
  for (std::size_t n : laengen) {
    const std::string bytes = n % 2 == 0 ? zufall.Text(n) : zufall.BytesOhneNull(n);
    const std::u32string codepunkte = AlsCodepunkte(bytes);
    const verschl::TText text = Kopie(codepunkte);
    const std::vector<Methode> methoden = AlleMethoden(zufall.Schluessel(1 + zufall.Zahl(12)));
    for (unsigned filter = 0; filter < 16; ++filter) {
      const std::string b = Gefiltert(bytes, filter);
      const verschl::TText u = Gefiltert(text, filter);
      for (const Methode& m : methoden) {
        ASSERT_EQ(AlsBytes(Sicht(m.unicode(Sicht(u)))), std::optional(m.bytes(b)))
            << "length " << n << " filters " << filter << " " << m.name;
        ++faelle;
      }
    }
  }
  // 124 texts x 16 filter sets x 25 methods.
  EXPECT_EQ(faelle, 49600u);
}

struct Fall {
  const char* operation;
  std::u32string eingabe;
  std::function<verschl::TText(std::u32string_view)> anwenden;
  std::u32string erwartet;
};

// Expected values worked by hand: a character outside the code page is "every other byte", so it
// keeps its place in every filter and cipher except the transposition, which moves it as one
// character. Several are chosen so that their lowest byte is an ASCII letter, an umlaut or a space
// (U+0141 Ł ends in 0x41 'A', U+017A ź in 'z', U+6771 東 in 'q', U+01C4 Ǆ in Ä, U+0120 Ġ in a
// space), which a fold that dropped the high bits would take for one.
TEST(UnicodeStrasse, PassesCharactersOutsideTheCodePageThroughInTheirPlace) {
  const Fall faelle[] = {
      {"caesar 2", U"Łódź", [](auto t) { return verschl::CaesarVerschieben(t, 2); }, U"Łófź"},
      {"rot13", U"Αθήνα Hallo, Мир 東", [](auto t) { return verschl::Rot13(t); }, U"Αθήνα Unyyb, Мир 東"},
      // A character with a byte takes the one of the flipped byte (' ' 0x20 to 0xA0, CR 0x0D to
      // 0x8D, € 0x80 to 0x00, U+0081 0x81 to 0x01); the others stay.
      {"shift 128", U"Мир A\r€\x81\U0001F44B\x80", [](auto t) { return verschl::Verschiebe128(t); },
       U"Мир\xA0\xC1\x8D\0\x01\U0001F44B\x80"s},
      // 6 characters, 3 columns: rows 東京👋 and 🏽AB, read by columns.
      {"transposition square", U"東京\U0001F44B\U0001F3FDAB",
       [](auto t) { return verschl::TranspositionVerschluesseln(t, true, 0); }, U"東\U0001F3FD京A\U0001F44BB"},
      // The flag's two regional indicators are two characters: rows 🇩🇪 and x plus filler.
      {"transposition 2", U"\U0001F1E9\U0001F1EAx",
       [](auto t) { return verschl::TranspositionVerschluesseln(t, false, 2); }, U"\U0001F1E9x\U0001F1EA "},
      {"transposition dec", U"東\U0001F3FD京A\U0001F44BB",
       [](auto t) { return verschl::TranspositionEntschluesseln(t, true, 0); }, U"東京\U0001F44B\U0001F3FDAB"},
      {"transposition lone surrogate", U"\xD800z\xDC00",
       [](auto t) { return verschl::TranspositionVerschluesseln(t, false, 2); }, U"\xD800\xDC00z "},
      // The ZWJ sequence woman + U+200D + laptop is three non-letters: with every character
      // using a key letter, b takes key letter 5 = 1 (B) and the next b C; without, they take C, D.
      {"vigenere all", U"a\U0001F469\u200D\U0001F4BBbb",
       [](auto t) { return verschl::VigenereVerschluesseln(t, "BCDE", false); }, U"b\U0001F469\u200D\U0001F4BBcd"},
      {"vigenere letters", U"a\U0001F469\u200D\U0001F4BBbb",
       [](auto t) { return verschl::VigenereVerschluesseln(t, "BCDE", true); }, U"b\U0001F469\u200D\U0001F4BBde"},
      {"vigenere dec", U"b\U0001F469\u200D\U0001F4BBcd",
       [](auto t) { return verschl::VigenereEntschluesseln(t, "BCDE", false); }, U"a\U0001F469\u200D\U0001F4BBbb"},
      {"caesar lone surrogate", U"\xD800z", [](auto t) { return verschl::CaesarVerschieben(t, 1); }, U"\xD800" "a"},
      // u + combining diaeresis is two characters and no umlaut; U+01C4, U+01DF are none either.
      {"umlaute", U"üu\u0308ßǄǟ\0Ä"s, [](auto t) { return verschl::ErsetzeUmlaute(t); }, U"ueu\u0308ssǄǟ\0Ae"s},
      {"klein", U"ÄÖÜ ǄÉŁ ΑД", [](auto t) { return verschl::InKleinschrift(t); }, U"äöü ǄÉŁ ΑД"},
      {"gross", U"äöüß šǆ αд", [](auto t) { return verschl::InGrossschrift(t); }, U"ÄÖÜß šǆ αд"},
      {"leerzeichen", U"東 京\xA0\u3000Ġ x", [](auto t) { return verschl::EntferneLeerzeichen(t); },
       U"東京\xA0\u3000Ġx"},
  };
  for (const Fall& f : faelle) EXPECT_EQ(std::u32string(Sicht(f.anwenden(f.eingabe))), f.erwartet) << f.operation;
}

struct Paar {
  const char* name;
  std::function<verschl::TText(std::u32string_view)> ver, ent;
};

TEST(UnicodeStrasse, DecryptionUndoesEncryptionOnTextsOutsideTheCodePage) {
  const std::u32string texte[] = {
      U"Zażółć gęślą jaźń", U"Καλημέρα κόσμε", U"Съешь же ещё этих булок", U"東京都 渋谷区",
      U"\U0001F44B\U0001F3FD \U0001F1E9\U0001F1EA \U0001F469\u200D\U0001F4BB", U"Mu\u0308ller Äß",
      U"a\xD800 b\xDFFF\0c  "s,
  };
  const Paar paare[] = {
      {"caesar", [](auto t) { return verschl::CaesarVerschieben(t, 7); },
       [](auto t) { return verschl::CaesarVerschieben(t, -7); }},
      {"rot13", [](auto t) { return verschl::Rot13(t); }, [](auto t) { return verschl::Rot13(t); }},
      {"shift 128", [](auto t) { return verschl::Verschiebe128(t); }, [](auto t) { return verschl::Verschiebe128(t); }},
      {"transposition square", [](auto t) { return verschl::TranspositionVerschluesseln(t, true, 0); },
       [](auto t) { return verschl::TranspositionEntschluesseln(t, true, 0); }},
      {"transposition 4", [](auto t) { return verschl::TranspositionVerschluesseln(t, false, 4); },
       [](auto t) { return verschl::TranspositionEntschluesseln(t, false, 4); }},
      {"vigenere all", [](auto t) { return verschl::VigenereVerschluesseln(t, "Schluessel", false); },
       [](auto t) { return verschl::VigenereEntschluesseln(t, "Schluessel", false); }},
      {"vigenere letters", [](auto t) { return verschl::VigenereVerschluesseln(t, "Schluessel", true); },
       [](auto t) { return verschl::VigenereEntschluesseln(t, "Schluessel", true); }},
  };
  for (const std::u32string& text : texte) {
    // The filters run before the encryption, so what comes back is the filtered text.
    for (unsigned filter = 0; filter < 16; ++filter) {
      const verschl::TText klar = Gefiltert(Kopie(text), filter);
      for (const Paar& p : paare) {
        std::u32string erwartet(Sicht(klar));
        if (std::string_view(p.name).starts_with("transposition")) erwartet.erase(erwartet.find_last_not_of(U' ') + 1);
        const verschl::TText geheim = p.ver(Sicht(klar));
        EXPECT_EQ(std::u32string(Sicht(p.ent(Sicht(geheim)))), erwartet) << p.name << " filters " << filter;
      }
    }
  }
}

}  // namespace
