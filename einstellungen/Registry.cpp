#include "einstellungen/Registry.h"

#include <array>
#include <vector>

#include "einstellungen/ERegistryException.h"
#include "gui/Unicode.h"

namespace {

bool IsStringType(std::uint32_t type) { return type == kRegSz || type == kRegExpandSz; }

}  // namespace

Registry::Registry(RegistryApi& api) : api_(api) {}

Registry::~Registry() { CloseKey(); }

bool Registry::OpenKey(std::string_view subKey) {
  RegKey opened = 0;
  if (api_.OpenCurrentUserKey(subKey, access_, opened) != kErrorSuccess) return false;
  CloseKey();
  key_ = opened;
  return true;
}

void Registry::CloseKey() {
  if (key_ == 0) return;
  // Forget the key before closing it: whatever RegCloseKey answers, the handle is gone and must
  // never be closed a second time.
  const RegKey key = key_;
  key_ = 0;
  api_.CloseKey(key);
}

bool Registry::ValueExists(std::string_view name) {
  return api_.QueryValue(key_, name, nullptr, nullptr, nullptr) == kErrorSuccess;
}

std::vector<unsigned char> Registry::ReadStringData(std::string_view name, bool wide) {
  const auto query = [&](std::uint32_t* type, unsigned char* data, std::uint32_t* size) {
    return wide ? api_.QueryValueW(key_, name, type, data, size) : api_.QueryValue(key_, name, type, data, size);
  };
  std::uint32_t type = kRegNone;
  std::uint32_t size = 0;
  if (query(&type, nullptr, &size) != kErrorSuccess || size == 0) return {};
  if (!IsStringType(type)) throw ERegistryException::WrongType(name);

  std::vector<unsigned char> buffer(size);
  // Fails with ERROR_MORE_DATA when the companion program made the value longer after the size query.
  if (query(&type, buffer.data(), &size) != kErrorSuccess) throw ERegistryException::CannotRead(name);
  // The value may also have been rewritten with another type in that moment.
  if (!IsStringType(type)) throw ERegistryException::WrongType(name);
  // A value that became shorter in that moment is read as it is now: the buffer starts zeroed, so
  // the bytes this query did not deliver end the text.
  return buffer;
}

std::string Registry::ReadString(std::string_view name) {
  const std::vector<unsigned char> data = ReadStringData(name, false);
  std::string text(data.begin(), data.end());
  // Stored strings carry their terminating 0 and may hold more after it; none of that is text.
  if (const auto end = text.find('\0'); end != std::string::npos) text.resize(end);
  return text;
}

std::string Registry::ReadPath(std::string_view name) {
  const std::vector<unsigned char> data = ReadStringData(name, true);
  std::u16string text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
    if (unit == u'\0') break;
    text += unit;
  }
  return gui::Utf8AusUtf16(text);
}

std::int32_t Registry::ReadInteger(std::string_view name) {
  // Starts at zero so that a REG_DWORD with fewer than 4 bytes of data, which RegQueryValueExA
  // delivers without complaint, reads with its missing high bytes as zero.
  std::array<unsigned char, 4> data{};
  std::uint32_t type = kRegNone;
  std::uint32_t size = data.size();
  // The size failure is checked before the type: a long string stored under an integer's name
  // is a read error, a short one a wrong type.
  if (api_.QueryValue(key_, name, &type, data.data(), &size) != kErrorSuccess) {
    throw ERegistryException::CannotRead(name);
  }
  if (type != kRegDword) throw ERegistryException::WrongType(name);

  // Registry DWORDs are little-endian whatever the host; the top bit makes the number negative.
  const std::uint32_t bits = std::uint32_t{data[0]} | std::uint32_t{data[1]} << 8 |
                             std::uint32_t{data[2]} << 16 | std::uint32_t{data[3]} << 24;
  return static_cast<std::int32_t>(bits);
}

bool Registry::ReadBool(std::string_view name) { return ReadInteger(name) != 0; }
