#include "Main/Zwischenablage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "einstellungen/ERegistryException.h"
#include "Main/Texte.h"
#include "fakes/FakeClipboard.h"
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

  // Every result of a decryption, and none of an encryption, is copied private.
  std::string Verschluesselt(const std::string& clipboard) {
    ablage.SetBytes(clipboard, CopyScope::Private);
    befehle.Verschluesseln();
    EXPECT_EQ(ablage.scope, CopyScope::Shared);
    return ablage.Bytes();
  }
  std::string Entschluesselt(const std::string& clipboard) {
    ablage.SetBytes(clipboard);
    befehle.Entschluesseln();
    EXPECT_EQ(ablage.scope, CopyScope::Private);
    return ablage.Bytes();
  }

  void Zuruecksetzen() {
    // The sequence goes on, as the system's does: an entry of the owner's from before stays stale.
    const std::uint32_t sequenz = ablage.sequence;
    ablage = FakeClipboard();
    ablage.sequence = sequenz + 1;
    puffer.calls.clear();
    puffer.emptyPastes = puffer.richPastes = puffer.lostCopies = 0;
    puffer.loneBreaksToCrLf = false;
    meldungen.messages.clear();
  }

  TOptionen optionen;
  std::function<void()> auffrischen = [] {};
  FakeClipboard ablage;
  FakeTextBuffer puffer{ablage};
  RecordingMessageSink meldungen;
  // Sleeping only moves the clock on, so that waiting costs the tests nothing.
  std::chrono::milliseconds uhr{0};
  TWartefrist frist{[this] { return uhr; }, [this](std::chrono::milliseconds d) { uhr += d; }};
  TEigentum eigentum{ablage, frist};
  std::string angeboten;  // what the in-place commands offered for their paste
  ZwischenablageBefehle befehle{optionen, [this] { auffrischen(); }, puffer, ablage, eigentum, meldungen, frist,
                                [this](const std::string& text) { angeboten = text; }};
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
  // The pasted text is read once; transcription and lower case leave "a b" as it is; upper case,
  // spaces and the shift change it, and each change is read back.
  erwartet.push_back("GetText");
  for (const bool aendert : {false, false, true, true, true}) {
    if (aendert) {
      erwartet.insert(erwartet.end(), {"SetText", "GetText"});
    }
  }
  erwartet.insert(erwartet.end(), {"SelectAll", "Copy", "Clear"});
  EXPECT_EQ(puffer.calls, erwartet);
  EXPECT_EQ(ablage.Bytes(), "CD");
}

