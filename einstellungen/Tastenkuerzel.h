// The clipboard commands' keyboard shortcuts. A shortcut is stored as the standard hotkey control
// gives it (HKM_GETHOTKEY): the virtual-key code in the low byte, the HOTKEYF_* flags in the next.
// Here: what RegisterHotKey takes for it, whether it can serve at all, its readable German name and
// the menu caption that shows it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "einstellungen/Tastaturbelegung.h"

// The hotkey control's flags (HOTKEYF_*).
inline constexpr std::uint32_t kHotkeyUmschalt = 0x01;
inline constexpr std::uint32_t kHotkeyStrg = 0x02;
inline constexpr std::uint32_t kHotkeyAlt = 0x04;
inline constexpr std::uint32_t kHotkeyErweitert = 0x08;

// RegisterHotKey's modifiers (MOD_*), which number Alt and Umschalt the other way round.
inline constexpr std::uint32_t kModAlt = 0x0001;
inline constexpr std::uint32_t kModStrg = 0x0002;
inline constexpr std::uint32_t kModUmschalt = 0x0004;

// A combination as RegisterHotKey takes it: its modifiers and the virtual-key code.
struct THotkey {
  std::uint32_t Modifikatoren = 0;
  std::uint32_t Taste = 0;

  bool operator==(const THotkey&) const = default;
};

// HOTKEYF_EXT plays no part: a hotkey answers to its key wherever that key lies on the keyboard.
THotkey HotkeyAus(std::uint32_t kuerzel);

// What is wrong with a stored shortcut other than 0, in the order the checks run. The same rules hold
// in the editor, which refuses such a shortcut and says why, and in TalsekTray, which takes it for none.
enum class TKuerzelMangel {
  Keiner,
  KeineTaste,   // no key that a combination can end with (only modifiers, unknown bits, a mouse button)
  OhneStrgAlt,  // a key other than F1 to F24 without Strg or Alt: TalsekTray would take it from every program
  AltGr,        // Strg+Alt with a key that types a character under AltGr on the current layout
};
// The rules that need no keyboard layout: the settings' refresh applies them to every stored value.
TKuerzelMangel KuerzelMangel(std::uint32_t kuerzel);
// All rules, the layout's AltGr characters among them.
TKuerzelMangel KuerzelMangel(std::uint32_t kuerzel, const TTastaturbelegung& belegung);
// A shortcut that TalsekTray registers: not 0 and without fault.
bool KuerzelVerwendbar(std::uint32_t kuerzel);
bool KuerzelVerwendbar(std::uint32_t kuerzel, const TTastaturbelegung& belegung);

// "Strg+Umschalt+V": the modifiers in this order, then the key as the layout names it, or by a
// fixed name where the layout gives none. Empty for 0.
std::string KuerzelName(std::uint32_t kuerzel, const TTastaturbelegung& belegung);

// A menu caption with the shortcut's name after a tab (the platform's place for it), or the
// caption alone when there is no name.
std::string MenueBeschriftung(std::string_view beschriftung, std::string_view kuerzelName);
