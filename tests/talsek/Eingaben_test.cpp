#include "Talsek/Eingaben.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Talsek/Texte.h"
#include "einstellungen/Einsetzen.h"
#include "einstellungen/Namen.h"
#include "einstellungen/OptionenLesen.h"
#include "fakes/FakeTastaturbelegung.h"
#include "fakes/InMemoryRegistry.h"
#include "verschl/verschl.h"

// String fields are assigned std::string values, never bare literals: gcc 12 at -O3 misreports
// assigning a literal to a string (-Wrestrict), and the tests build with warnings as errors.

namespace {

// Acceptable settings that differ from the defaults in every field, and the inputs they give.
TEinstellungen GueltigeEinstellungen() {
  TEinstellungen e;
  TOptionen& o = e.Optionen;
  o.Methode = 4;
  o.CaesarVerschiebung = 7;
  o.MatrixQuadratisch = false;
  o.Spaltenzahl = 42;
  o.VigenereSchluessel = std::string("Geheimnis");
  o.SonderzeichenIgnorieren = true;
  o.UmlauteErsetzen = true;
  o.Grossschrift = true;
  o.LeerzeichenLoeschen = true;
  return e;
}
TDialogEingaben Gueltig() { return EingabenAus(GueltigeEinstellungen()); }

const std::string kPfad = "C:\\Programme\\Talsek\\";
const fakes::FakeTastaturbelegung kBelegung = fakes::DeutscheBelegung();

}  // namespace

TEST(EingabenPruefen, AcceptableInputsBecomeTheRecordWithTheGivenFolder) {
  const TEingabePruefung p = EingabenPruefen(Gueltig(), kPfad, kBelegung);
  ASSERT_EQ(p.Fehler, "");
  EXPECT_EQ(p.Steuerelement, 0);
  TEinstellungen expected = GueltigeEinstellungen();
  expected.Optionen.Programmpfad = kPfad;
  EXPECT_EQ(p.Einstellungen, expected);
}

TEST(EingabenPruefen, TheDialogFilledFromAValidRecordGivesThatRecordBack) {
  TOptionen grenzen;
  grenzen.Methode = 0;
  grenzen.CaesarVerschiebung = 25;
  grenzen.Spaltenzahl = 100;
  grenzen.VigenereSchluessel = "z";
  grenzen.Kleinschrift = true;
  TOptionen andere = grenzen;
  andere.CaesarVerschiebung = 0;
  andere.Spaltenzahl = 1;
  andere.MatrixQuadratisch = false;
  andere.VigenereSchluessel = std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const TTastenkuerzel kuerzel{0x0356, 0x0B2D};
  for (TOptionen o : {TOptionen{}, grenzen, andere}) {
    o.Programmpfad = kPfad;
    const TEingabePruefung p = EingabenPruefen(EingabenAus({o, kuerzel}), kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, "");
    EXPECT_EQ(p.Einstellungen, (TEinstellungen{o, kuerzel}));
  }
}

TEST(EingabenPruefen, NumbersAreWholeAndBlanksAroundThemDoNotCount) {
  struct Fall {
    std::string caesar, spalten;
    std::int32_t caesarWert, spaltenWert;
  };
  const std::vector<Fall> faelle = {
      {"0", "1", 0, 1}, {"25", "100", 25, 100}, {" 7\t", "  64 ", 7, 64}, {"+3", "007", 3, 7}, {"-0", "+100", 0, 100},
  };
  for (const Fall& f : faelle) {
    TDialogEingaben e = Gueltig();
    e[texte::kCaesarVerschiebung].Text = f.caesar;
    e[texte::kSpaltenzahl].Text = f.spalten;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, "") << f.caesar << " / " << f.spalten;
    EXPECT_EQ(p.Einstellungen.Optionen.CaesarVerschiebung, f.caesarWert) << f.caesar;
    EXPECT_EQ(p.Einstellungen.Optionen.Spaltenzahl, f.spaltenWert) << f.spalten;
  }
}

