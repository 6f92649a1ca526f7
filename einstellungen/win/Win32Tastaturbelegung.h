// The keyboard layout of the calling thread, as Windows knows it: the names of its keys
// (GetKeyNameTextA) and its AltGr characters (ToUnicodeEx).
#pragma once

#include "einstellungen/Tastaturbelegung.h"

class Win32Tastaturbelegung final : public TTastaturbelegung {
 public:
  std::string Tastenname(std::uint8_t taste, bool erweitert) const override;
  bool AltGrZeichen(std::uint8_t taste, bool umschalt) const override;
};
