#include "Main/Zwischenablage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "einstellungen/ERegistryException.h"
#include "Main/Texte.h"
#include "fakes/FakeClipboard.h"
#include "fakes/RecordingMessageSink.h"
#include "verschl/verschl.h"

namespace {

// "Grüße aus Köln" in code page 1252.
const std::string kKoeln = "Gr\xFC\xDF" "e aus K\xF6ln";
const std::string kMitEuro = "Preis: 5 \x80 netto";

// A clipboard text, written as code-page-1252 bytes or, where the code page lacks a character, as
// UTF-16.
struct Text {
  Text(std::string_view bytes) : units(FakeClipboard::Cp1252(bytes)) {}
  Text(const char* bytes) : Text(std::string_view(bytes)) {}
  Text(const std::string& bytes) : Text(std::string_view(bytes)) {}
  Text(std::u16string utf16) : units(std::move(utf16)) {}
  Text(const char16_t* utf16) : units(utf16) {}
  std::u16string units;
};

class Zwischenablage : public ::testing::Test {
 protected:
  // The Vigenère row reads the process-wide table that the program fills at start-up.
  Zwischenablage() { verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle); }

  // Every result of a decryption, and none of an encryption, is copied private.
  std::u16string Verschluesselt(const Text& clipboard) {
    ablage.SetUnicode(clipboard.units, CopyScope::Private);
    befehle.Verschluesseln();
    EXPECT_EQ(ablage.scope, CopyScope::Shared);
    return ablage.text.value_or(u"");
  }
  std::u16string Entschluesselt(const Text& clipboard) {
    ablage.SetUnicode(clipboard.units);
    befehle.Entschluesseln();
    EXPECT_EQ(ablage.scope, CopyScope::Private);
    return ablage.text.value_or(u"");
  }

  void Zuruecksetzen() {
    // The sequence goes on, as the system's does: an entry of the owner's from before stays stale.
    const std::uint32_t sequenz = ablage.sequence;
    ablage = FakeClipboard();
    ablage.sequence = sequenz + 1;
    meldungen.messages.clear();
  }

  TOptionen optionen;
  std::function<void()> auffrischen = [] {};
  FakeClipboard ablage;
  RecordingMessageSink meldungen;
  // Sleeping only moves the clock on, so that waiting costs the tests nothing.
  std::chrono::milliseconds uhr{0};
  TWartefrist frist{[this] { return uhr; }, [this](std::chrono::milliseconds d) { uhr += d; }};
  TEigentum eigentum{ablage, frist};
  std::u16string angeboten;  // what the in-place commands offered for their paste
  ZwischenablageBefehle befehle{optionen, [this] { auffrischen(); }, ablage, eigentum, meldungen, frist,
                                [this](const verschl::TUtf16& text) { angeboten.assign(text.begin(), text.end()); }};
};

struct Fall {
  const char* name;
  void (*einstellen)(TOptionen&);
  Text eingabe;
  Text erwartet;
};

void Standard(TOptionen&) {}
void KoelnFilter(TOptionen& o) { o.UmlauteErsetzen = o.Grossschrift = o.LeerzeichenLoeschen = true; }
void KoelnFilterOhneMethode(TOptionen& o) { KoelnFilter(o); o.Methode = 7; }
void KleinUndGross(TOptionen& o) { o.Kleinschrift = o.Grossschrift = true; }
void KleinUndGrossOhneMethode(TOptionen& o) { KleinUndGross(o); o.Methode = 7; }
void UmlauteUndKlein(TOptionen& o) { o.UmlauteErsetzen = o.Kleinschrift = true; }
void AlleFilter(TOptionen& o) { o.UmlauteErsetzen = o.Kleinschrift = o.Grossschrift = o.LeerzeichenLoeschen = true; }
void AlleFilterOhneMethode(TOptionen& o) { AlleFilter(o); o.Methode = -1; }
void Caesar25(TOptionen& o) { o.CaesarVerschiebung = 25; }
void Quadrat(TOptionen& o) { o.Methode = 0; }
void DreiSpalten(TOptionen& o) { o.Methode = 0; o.MatrixQuadratisch = false; o.Spaltenzahl = 3; }
void ZweiSpalten(TOptionen& o) { DreiSpalten(o); o.Spaltenzahl = 2; }
void Rot13(TOptionen& o) { o.Methode = 2; }
void Byte128(TOptionen& o) { o.Methode = 3; }
void VigenereAb(TOptionen& o) { o.Methode = 4; o.VigenereSchluessel = "ab"; }
void VigenereAbOhneSonderzeichen(TOptionen& o) { VigenereAb(o); o.SonderzeichenIgnorieren = true; }
void VigenereLeer(TOptionen& o) { o.Methode = 4; o.VigenereSchluessel.clear(); }