TEST_F(Zwischenablage, StepsWithoutWorkDoNotTouchTheBufferText) {
  const auto aufrufe = [&](bool (ZwischenablageBefehle::*befehl)()) {
    puffer.calls.clear();
    ablage.SetBytes("Hallo");
    (befehle.*befehl)();
    EXPECT_EQ(ablage.Bytes(), "Hallo");
    return puffer.calls;
  };
  const Calls nurKopieren = {"Clear", "Paste", "GetText", "SelectAll", "Copy", "Clear"};
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
  ablage.SetBytes("Hallo");
  EXPECT_THROW(befehle.Verschluesseln(), ERegistryException);
  EXPECT_THROW(befehle.Entschluesseln(), ERegistryException);
  EXPECT_TRUE(puffer.calls.empty());
  EXPECT_EQ(ablage.opens, 0);
  EXPECT_EQ(ablage.Bytes(), "Hallo");
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
    ablage.SetBytes(kMitEuro);
    (befehle.*befehl)();
    EXPECT_EQ(meldungen.messages, std::vector<RecordedMessage>{box});
    EXPECT_EQ(ablage.Bytes(), kMitEuro);
    EXPECT_EQ(puffer.calls, (Calls{"Clear", "Paste", "GetText", "Clear"}));
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

// What the clipboard, the other programs on the desktop or the control may do to a command.
// The expected text is the refusal's box, or, where nothing is refused, the clipboard's result.
struct Stoerung {
  const char* name;
  void (*einstellen)(FakeClipboard&, FakeTextBuffer&, TOptionen&);
  std::u16string text;
  std::string erwartet;
  bool ohneEinfuegen = false;  // refused before the clipboard is pasted
};

const std::string kBelegt =
    "Die Zwischenablage wird gerade von einem anderen Programm benutzt.\r\n"
    "Bitte versuchen Sie es noch einmal; die Zwischenablage bleibt unver\xE4ndert.";

std::string Fremd(const char* stelle, const char* code) {
  return std::string("Der Text enth\xE4lt an Stelle ") + stelle + " das Zeichen U+" + code +
         ", das es in der Codepage 28591 nicht gibt.\r\nDie Zwischenablage bleibt unver\xE4ndert.";
}

TEST_F(Zwischenablage, EachRefusalShowsItsBoxAndLeavesTheClipboardAlone) {
  const std::vector<Stoerung> faelle = {
      {"held open beyond the time", [](FakeClipboard& a, FakeTextBuffer&, TOptionen&) { a.busyFor = 1000; }, u"Hallo",
       kBelegt, true},
      {"every paste brings nothing", [](FakeClipboard&, FakeTextBuffer& p, TOptionen&) { p.emptyPastes = 1000; },
        u"Hallo",
       kBelegt, false},
      {"every paste brings more than the text",
        [](FakeClipboard&, FakeTextBuffer& p, TOptionen&) { p.richPastes = 1000; }, u"Hallo",
       "Der Text in der Zwischenablage konnte nicht unver\xE4ndert \xFC" "bernommen werden.\r\n"
       "Die Zwischenablage bleibt unver\xE4ndert.", false},
      {"a character the code page lacks", [](FakeClipboard&, FakeTextBuffer&, TOptionen&) {},
        u"\u0141\u00F3d\u017A \u2192 \U0001F600",
       Fremd("1", "0141"), true},
      {"an emoji counts as one character", [](FakeClipboard&, FakeTextBuffer&, TOptionen&) {},
        u"Gr\u00FC\u00DFe \U0001F600 aus K\u00F6ln",
       Fremd("7", "1F600"), true},
      {"the position has thousands points", [](FakeClipboard&, FakeTextBuffer&, TOptionen&) {},
        std::u16string(1233, u'a') + u"\u20AC",
       Fremd("1.234", "20AC"), true},
      {"one character too many", [](FakeClipboard&, FakeTextBuffer&, TOptionen&) {},
        std::u16string(kHoechsteZeichenzahl + 1, u'a'),
       "Der Text ist mit 8.388.609 Zeichen zu lang; TalsekTray verarbeitet h\xF6" "chstens 8.388.608 Zeichen.\r\n"
       "Die Zwischenablage bleibt unver\xE4ndert.",
       true},
      {"copies never arrive", [](FakeClipboard&, FakeTextBuffer& p, TOptionen&) { p.lostCopies = 1000; }, u"Hallo",
       "Das Ergebnis konnte nicht in die Zwischenablage kopiert werden.\r\nBitte versuchen Sie es noch einmal.", false},
      {"a result that is empty", [](FakeClipboard&, FakeTextBuffer&, TOptionen& o) { o.Methode = 0, o.LeerzeichenLoeschen = true; },
       u"   ", "Das Ergebnis ist ein leerer Text (etwa ein Text nur aus Leerzeichen, die gel\xF6scht werden).\r\n"
       "Die Zwischenablage bleibt unver\xE4ndert.", false},
  };
  for (const auto& fall : faelle) {
    for (const auto befehl : {&ZwischenablageBefehle::Verschluesseln, &ZwischenablageBefehle::Entschluesseln}) {
      SCOPED_TRACE(fall.name);
      optionen = TOptionen{};
      Zuruecksetzen();
      puffer.text = "letztes Ergebnis";
      ablage.text = fall.text;
      fall.einstellen(ablage, puffer, optionen);
      const auto anfang = uhr;
      (befehle.*befehl)();
      EXPECT_EQ(meldungen.messages, (std::vector<RecordedMessage>{{fall.erwartet, "Fehler", 0x10}}));
      EXPECT_EQ(ablage.text, fall.text);
      EXPECT_FALSE(ablage.IsOpen());
      EXPECT_LE(uhr - anfang, std::chrono::milliseconds(1100)) << "a command waits about a second at most";
      EXPECT_EQ(puffer.text, "") << "nothing of a text stays in the buffer after its command";
      if (fall.ohneEinfuegen) {
        EXPECT_EQ(std::count(puffer.calls.begin(), puffer.calls.end(), "Paste"), 0);
      }
    }
  }
}

TEST_F(Zwischenablage, AResultThatTheControlWouldChangeIsNotCopied) {
  // Two columns split the CR LF: "x\r" over "\ny" reads down as "x\n\ry", two lone breaks.
  DreiSpalten(optionen);
  optionen.Spaltenzahl = 2;
  puffer.loneBreaksToCrLf = true;
  ablage.SetBytes("x\r\ny");
  befehle.Verschluesseln();
  EXPECT_EQ(meldungen.messages,
            (std::vector<RecordedMessage>{{"Das Ergebnis lie\xDF" "e sich nicht unver\xE4ndert in die Zwischenablage \xFC"
                                           "bertragen.\r\nDie Zwischenablage bleibt unver\xE4ndert.",
                                           "Fehler", 0x10}}));
  EXPECT_EQ(ablage.Bytes(), "x\r\ny");
  EXPECT_EQ(std::count(puffer.calls.begin(), puffer.calls.end(), "Copy"), 0);
}

TEST_F(Zwischenablage, PassingTroubleAndHarmlessTextsAreNotRefused) {
  const std::vector<Stoerung> faelle = {
      {"held open for a few tries", [](FakeClipboard& a, FakeTextBuffer&, TOptionen&) { a.busyFor = 5; }, u"Hallo",
       "Jcnnq"},
      {"the first paste brings nothing", [](FakeClipboard&, FakeTextBuffer& p, TOptionen&) { p.emptyPastes = 1; },
        u"Hallo",
       "Jcnnq"},
      {"the first paste brings more than the text",
        [](FakeClipboard&, FakeTextBuffer& p, TOptionen&) { p.richPastes = 1; }, u"Hallo", "Jcnnq"},
      {"the first copy is lost", [](FakeClipboard&, FakeTextBuffer& p, TOptionen&) { p.lostCopies = 1; }, u"Hallo",
       "Jcnnq"},
      {"LF-only lines come back as CR LF",
        [](FakeClipboard&, FakeTextBuffer& p, TOptionen&) { p.loneBreaksToCrLf = true; }, u"Hallo\nWelt\r",
       "Jcnnq\r\nYgnv\r\n"},
      {"a text at the limit", [](FakeClipboard&, FakeTextBuffer&, TOptionen& o) { o.Methode = 7; },
        std::u16string(kHoechsteZeichenzahl, u'a'),
       std::string(kHoechsteZeichenzahl, 'a')},
      {"an empty text", [](FakeClipboard&, FakeTextBuffer&, TOptionen&) {}, u"", ""},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.name);
    Zuruecksetzen();
    optionen = TOptionen{};
    ablage.text = fall.text;
    fall.einstellen(ablage, puffer, optionen);
    befehle.Verschluesseln();
    EXPECT_EQ(ablage.Bytes(), fall.erwartet);
    EXPECT_TRUE(meldungen.messages.empty());
  }
}

