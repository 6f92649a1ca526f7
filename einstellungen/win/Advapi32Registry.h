// The settings key's registry calls, passed straight to advapi32 below HKEY_CURRENT_USER: the
// refresh's reading and the editor's writing. The rules live above, in portable code.
#pragma once

#include "einstellungen/RegistryApi.h"

class Advapi32Registry final : public RegistryApi, public RegistrySchreibApi {
 public:
  long OpenCurrentUserKey(std::string_view subKey, std::uint32_t access, RegKey& key) override;
  long QueryValue(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                  std::uint32_t* size) override;
  long QueryValueW(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                   std::uint32_t* size) override;
  long CreateCurrentUserKey(std::string_view subKey, RegKey& key) override;
  long SetValue(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                std::uint32_t size) override;
  long SetValueW(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                 std::uint32_t size) override;
  long CloseKey(RegKey key) override;
  std::string StatusText(long status) override;
};
