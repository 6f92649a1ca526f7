// Writing the option record into the settings key in the form that the tray program's refresh
// reads: the list of values, and the writing of that list through a registry interface shaped
// like advapi32's, so that the order, the types and the handling of failures live in portable code.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Main/Optionen.h"
#include "Main/RegistryApi.h"

// One registry value as RegSetValueExA takes it.
struct TRegistryWert {
  std::string Name;
  std::uint32_t Typ = kRegNone;
  std::vector<unsigned char> Daten;

  bool operator==(const TRegistryWert&) const = default;
};

// Every value of the settings key, in the order in which the tray program reads them: integers,
// Booleans and the shortcuts as 4-byte REG_DWORDs, texts as REG_SZ with their terminating 0, the
// Vigenère key enciphered under the fixed key. Needs the Vigenère table to be built.
std::vector<TRegistryWert> RegistryWerte(const TOptionen& optionen, const TTastenkuerzel& kuerzel);

// The folder of a full file name with its trailing "\" or ":"; empty when there is neither.
std::string OrdnerVon(std::string_view dateiname);

class RegistrySchreibApi {
 public:
  virtual ~RegistrySchreibApi() = default;
  // RegCreateKeyExA(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr):
  // opens the key, creating it and the keys above it when missing.
  virtual long CreateCurrentUserKey(std::string_view subKey, RegKey& key) = 0;
  // RegSetValueExA(key, name, 0, type, data, size)
  virtual long SetValue(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                        std::uint32_t size) = 0;
  virtual long CloseKey(RegKey key) = 0;
  // The system's words for a status code (FormatMessageA), for the user's message.
  virtual std::string StatusText(long status) = 0;
};

// A failed write; the message is the German text for the user's box.
class ESpeichernFehler : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Creates the settings key when missing and writes every value of RegistryWerte. Throws
// ESpeichernFehler at the first call that fails; the values before it stay written. The key is
// closed on every path.
void OptionenSpeichern(const TOptionen& optionen, const TTastenkuerzel& kuerzel, RegistrySchreibApi& api);
