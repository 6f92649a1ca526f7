// Writing the settings into the settings key in the form that the tray program's refresh reads: the
// list of values, walked from the settings table, and the writing of that list through a registry
// interface shaped like advapi32's.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "einstellungen/Optionen.h"
#include "einstellungen/RegistryApi.h"

// One registry value as RegSetValueExA takes it, or RegSetValueExW for a text in UTF-16LE.
struct TRegistryWert {
  std::string Name;
  std::uint32_t Typ = kRegNone;
  std::vector<unsigned char> Daten;
  bool Breit = false;

  bool operator==(const TRegistryWert&) const = default;
};

// Every value of the settings key, in the order in which the tray program reads them: integers,
// Booleans and the shortcuts as 4-byte REG_DWORDs, texts as REG_SZ with their terminating 0 (the
// folder in UTF-16LE, written wide), the Vigenère key enciphered under the fixed key. Needs the Vigenère table to be built.
std::vector<TRegistryWert> RegistryWerte(const TEinstellungen& einstellungen);

// A failed write; the message is the German text for the user's box.
class ESpeichernFehler : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Creates the settings key when missing and writes every value of RegistryWerte. Throws
// ESpeichernFehler at the first call that fails; the values before it stay written. The key is
// closed on every path.
void OptionenSpeichern(const TEinstellungen& einstellungen, RegistrySchreibApi& api);
