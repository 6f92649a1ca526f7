#include "einstellungen/OptionenLesen.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "einstellungen/ERegistryException.h"
#include "einstellungen/Namen.h"
#include "fakes/InMemoryRegistry.h"
#include "verschl/verschl.h"

using fakes::InMemoryRegistry;

static void PrintTo(const TOptionen& o, std::ostream* out) {
  *out << "{Gefunden " << o.RegistryGefunden << ", Caesar " << o.CaesarVerschiebung << ", Methode " << o.Methode
       << ", Quadratisch " << o.MatrixQuadratisch << ", Spalten " << o.Spaltenzahl << ", Schluessel \""
       << o.VigenereSchluessel << "\", Flags " << o.SonderzeichenIgnorieren << o.Kleinschrift << o.Grossschrift
       << o.LeerzeichenLoeschen << o.UmlauteErsetzen << ", Pfad \"" << o.Programmpfad << "\"}";
}

namespace {

// Differs from the defaults and from every value the tests store, so that each write shows.
TOptionen Filled() {
  TOptionen o;
  o.RegistryGefunden = true;
  o.CaesarVerschiebung = 7;
  o.Methode = 3;
  o.MatrixQuadratisch = false;
  o.Spaltenzahl = 42;
  o.VigenereSchluessel = "Vorher";
  o.SonderzeichenIgnorieren = o.Kleinschrift = o.Grossschrift = o.LeerzeichenLoeschen = o.UmlauteErsetzen = true;
  o.Programmpfad = "E:\\Alt\\";
  return o;
}

std::string WrongTypeText(std::string_view name) { return "Ung\xFCltiger Datentyp f\xFCr '" + std::string(name) + "'"; }
std::string CannotReadText(std::string_view name) { return "Konnte Daten f\xFCr '" + std::string(name) + "' nicht holen"; }

class OptionenLesenTest : public ::testing::Test {
 protected:
  void SetUp() override { verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle); }

  InMemoryRegistry::KeyWriter Settings() { return registry.Key(texte::kSettingsKey); }
  void Refresh() { OptionenLesen(einstellungen, registry, [this] { return exePath; }); }
  // The record a refresh of a key without values makes of the defaults.
  TOptionen DefaultsFound() const {
    TOptionen o;
    o.RegistryGefunden = true;
    o.Programmpfad = "C:\\Tools\\";
    return o;
  }

  InMemoryRegistry registry;
  TEinstellungen einstellungen;
  TOptionen& optionen = einstellungen.Optionen;
  TTastenkuerzel& kuerzel = einstellungen.Tastenkuerzel;
  std::string exePath = "C:\\Tools\\tray.exe";
};

TEST_F(OptionenLesenTest, MissingKeyChangesOnlyRegistryGefunden) {
  optionen = Filled();
  Refresh();
  TOptionen expected = Filled();
  expected.RegistryGefunden = false;
  EXPECT_EQ(optionen, expected);
  EXPECT_FALSE(registry.HasKey(texte::kSettingsKey)) << "the refresh must never create the key";
  EXPECT_TRUE(registry.EachOpenedKeyClosedOnce());
}

TEST_F(OptionenLesenTest, KeyTheUserMayOnlyReadCountsAsMissing) {
  Settings().SetDword(texte::kMethode, 0);
  registry.SetReadOnly(texte::kSettingsKey);
  optionen.RegistryGefunden = true;
  Refresh();
  EXPECT_EQ(optionen, TOptionen{});
}

TEST_F(OptionenLesenTest, MethodeSurvivesTheDeletionOfTheKey) {
  Settings().SetDword(texte::kMethode, 4);
  Refresh();
  EXPECT_TRUE(optionen.RegistryGefunden);
  registry.DeleteKey(texte::kSettingsKey);
  Refresh();
  EXPECT_FALSE(optionen.RegistryGefunden);
  EXPECT_EQ(optionen.Methode, 4);
}

TEST_F(OptionenLesenTest, KeyWithOnlyMethodeZeroKeepsTheOtherDefaults) {
  Settings().SetDword(texte::kMethode, 0);
  Refresh();
  TOptionen expected = DefaultsFound();
  expected.Methode = 0;
  EXPECT_EQ(optionen, expected);
  ASSERT_EQ(registry.Opens().size(), 1u);
  EXPECT_EQ(registry.Opens()[0].subKey, texte::kSettingsKey);
  EXPECT_EQ(registry.Opens()[0].access, kKeyAllAccess);
  EXPECT_TRUE(registry.EachOpenedKeyClosedOnce());
}

