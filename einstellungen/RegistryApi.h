// The registry calls that the options refresh and the editor's writer make, shaped like advapi32's,
// so that the type and size rules, the order of the values and the handling of failures live in
// portable code above them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;  // KEY_ALL_ACCESS

// Registry value types.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegQword = 11;

// Win32 status codes the callers look at.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorMoreData = 234;
// Further codes that advapi32 returns; the refresh treats them as any other failure, but the
// test double answers with them where Windows would.
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorInvalidParameter = 87;
inline constexpr long kErrorKeyDeleted = 1018;

// Access rights that write; a key the user may only read refuses an open that asks for any of them.
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;

using RegKey = std::uintptr_t;  // an opened key; 0 is none

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;
  // RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, access, &key): never creates the key.
  virtual long OpenCurrentUserKey(std::string_view subKey, std::uint32_t access, RegKey& key) = 0;
  // RegQueryValueExA(key, name, nullptr, type, data, size); type, data and size may be null.
  // On entry *size is the buffer's size; on return the value's size.
  virtual long QueryValue(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                          std::uint32_t* size) = 0;
  // RegQueryValueExW: the same, but a string value's data comes as UTF-16LE, however it was written.
  virtual long QueryValueW(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                           std::uint32_t* size) = 0;
  virtual long CloseKey(RegKey key) = 0;
};

class RegistrySchreibApi {
 public:
  virtual ~RegistrySchreibApi() = default;
  // RegCreateKeyExA(HKEY_CURRENT_USER, subKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr):
  // opens the key, creating it and the keys above it when missing.
  virtual long CreateCurrentUserKey(std::string_view subKey, RegKey& key) = 0;
  // RegSetValueExA(key, name, 0, type, data, size)
  virtual long SetValue(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                        std::uint32_t size) = 0;
  // RegSetValueExW: a string value whose data is UTF-16LE.
  virtual long SetValueW(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                         std::uint32_t size) = 0;
  virtual long CloseKey(RegKey key) = 0;
  // The system's words for a status code (FormatMessageA), for the user's message.
  virtual std::string StatusText(long status) = 0;
};
