#include "einstellungen/win/Win32Tastaturbelegung.h"

#include <windows.h>

#include <array>

std::string Win32Tastaturbelegung::Tastenname(std::uint8_t taste, bool erweitert) const {
  const UINT scancode = ::MapVirtualKeyA(taste, MAPVK_VK_TO_VSC);
  // A key without a scan code on this layout (a media key, say) has no name here either.
  if (scancode == 0) return {};
  // GetKeyNameTextA takes a key message's lParam: the scan code in bits 16 to 23, bit 24 for the
  // extended keys.
  const auto lParam = static_cast<LONG>((scancode << 16) | (erweitert ? 1U << 24 : 0U));
  std::array<char, 64> name{};
  const int laenge = ::GetKeyNameTextA(lParam, name.data(), static_cast<int>(name.size()));
  return std::string(name.data(), laenge > 0 ? static_cast<std::size_t>(laenge) : 0);
}

bool Win32Tastaturbelegung::AltGrZeichen(std::uint8_t taste, bool umschalt) const {
  const HKL layout = ::GetKeyboardLayout(0);
  std::array<BYTE, 256> zustand{};
  // The layout reads the generic modifier keys; the left and right ones are set as well, as a
  // real key press sets them.
  for (const int modifikator : {VK_CONTROL, VK_LCONTROL, VK_MENU, VK_LMENU}) zustand[modifikator] = 0x80;
  if (umschalt) zustand[VK_SHIFT] = zustand[VK_LSHIFT] = 0x80;
  const UINT scancode = ::MapVirtualKeyExA(taste, MAPVK_VK_TO_VSC, layout);
  std::array<wchar_t, 8> text{};
  // Flag 4 leaves the thread's keyboard state alone (Windows 10 1607 and later); where it is not
  // known, a dead key's second call below spends the state that the first one left.
  constexpr UINT kZustandLassen = 4;
  const int anzahl = ::ToUnicodeEx(taste, scancode, zustand.data(), text.data(), static_cast<int>(text.size()),
                                   kZustandLassen, layout);
  if (anzahl < 0) {
    ::ToUnicodeEx(taste, scancode, zustand.data(), text.data(), static_cast<int>(text.size()), kZustandLassen, layout);
    return true;  // a dead key under AltGr is a character too: it types one with the next key
  }
  // With Strg down some layouts give control characters, which type nothing.
  for (int i = 0; i < anzahl; ++i) {
    if (text[static_cast<std::size_t>(i)] >= 0x20 && text[static_cast<std::size_t>(i)] != 0x7F) return true;
  }
  return false;
}
