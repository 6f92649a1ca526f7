#include "einstellungen/win/Advapi32Registry.h"

#include <windows.h>

#include <array>
#include <string>

namespace {

HKEY AsHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

// The settings' value names are ASCII: each character is its own UTF-16 unit.
std::wstring WideName(std::string_view name) { return std::wstring(name.begin(), name.end()); }

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

long Advapi32Registry::QueryValueW(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                                   std::uint32_t* size) {
  DWORD typeValue = 0;
  DWORD sizeValue = size != nullptr ? *size : 0;
  const LONG status = ::RegQueryValueExW(AsHkey(key), WideName(name).c_str(), nullptr,
                                         type != nullptr ? &typeValue : nullptr, data,
                                         size != nullptr ? &sizeValue : nullptr);
  if (type != nullptr) *type = typeValue;
  if (size != nullptr) *size = sizeValue;
  return status;
}

long Advapi32Registry::CloseKey(RegKey key) { return ::RegCloseKey(AsHkey(key)); }

long Advapi32Registry::CreateCurrentUserKey(std::string_view subKey, RegKey& key) {
  const std::string subKeyZ(subKey);
  HKEY created = nullptr;
  // Only the right to set values: the editor never reads through this handle.
  const LONG status = ::RegCreateKeyExA(HKEY_CURRENT_USER, subKeyZ.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_SET_VALUE, nullptr, &created, nullptr);
  key = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(created) : 0;
  return status;
}

long Advapi32Registry::SetValue(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                                 std::uint32_t size) {
  const std::string nameZ(name);
  return ::RegSetValueExA(AsHkey(key), nameZ.c_str(), 0, type, data, size);
}

long Advapi32Registry::SetValueW(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                                  std::uint32_t size) {
  return ::RegSetValueExW(AsHkey(key), WideName(name).c_str(), 0, type, data, size);
}

std::string Advapi32Registry::StatusText(long status) {
  std::array<char, 512> text{};
  const DWORD length =
      ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(status), 0, text.data(), static_cast<DWORD>(text.size()), nullptr);
  std::string result(text.data(), length);
  // The system's texts end with a full stop and a line break, which the message's layout supplies.
  while (!result.empty() && (result.back() == '\r' || result.back() == '\n' || result.back() == ' ' ||
                             result.back() == '.')) {
    result.pop_back();
  }
  return result;
}
