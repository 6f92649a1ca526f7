// What the shortcuts need to know of the keyboard layout: the names of its keys, and which keys
// type a character under AltGr. GetKeyNameTextA and ToUnicodeEx on Windows, a table in tests.
#pragma once

#include <cstdint>
#include <string>

class TTastaturbelegung {
 public:
  virtual ~TTastaturbelegung() = default;
  // The layout's own name of a key (a virtual-key code), empty when it has none. `erweitert` asks
  // for the key with the extended scan code: the one of a pair such as Einfg and Num 0 that
  // lies outside the number pad.
  virtual std::string Tastenname(std::uint8_t taste, bool erweitert) const = 0;
  // Whether the key types a character while Strg and Alt are down (and Umschalt, when asked). On a
  // layout with AltGr, Windows takes Strg+Alt for AltGr: Strg+Alt+Q types "@" on a German keyboard.
  virtual bool AltGrZeichen(std::uint8_t taste, bool umschalt) const = 0;
};
