#include "gui/win/Breit.h"

#include <windows.h>

namespace gui {

namespace {

constexpr UINT kCodePage1252 = 1252;

std::wstring NachBreit(UINT codePage, DWORD flags, std::string_view text) {
  if (text.empty()) return {};
  const int laenge = static_cast<int>(text.size());
  const int noetig = ::MultiByteToWideChar(codePage, flags, text.data(), laenge, nullptr, 0);
  if (noetig <= 0) return {};
  std::wstring breit(static_cast<size_t>(noetig), L'\0');
  ::MultiByteToWideChar(codePage, flags, text.data(), laenge, breit.data(), noetig);
  return breit;
}

std::string AusBreit(UINT codePage, std::wstring_view breit) {
  if (breit.empty()) return {};
  const int laenge = static_cast<int>(breit.size());
  // WC_NO_BEST_FIT_CHARS: "Ł" must not quietly become "L" in code page 1252; "?" shows the loss.
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int noetig = ::WideCharToMultiByte(codePage, flags, breit.data(), laenge, nullptr, 0, nullptr, nullptr);
  if (noetig <= 0) return {};
  std::string text(static_cast<size_t>(noetig), '\0');
  ::WideCharToMultiByte(codePage, flags, breit.data(), laenge, text.data(), noetig, nullptr, nullptr);
  return text;
}

}  // namespace

std::wstring Breit(std::string_view utf8) { return NachBreit(CP_UTF8, 0, utf8); }

std::string Utf8(std::wstring_view breit) { return AusBreit(CP_UTF8, breit); }

std::wstring BreitAus1252(std::string_view text1252) { return NachBreit(kCodePage1252, 0, text1252); }

std::string In1252(std::wstring_view breit) { return AusBreit(kCodePage1252, breit); }

}  // namespace gui
