#include "einstellungen/OptionenSchreiben.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "einstellungen/Namen.h"
#include "einstellungen/OptionenLesen.h"
#include "einstellungen/Tabelle.h"
#include "fakes/InMemoryRegistry.h"
#include "verschl/verschl.h"

using fakes::InMemoryRegistry;

namespace {

// Writes into an InMemoryRegistry as RegCreateKeyExA and RegSetValueExA would, so that the tray
// program's refresh can read back what the editor wrote. Any one call can be made to fail.
class InMemorySchreiber final : public RegistrySchreibApi {
 public:
  explicit InMemorySchreiber(InMemoryRegistry& registry) : registry_(registry) {}

  long CreateCurrentUserKey(std::string_view subKey, RegKey& key) override {
    key = 0;
    if (createStatus != kErrorSuccess) return createStatus;
    key = next_++;
    open_[key] = std::string(subKey);
    registry_.Key(subKey);
    return kErrorSuccess;
  }
  long SetValue(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                std::uint32_t size) override {
    const auto it = open_.find(key);
    if (it == open_.end()) return kErrorInvalidHandle;
    if (name == failingValue) return kErrorAccessDenied;
    registry_.Key(it->second).SetRaw(name, type, std::vector<unsigned char>(data, data + size), wide_);
    written.emplace_back(name);
    return kErrorSuccess;
  }
  long SetValueW(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                 std::uint32_t size) override {
    wide_ = true;
    const long status = SetValue(key, name, type, data, size);
    wide_ = false;
    return status;
  }
  long CloseKey(RegKey key) override {
    closes.push_back(key);
    return open_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
  }
  std::string StatusText(long status) override {
    return status == kErrorAccessDenied ? "Zugriff verweigert" : "Status " + std::to_string(status);
  }

  bool AllClosed() const { return open_.empty(); }

  long createStatus = kErrorSuccess;
  std::string failingValue;
  std::vector<std::string> written;
  std::vector<RegKey> closes;

 private:
  InMemoryRegistry& registry_;
  bool wide_ = false;
  std::map<RegKey, std::string> open_;
  RegKey next_ = 0x90000000;
};

class OptionenSchreibenTest : public ::testing::Test {
 protected:
  void SetUp() override { verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle); }

  // What the tray program's refresh makes of the key, starting from its start-up defaults.
  TEinstellungen ReadBack() {
    TEinstellungen gelesen;
    OptionenLesen(gelesen, registry, [] { return std::string("C:\\Anderswo\\TalsekTray.exe"); });
    return gelesen;
  }

  // The text of the error that saving reports; none at all fails the test.
  std::string SpeichernFehler(const TOptionen& optionen) {
    try {
      OptionenSpeichern({optionen, {}}, schreiber);
    } catch (const ESpeichernFehler& e) {
      return e.what();
    }
    ADD_FAILURE() << "no error reported";
    return {};
  }

  InMemoryRegistry registry;
  InMemorySchreiber schreiber{registry};
};

TOptionen Beispiel() {
  TOptionen o;
  o.Methode = 4;
  o.CaesarVerschiebung = 25;
  o.MatrixQuadratisch = false;
  o.Spaltenzahl = 100;
  o.VigenereSchluessel = "Geheimnis";
  o.SonderzeichenIgnorieren = true;
  o.Kleinschrift = true;
  o.Grossschrift = false;
  o.LeerzeichenLoeschen = true;
  o.UmlauteErsetzen = false;
  o.Programmpfad = "C:\\Programme\\Talsek\\";
  return o;
}

}  // namespace

// Values that each row's field can hold and that differ from its default: a Zahl's two bounds, a
// Schalter turned round, a shortcut with every modifier, a folder and a key of their kind.
std::vector<TEinstellungen> Abweichungen(const TEinstellung& w) {
  std::vector<TEinstellungen> faelle(w.Art == TArt::Zahl ? 2 : 1);
  switch (w.Art) {
    case TArt::Pfad:
      // A folder in a profile whose letters no ANSI code page holds all of (UTF-8 in the record).
      w.Text(faelle[0]) = "C:\\Users\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1\\";
      break;
    case TArt::Schluessel:
      w.Text(faelle[0]) = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyzQuorvalmidestrenix";
      break;
    case TArt::Zahl:
      w.Zahl(faelle[0]) = w.Min;
      w.Zahl(faelle[1]) = w.Max;
      break;
    case TArt::Schalter:
      w.Schalter(faelle[0]) = !w.Schalter(faelle[0]);
      break;
    case TArt::Kuerzel:
      w.Kuerzel(faelle[0]) = 0x0F70;  // Strg+Umschalt+Alt+F1, marked as an extended key
      break;
  }
  return faelle;
}

