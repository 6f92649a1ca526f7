// The registry accessor of the options refresh: one key at a time below HKEY_CURRENT_USER,
// with the type and size rules of the settings values. It owns the key it opened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "einstellungen/RegistryApi.h"

class Registry {
 public:
  explicit Registry(RegistryApi& api);
  ~Registry();
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // Opens subKey below the root and makes it the current key; never creates it. On failure the
  // previous key, if any, stays current.
  bool OpenKey(std::string_view subKey);
  void CloseKey();

  bool ValueExists(std::string_view name);
  // Empty for a value without data, whatever its type. Throws ERegistryException.
  std::string ReadString(std::string_view name);
  // The same read through the wide call, as UTF-8: a folder's name in any letters.
  std::string ReadPath(std::string_view name);
  // The REG_DWORD as a signed number. Throws ERegistryException.
  std::int32_t ReadInteger(std::string_view name);
  bool ReadBool(std::string_view name);

 private:
  // The string's data as the call delivers it, up to its end; `wide` reads it as UTF-16LE.
  std::vector<unsigned char> ReadStringData(std::string_view name, bool wide);

  RegistryApi& api_;
  // Asked on every open although we only read, so that a key the user may read but not write
  // counts as absent.
  std::uint32_t access_ = kKeyAllAccess;
  RegKey key_ = 0;
};
