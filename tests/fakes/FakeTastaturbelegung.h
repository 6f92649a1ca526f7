// A keyboard layout as two tables: the names it gives its keys, and the keys that type a character
// under AltGr. Keys missing from the tables have no name and type nothing.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "Main/Tastaturbelegung.h"

namespace fakes {

class FakeTastaturbelegung final : public TTastaturbelegung {
 public:
  using Taste = std::pair<std::uint8_t, bool>;  // virtual-key code, and extended or with Umschalt

  std::string Tastenname(std::uint8_t taste, bool erweitert) const override {
    const auto it = namen.find({taste, erweitert});
    return it == namen.end() ? std::string() : it->second;
  }
  bool AltGrZeichen(std::uint8_t taste, bool umschalt) const override { return altGr.contains({taste, umschalt}); }

  std::map<Taste, std::string> namen;
  std::set<Taste> altGr;
};

// A German layout, as far as the tests need it: AltGr+E is "€", AltGr+Q "@", AltGr+7 "{", and
// AltGr with Umschalt types nothing; the keys are named as the German Windows names them.
inline FakeTastaturbelegung DeutscheBelegung() {
  FakeTastaturbelegung belegung;
  belegung.namen = {{{'V', false}, "V"},  {{'E', false}, "E"},        {{'Q', false}, "Q"},
                    {{'7', false}, "7"},  {{0xBA, false}, "\xDC"},    {{0x2D, true}, "EINFG"},
                    {{0x2D, false}, "0 (ZEHNERTASTATUR)"}};
  belegung.altGr = {{'E', false}, {'Q', false}, {'7', false}};
  return belegung;
}

}  // namespace fakes
