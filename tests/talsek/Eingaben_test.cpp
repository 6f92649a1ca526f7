#include "Talsek/Eingaben.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Talsek/Texte.h"

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

}  // namespace

TEST(EingabenPruefen, AcceptableInputsBecomeTheRecordWithTheGivenFolder) {
  const TEingabePruefung p = EingabenPruefen(Gueltig(), kPfad);
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
  for (TOptionen o : {TOptionen{}, grenzen, andere}) {
    o.Programmpfad = kPfad;
    const TEingabePruefung p = EingabenPruefen(EingabenAus(o), kPfad);
    EXPECT_EQ(p.Fehler, "");
    EXPECT_EQ(p.Optionen, o);
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
    const TEingabePruefung p = EingabenPruefen(e, kPfad);
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
    const TEingabePruefung p = EingabenPruefen(e, kPfad);
    EXPECT_EQ(p.Fehler, f.meldung) << "input \"" << f.eingabe << "\"";
    EXPECT_EQ(p.Feld, TEingabeFeld::CaesarVerschiebung) << "input \"" << f.eingabe << "\"";
  }
}

TEST(EingabenPruefen, AColumnCountOutsideOneToHundredIsRefused) {
  for (const std::string zahl : {"0", "101", "-5"}) {
    TDialogEingaben e = Gueltig();
    e.Spaltenzahl = zahl;
    const TEingabePruefung p = EingabenPruefen(e, kPfad);
    EXPECT_EQ(p.Fehler, zahl + " bei Spaltenzahl liegt nicht im erlaubten Bereich.\r\n"
                               "Erlaubt sind die Zahlen von 1 bis 100.");
    EXPECT_EQ(p.Feld, TEingabeFeld::Spaltenzahl);
  }
  TDialogEingaben e = Gueltig();
  e.Spaltenzahl = std::string("f\xFCnf");
  EXPECT_EQ(EingabenPruefen(e, kPfad).Fehler,
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
    const TEingabePruefung p = EingabenPruefen(e, kPfad);
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
  const TEingabePruefung p = EingabenPruefen(e, kPfad);
  EXPECT_EQ(p.Fehler,
            "Bitte geben Sie einen Vigen\xE8re-Schl\xFCssel ein.\r\nErlaubt sind die Buchstaben A bis Z und a bis z.");
  EXPECT_EQ(p.Feld, TEingabeFeld::VigenereSchluessel);
}

TEST(EingabenPruefen, NoChosenMethodIsRefused) {
  for (const int methode : {-1, 5}) {
    TDialogEingaben e = Gueltig();
    e.Methode = methode;
    const TEingabePruefung p = EingabenPruefen(e, kPfad);
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
  EXPECT_EQ(EingabenPruefen(e, kPfad).Feld, TEingabeFeld::Spaltenzahl);
  e = Gueltig();
  e.Methode = 1;
  e.VigenereSchluessel = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad).Feld, TEingabeFeld::VigenereSchluessel);
}

TEST(EingabenPruefen, TheFirstRefusedInputInTheDialogsOrderIsReported) {
  TDialogEingaben e = Gueltig();
  e.CaesarVerschiebung = std::string("x");
  e.Spaltenzahl = std::string("x");
  e.VigenereSchluessel = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad).Feld, TEingabeFeld::CaesarVerschiebung);
  e.CaesarVerschiebung = std::string("1");
  EXPECT_EQ(EingabenPruefen(e, kPfad).Feld, TEingabeFeld::Spaltenzahl);
}

TEST(Einsetzen, ReplacesEachPlaceholderOnceFromLeftToRight) {
  EXPECT_EQ(Einsetzen("%s bei %s", {"a", "b"}), "a bei b");
  EXPECT_EQ(Einsetzen("%s und %s", {"%s"}), "%s und %s") << "a value is not searched again; a missing one leaves %s";
  EXPECT_EQ(Einsetzen("100%", {"x"}), "100%");
  EXPECT_EQ(Einsetzen(texte::kZahlAusserhalb, {"26", "X", "0", "25"}),
            "26 bei X liegt nicht im erlaubten Bereich.\r\nErlaubt sind die Zahlen von 0 bis 25.");
}
