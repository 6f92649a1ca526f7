// The Vigenère cipher and its letter square.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "verschl/verschl.h"
#include "verschl_test_hilfen.h"

namespace {

using verschl_test::AlleBytes;
using verschl_test::U;
using verschl_test::Zufall;

bool IstBuchstabe(unsigned char b) { return (b >= 65 && b <= 90) || (b >= 97 && b <= 122); }
unsigned char Gross(unsigned char b) { return b >= 97 && b <= 122 ? static_cast<unsigned char>(b - 32) : b; }

// A literal transcription of the described cipher: encryption reads the square at row P,
// column K; decryption searches column K from the top for P. It needs a filled table and
// walks the key position from 1 as the description does.
std::string Referenz(const verschl::TVigenereTabelle& tabelle, std::string_view text, std::string_view schluessel,
                     bool ignorieren, bool entschluesseln) {
  std::string ergebnis(text);
  if (schluessel.empty()) return ergebnis;
  std::size_t k = 1;
  const auto weiter = [&k, &schluessel] { k = k % schluessel.size() + 1; };
  for (char& c : ergebnis) {
    const unsigned char b = U(c);
    if (!IstBuchstabe(b)) {
      if (!ignorieren) weiter();
      continue;
    }
    const std::size_t p = Gross(b) - 65u;
    const std::size_t kk = Gross(U(schluessel[k - 1])) - 65u;
    unsigned char neu = 0;
    if (!entschluesseln) {
      neu = tabelle[26 * p + kk];
    } else {
      std::size_t j = 0;
      while (tabelle[26 * j + kk] != 65 + p) ++j;
      neu = tabelle[26 * j];
    }
    weiter();
    if (b >= 97) neu = static_cast<unsigned char>(neu + 32);
    c = static_cast<char>(neu);
  }
  return ergebnis;
}

verschl::TVigenereTabelle GebauteTabelle() {
  verschl::TVigenereTabelle t{};
  verschl::VigenereTabelleAufbauen(t);
  return t;
}

TEST(VigenereTabelle, HoldsTheRotatedAlphabetInEveryRow) {
  const verschl::TVigenereTabelle t = GebauteTabelle();
  for (std::size_t j = 0; j < 26; ++j)
    for (std::size_t i = 0; i < 26; ++i) ASSERT_EQ(t[26 * j + i], 65 + (i + j) % 26) << "row " << j << " col " << i;
  EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(t.data()), 26), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_EQ(t[std::size_t{26} * 25], 'Z');
}

TEST(VigenereTabelle, IsSymmetric) {
  const verschl::TVigenereTabelle t = GebauteTabelle();
  for (std::size_t j = 0; j < 26; ++j)
    for (std::size_t i = 0; i < 26; ++i) ASSERT_EQ(t[26 * j + i], t[26 * i + j]);
}

TEST(VigenereTabelle, OverwritesWhateverTheTableHeldBefore) {
  verschl::TVigenereTabelle t;
  t.fill(0xEE);
  verschl::VigenereTabelleAufbauen(t);
  EXPECT_EQ(t, GebauteTabelle());
}

TEST(VigenereTabelle, TheProcessWideTableCanBeBuiltInPlace) {
  verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle);
  EXPECT_EQ(verschl::VigenereTabelle, GebauteTabelle());
}

struct Fall {
  std::string text;
  std::string schluessel;
  bool ignorieren;
  std::string erwartet;
};

