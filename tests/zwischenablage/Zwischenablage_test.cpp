#include "Main/Zwischenablage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Main/ERegistryException.h"
#include "Main/Texte.h"
#include "fakes/FakeTextBuffer.h"
#include "fakes/RecordingMessageSink.h"
#include "verschl/verschl.h"

namespace {

using Calls = std::vector<std::string>;

// "Grüße aus Köln" in code page 1252.
const std::string kKoeln = "Gr\xFC\xDF" "e aus K\xF6ln";
const std::string kMitEuro = "Preis: 5 \x80 netto";

class Zwischenablage : public ::testing::Test {
 protected:
  // The Vigenère row reads the process-wide table that the program fills at start-up.
  Zwischenablage() { verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle); }

  std::string Verschluesselt(const std::string& clipboard) {
    puffer.clipboard = clipboard;
    befehle.Verschluesseln();
    return puffer.clipboard;
  }
  std::string Entschluesselt(const std::string& clipboard) {
    puffer.clipboard = clipboard;
    befehle.Entschluesseln();
    return puffer.clipboard;
  }

  TOptionen optionen;
  std::function<void()> auffrischen = [] {};
  FakeTextBuffer puffer;
  RecordingMessageSink meldungen;
  ZwischenablageBefehle befehle{optionen, [this] { auffrischen(); }, puffer, meldungen};
};

struct Fall {
  const char* name;
  void (*einstellen)(TOptionen&);
  std::string eingabe;
  std::string erwartet;
};

void Standard(TOptionen&) {}
void KoelnFilter(TOptionen& o) { o.UmlauteErsetzen = o.Grossschrift = o.LeerzeichenLoeschen = true; }
void KoelnFilterOhneMethode(TOptionen& o) { KoelnFilter(o); o.Methode = 7; }
void KleinUndGross(TOptionen& o) { o.Kleinschrift = o.Grossschrift = true; }
void KleinUndGrossOhneMethode(TOptionen& o) { KleinUndGross(o); o.Methode = 7; }
void AlleFilter(TOptionen& o) { o.UmlauteErsetzen = o.Kleinschrift = o.Grossschrift = o.LeerzeichenLoeschen = true; }
void AlleFilterOhneMethode(TOptionen& o) { AlleFilter(o); o.Methode = -1; }
void Caesar25(TOptionen& o) { o.CaesarVerschiebung = 25; }
void Quadrat(TOptionen& o) { o.Methode = 0; }
void DreiSpalten(TOptionen& o) { o.Methode = 0; o.MatrixQuadratisch = false; o.Spaltenzahl = 3; }
void Rot13(TOptionen& o) { o.Methode = 2; }
void Byte128(TOptionen& o) { o.Methode = 3; }
void VigenereAb(TOptionen& o) { o.Methode = 4; o.VigenereSchluessel = "ab"; }
void VigenereAbOhneSonderzeichen(TOptionen& o) { VigenereAb(o); o.SonderzeichenIgnorieren = true; }
void VigenereLeer(TOptionen& o) { o.Methode = 4; o.VigenereSchluessel.clear(); }

// Expected values: the worked examples given for the commands, the transposition and the
// shift ciphers; the Vigenère ones by hand (key "ab": the flag decides whether the space uses "b").
TEST_F(Zwischenablage, EncryptCommandMatchesKnownAnswers) {
  const Fall faelle[] = {
      {"start-up defaults", Standard, "Hallo Welt", "Jcnnq Ygnv"},
      {"transcribe, upper case, no spaces", KoelnFilter, kKoeln, "ITWGUUGCWUMQGNP"},
      {"...prepared text", KoelnFilterOhneMethode, kKoeln, "GRUESSEAUSKOELN"},
      {"lower then upper case", KleinUndGross, kKoeln, "IT\xDC\xDFG CWU M\xD6NP"},
      {"...prepared text", KleinUndGrossOhneMethode, kKoeln, "GR\xDC\xDF" "E AUS K\xD6LN"},
      {"all filters, no row", AlleFilterOhneMethode, kKoeln, "GRUESSEAUSKOELN"},
      {"shift 25", Caesar25, "xyz XYZ", "wxy WXY"},
      {"square transposition", Quadrat, "HALLO WELT", "HOLA TLW LE "},
      {"three columns", DreiSpalten, "HALLO WELT", "HLWTAOE L L "},
      {"rot13", Rot13, "Hallo", "Unyyb"},
      {"byte shift", Byte128, "A b", "\xC1\xA0\xE2"},
      {"vigenere, space uses a key letter", VigenereAb, "a a", "a a"},
      {"vigenere, space ignored", VigenereAbOhneSonderzeichen, "a a", "a b"},
      {"vigenere, empty key", VigenereLeer, "Hallo", "Hallo"},
      {"empty clipboard", Standard, "", ""},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    optionen = TOptionen{};
    fall.einstellen(optionen);
    EXPECT_EQ(Verschluesselt(fall.eingabe), fall.erwartet);
  }
  EXPECT_TRUE(meldungen.messages.empty());
}