TEST(EingabenPruefen, ARefusedCaesarShiftIsNamedWithItsRange) {
  struct Fall {
    std::string eingabe, meldung;
  };
  const std::vector<Fall> faelle = {
      {"", "Bitte geben Sie bei Caesar-Verschiebung eine ganze Zahl von 0 bis 25 ein."},
      {"  ", "Bitte geben Sie bei Caesar-Verschiebung eine ganze Zahl von 0 bis 25 ein."},
      {"abc", "\"abc\" bei Caesar-Verschiebung ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von 0 bis 25."},
      {" 2.5 ", "\"2.5\" bei Caesar-Verschiebung ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von 0 bis 25."},
      {"1e1", "\"1e1\" bei Caesar-Verschiebung ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von 0 bis 25."},
      {"0x10", "\"0x10\" bei Caesar-Verschiebung ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von 0 bis 25."},
      {"-", "\"-\" bei Caesar-Verschiebung ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von 0 bis 25."},
      {"1 2", "\"1 2\" bei Caesar-Verschiebung ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von 0 bis 25."},
      {"26", "26 bei Caesar-Verschiebung liegt nicht im erlaubten Bereich.\r\nErlaubt sind die Zahlen von 0 bis 25."},
      {"-1", "-1 bei Caesar-Verschiebung liegt nicht im erlaubten Bereich.\r\nErlaubt sind die Zahlen von 0 bis 25."},
      // Larger than any 32-bit or 64-bit number: out of range, not wrapped round into it.
      {"18446744073709551617", "18446744073709551617 bei Caesar-Verschiebung liegt nicht im erlaubten Bereich.\r\nErlaubt sind die Zahlen von 0 bis 25."},
  };
  for (const Fall& f : faelle) {
    TDialogEingaben e = Gueltig();
    e[texte::kCaesarVerschiebung].Text = f.eingabe;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, f.meldung) << "input \"" << f.eingabe << "\"";
    EXPECT_EQ(p.Steuerelement, IDC_CAESAR) << "input \"" << f.eingabe << "\"";
  }
}

TEST(EingabenPruefen, AColumnCountOutsideOneToHundredIsRefused) {
  for (const std::string zahl : {"0", "101", "-5"}) {
    TDialogEingaben e = Gueltig();
    e[texte::kSpaltenzahl].Text = zahl;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, zahl + " bei Spaltenzahl liegt nicht im erlaubten Bereich.\r\n"
                               "Erlaubt sind die Zahlen von 1 bis 100.");
    EXPECT_EQ(p.Steuerelement, IDC_SPALTENZAHL);
  }
  TDialogEingaben e = Gueltig();
  e[texte::kSpaltenzahl].Text = std::string("f\xFCnf");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Fehler,
            "\"f\xFCnf\" bei Spaltenzahl ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von 1 bis 100.");
}

TEST(EingabenPruefen, TheKeyMustBeASCIILettersAndTheFirstOtherCharacterIsShown) {
  struct Fall {
    std::string schluessel, zeichen, stelle;
  };
  const std::vector<Fall> faelle = {
      {"Geheim1", "1", "7"},
      {"Schl\xFCssel", "\xFC", "5"},  // an umlaut is a letter only for the preparation filters
      {"Ab c", " ", "3"},
      {"-abc", "-", "1"},
      {"abc\xE9", "\xE9", "4"},
      {std::string("ab\0c", 4), std::string(1, '\0'), "3"},
  };
  for (const Fall& f : faelle) {
    TDialogEingaben e = Gueltig();
    e[texte::kVigenereSchluessel].Text = f.schluessel;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler,
              std::string("Der Vigen\xE8re-Schl\xFCssel darf nur die Buchstaben A bis Z und a bis z enthalten.\r\n"
                          "Das Zeichen \"") + f.zeichen + "\" an Stelle " + f.stelle + " ist nicht erlaubt.")
        << f.schluessel;
    EXPECT_EQ(p.Steuerelement, IDC_SCHLUESSEL);
  }
}