TEST(Vigenere, EncryptsKnownAnswers) {
  const Fall faelle[] = {
      // The textbook example of the cipher (not from our description).
      {"ATTACKATDAWN", "LEMON", false, "LXFOPVEFRNHR"},
      {"attackatdawn", "lemon", true, "lxfopvefrnhr"},
      // The cases our description gives in words, worked out by hand.
      {"Hallo Welt", "AAAA", false, "Hallo Welt"},
      {"AB", "Z", false, "ZA"},
      {"a b", "BCD", false, "b e"},  // the space uses key letter 2, so b takes D
      {"a b", "BCD", true, "b d"},   // the space leaves the key at letter 2
      {"abc", "BC", false, "bdd"},   // the third byte uses key letter 1 again
      {"xX", "c", false, "zZ"},
      {"\xC4\xD6\xDC\xDF" "09a", "BCDEFGH", false, "\xC4\xD6\xDC\xDF" "09h"},
      {"\xC4\xD6\xDC\xDF" "09a", "BCDEFGH", true, "\xC4\xD6\xDC\xDF" "09b"},
      {"", "KEY", false, ""},
      {"Text", "", false, "Text"},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(verschl::VigenereVerschluesseln(f.text, f.schluessel, f.ignorieren), f.erwartet)
        << f.text << " / " << f.schluessel << " / " << f.ignorieren;
}

TEST(Vigenere, DecryptsKnownAnswers) {
  const Fall faelle[] = {
      {"LXFOPVEFRNHR", "LEMON", false, "ATTACKATDAWN"},
      {"ZA", "Z", true, "AB"},
      {"b e", "BCD", false, "a b"},
      {"b d", "BCD", true, "a b"},
      {"", "KEY", true, ""},
      {"Text", "", true, "Text"},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(verschl::VigenereEntschluesseln(f.text, f.schluessel, f.ignorieren), f.erwartet)
        << f.text << " / " << f.schluessel << " / " << f.ignorieren;
}

TEST(Vigenere, AOneLetterKeyActsLikeCaesar) {
  const std::string alle = AlleBytes();
  for (int k = 0; k < 26; ++k) {
    const std::string schluessel(1, static_cast<char>('A' + k));
    EXPECT_EQ(verschl::VigenereVerschluesseln(alle, schluessel, false), verschl::CaesarVerschieben(alle, k));
    EXPECT_EQ(verschl::VigenereEntschluesseln(alle, schluessel, true), verschl::CaesarVerschieben(alle, -k));
  }
}

TEST(Vigenere, TheKeysCaseDoesNotMatter) {
  Zufall zufall(41);
  const std::string text = zufall.Text(500);
  for (bool ignorieren : {false, true}) {
    EXPECT_EQ(verschl::VigenereVerschluesseln(text, "geheim", ignorieren),
              verschl::VigenereVerschluesseln(text, "GEHEIM", ignorieren));
    EXPECT_EQ(verschl::VigenereEntschluesseln(text, "GeHeIm", ignorieren),
              verschl::VigenereEntschluesseln(text, "gEhEiM", ignorieren));
  }
}

TEST(Vigenere, MatchesTheTableWalkOnRandomTextsAndKeys) {
  const verschl::TVigenereTabelle tabelle = GebauteTabelle();
  Zufall zufall(42);
  for (std::size_t laenge = 0; laenge <= 300; ++laenge) {
    const std::string text = laenge % 2 == 0 ? zufall.Text(laenge) : zufall.Bytes(laenge);
    const std::string schluessel = zufall.Schluessel(1 + zufall.Zahl(30));
    for (bool ignorieren : {false, true}) {
      ASSERT_EQ(verschl::VigenereVerschluesseln(text, schluessel, ignorieren),
                Referenz(tabelle, text, schluessel, ignorieren, false))
          << "length " << laenge << " key " << schluessel << " flag " << ignorieren;
      ASSERT_EQ(verschl::VigenereEntschluesseln(text, schluessel, ignorieren),
                Referenz(tabelle, text, schluessel, ignorieren, true))
          << "length " << laenge << " key " << schluessel << " flag " << ignorieren;
    }
  }
}

TEST(Vigenere, MatchesTheTableWalkAcrossBlocksAndForLongKeys) {
  const verschl::TVigenereTabelle tabelle = GebauteTabelle();
  Zufall zufall(43);
  for (std::size_t laenge : {4095u, 4096u, 4097u, 8192u, 9001u, 20000u}) {
    const std::string text = zufall.Text(laenge);
    // Key lengths that do and do not divide the blocks, and keys longer than a block or the text.
    for (std::size_t schluessellaenge : {1u, 3u, 16u, 18u, 4095u, 5000u, 25000u}) {
      const std::string schluessel = zufall.Schluessel(schluessellaenge);
      for (bool ignorieren : {false, true}) {
        ASSERT_EQ(verschl::VigenereVerschluesseln(text, schluessel, ignorieren),
                  Referenz(tabelle, text, schluessel, ignorieren, false))
            << laenge << " " << schluessellaenge << " " << ignorieren;
        ASSERT_EQ(verschl::VigenereEntschluesseln(text, schluessel, ignorieren),
                  Referenz(tabelle, text, schluessel, ignorieren, true))
            << laenge << " " << schluessellaenge << " " << ignorieren;
      }
    }
  }
}

TEST(Vigenere, AKeyLongerThanTheTextUsesOnlyItsFirstLetters) {
  EXPECT_EQ(verschl::VigenereVerschluesseln("aaa", "BCDEFGHIJK", false), "bcd");
  EXPECT_EQ(verschl::VigenereVerschluesseln("a-a", "BCDEFGHIJK", true), "b-c");
}

TEST(Vigenere, DecryptionUndoesEncryptionForEveryByteValue) {
  Zufall zufall(44);
  const std::string alle = AlleBytes();
  for (int runde = 0; runde < 40; ++runde) {
    const std::string schluessel = zufall.Schluessel(1 + zufall.Zahl(40));
    const std::string text = alle + zufall.Bytes(zufall.Zahl(600));
    for (bool ignorieren : {false, true}) {
      const std::string geheim = verschl::VigenereVerschluesseln(text, schluessel, ignorieren);
      ASSERT_EQ(verschl::VigenereEntschluesseln(geheim, schluessel, ignorieren), text)
          << "key " << schluessel << " flag " << ignorieren;
    }
  }
}

TEST(Vigenere, KeepsLengthAndEveryNonLetterInPlace) {
  Zufall zufall(45);
  for (int runde = 0; runde < 40; ++runde) {
    const std::string text = zufall.Bytes(zufall.Zahl(1000));
    const std::string schluessel = zufall.Schluessel(1 + zufall.Zahl(20));
    for (bool ignorieren : {false, true}) {
      for (const std::string& ergebnis : {verschl::VigenereVerschluesseln(text, schluessel, ignorieren),
                                          verschl::VigenereEntschluesseln(text, schluessel, ignorieren)}) {
        ASSERT_EQ(ergebnis.size(), text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
          const unsigned char vorher = U(text[i]);
          const unsigned char nachher = U(ergebnis[i]);
          if (IstBuchstabe(vorher)) {
            ASSERT_TRUE(IstBuchstabe(nachher));
            ASSERT_EQ(vorher < 97, nachher < 97) << "a letter changed its case at " << i;
          } else {
            ASSERT_EQ(nachher, vorher) << "a non-letter changed at " << i;
          }
        }
      }
    }
  }
}

TEST(Vigenere, TextWithoutLettersComesBackUnchanged) {
  const std::string text = "0123 \xC4\xD6\xDC\xE4\xF6\xFC\xDF !?\r\n\t\xA0\xFF";
  for (bool ignorieren : {false, true}) {
    EXPECT_EQ(verschl::VigenereVerschluesseln(text, "XYZ", ignorieren), text);
    EXPECT_EQ(verschl::VigenereEntschluesseln(text, "XYZ", ignorieren), text);
  }
}

TEST(Vigenere, WithTheOtherFlagDecryptionPartsAtTheFirstNonLetter) {
  // "ab cd" under "BCD": the walks agree up to the space and differ after it.
  const std::string geheim = verschl::VigenereVerschluesseln("ab cd", "BCD", false);
  const std::string falsch = verschl::VigenereEntschluesseln(geheim, "BCD", true);
  EXPECT_EQ(falsch.substr(0, 3), "ab ");
  EXPECT_NE(falsch, "ab cd");
}

TEST(Vigenere, NeedsNoBuiltTableToWork) {
  // The operations must not depend on whether start-up has filled the process-wide table.
  const verschl::TVigenereTabelle gesichert = verschl::VigenereTabelle;
  verschl::VigenereTabelle.fill(0);
  const std::string geheim = verschl::VigenereVerschluesseln("ATTACKATDAWN", "LEMON", false);
  const std::string klar = verschl::VigenereEntschluesseln(geheim, "LEMON", false);
  verschl::VigenereTabelle = gesichert;
  EXPECT_EQ(geheim, "LXFOPVEFRNHR");
  EXPECT_EQ(klar, "ATTACKATDAWN");
}

}  // namespace