TEST_F(Zwischenablage, DecryptCommandMatchesKnownAnswersAndRunsNoFilter) {
  const Fall faelle[] = {
      {"start-up defaults", Standard, "Jcnnq Ygnv", "Hallo Welt"},
      {"prepared text is not undone", KoelnFilter, "ITWGUUGCWUMQGNP", "GRUESSEAUSKOELN"},
      {"spaces, case and umlauts stay", AlleFilter, "Jcnnq Ygnv \xDF\xE4", "Hallo Welt \xDF\xE4"},
      {"no row", AlleFilterOhneMethode, kKoeln, kKoeln},
      {"shift minus 25", Caesar25, "abc", "bcd"},
      {"square transposition", Quadrat, "HOLA TLW LE ", "HALLO WELT"},
      {"three columns", DreiSpalten, "HLWTAOE L L ", "HALLO WELT"},
      {"vigenere, space ignored", VigenereAbOhneSonderzeichen, "a b", "a a"},
      {"vigenere, empty key", VigenereLeer, "Hallo", "Hallo"},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    optionen = TOptionen{};
    fall.einstellen(optionen);
    EXPECT_EQ(Entschluesselt(fall.eingabe), fall.erwartet);
  }
}

TEST_F(Zwischenablage, EveryMethodRoundTripsThroughTheBuffer) {
  std::string alleBytes;
  for (int b = 1; b < 256; ++b) {
    if (b != 0x80) {
      alleBytes += static_cast<char>(b);
    }
  }
  const std::string texte[] = {"Hallo Welt", "  Zeile 1\r\nZeile 2\t\xC4\xD6\xDC\xDF!", alleBytes, "x"};
  for (std::int32_t methode = 0; methode <= 4; ++methode) {
    for (const bool quadratisch : {true, false}) {
      for (const std::string& text : texte) {
        SCOPED_TRACE(testing::Message() << "method " << methode << ", square " << quadratisch << ", " << text);
        optionen = TOptionen{};
        optionen.Methode = methode;
        optionen.MatrixQuadratisch = quadratisch;
        optionen.Spaltenzahl = 7;
        optionen.CaesarVerschiebung = 11;
        optionen.SonderzeichenIgnorieren = quadratisch;
        const std::string geheim = Verschluesselt(text);
        if (methode != 0) {
          EXPECT_NE(geheim, text);  // a pass-through would round-trip too
        }
        EXPECT_EQ(Entschluesselt(geheim), text);
      }
    }
  }
  EXPECT_TRUE(meldungen.messages.empty());
}

TEST_F(Zwischenablage, Rot13AndByteShiftUndoThemselvesWhenEncryptedTwice) {
  for (const std::int32_t methode : {2, 3}) {
    SCOPED_TRACE(methode);
    optionen.Methode = methode;
    const std::string text = "Ein Satz ohne Euro: \xE4\xF6\xFC 12.";
    EXPECT_EQ(Verschluesselt(Verschluesselt(text)), text);
  }
}

TEST_F(Zwischenablage, EachFilterAndTheMethodPassThroughTheBufferAndSetOnlyChanges) {
  AlleFilter(optionen);
  Verschluesselt("a b");
  Calls erwartet = {"Clear", "Paste"};
  // Transcription and lower case leave "a b" as it is; upper case, spaces and the shift change it.
  for (const bool aendert : {false, false, true, true, true}) {
    erwartet.push_back("GetText");
    if (aendert) {
      erwartet.push_back("SetText");
    }
  }
  erwartet.insert(erwartet.end(), {"SelectAll", "Copy"});
  EXPECT_EQ(puffer.calls, erwartet);
  EXPECT_EQ(puffer.clipboard, "CD");
}

