// A keyboard layout as two tables: the names it gives its keys (virtual-key code, extended), and the
// keys that type a character under AltGr (virtual-key code, with Umschalt). Others have neither.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "einstellungen/Tastaturbelegung.h"

namespace fakes {

struct FakeTastaturbelegung final : TTastaturbelegung {
  std::string Tastenname(std::uint8_t taste, bool erweitert) const override {
    const auto it = namen.find({taste, erweitert});
    return it == namen.end() ? std::string() : it->second;
  }
  bool AltGrZeichen(std::uint8_t taste, bool umschalt) const override { return altGr.contains({taste, umschalt}); }

  std::map<std::pair<std::uint8_t, bool>, std::string> namen;
  std::set<std::pair<std::uint8_t, bool>> altGr;
};

// As much of a German layout as the tests need: AltGr+E types "€", AltGr+Q "@", AltGr+7 "{", and
// nothing with Umschalt; the keys named as the German Windows names them.
inline FakeTastaturbelegung DeutscheBelegung() {
  FakeTastaturbelegung b;
  b.namen = {{{'V', false}, "V"}, {{'E', false}, "E"}, {{'7', false}, "7"}, {{0xBA, false}, "\xDC"},
             {{0x2D, true}, "EINFG"}, {{0x2D, false}, "0 (ZEHNERTASTATUR)"}};
  b.altGr = {{'E', false}, {'Q', false}, {'7', false}};
  return b;
}

}  // namespace fakes
