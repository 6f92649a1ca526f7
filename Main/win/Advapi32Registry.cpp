#include "Main/win/Advapi32Registry.h"

#include <windows.h>

#include <string>

namespace {

HKEY AsHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long Advapi32Registry::OpenCurrentUserKey(std::string_view subKey, std::uint32_t access, RegKey& key) {
  const std::string subKeyZ(subKey);
  HKEY opened = nullptr;
  const LONG status = ::RegOpenKeyExA(HKEY_CURRENT_USER, subKeyZ.c_str(), 0, access, &opened);
  key = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(opened) : 0;
  return status;
}

long Advapi32Registry::QueryValue(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                                  std::uint32_t* size) {
  const std::string nameZ(name);
  // DWORD is an unsigned long here, not the std::uint32_t of the portable interface.
  DWORD typeValue = 0;
  DWORD sizeValue = size != nullptr ? *size : 0;
  const LONG status = ::RegQueryValueExA(AsHkey(key), nameZ.c_str(), nullptr, type != nullptr ? &typeValue : nullptr,
                                         data, size != nullptr ? &sizeValue : nullptr);
  if (type != nullptr) *type = typeValue;
  if (size != nullptr) *size = sizeValue;
  return status;
}

long Advapi32Registry::CloseKey(RegKey key) { return ::RegCloseKey(AsHkey(key)); }