// Expected values: the worked examples given for the commands, the transposition and the
// shift ciphers; the Vigenère ones by hand (key "ab": the flag decides whether the space uses "b").
// A character that code page 1252 lacks is a non-letter of its own: every filter and cipher leaves
// it as it is, the transposition moves it whole, and it takes a key letter as a space does.
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
      {"two columns split the CR LF into two lone breaks", ZweiSpalten, "x\r\ny", "x\n\ry"},
      {"rot13", Rot13, "Hallo", "Unyyb"},
      {"byte shift", Byte128, "A b", "\xC1\xA0\xE2"},
      {"vigenere, space uses a key letter", VigenereAb, "a a", "a a"},
      {"vigenere, space ignored", VigenereAbOhneSonderzeichen, "a a", "a b"},
      {"vigenere, empty key", VigenereLeer, "Hallo", "Hallo"},
      {"letters the code page lacks stay", Standard, u"\u0141\u00F3d\u017A", u"\u0141\u00F3f\u017A"},
      {"an emoji stays in its place", Standard, u"Bis morgen \U0001F642", u"Dku oqtigp \U0001F642"},
      {"the filters leave Cyrillic as it is", UmlauteUndKlein, u"\u0414\u043E\u043C \u00C4rger",
       u"\u0414\u043E\u043C cgtigt"},
      {"the transposition moves an emoji whole", Quadrat, u"ab\U0001F642", u"a\U0001F642b "},
      {"vigenere, an emoji takes one key letter", VigenereAb, u"a\U0001F642a", u"a\U0001F642a"},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(fall.name);
    optionen = TOptionen{};
    fall.einstellen(optionen);
    EXPECT_EQ(Verschluesselt(fall.eingabe), fall.erwartet.units);
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
    EXPECT_EQ(Entschluesselt(fall.eingabe), fall.erwartet.units);
  }
}

TEST_F(Zwischenablage, EveryMethodRoundTripsThroughTheClipboard) {
  std::string alleBytes;
  for (int b = 1; b < 256; ++b) {
    if (b != 0x80) {
      alleBytes += static_cast<char>(b);
    }
  }
  const Text texte[] = {"Hallo Welt", "  Zeile 1\r\nZeile 2\t\xC4\xD6\xDC\xDF!", alleBytes, "x",
                        u"\u0141\u00F3d\u017A\r\u0414\u043E\u043C\n\u4E2D\u6587 \U0001F642\u00E4"};
  for (std::int32_t methode = 0; methode <= 4; ++methode) {
    for (const bool quadratisch : {true, false}) {
      for (const Text& text : texte) {
        SCOPED_TRACE(testing::Message() << "method " << methode << ", square " << quadratisch << ", "
                                        << testing::PrintToString(text.units));
        optionen = TOptionen{};
        optionen.Methode = methode;
        optionen.MatrixQuadratisch = quadratisch;
        optionen.Spaltenzahl = 7;
        optionen.CaesarVerschiebung = 11;
        optionen.SonderzeichenIgnorieren = quadratisch;
        const std::u16string geheim = Verschluesselt(text);
        if (methode != 0) {
          EXPECT_NE(geheim, text.units);  // a pass-through would round-trip too
        }
        EXPECT_EQ(Entschluesselt(geheim), text.units);
      }
    }
  }
  EXPECT_TRUE(meldungen.messages.empty());
}

TEST_F(Zwischenablage, Rot13AndByteShiftUndoThemselvesWhenEncryptedTwice) {
  for (const std::int32_t methode : {2, 3}) {
    SCOPED_TRACE(methode);
    optionen.Methode = methode;
    const Text text = "Ein Satz ohne Euro: \xE4\xF6\xFC 12.";
    EXPECT_EQ(Verschluesselt(Verschluesselt(text)), text.units);
  }
}

TEST_F(Zwischenablage, RefreshRunsFirstAndItsValuesAreUsed) {
  int auffrischungen = 0;
  int geoeffnet = 0;
  auffrischen = [&] {
    EXPECT_EQ(ablage.opens, geoeffnet) << "the refresh runs before the clipboard is opened";
    ++auffrischungen;
    optionen.Methode = 2;
  };
  EXPECT_EQ(Verschluesselt("Hallo"), u"Unyyb");
  geoeffnet = ablage.opens;
  EXPECT_EQ(Entschluesselt("Unyyb"), u"Hallo");
  EXPECT_EQ(auffrischungen, 2);
}