TEST_F(OptionenSchreibenTest, EveryValueOfTheTableComesBackFromTheRegistryAsItWasWritten) {
  for (const TEinstellung& w : kEinstellungen) {
    for (TEinstellungen e : Abweichungen(w)) {
      SCOPED_TRACE(w.Name);
      OptionenSpeichern(e, schreiber);
      e.Optionen.RegistryGefunden = true;
      EXPECT_EQ(ReadBack(), e);
    }
  }
  EXPECT_TRUE(schreiber.AllClosed());
}

TEST_F(OptionenSchreibenTest, SavingCreatesAMissingKeyAndWritesEveryValueInReadingOrder) {
  ASSERT_FALSE(registry.HasKey(texte::kSettingsKey));
  OptionenSpeichern({Beispiel(), {}}, schreiber);
  EXPECT_TRUE(registry.HasKey(texte::kSettingsKey));
  const std::vector<std::string> expected = {"Programmpfad",    "CaesarVerschiebung",      "Methode",
                                             "MatrixQuadratisch", "Spaltenzahl",            "VigenereSchluessel",
                                             "SonderzeichenIgnorieren", "Kleinschrift",     "Grossschrift",
                                             "LeerzeichenLoeschen",     "UmlauteErsetzen",         "ZwischenablageLeerenNach",
                                             "TastenkuerzelVerschluesseln", "TastenkuerzelEntschluesseln",
                                             "TastenkuerzelAuswahlVerschluesseln", "TastenkuerzelAuswahlEntschluesseln"};
  EXPECT_EQ(schreiber.written, expected);
  EXPECT_EQ(schreiber.closes.size(), 1U);
  EXPECT_TRUE(schreiber.AllClosed());
}

TEST_F(OptionenSchreibenTest, SavingMendsValuesOfTheWrongTypeAndOverwritesOldOnes) {
  registry.Key(texte::kSettingsKey)
      .SetString(texte::kMethode, "3")
      .SetQword(texte::kKleinschrift, 1)
      .SetDword(texte::kProgrammpfad, 7)
      .SetString(texte::kVigenereSchluessel, "Alt");
  OptionenSpeichern({Beispiel(), {}}, schreiber);
  TOptionen expected = Beispiel();
  expected.RegistryGefunden = true;
  EXPECT_EQ(ReadBack().Optionen, expected);
}

TEST(RegistryWerte, IntegersAndSwitchesAreLittleEndianDwordsAndTextsEndWithZero) {
  verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle);
  const std::vector<TRegistryWert> werte = RegistryWerte({Beispiel(), {0x0356, 0}});
  ASSERT_EQ(werte.size(), 16U);
  auto wert = [&](std::string_view name) {
    for (const TRegistryWert& w : werte) {
      if (w.Name == name) return w;
    }
    ADD_FAILURE() << "no value " << name;
    return TRegistryWert{};
  };
  using Bytes = std::vector<unsigned char>;
  Bytes pfad;  // "C:\Programme\Talsek\" in UTF-16LE, written wide
  for (const char c : std::string("C:\\Programme\\Talsek\\") + '\0') pfad.insert(pfad.end(), {static_cast<unsigned char>(c), 0});
  EXPECT_EQ(wert("Programmpfad"), (TRegistryWert{"Programmpfad", kRegSz, pfad, true}));
  EXPECT_EQ(wert("CaesarVerschiebung"), (TRegistryWert{"CaesarVerschiebung", kRegDword, Bytes{25, 0, 0, 0}}));
  EXPECT_EQ(wert("Methode"), (TRegistryWert{"Methode", kRegDword, Bytes{4, 0, 0, 0}}));
  EXPECT_EQ(wert("MatrixQuadratisch"), (TRegistryWert{"MatrixQuadratisch", kRegDword, Bytes{0, 0, 0, 0}}));
  EXPECT_EQ(wert("Spaltenzahl"), (TRegistryWert{"Spaltenzahl", kRegDword, Bytes{100, 0, 0, 0}}));
  EXPECT_EQ(wert("SonderzeichenIgnorieren"), (TRegistryWert{"SonderzeichenIgnorieren", kRegDword, Bytes{1, 0, 0, 0}}));
  EXPECT_EQ(wert("Kleinschrift"), (TRegistryWert{"Kleinschrift", kRegDword, Bytes{1, 0, 0, 0}}));
  EXPECT_EQ(wert("Grossschrift"), (TRegistryWert{"Grossschrift", kRegDword, Bytes{0, 0, 0, 0}}));
  EXPECT_EQ(wert("LeerzeichenLoeschen"), (TRegistryWert{"LeerzeichenLoeschen", kRegDword, Bytes{1, 0, 0, 0}}));
  EXPECT_EQ(wert("UmlauteErsetzen"), (TRegistryWert{"UmlauteErsetzen", kRegDword, Bytes{0, 0, 0, 0}}));
  EXPECT_EQ(wert("TastenkuerzelVerschluesseln"),
            (TRegistryWert{"TastenkuerzelVerschluesseln", kRegDword, Bytes{0x56, 3, 0, 0}}));
  EXPECT_EQ(wert("TastenkuerzelEntschluesseln"),
            (TRegistryWert{"TastenkuerzelEntschluesseln", kRegDword, Bytes{0, 0, 0, 0}}));
}