TEST_F(OptionenLesenTest, EmptyKeyKeepsEveryFieldButTheFallbackPath) {
  Settings();
  optionen = Filled();
  optionen.RegistryGefunden = false;
  Refresh();
  TOptionen expected = Filled();
  expected.Programmpfad = "C:\\Tools\\";
  EXPECT_EQ(optionen, expected);
}

TEST_F(OptionenLesenTest, MissingProgrammpfadFallsBackToTheExecutablesFolder) {
  const struct {
    std::string exe, folder;
  } cases[] = {
      {"C:\\Tools\\tray.exe", "C:\\Tools\\"},
      {"C:tray.exe", "C:"},
      {"\\\\server\\share\\v1.5\\tray.exe", "\\\\server\\share\\v1.5\\"},
      {"tray.exe", ""},
  };
  Settings();
  for (const auto& c : cases) {
    exePath = c.exe;
    Refresh();
    EXPECT_EQ(optionen.Programmpfad, c.folder) << c.exe;
  }
}

TEST_F(OptionenLesenTest, StoredProgrammpfadIsTakenAsItIs) {
  const struct {
    std::uint32_t type;
    std::string stored, folder;
  } cases[] = {
      {kRegSz, "", ""},  // present but empty is not the fallback
      {kRegSz, "D:\\Talsek\\", "D:\\Talsek\\"},
      {kRegExpandSz, "%ProgramFiles%\\Talsek\\", "%ProgramFiles%\\Talsek\\"},
      // Written through the ANSI call by an earlier version: read wide, it is the same folder, in UTF-8.
      {kRegSz, "D:\\B\xFCro\\", "D:\\B\xC3\xBCro\\"},
  };
  for (const auto& c : cases) {
    Settings().SetString(texte::kProgrammpfad, c.stored, c.type);
    optionen.Programmpfad = "E:\\Alt\\";
    Refresh();
    EXPECT_EQ(optionen.Programmpfad, c.folder);
  }
}

TEST_F(OptionenLesenTest, BooleansAreTrueForEveryValueButZero) {
  const struct {
    std::string_view name;
    bool TOptionen::*field;
    std::uint32_t stored;
  } cases[] = {
      {texte::kMatrixQuadratisch, &TOptionen::MatrixQuadratisch, 2},
      {texte::kMatrixQuadratisch, &TOptionen::MatrixQuadratisch, 0},
      {texte::kMatrixQuadratisch, &TOptionen::MatrixQuadratisch, 0x80000000},
      {texte::kSonderzeichenIgnorieren, &TOptionen::SonderzeichenIgnorieren, 1},
      {texte::kKleinschrift, &TOptionen::Kleinschrift, 0x100},
      {texte::kGrossschrift, &TOptionen::Grossschrift, 1},
      {texte::kLeerzeichenLoeschen, &TOptionen::LeerzeichenLoeschen, 1},
      {texte::kUmlauteErsetzen, &TOptionen::UmlauteErsetzen, 0x01000000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.stored));
    InMemoryRegistry fresh;
    fresh.Key(texte::kSettingsKey).SetDword(c.name, c.stored);
    TEinstellungen e;
    e.Optionen.*c.field = c.stored == 0;
    OptionenLesen(e, fresh, [this] { return exePath; });
    TOptionen expected = DefaultsFound();
    expected.*c.field = c.stored != 0;
    EXPECT_EQ(e.Optionen, expected);
  }
}