TEST_F(Zwischenablage, FailedRefreshLeavesTheClipboardUntouched) {
  auffrischen = [] { throw ERegistryException("Ung\xFCltiger Datentyp f\xFCr 'Methode'"); };
  ablage.SetBytes("Hallo");
  EXPECT_THROW(befehle.Verschluesseln(), ERegistryException);
  EXPECT_THROW(befehle.Entschluesseln(), ERegistryException);
  EXPECT_EQ(ablage.opens, 0);
  EXPECT_EQ(ablage.Bytes(), "Hallo");
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
    ablage.SetBytes(kMitEuro);
    const std::uint32_t sequenz = ablage.sequence;
    EXPECT_FALSE((befehle.*befehl)());
    EXPECT_EQ(meldungen.messages, std::vector<RecordedMessage>{box});
    EXPECT_EQ(ablage.text, Text(kMitEuro).units);
    EXPECT_EQ(ablage.sequence, sequenz) << "the refused result was never written";
  }
}

TEST_F(Zwischenablage, EuroSignPassesMethodsThatMakeNoNullByte) {
  for (const std::int32_t methode : {0, 1, 2, 4}) {
    SCOPED_TRACE(methode);
    optionen.Methode = methode;
    EXPECT_EQ(Entschluesselt(Verschluesselt(kMitEuro)), Text(kMitEuro).units);
  }
  EXPECT_TRUE(meldungen.messages.empty());
}

// What the clipboard or the other programs on the desktop may do to a command.
// The expected text is the refusal's box, or, where nothing is refused, the clipboard's result.
struct Stoerung {
  const char* name;
  void (*einstellen)(FakeClipboard&, TOptionen&);
  std::u16string text;
  std::string erwartet;
};

const std::string kBelegt =
    "Die Zwischenablage wird gerade von einem anderen Programm benutzt.\r\n"
    "Bitte versuchen Sie es noch einmal; die Zwischenablage bleibt unver\xE4ndert.";

TEST_F(Zwischenablage, EachRefusalShowsItsBoxAndLeavesTheClipboardAlone) {
  const std::vector<Stoerung> faelle = {
      {"held open beyond the time", [](FakeClipboard& a, TOptionen&) { a.busyFor = 1000; }, u"Hallo", kBelegt},
      {"one character too many", [](FakeClipboard&, TOptionen&) {},
        std::u16string(kHoechsteZeichenzahl + 1, u'a'),
       "Der Text ist mit 8.388.609 Zeichen zu lang; TalsekTray verarbeitet h\xF6" "chstens 8.388.608 Zeichen.\r\n"
       "Die Zwischenablage bleibt unver\xE4ndert."},
      {"held by another program once the text is read", [](FakeClipboard& a, TOptionen&) { a.busyAfterOpens = 1; },
       u"Hallo", std::string(texte::kNichtKopiert)},
      {"lone surrogates that the transposition puts side by side", [](FakeClipboard&, TOptionen& o) { o.Methode = 0; },
       u"\xD800x\xDC00y", std::string(texte::kErgebnisVeraendert)},
      {"a result that is empty", [](FakeClipboard&, TOptionen& o) { o.Methode = 0, o.LeerzeichenLoeschen = true; },
       u"   ", "Das Ergebnis ist ein leerer Text (etwa ein Text nur aus Leerzeichen, die gel\xF6scht werden).\r\n"
       "Die Zwischenablage bleibt unver\xE4ndert."},
  };
  for (const auto& fall : faelle) {
    for (const auto befehl : {&ZwischenablageBefehle::Verschluesseln, &ZwischenablageBefehle::Entschluesseln}) {
      SCOPED_TRACE(fall.name);
      optionen = TOptionen{};
      Zuruecksetzen();
      ablage.text = fall.text;
      fall.einstellen(ablage, optionen);
      const auto anfang = uhr;
      const std::uint32_t sequenz = ablage.sequence;
      EXPECT_FALSE((befehle.*befehl)());
      EXPECT_EQ(meldungen.messages, (std::vector<RecordedMessage>{{fall.erwartet, "Fehler", 0x10}}));
      EXPECT_EQ(ablage.text, fall.text);
      EXPECT_EQ(ablage.sequence, sequenz) << "the clipboard was neither emptied nor written";
      EXPECT_FALSE(ablage.IsOpen());
      EXPECT_LE(uhr - anfang, std::chrono::milliseconds(1100)) << "a command waits about a second at most";
    }
  }
}