TEST(EingabenPruefen, AnEmptyKeyIsRefused) {
  TDialogEingaben e = Gueltig();
  e[texte::kVigenereSchluessel].Text.clear();
  const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
  EXPECT_EQ(p.Fehler,
            "Bitte geben Sie einen Vigen\xE8re-Schl\xFCssel ein.\r\nErlaubt sind die Buchstaben A bis Z und a bis z.");
  EXPECT_EQ(p.Steuerelement, IDC_SCHLUESSEL);
}

TEST(EingabenPruefen, NoChosenMethodIsRefused) {
  for (const int methode : {-1, 5}) {
    TDialogEingaben e = Gueltig();
    e[texte::kMethode].Wert = methode;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, "Bitte w\xE4hlen Sie eine Methode.");
    EXPECT_EQ(p.Steuerelement, IDC_METHODE);
  }
}

TEST(EingabenPruefen, FieldsUnusedByTheChosenMethodAreCheckedToo) {
  // Every value is written, whichever method is chosen; the tray program must never read one that
  // is out of range.
  TDialogEingaben e = Gueltig();
  e[texte::kMethode].Wert = 2;
  e[texte::kSpaltenzahl].Text = std::string("0");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Steuerelement, IDC_SPALTENZAHL);
  e = Gueltig();
  e[texte::kMethode].Wert = 1;
  e[texte::kVigenereSchluessel].Text = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Steuerelement, IDC_SCHLUESSEL);
}

TEST(EingabenPruefen, TheFirstRefusedInputInTheDialogsOrderIsReported) {
  TDialogEingaben e = Gueltig();
  e[texte::kCaesarVerschiebung].Text = std::string("x");
  e[texte::kSpaltenzahl].Text = std::string("x");
  e[texte::kVigenereSchluessel].Text = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Steuerelement, IDC_CAESAR);
  e[texte::kCaesarVerschiebung].Text = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Steuerelement, IDC_SPALTENZAHL);
}

TEST(Einsetzen, ReplacesEachPlaceholderOnceFromLeftToRight) {
  EXPECT_EQ(Einsetzen("%s bei %s", {"a", "b"}), "a bei b");
  EXPECT_EQ(Einsetzen("%s und %s", {"%s"}), "%s und %s") << "a value is not searched again; a missing one leaves %s";
  EXPECT_EQ(Einsetzen("100%", {"x"}), "100%");
  EXPECT_EQ(Einsetzen(texte::kZahlAusserhalb, {"26", "X", "0", "25"}),
            "26 bei X liegt nicht im erlaubten Bereich.\r\nErlaubt sind die Zahlen von 0 bis 25.");
}

namespace {

const std::string kVer = "Verschl\xFCsseln";
const std::string kEnt = "Entschl\xFCsseln";

std::string OhneStrgAlt(const std::string& kuerzel, const std::string& befehl) {
  return kuerzel + " ist als Tastenk\xFCrzel f\xFCr " + befehl +
         " nicht m\xF6glich:\r\nOhne Strg oder Alt finge TalsekTray die Taste in jedem Programm ab, und sie "
         "wirkte dort nicht mehr. Nur F1 bis F24 gehen auch allein.";
}
std::string AltGr(const std::string& kuerzel, const std::string& befehl) {
  return kuerzel + " ist als Tastenk\xFCrzel f\xFCr " + befehl +
         " nicht m\xF6glich:\r\nAuf dieser Tastaturbelegung wirkt Strg+Alt wie AltGr, und die Taste schreibt damit "
         "ein Zeichen.";
}

}  // namespace

