#include "Talsek/win/Advapi32Schreiber.h"

#include <windows.h>

#include <array>
#include <string>

namespace {

HKEY AsHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

}  // namespace

long Advapi32Schreiber::CreateCurrentUserKey(std::string_view subKey, RegKey& key) {
  const std::string subKeyZ(subKey);
  HKEY created = nullptr;
  // Only the right to set values: the editor never reads through this handle.
  const LONG status = ::RegCreateKeyExA(HKEY_CURRENT_USER, subKeyZ.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                        KEY_SET_VALUE, nullptr, &created, nullptr);
  key = status == ERROR_SUCCESS ? reinterpret_cast<RegKey>(created) : 0;
  return status;
}

long Advapi32Schreiber::SetValue(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                                 std::uint32_t size) {
  const std::string nameZ(name);
  return ::RegSetValueExA(AsHkey(key), nameZ.c_str(), 0, type, data, size);
}

long Advapi32Schreiber::CloseKey(RegKey key) { return ::RegCloseKey(AsHkey(key)); }

std::string Advapi32Schreiber::StatusText(long status) {
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