TEST_F(Zwischenablage, PassingTroubleAndHarmlessTextsAreNotRefused) {
  const std::vector<Stoerung> faelle = {
      {"held open for a few tries", [](FakeClipboard& a, TOptionen&) { a.busyFor = 5; }, u"Hallo", "Jcnnq"},
      {"lone line breaks stay as they are", [](FakeClipboard&, TOptionen&) {}, u"Hallo\nWelt\r", "Jcnnq\nYgnv\r"},
      {"a text at the limit", [](FakeClipboard&, TOptionen& o) { o.Methode = 7; },
        std::u16string(kHoechsteZeichenzahl, u'a'),
       std::string(kHoechsteZeichenzahl, 'a')},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.name);
    Zuruecksetzen();
    optionen = TOptionen{};
    ablage.text = fall.text;
    fall.einstellen(ablage, optionen);
    EXPECT_TRUE(befehle.Verschluesseln());
    EXPECT_EQ(ablage.Bytes(), fall.erwartet);
    EXPECT_TRUE(meldungen.messages.empty());
  }
}

TEST_F(Zwischenablage, AnEmptyClipboardIsLeftAsItIsWithoutABox) {
  for (const std::optional<std::u16string>& text : {std::optional<std::u16string>(), std::optional<std::u16string>(u"")}) {
    for (const auto befehl : {&ZwischenablageBefehle::Verschluesseln, &ZwischenablageBefehle::Entschluesseln,
                              &ZwischenablageBefehle::AuswahlVerschluesseln}) {
      SCOPED_TRACE(text ? "an empty text" : "no text");
      Zuruecksetzen();
      ablage.text = text;
      const std::uint32_t sequenz = ablage.sequence;
      EXPECT_TRUE((befehle.*befehl)());
      EXPECT_EQ(ablage.text, text);
      EXPECT_EQ(ablage.sequence, sequenz);
      EXPECT_TRUE(angeboten.empty());
      EXPECT_TRUE(meldungen.messages.empty());
    }
  }
}

TEST_F(Zwischenablage, AResultGoesOnTheClipboardWholeAndWithItsMarksOrNotAtAll) {
  // A write that the clipboard does not take whole, or a decrypted text that arrived without its
  // marks: the clipboard is emptied again, so that no part of a result and no unmarked plain text
  // stays there.
  const struct {
    const char* name;
    int verloren, ohneMarke;
    bool (ZwischenablageBefehle::*befehl)();
  } fehlschlaege[] = {
      {"an encryption's write is lost", 1, 0, &ZwischenablageBefehle::Verschluesseln},
      {"a decryption's write is lost", 1, 0, &ZwischenablageBefehle::Entschluesseln},
      {"a decrypted text arrives without its marks", 0, 1, &ZwischenablageBefehle::Entschluesseln},
  };
  for (const auto& fall : fehlschlaege) {
    SCOPED_TRACE(fall.name);
    Zuruecksetzen();
    ablage.SetBytes("Jcnnq");
    ablage.lostWrites = fall.verloren;
    ablage.unmarkedWrites = fall.ohneMarke;
    EXPECT_FALSE((befehle.*fall.befehl)());
    EXPECT_FALSE(ablage.text.has_value()) << "neither a part of the result nor an unmarked plain text stays";
    EXPECT_EQ(ablage.writes, 1);
    EXPECT_FALSE(eigentum.Zweck().has_value()) << "nothing of ours is there to clear";
    EXPECT_EQ(meldungen.messages,
              (std::vector<RecordedMessage>{{std::string(texte::kNichtKopiert), "Fehler", 0x10}}));
  }

  // A result that arrived is recorded as the program's own, so that the timed clear may take a
  // decrypted text off again.
  Zuruecksetzen();
  EXPECT_EQ(Entschluesselt("Jcnnq"), u"Hallo");
  EXPECT_EQ(eigentum.Zweck(), TZweck::Ergebnis);
  EXPECT_TRUE(eigentum.Entschluesselt());
  EXPECT_TRUE(eigentum.Haelt());

  // The in-place command's copy of the selection, which its result replaces: it offers that itself,
  // not by a write of the command's, and only while the copy is still there.
  for (const bool kopiertDazwischen : {false, true}) {
    ablage.SetUnicode(u"Hallo \U0001F642");
    ASSERT_TRUE(ablage.Open());
    eigentum.Anvertraut(false);
    ablage.Close();
    if (kopiertDazwischen) ablage.SetBytes("neu");
    const int geschrieben = ablage.writes;
    angeboten.clear();
    EXPECT_EQ(befehle.AuswahlVerschluesseln(), !kopiertDazwischen);
    EXPECT_EQ(ablage.writes, geschrieben);
    EXPECT_EQ(angeboten, kopiertDazwischen ? u"" : u"Jcnnq \U0001F642");
    EXPECT_EQ(eigentum.Zweck() == TZweck::Uebergabe, !kopiertDazwischen);
    EXPECT_EQ(ablage.text.has_value() ? ablage.Bytes() : "offered", kopiertDazwischen ? "neu" : "offered");
  }
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