TEST(EingabenPruefen, ShortcutsThatWouldSwallowTypingOrStartBothCommandsAreRefused) {
  const struct {
    std::uint32_t verschluesseln, entschluesseln;
    std::string fehler;
    int feld;
  } faelle[] = {
      {0x0356, 0x0345, "", 0},  // Strg+Umschalt+V, Strg+Umschalt+E
      {0x0070, 0x0878, "", 0},  // F1 and F9 alone type nothing
      {0x0656, 0x0745, "", 0},  // Strg+Alt+V, Strg+Umschalt+Alt+E: no AltGr characters
      {0x0645, 0, AltGr("Strg+Alt+E", kVer), IDC_KUERZEL_VERSCHLUESSELN},
      {0, 0x0637, AltGr("Strg+Alt+7", kEnt), IDC_KUERZEL_ENTSCHLUESSELN},
      {0x0156, 0, OhneStrgAlt("Umschalt+V", kVer), IDC_KUERZEL_VERSCHLUESSELN},
      {0x0356, 0x01BA, OhneStrgAlt("Umschalt+\xDC", kEnt), IDC_KUERZEL_ENTSCHLUESSELN},
      {0x0300, 0,
       "Das Tastenk\xFCrzel f\xFCr Verschl\xFCsseln hat keine Taste, die TalsekTray verwenden kann.\r\n"
       "Bitte dr\xFC" "cken Sie im Feld eine Tastenkombination mit Strg oder Alt.",
       IDC_KUERZEL_VERSCHLUESSELN},
      {0x0356, 0x0356,
       "Verschl\xFCsseln und Entschl\xFCsseln haben dasselbe Tastenk\xFCrzel Strg+Umschalt+V.\r\n"
       "Bitte w\xE4hlen Sie f\xFCr jeden Befehl ein eigenes.",
       IDC_KUERZEL_ENTSCHLUESSELN},
      // Einfg beside the letters and on the number pad is one combination: a hotkey answers to both.
      {0x0B2D, 0x032D,
       "Verschl\xFCsseln und Entschl\xFCsseln haben dasselbe Tastenk\xFCrzel Strg+Umschalt+EINFG.\r\n"
       "Bitte w\xE4hlen Sie f\xFCr jeden Befehl ein eigenes.",
       IDC_KUERZEL_ENTSCHLUESSELN},
  };
  for (const auto& f : faelle) {
    TDialogEingaben e = Gueltig();
    e[texte::kTastenkuerzelVerschluesseln].Wert = f.verschluesseln;
    e[texte::kTastenkuerzelEntschluesseln].Wert = f.entschluesseln;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, f.fehler) << std::hex << f.verschluesseln << " " << f.entschluesseln;
    EXPECT_EQ(p.Steuerelement, f.feld) << std::hex << f.verschluesseln << " " << f.entschluesseln;
  }
}

// Every number that a row does not take, and every shortcut that cannot serve, is refused by the
// editor and ignored by the tray program's refresh: both ask the same row.
TEST(EingabenPruefen, AValueOutsideItsRowIsRefusedByTheEditorAndIgnoredByTheRefresh) {
  verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle);
  for (const TEinstellung& w : kEinstellungen) {
    std::vector<std::uint32_t> falsch;
    if (w.Art == TArt::Zahl) {
      const auto min = static_cast<std::uint32_t>(w.Min);
      const auto max = static_cast<std::uint32_t>(w.Max);
      falsch = {min - 1, max + 1, max + 0x10000, min | 0x80000000};  // a number in the low half only, a negative
    } else if (w.Art == TArt::Kuerzel) {
      falsch = {0x0156, 0x0200, 0x0045};  // Umschalt+V, Strg without a key, a bare letter
    }
    for (const std::uint32_t wert : falsch) {
      SCOPED_TRACE(std::string(w.Name) + " " + std::to_string(wert));
      fakes::InMemoryRegistry registry;
      registry.Key(texte::kSettingsKey).SetDword(w.Name, wert);
      TEinstellungen gelesen;
      OptionenLesen(gelesen, registry, [] { return std::string("C:\\Tools\\tray.exe"); });
      TEinstellungen standard;
      standard.Optionen.RegistryGefunden = true;
      standard.Optionen.Programmpfad = "C:\\Tools\\";
      EXPECT_EQ(gelesen, standard);

      TDialogEingaben e = EingabenAus({});
      if (w.Art == TArt::Kuerzel || w.Bedienung == TBedienung::Methodenliste) {
        e[w.Name].Wert = static_cast<std::int32_t>(wert);
      } else {
        e[w.Name].Text = std::to_string(static_cast<std::int32_t>(wert));
      }
      const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
      EXPECT_NE(p.Fehler, "");
      EXPECT_EQ(p.Steuerelement, w.Steuerelement);
    }
  }
}
