// The options refresh's registry calls, passed straight to advapi32 below HKEY_CURRENT_USER.
// The type and size rules live above, in portable code.
#pragma once

#include "Main/RegistryApi.h"

class Advapi32Registry final : public RegistryApi {
 public:
  long OpenCurrentUserKey(std::string_view subKey, std::uint32_t access, RegKey& key) override;
  long QueryValue(RegKey key, std::string_view name, std::uint32_t* type, unsigned char* data,
                  std::uint32_t* size) override;
  long CloseKey(RegKey key) override;
};