TEST_F(Zwischenablage, AClipboardWithoutTextIsCopiedBackEmptyAsBefore) {
  ablage.text.reset();
  befehle.Verschluesseln();
  EXPECT_EQ(puffer.calls, (Calls{"Clear", "Paste", "GetText", "SelectAll", "Copy", "Clear"}));
  EXPECT_TRUE(meldungen.messages.empty());
}

TEST_F(Zwischenablage, ADecryptedTextGoesOnTheClipboardWithItsMarksOrNotAtAll) {
  ablage.SetBytes("Jcnnq");
  puffer.unmarkedCopies = 1;
  EXPECT_TRUE(befehle.Entschluesseln()) << "a copy that lost its marks once is made again";
  EXPECT_EQ(ablage.Bytes(), "Hallo");
  EXPECT_EQ(ablage.scope, CopyScope::Private);

  // The in-place command's copy of the selection, which its result replaces: it offers that itself,
  // not through the buffer, and only while the copy is still there.
  for (const bool kopiertDazwischen : {false, true}) {
    ablage.SetBytes("Hallo");
    ASSERT_TRUE(ablage.Open());
    eigentum.Anvertraut(false);
    ablage.Close();
    if (kopiertDazwischen) ablage.SetBytes("neu");
    puffer.calls.clear();
    angeboten.clear();
    EXPECT_EQ(befehle.AuswahlVerschluesseln(), !kopiertDazwischen);
    EXPECT_EQ(std::count(puffer.calls.begin(), puffer.calls.end(), "Copy"), 0);
    EXPECT_EQ(angeboten, kopiertDazwischen ? "" : "Jcnnq");
    EXPECT_EQ(eigentum.Zweck() == TZweck::Uebergabe, !kopiertDazwischen);
    EXPECT_EQ(ablage.text.has_value() ? ablage.Bytes() : "offered", kopiertDazwischen ? "neu" : "offered");
  }
  meldungen.messages.clear();

  ablage.SetBytes("Jcnnq");
  puffer.unmarkedCopies = 1000;
  EXPECT_FALSE(befehle.Entschluesseln());
  EXPECT_FALSE(ablage.text.has_value()) << "the unmarked plain text must not stay";
  EXPECT_EQ(meldungen.messages,
            (std::vector<RecordedMessage>{{"Das Ergebnis konnte nicht in die Zwischenablage kopiert werden.\r\n"
                                           "Bitte versuchen Sie es noch einmal.",
                                           "Fehler", 0x10}}));
  // Another program holds the clipboard once the copy check is over: the box says the text stays.
  meldungen.messages.clear();
  ablage.SetBytes("Jcnnq");
  ablage.busyAfterOpens = ablage.opens + 1 + 50;  // the paste's reading, then the copy check's tries
  EXPECT_FALSE(befehle.Entschluesseln());
  EXPECT_TRUE(ablage.text.has_value());
  ASSERT_EQ(meldungen.messages.size(), 1U);
  EXPECT_TRUE(meldungen.messages[0].text.starts_with("Das Ergebnis kam ohne die Markierungen")) << meldungen.messages[0].text;
}

TEST_F(Zwischenablage, AControlThatCannotBeMadeAnewAfterACommandFailsTheNextCommandNotTheProgram) {
  ablage.SetBytes("Hallo");
  puffer.clearsBeforeFailure = 1;
  EXPECT_NO_THROW(befehle.Verschluesseln());
  EXPECT_EQ(ablage.Bytes(), "Jcnnq");
  EXPECT_EQ(puffer.text, "") << "the text was overwritten before the failure";
  EXPECT_THROW(befehle.Verschluesseln(), std::runtime_error);
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
