#include "Talsek/Eingaben.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Talsek/Texte.h"
#include "fakes/FakeTastaturbelegung.h"

// String fields are assigned std::string values, never bare literals: gcc 12 at -O3 misreports
// assigning a literal to a string (-Wrestrict), and the tests build with warnings as errors.

namespace {

// Acceptable inputs that differ from the defaults in every field.
TDialogEingaben Gueltig() {
  return TDialogEingaben{.Methode = 4,
                         .CaesarVerschiebung = "7",
                         .MatrixQuadratisch = false,
                         .Spaltenzahl = "42",
                         .VigenereSchluessel = "Geheimnis",
                         .SonderzeichenIgnorieren = true,
                         .UmlauteErsetzen = true,
                         .Kleinschrift = false,
                         .Grossschrift = true,
                         .LeerzeichenLoeschen = true};
}

const std::string kPfad = "C:\\Programme\\Talsek\\";
const fakes::FakeTastaturbelegung kBelegung = fakes::DeutscheBelegung();

}  // namespace

TEST(EingabenPruefen, AcceptableInputsBecomeTheRecordWithTheGivenFolder) {
  const TEingabePruefung p = EingabenPruefen(Gueltig(), kPfad, kBelegung);
  ASSERT_EQ(p.Fehler, "");
  EXPECT_EQ(p.Feld, TEingabeFeld::Keines);
  TOptionen expected;
  expected.Methode = 4;
  expected.CaesarVerschiebung = 7;
  expected.MatrixQuadratisch = false;
  expected.Spaltenzahl = 42;
  expected.VigenereSchluessel = "Geheimnis";
  expected.SonderzeichenIgnorieren = true;
  expected.UmlauteErsetzen = true;
  expected.Kleinschrift = false;
  expected.Grossschrift = true;
  expected.LeerzeichenLoeschen = true;
  expected.Programmpfad = kPfad;
  EXPECT_EQ(p.Optionen, expected);
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
    const TEingabePruefung p = EingabenPruefen(EingabenAus(o, kuerzel), kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, "");
    EXPECT_EQ(p.Optionen, o);
    EXPECT_EQ(p.Kuerzel, kuerzel);
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
    e.CaesarVerschiebung = f.caesar;
    e.Spaltenzahl = f.spalten;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, "") << f.caesar << " / " << f.spalten;
    EXPECT_EQ(p.Optionen.CaesarVerschiebung, f.caesarWert) << f.caesar;
    EXPECT_EQ(p.Optionen.Spaltenzahl, f.spaltenWert) << f.spalten;
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
    e.CaesarVerschiebung = f.eingabe;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, f.meldung) << "input \"" << f.eingabe << "\"";
    EXPECT_EQ(p.Feld, TEingabeFeld::CaesarVerschiebung) << "input \"" << f.eingabe << "\"";
  }
}

TEST(EingabenPruefen, AColumnCountOutsideOneToHundredIsRefused) {
  for (const std::string zahl : {"0", "101", "-5"}) {
    TDialogEingaben e = Gueltig();
    e.Spaltenzahl = zahl;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, zahl + " bei Spaltenzahl liegt nicht im erlaubten Bereich.\r\n"
                               "Erlaubt sind die Zahlen von 1 bis 100.");
    EXPECT_EQ(p.Feld, TEingabeFeld::Spaltenzahl);
  }
  TDialogEingaben e = Gueltig();
  e.Spaltenzahl = std::string("f\xFCnf");
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
    e.VigenereSchluessel = f.schluessel;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler,
              std::string("Der Vigen\xE8re-Schl\xFCssel darf nur die Buchstaben A bis Z und a bis z enthalten.\r\n"
                          "Das Zeichen \"") + f.zeichen + "\" an Stelle " + f.stelle + " ist nicht erlaubt.")
        << f.schluessel;
    EXPECT_EQ(p.Feld, TEingabeFeld::VigenereSchluessel);
  }
}

TEST(EingabenPruefen, AnEmptyKeyIsRefused) {
  TDialogEingaben e = Gueltig();
  e.VigenereSchluessel.clear();
  const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
  EXPECT_EQ(p.Fehler,
            "Bitte geben Sie einen Vigen\xE8re-Schl\xFCssel ein.\r\nErlaubt sind die Buchstaben A bis Z und a bis z.");
  EXPECT_EQ(p.Feld, TEingabeFeld::VigenereSchluessel);
}