TEST_F(Zwischenablage, StepsWithoutWorkDoNotTouchTheBufferText) {
  const auto aufrufe = [&](void (ZwischenablageBefehle::*befehl)()) {
    puffer.calls.clear();
    puffer.clipboard = "Hallo";
    (befehle.*befehl)();
    EXPECT_EQ(puffer.clipboard, "Hallo");
    return puffer.calls;
  };
  const Calls nurKopieren = {"Clear", "Paste", "SelectAll", "Copy"};
  AlleFilterOhneMethode(optionen);
  EXPECT_EQ(aufrufe(&ZwischenablageBefehle::Entschluesseln), nurKopieren);
  optionen = TOptionen{};
  VigenereLeer(optionen);
  EXPECT_EQ(aufrufe(&ZwischenablageBefehle::Verschluesseln), nurKopieren);
  EXPECT_EQ(aufrufe(&ZwischenablageBefehle::Entschluesseln), nurKopieren);
}

TEST_F(Zwischenablage, RefreshRunsFirstAndItsValuesAreUsed) {
  int auffrischungen = 0;
  auffrischen = [&] {
    EXPECT_TRUE(puffer.calls.empty());
    ++auffrischungen;
    optionen.Methode = 2;
  };
  EXPECT_EQ(Verschluesselt("Hallo"), "Unyyb");
  puffer.calls.clear();
  EXPECT_EQ(Entschluesselt("Unyyb"), "Hallo");
  EXPECT_EQ(auffrischungen, 2);
}

TEST_F(Zwischenablage, FailedRefreshLeavesBufferAndClipboardUntouched) {
  auffrischen = [] { throw ERegistryException("Ung\xFCltiger Datentyp f\xFCr 'Methode'"); };
  puffer.text = "letztes Ergebnis";
  puffer.clipboard = "Hallo";
  EXPECT_THROW(befehle.Verschluesseln(), ERegistryException);
  EXPECT_THROW(befehle.Entschluesseln(), ERegistryException);
  EXPECT_TRUE(puffer.calls.empty());
  EXPECT_EQ(puffer.clipboard, "Hallo");
  EXPECT_EQ(puffer.text, "letztes Ergebnis");
  EXPECT_TRUE(meldungen.messages.empty());
}

TEST_F(Zwischenablage, ByteShiftOfEuroSignIsRefusedWithABoxAndKeepsTheClipboard) {
  optionen.Methode = 3;
  const RecordedMessage box{
      "Der Text enth\xE4lt das Zeichen \x80, das diese Methode in ein Nullzeichen verwandeln w\xFCrde.\r\n"
      "Die Zwischenablage bleibt unver\xE4ndert.",
      "Fehler", 0x10};
  for (const auto befehl : {&ZwischenablageBefehle::Verschluesseln, &ZwischenablageBefehle::Entschluesseln}) {
    meldungen.messages.clear();
    puffer.calls.clear();
    puffer.clipboard = kMitEuro;
    (befehle.*befehl)();
    EXPECT_EQ(meldungen.messages, std::vector<RecordedMessage>{box});
    EXPECT_EQ(puffer.clipboard, kMitEuro);
    EXPECT_EQ(puffer.calls, (Calls{"Clear", "Paste", "GetText"}));
  }
}

TEST_F(Zwischenablage, EuroSignPassesMethodsThatMakeNoNullByte) {
  for (const std::int32_t methode : {0, 1, 2, 4}) {
    SCOPED_TRACE(methode);
    optionen.Methode = methode;
    EXPECT_EQ(Entschluesselt(Verschluesselt(kMitEuro)), kMitEuro);
  }
  EXPECT_TRUE(meldungen.messages.empty());
}

TEST(Methodentabelle, HoldsOneRowPerMethodCodeAndNoneForOtherCodes) {
  ASSERT_EQ(Methodentabelle().size(), 5u);
  for (std::int32_t code = 0; code <= 4; ++code) {
    const TMethode* row = MethodeSuchen(code);
    ASSERT_NE(row, nullptr) << code;
    EXPECT_EQ(row->code, code);
  }
  for (const std::int32_t code : {-1, 5, 7, 1000}) {
    EXPECT_EQ(MethodeSuchen(code), nullptr) << code;
  }
}

TEST(Methodentabelle, OnlyVigenereRowDependsOnANonEmptyKey) {
  TOptionen ohneSchluessel;
  ohneSchluessel.VigenereSchluessel.clear();
  for (const TMethode& row : Methodentabelle()) {
    EXPECT_EQ(row.gilt(ohneSchluessel), row.code != 4) << row.code;
    EXPECT_TRUE(row.gilt(TOptionen{})) << row.code;
  }
}

}  // namespace
