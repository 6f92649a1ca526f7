#include "einstellungen/Tastenkuerzel.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fakes/FakeTastaturbelegung.h"

namespace {

// RegisterHotKey's numbers, spelt out here rather than taken from the code under test.
constexpr std::uint32_t kAlt = 1;
constexpr std::uint32_t kCtrl = 2;
constexpr std::uint32_t kShift = 4;

TEST(HotkeyAus, TurnsTheHotkeyControlsFlagsIntoRegisterHotKeysModifiers) {
  const struct {
    std::uint32_t kuerzel;
    THotkey expected;
  } cases[] = {
      {0x0356, {kCtrl | kShift, 0x56}},  // Strg+Umschalt+V
      {0x0145, {kShift, 0x45}},          // HOTKEYF_SHIFT 1 is MOD_SHIFT 4
      {0x0441, {kAlt, 0x41}},            // HOTKEYF_ALT 4 is MOD_ALT 1
      {0x0770, {kCtrl | kShift | kAlt, 0x70}},
      {0x0B2D, {kCtrl | kShift, 0x2D}},  // the extended flag is no modifier
      {0x0078, {0, 0x78}},
  };
  for (const auto& c : cases) EXPECT_EQ(HotkeyAus(c.kuerzel), c.expected) << std::hex << c.kuerzel;
}

// One table for every rule, the layout's among them: a German layout, where AltGr+Q types "@".
TEST(KuerzelMangel, EveryKeyButF1ToF24NeedsStrgOrAltAndStrgAltMustNotTypeUnderAltGr) {
  const fakes::FakeTastaturbelegung deutsch = fakes::DeutscheBelegung();
  using M = TKuerzelMangel;
  const struct {
    std::uint32_t kuerzel;
    TKuerzelMangel expected;
  } cases[] = {
      {0x0356, M::Keiner},      {0x0470, M::Keiner},      // Strg+Umschalt+V, Alt+F1
      {0x0087, M::Keiner},      {0x0174, M::Keiner},      // F24 alone, Umschalt+F5
      {0x0225, M::Keiner},      {0x042E, M::Keiner},      // Strg+Nach links, Alt+Entf
      {0x0656, M::Keiner},      {0x0751, M::Keiner},      // Strg+Alt+V, Strg+Umschalt+Alt+Q: no AltGr character
      {0x0156, M::OhneStrgAlt}, {0x0020, M::OhneStrgAlt}, // Umschalt+V, space
      {0x0960, M::OhneStrgAlt}, {0x01BA, M::OhneStrgAlt}, // Num 0, Umschalt+Ü
      {0x0025, M::OhneStrgAlt}, {0x000D, M::OhneStrgAlt}, // Nach links, Eingabe
      {0x0009, M::OhneStrgAlt}, {0x001B, M::OhneStrgAlt}, // Tab, Esc
      {0x082E, M::OhneStrgAlt}, {0x012D, M::OhneStrgAlt}, // Entf, Umschalt+Einfg (paste)
      {0x0651, M::AltGr},       {0x0E45, M::AltGr},       // Strg+Alt+Q ("@"), Strg+Alt+E ("€") as extended
      {0x0200, M::KeineTaste},  {0x0311, M::KeineTaste},  // Strg, Strg as the key
      {0x035B, M::KeineTaste},  {0x0301, M::KeineTaste},  // Windows key, mouse
      {0x1356, M::KeineTaste},  {0x10356, M::KeineTaste}, // unknown bits
  };
  for (const auto& c : cases) {
    EXPECT_EQ(KuerzelMangel(c.kuerzel, deutsch), c.expected) << std::hex << c.kuerzel;
    EXPECT_EQ(KuerzelVerwendbar(c.kuerzel, deutsch), c.expected == M::Keiner) << std::hex << c.kuerzel;
    // Without a layout only the AltGr rule is left out.
    EXPECT_EQ(KuerzelVerwendbar(c.kuerzel), c.expected == M::Keiner || c.expected == M::AltGr) << std::hex << c.kuerzel;
  }
  EXPECT_FALSE(KuerzelVerwendbar(0)) << "0 is no shortcut";
}

TEST(KuerzelName, NamesTheModifiersInGermanThenTheKeyAsTheLayoutDoesOrByItsFixedName) {
  const fakes::FakeTastaturbelegung deutsch = fakes::DeutscheBelegung();
  const struct {
    std::uint32_t kuerzel;
    std::string expected;
  } cases[] = {
      {0, ""},
      {0x0356, "Strg+Umschalt+V"},
      {0x0745, "Strg+Umschalt+Alt+E"},
      {0x02BA, "Strg+\xDC"},
      // The layout is asked for Einfg with the extended bit, and HOTKEYF_EXT is not named.
      {0x0B2D, "Strg+Umschalt+EINFG"},
      // Where the layout has no name:
      {0x0441, "Alt+A"},
      {0x022E, "Strg+Entf"},
      {0x0221, "Strg+Bild auf"},
      {0x0287, "Strg+F24"},
      {0x026F, "Strg+Num /"},
      {0x0208, "Strg+R\xFC" "cktaste"},
      {0x02AD, "Strg+Taste 173"},
  };
  for (const auto& c : cases) EXPECT_EQ(KuerzelName(c.kuerzel, deutsch), c.expected) << std::hex << c.kuerzel;
}

}  // namespace
