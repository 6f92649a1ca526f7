#include "einstellungen/Tastenkuerzel.h"

#include <array>
#include <utility>

#include "einstellungen/Einsetzen.h"
#include "einstellungen/Texte.h"

namespace {

constexpr std::uint32_t kBekannteFlags = kHotkeyUmschalt | kHotkeyStrg | kHotkeyAlt | kHotkeyErweitert;

std::uint8_t Taste(std::uint32_t kuerzel) { return static_cast<std::uint8_t>(kuerzel & 0xFF); }
std::uint32_t Flags(std::uint32_t kuerzel) { return (kuerzel >> 8) & 0xFF; }

bool Zwischen(std::uint8_t taste, unsigned von, unsigned bis) { return taste >= von && taste <= bis; }

// The virtual-key codes that cannot end a combination: none, the mouse buttons, the modifiers
// themselves (the Windows keys among them), and the codes that Windows leaves unassigned or
// reserves for its own purposes.
bool TasteVerwendbar(std::uint8_t taste) {
  static constexpr std::array<std::pair<unsigned, unsigned>, 15> kKeine{{
      {0x00, 0x07}, {0x0A, 0x0B}, {0x0E, 0x12}, {0x3A, 0x40}, {0x5B, 0x5C}, {0x5E, 0x5E}, {0x88, 0x8F}, {0x97, 0x9F},
      {0xA0, 0xA5}, {0xB8, 0xB9}, {0xC1, 0xDA}, {0xE0, 0xE0}, {0xE5, 0xE5}, {0xE7, 0xE8}, {0xFF, 0xFF},
  }};
  for (const auto& [von, bis] : kKeine) {
    if (Zwischen(taste, von, bis)) return false;
  }
  return true;
}

// F1 to F24 type nothing and mean nothing to most programs: they alone may do without Strg or Alt.
bool Funktionstaste(std::uint8_t taste) { return Zwischen(taste, 0x70, 0x87); }

// The keys whose scan code has the extended prefix: the block between the letters and the number
// pad, the pad's "/", Druck and the menu key. Asked for with the extended bit, the layout names
// them; without it, it names their twin on the number pad ("Num 0" for Einfg).
bool Erweitert(std::uint8_t taste) {
  return Zwischen(taste, 0x21, 0x28) || Zwischen(taste, 0x2C, 0x2E) || taste == 0x5D || taste == 0x6F ||
         taste == 0x90;
}

std::string FesterName(std::uint8_t taste) {
  static constexpr std::array<std::pair<std::uint8_t, std::string_view>, 17> kNamen{{
      {0x08, texte::kRuecktaste}, {0x09, texte::kTab},      {0x0D, texte::kEingabe},    {0x13, texte::kPause},
      {0x1B, texte::kEsc},        {0x20, texte::kLeertaste}, {0x21, texte::kBildAuf},    {0x22, texte::kBildAb},
      {0x23, texte::kEnde},       {0x24, texte::kPos1},      {0x25, texte::kNachLinks},  {0x26, texte::kNachOben},
      {0x27, texte::kNachRechts}, {0x28, texte::kNachUnten}, {0x2C, texte::kDruck},      {0x2D, texte::kEinfg},
      {0x2E, texte::kEntf},
  }};
  for (const auto& [code, name] : kNamen) {
    if (code == taste) return std::string(name);
  }
  if (Zwischen(taste, 0x30, 0x39) || Zwischen(taste, 0x41, 0x5A)) return std::string(1, static_cast<char>(taste));
  // The number pad: its digits, then * + , - , / (the separator and the decimal key are both a comma here).
  std::string name;
  if (Zwischen(taste, 0x60, 0x6F)) {
    name = texte::kNum;
    name += "0123456789*+,-,/"[taste - 0x60];
    return name;
  }
  if (Zwischen(taste, 0x70, 0x87)) {
    name = "F";
    name += std::to_string(taste - 0x6F);
    return name;
  }
  return Einsetzen(texte::kTasteNummer, {std::to_string(taste)});
}

}  // namespace

THotkey HotkeyAus(std::uint32_t kuerzel) {
  const std::uint32_t flags = Flags(kuerzel);
  THotkey hotkey;
  hotkey.Taste = Taste(kuerzel);
  if ((flags & kHotkeyAlt) != 0) hotkey.Modifikatoren |= kModAlt;
  if ((flags & kHotkeyStrg) != 0) hotkey.Modifikatoren |= kModStrg;
  if ((flags & kHotkeyUmschalt) != 0) hotkey.Modifikatoren |= kModUmschalt;
  return hotkey;
}

TKuerzelMangel KuerzelMangel(std::uint32_t kuerzel) {
  if (kuerzel > 0xFFFF || (Flags(kuerzel) & ~kBekannteFlags) != 0 || !TasteVerwendbar(Taste(kuerzel))) {
    return TKuerzelMangel::KeineTaste;
  }
  // Not only the keys that type: a bare arrow, Enter, Tab, Esc, Entf or Umschalt+Einfg (paste) would be
  // taken away from every program as surely as a letter.
  if (!Funktionstaste(Taste(kuerzel)) && (Flags(kuerzel) & (kHotkeyStrg | kHotkeyAlt)) == 0) {
    return TKuerzelMangel::OhneStrgAlt;
  }
  return TKuerzelMangel::Keiner;
}

TKuerzelMangel KuerzelMangel(std::uint32_t kuerzel, const TTastaturbelegung& belegung) {
  const TKuerzelMangel mangel = KuerzelMangel(kuerzel);
  if (mangel != TKuerzelMangel::Keiner) return mangel;
  const std::uint32_t flags = Flags(kuerzel);
  // Windows takes Strg+Alt for AltGr: such a hotkey would swallow the character the key types with it.
  if ((flags & kHotkeyStrg) != 0 && (flags & kHotkeyAlt) != 0 &&
      belegung.AltGrZeichen(Taste(kuerzel), (flags & kHotkeyUmschalt) != 0)) {
    return TKuerzelMangel::AltGr;
  }
  return TKuerzelMangel::Keiner;
}

bool KuerzelVerwendbar(std::uint32_t kuerzel) {
  return kuerzel != 0 && KuerzelMangel(kuerzel) == TKuerzelMangel::Keiner;
}

bool KuerzelVerwendbar(std::uint32_t kuerzel, const TTastaturbelegung& belegung) {
  return kuerzel != 0 && KuerzelMangel(kuerzel, belegung) == TKuerzelMangel::Keiner;
}

std::string KuerzelName(std::uint32_t kuerzel, const TTastaturbelegung& belegung) {
  if (kuerzel == 0) return {};
  const std::uint32_t flags = Flags(kuerzel);
  std::string name;
  for (const auto& [flag, wort] : {std::pair{kHotkeyStrg, texte::kStrg}, std::pair{kHotkeyUmschalt, texte::kUmschalt},
                                   std::pair{kHotkeyAlt, texte::kAlt}}) {
    if ((flags & flag) != 0) {
      name += wort;
      name += '+';
    }
  }
  const std::uint8_t taste = Taste(kuerzel);
  const std::string tastenname = belegung.Tastenname(taste, Erweitert(taste));
  name += tastenname.empty() ? FesterName(taste) : tastenname;
  return name;
}

std::string MenueBeschriftung(std::string_view beschriftung, std::string_view kuerzelName) {
  std::string text(beschriftung);
  if (kuerzelName.empty()) return text;
  text += '\t';
  // A key named "&" would otherwise mark an accelerator.
  for (const char c : kuerzelName) {
    if (c == '&') text += '&';
    text += c;
  }
  return text;
}
