#include "gui/win/Breit.h"

#include <windows.h>

#include "gui/Unicode.h"

namespace gui {

namespace {

constexpr UINT kCodePage1252 = 1252;

}  // namespace

std::wstring Breit(std::string_view utf8) {
  const std::u16string utf16 = Utf16AusUtf8(utf8);
  return {utf16.begin(), utf16.end()};
}

std::string Utf8(std::wstring_view breit) { return Utf8AusUtf16(std::u16string(breit.begin(), breit.end())); }

std::wstring BreitAus1252(std::string_view text1252) {
  if (text1252.empty()) return {};
  const int laenge = static_cast<int>(text1252.size());
  const int noetig = ::MultiByteToWideChar(kCodePage1252, 0, text1252.data(), laenge, nullptr, 0);
  if (noetig <= 0) return {};
  std::wstring breit(static_cast<size_t>(noetig), L'\0');
  ::MultiByteToWideChar(kCodePage1252, 0, text1252.data(), laenge, breit.data(), noetig);
  return breit;
}

std::string In1252(std::wstring_view breit) {
  if (breit.empty()) return {};
  const int laenge = static_cast<int>(breit.size());
  // WC_NO_BEST_FIT_CHARS: "Ł" must not quietly become "L" in code page 1252; "?" shows the loss.
  const int noetig = ::WideCharToMultiByte(kCodePage1252, WC_NO_BEST_FIT_CHARS, breit.data(), laenge, nullptr, 0,
                                           nullptr, nullptr);
  if (noetig <= 0) return {};
  std::string text(static_cast<size_t>(noetig), '\0');
  ::WideCharToMultiByte(kCodePage1252, WC_NO_BEST_FIT_CHARS, breit.data(), laenge, text.data(), noetig, nullptr,
                        nullptr);
  return text;
}

}  // namespace gui
