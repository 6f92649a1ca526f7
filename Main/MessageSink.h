// Where the program's own message boxes go: the application object on Windows, a recorder in tests.
#pragma once

#include <cstdint>
#include <string_view>

inline constexpr std::uint32_t kIconError = 0x10;        // MB_ICONERROR
inline constexpr std::uint32_t kIconWarning = 0x30;      // MB_ICONWARNING
inline constexpr std::uint32_t kIconInformation = 0x40;  // MB_ICONINFORMATION

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // A modal box with the OK button only; its result is never examined.
  virtual void ShowMessage(std::string_view text, std::string_view caption, std::uint32_t iconFlag) = 0;
};
