// The options editor's registry writes, passed straight to advapi32 below HKEY_CURRENT_USER.
// The order of the values and the handling of failures live above, in portable code.
#pragma once

#include "Talsek/OptionenSchreiben.h"

class Advapi32Schreiber final : public RegistrySchreibApi {
 public:
  long CreateCurrentUserKey(std::string_view subKey, RegKey& key) override;
  long SetValue(RegKey key, std::string_view name, std::uint32_t type, const unsigned char* data,
                std::uint32_t size) override;
  long CloseKey(RegKey key) override;
  std::string StatusText(long status) override;
};