// The expected keys were enciphered by hand under "quorvalmidestrenix" (letter values added mod 26).
TEST_F(OptionenLesenTest, StoredVigenereKeyIsDecipheredFromItsLettersOnly) {
  const struct {
    std::string stored, key;
  } cases[] = {
      {"Mubuzlcaah", "Wandelrose"},
      {"Mu-b 7uz!lc\xE4" "aah\r\n", "Wandelrose"},  // the ä is no letter either
      {"QUORVALMIDESTRENIX", "AAAAAAAAAAAAAAAAAA"},
      {"quorvalmidestrenixquo", "aaaaaaaaaaaaaaaaaaaaa"},  // lower case stays lower, the fixed key wraps
      {"JuzjzkEdibMkmVmaAzxfivnspxDrrRprrmqd", "TalsekTrayIstEinSchluesselVonZwanzig"},
      {"", "Wandelrose"},
      {"2024", "Wandelrose"},
      {"  .,;!? ", "Wandelrose"},
      {"\xC4\xD6\xDC\xE4\xF6\xFC\xDF", "Wandelrose"},
  };
  for (const auto& c : cases) {
    Settings().SetString(texte::kVigenereSchluessel, c.stored);
    optionen.VigenereSchluessel = "Vorher";
    Refresh();
    EXPECT_EQ(optionen.VigenereSchluessel, c.key) << c.stored;
  }
  Settings().SetNoData(texte::kVigenereSchluessel);
  optionen.VigenereSchluessel = "Vorher";
  Refresh();
  EXPECT_EQ(optionen.VigenereSchluessel, "Wandelrose") << "a value without data holds no letter";

  Settings().Delete(texte::kVigenereSchluessel);
  optionen.VigenereSchluessel = "Vorher";
  Refresh();
  EXPECT_EQ(optionen.VigenereSchluessel, "Vorher") << "an absent value leaves the key alone";
}

TEST_F(OptionenLesenTest, KeyEncipheredByTheCompanionProgramComesBackWhereverJunkStands) {
  for (const std::string key : {"A", "Z", "Schluessel", "abcxyz", "EinSchluesselLaengerAlsAchtzehnBuchstaben"}) {
    const std::string stored = verschl::VigenereVerschluesseln(key, texte::kSchluesselSchluessel, false);
    for (std::size_t at = 0; at <= stored.size(); ++at) {
      std::string withJunk = stored;
      withJunk.insert(at, "7 ,\xFC");
      Settings().SetString(texte::kVigenereSchluessel, withJunk);
      Refresh();
      EXPECT_EQ(optionen.VigenereSchluessel, key) << withJunk;
    }
  }
}

// Valid values unlike those of Filled(), in the order the refresh reads them.
struct GoodValue {
  std::string_view name;
  std::function<void(InMemoryRegistry::KeyWriter&)> store;
  std::function<void(TOptionen&)> apply;
  std::function<void(TTastenkuerzel&)> applyShortcut = [](TTastenkuerzel&) {};
};

const std::vector<GoodValue>& GoodValues() {
  using W = InMemoryRegistry::KeyWriter;
  static const std::vector<GoodValue> values = {
      {texte::kProgrammpfad, [](W& k) { k.SetString(texte::kProgrammpfad, "D:\\Neu\\"); },
       [](TOptionen& o) { o.Programmpfad = "D:\\Neu\\"; }},
      {texte::kCaesarVerschiebung, [](W& k) { k.SetDword(texte::kCaesarVerschiebung, 13); },
       [](TOptionen& o) { o.CaesarVerschiebung = 13; }},
      {texte::kMethode, [](W& k) { k.SetDword(texte::kMethode, 0); }, [](TOptionen& o) { o.Methode = 0; }},
      {texte::kMatrixQuadratisch, [](W& k) { k.SetDword(texte::kMatrixQuadratisch, 1); },
       [](TOptionen& o) { o.MatrixQuadratisch = true; }},
      {texte::kSpaltenzahl, [](W& k) { k.SetDword(texte::kSpaltenzahl, 9); },
       [](TOptionen& o) { o.Spaltenzahl = 9; }},
      {texte::kVigenereSchluessel, [](W& k) { k.SetString(texte::kVigenereSchluessel, "Mubuzlcaah"); },
       [](TOptionen& o) { o.VigenereSchluessel = "Wandelrose"; }},
      {texte::kSonderzeichenIgnorieren, [](W& k) { k.SetDword(texte::kSonderzeichenIgnorieren, 0); },
       [](TOptionen& o) { o.SonderzeichenIgnorieren = false; }},
      {texte::kKleinschrift, [](W& k) { k.SetDword(texte::kKleinschrift, 0); },
       [](TOptionen& o) { o.Kleinschrift = false; }},
      {texte::kGrossschrift, [](W& k) { k.SetDword(texte::kGrossschrift, 0); },
       [](TOptionen& o) { o.Grossschrift = false; }},
      {texte::kLeerzeichenLoeschen, [](W& k) { k.SetDword(texte::kLeerzeichenLoeschen, 0); },
       [](TOptionen& o) { o.LeerzeichenLoeschen = false; }},
      {texte::kUmlauteErsetzen, [](W& k) { k.SetDword(texte::kUmlauteErsetzen, 0); },
       [](TOptionen& o) { o.UmlauteErsetzen = false; }},
      {texte::kTastenkuerzelVerschluesseln, [](W& k) { k.SetDword(texte::kTastenkuerzelVerschluesseln, 0x0356); },
       [](TOptionen&) {}, [](TTastenkuerzel& k) { k.Verschluesseln = 0x0356; }},
      {texte::kTastenkuerzelEntschluesseln, [](W& k) { k.SetDword(texte::kTastenkuerzelEntschluesseln, 0x0345); },
       [](TOptionen&) {}, [](TTastenkuerzel& k) { k.Entschluesseln = 0x0345; }},
  };
  return values;
}