TEST(EingabenPruefen, NoChosenMethodIsRefused) {
  for (const int methode : {-1, 5}) {
    TDialogEingaben e = Gueltig();
    e.Methode = methode;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, "Bitte w\xE4hlen Sie eine Methode.");
    EXPECT_EQ(p.Feld, TEingabeFeld::Methode);
  }
}

TEST(EingabenPruefen, FieldsUnusedByTheChosenMethodAreCheckedToo) {
  // Every value is written, whichever method is chosen; the tray program must never read one that
  // is out of range.
  TDialogEingaben e = Gueltig();
  e.Methode = 2;
  e.Spaltenzahl = std::string("0");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Feld, TEingabeFeld::Spaltenzahl);
  e = Gueltig();
  e.Methode = 1;
  e.VigenereSchluessel = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Feld, TEingabeFeld::VigenereSchluessel);
}

TEST(EingabenPruefen, TheFirstRefusedInputInTheDialogsOrderIsReported) {
  TDialogEingaben e = Gueltig();
  e.CaesarVerschiebung = std::string("x");
  e.Spaltenzahl = std::string("x");
  e.VigenereSchluessel = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Feld, TEingabeFeld::CaesarVerschiebung);
  e.CaesarVerschiebung = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad, kBelegung).Feld, TEingabeFeld::Spaltenzahl);
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
         "lie\xDF" "e sich nicht mehr tippen.";
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
    TEingabeFeld feld;
  } faelle[] = {
      {0x0356, 0x0345, "", TEingabeFeld::Keines},  // Strg+Umschalt+V, Strg+Umschalt+E
      {0x0070, 0x0878, "", TEingabeFeld::Keines},  // F1 and F9 alone type nothing
      {0x0656, 0x0745, "", TEingabeFeld::Keines},  // Strg+Alt+V, Strg+Umschalt+Alt+E: no AltGr characters
      {0x0645, 0, AltGr("Strg+Alt+E", kVer), TEingabeFeld::TastenkuerzelVerschluesseln},
      {0, 0x0637, AltGr("Strg+Alt+7", kEnt), TEingabeFeld::TastenkuerzelEntschluesseln},
      {0x0156, 0, OhneStrgAlt("Umschalt+V", kVer), TEingabeFeld::TastenkuerzelVerschluesseln},
      {0x0356, 0x01BA, OhneStrgAlt("Umschalt+\xDC", kEnt), TEingabeFeld::TastenkuerzelEntschluesseln},
      {0x0300, 0,
       "Das Tastenk\xFCrzel f\xFCr Verschl\xFCsseln hat keine Taste, die TalsekTray verwenden kann.\r\n"
       "Bitte dr\xFC" "cken Sie im Feld eine Tastenkombination mit Strg oder Alt.",
       TEingabeFeld::TastenkuerzelVerschluesseln},
      {0x0356, 0x0356,
       "Verschl\xFCsseln und Entschl\xFCsseln haben dasselbe Tastenk\xFCrzel Strg+Umschalt+V.\r\n"
       "Bitte w\xE4hlen Sie f\xFCr jeden Befehl ein eigenes.",
       TEingabeFeld::TastenkuerzelEntschluesseln},
      // Einfg beside the letters and on the number pad is one combination: a hotkey answers to both.
      {0x0B2D, 0x032D,
       "Verschl\xFCsseln und Entschl\xFCsseln haben dasselbe Tastenk\xFCrzel Strg+Umschalt+EINFG.\r\n"
       "Bitte w\xE4hlen Sie f\xFCr jeden Befehl ein eigenes.",
       TEingabeFeld::TastenkuerzelEntschluesseln},
  };
  for (const auto& f : faelle) {
    TDialogEingaben e = Gueltig();
    e.TastenkuerzelVerschluesseln = f.verschluesseln;
    e.TastenkuerzelEntschluesseln = f.entschluesseln;
    const TEingabePruefung p = EingabenPruefen(e, kPfad, kBelegung);
    EXPECT_EQ(p.Fehler, f.fehler) << std::hex << f.verschluesseln << " " << f.entschluesseln;
    EXPECT_EQ(p.Feld, f.feld) << std::hex << f.verschluesseln << " " << f.entschluesseln;
  }
}