TEST(RegistryWerte, TheKeyIsStoredEncipheredUnderTheFixedKey) {
  verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle);
  // Worked by hand, letter by letter: G+q=W, e+u=y, h+o=v, e+r=v, i+v=d, m+a=m, n+l=y, i+m=u, s+i=a.
  TOptionen o;
  o.VigenereSchluessel = "Geheimnis";
  const std::vector<TRegistryWert> werte = RegistryWerte({o, {}});
  EXPECT_EQ(werte[5].Name, "VigenereSchluessel");
  EXPECT_EQ(werte[5].Typ, kRegSz);
  const std::string gespeichert(werte[5].Daten.begin(), werte[5].Daten.end());
  EXPECT_EQ(gespeichert, std::string("Wyvvdmyua\0", 10));
}

TEST_F(OptionenSchreibenTest, AKeyThatCannotBeCreatedIsReportedAndNothingIsWritten) {
  schreiber.createStatus = kErrorAccessDenied;
  EXPECT_EQ(SpeichernFehler(Beispiel()),
            "Die Optionen konnten nicht in der Registrierung gespeichert werden.\r\n"
            "HKEY_CURRENT_USER\\Software\\Holvarin\\Talsek: Zugriff verweigert (Fehler 5)");
  EXPECT_TRUE(schreiber.written.empty());
  EXPECT_TRUE(schreiber.closes.empty()) << "a key that was never opened must not be closed";
}

TEST_F(OptionenSchreibenTest, AValueThatCannotBeWrittenIsReportedByNameAndTheKeyIsClosed) {
  schreiber.failingValue = "Spaltenzahl";
  EXPECT_EQ(SpeichernFehler(Beispiel()),
            "Die Optionen konnten nicht in der Registrierung gespeichert werden.\r\n"
            "HKEY_CURRENT_USER\\Software\\Holvarin\\Talsek\\Spaltenzahl: Zugriff verweigert (Fehler 5)");
  EXPECT_EQ(schreiber.written,
            (std::vector<std::string>{"Programmpfad", "CaesarVerschiebung", "Methode", "MatrixQuadratisch"}));
  EXPECT_EQ(schreiber.closes.size(), 1U);
  EXPECT_TRUE(schreiber.AllClosed());
}

TEST(OrdnerVon, KeepsTheFolderWithItsTrailingSeparator) {
  EXPECT_EQ(OrdnerVon("C:\\Tools\\talsek.exe"), "C:\\Tools\\");
  EXPECT_EQ(OrdnerVon("\\\\server\\share\\talsek.exe"), "\\\\server\\share\\");
  EXPECT_EQ(OrdnerVon("C:talsek.exe"), "C:");
  EXPECT_EQ(OrdnerVon("talsek.exe"), "");
  EXPECT_EQ(OrdnerVon("C:\\Tools\\"), "C:\\Tools\\");
}