TEST_F(OptionenLesenTest, TwoRefreshesInARowLeaveTheSameRecord) {
  auto key = Settings();
  for (const GoodValue& good : GoodValues()) good.store(key);
  Refresh();
  const TOptionen first = optionen;
  Refresh();
  EXPECT_EQ(optionen, first);
  EXPECT_EQ(registry.Opens().size(), 2u);
  EXPECT_TRUE(registry.EachOpenedKeyClosedOnce());
}

TEST_F(OptionenLesenTest, BadValueStopsTheRefreshThereAndClosesTheKey) {
  const std::string_view path = texte::kSettingsKey;
  const struct {
    const char* what;
    std::string_view name;
    std::function<void(InMemoryRegistry&)> spoil;
    bool wrongType;  // else the value cannot be read
  } cases[] = {
      {"Programmpfad as a DWORD", texte::kProgrammpfad,
       [&](InMemoryRegistry& r) { r.Key(path).SetDword(texte::kProgrammpfad, 1); }, true},
      {"Programmpfad growing while read", texte::kProgrammpfad,
       [&](InMemoryRegistry& r) {
         r.BeforeNextDataQuery(path, texte::kProgrammpfad,
                               [&r, path] { r.Key(path).SetString(texte::kProgrammpfad, "D:\\Viel\\laenger\\"); });
       },
       false},
      {"CaesarVerschiebung as a QWORD", texte::kCaesarVerschiebung,
       [&](InMemoryRegistry& r) { r.Key(path).SetQword(texte::kCaesarVerschiebung, 3); }, false},
      {"Methode as a one-digit string", texte::kMethode,
       [&](InMemoryRegistry& r) { r.Key(path).SetString(texte::kMethode, "3"); }, true},
      {"MatrixQuadratisch as a four-letter string", texte::kMatrixQuadratisch,
       [&](InMemoryRegistry& r) { r.Key(path).SetString(texte::kMatrixQuadratisch, "true"); }, false},
      {"Spaltenzahl as 4 bytes of REG_BINARY", texte::kSpaltenzahl,
       [&](InMemoryRegistry& r) { r.Key(path).SetBinary(texte::kSpaltenzahl, {9, 0, 0, 0}); }, true},
      {"VigenereSchluessel as a DWORD", texte::kVigenereSchluessel,
       [&](InMemoryRegistry& r) { r.Key(path).SetDword(texte::kVigenereSchluessel, 0x41414141); }, true},
      {"VigenereSchluessel growing while read", texte::kVigenereSchluessel,
       [&](InMemoryRegistry& r) {
         r.BeforeNextDataQuery(path, texte::kVigenereSchluessel,
                               [&r, path] { r.Key(path).SetString(texte::kVigenereSchluessel, "MubuzlcaahX"); });
       },
       false},
      {"SonderzeichenIgnorieren as a string", texte::kSonderzeichenIgnorieren,
       [&](InMemoryRegistry& r) { r.Key(path).SetString(texte::kSonderzeichenIgnorieren, "1"); }, true},
      {"Kleinschrift as 8 bytes of REG_BINARY", texte::kKleinschrift,
       [&](InMemoryRegistry& r) { r.Key(path).SetBinary(texte::kKleinschrift, {1, 0, 0, 0, 0, 0, 0, 0}); }, false},
      {"Grossschrift as a QWORD", texte::kGrossschrift,
       [&](InMemoryRegistry& r) { r.Key(path).SetQword(texte::kGrossschrift, 0); }, false},
      {"LeerzeichenLoeschen as a short REG_EXPAND_SZ", texte::kLeerzeichenLoeschen,
       [&](InMemoryRegistry& r) { r.Key(path).SetString(texte::kLeerzeichenLoeschen, "ja", kRegExpandSz); }, true},
      {"UmlauteErsetzen as 2 bytes of REG_BINARY", texte::kUmlauteErsetzen,
       [&](InMemoryRegistry& r) { r.Key(path).SetBinary(texte::kUmlauteErsetzen, {0, 0}); }, true},
      {"TastenkuerzelVerschluesseln as a string", texte::kTastenkuerzelVerschluesseln,
       [&](InMemoryRegistry& r) { r.Key(path).SetString(texte::kTastenkuerzelVerschluesseln, "V"); }, true},
      {"TastenkuerzelEntschluesseln as a QWORD", texte::kTastenkuerzelEntschluesseln,
       [&](InMemoryRegistry& r) { r.Key(path).SetQword(texte::kTastenkuerzelEntschluesseln, 0x0345); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    InMemoryRegistry fresh;
    auto key = fresh.Key(path);
    TOptionen expected = Filled();
    TTastenkuerzel expectedShortcuts{0x0441, 0x0442};
    bool beforeTheBadOne = true;
    for (const GoodValue& good : GoodValues()) {
      good.store(key);
      beforeTheBadOne = beforeTheBadOne && good.name != c.name;
      if (beforeTheBadOne) {
        good.apply(expected);
        good.applyShortcut(expectedShortcuts);
      }
    }
    c.spoil(fresh);
    TEinstellungen r{Filled(), {0x0441, 0x0442}};
    r.Optionen.RegistryGefunden = false;

    try {
      OptionenLesen(r, fresh, [] { return std::string("C:\\Tools\\tray.exe"); });
      ADD_FAILURE() << "no ERegistryException";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(e.what(), c.wrongType ? WrongTypeText(c.name) : CannotReadText(c.name));
    }
    EXPECT_EQ(r.Optionen, expected);
    EXPECT_EQ(r.Tastenkuerzel, expectedShortcuts);
    EXPECT_EQ(fresh.Opens().size(), 1u);
    EXPECT_TRUE(fresh.EachOpenedKeyClosedOnce());
  }
}

TEST_F(OptionenLesenTest, ShortcutsTakeUsableValuesWhileZeroAMissingOrAnUnusableValueIsNone) {
  constexpr std::uint32_t kBefore = 0x0445;  // Alt+E
  const struct {
    const char* what;
    std::optional<std::uint32_t> stored;
    std::uint32_t expected;
  } cases[] = {
      {"Strg+Umschalt+V", 0x0356, 0x0356},
      {"F9 alone, marked as an extended key", 0x0878, 0x0878},
      {"zero", 0, 0},
      {"no value", std::nullopt, 0},
      {"Umschalt+V, which would swallow typing", 0x0156, 0},
      {"Umschalt+Einfg, which would swallow every paste", 0x012D, 0},
      {"Strg without a key", 0x0200, 0},
      {"every bit set", 0xFFFFFFFF, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const std::string_view name : {texte::kTastenkuerzelVerschluesseln, texte::kTastenkuerzelEntschluesseln}) {
      if (c.stored) {
        Settings().SetDword(name, *c.stored);
      } else {
        Settings().Delete(name);
      }
    }
    kuerzel = {kBefore, kBefore};
    Refresh();
    EXPECT_EQ(kuerzel, (TTastenkuerzel{c.expected, c.expected}));
  }
  registry.DeleteKey(texte::kSettingsKey);
  kuerzel = {kBefore, kBefore};
  Refresh();
  EXPECT_EQ(kuerzel, (TTastenkuerzel{kBefore, kBefore})) << "without the key a refresh leaves them alone";
}

}  // namespace
