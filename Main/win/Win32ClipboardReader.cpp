#include "Main/win/Win32ClipboardReader.h"

#include <cwchar>
#include <string>
#include <string_view>

#include "Main/Texte.h"
#include "Main/Zeichen.h"

namespace {

// The clipboard's text, locked in place for as long as this lives; empty when there is none.
class GesperrterText {
 public:
  GesperrterText() : daten_(::GetClipboardData(CF_UNICODETEXT)) {
    if (daten_ == nullptr) return;
    const auto* zeichen = static_cast<const wchar_t*>(::GlobalLock(daten_));
    if (zeichen == nullptr) return;
    gesperrt_ = true;
    // The block may hold more than its text, and a text from a careless program no end at all.
    const std::size_t platz = ::GlobalSize(daten_) / sizeof(wchar_t);
    text_ = std::wstring_view(zeichen, ::wcsnlen(zeichen, platz));
  }
  ~GesperrterText() {
    if (gesperrt_) ::GlobalUnlock(daten_);
  }
  GesperrterText(const GesperrterText&) = delete;
  GesperrterText& operator=(const GesperrterText&) = delete;

  bool Vorhanden() const { return gesperrt_; }
  std::wstring_view Text() const { return text_; }

 private:
  HANDLE daten_;
  bool gesperrt_ = false;
  std::wstring_view text_;
};

}  // namespace

std::optional<std::size_t> Win32ClipboardReader::Length() {
  const GesperrterText text;
  if (!text.Vorhanden()) return std::nullopt;
  return Zeichenzahl(text.Text());
}

std::optional<std::u16string> Win32ClipboardReader::UnicodeText() {
  const GesperrterText text;
  if (!text.Vorhanden()) return std::nullopt;
  return std::u16string(text.Text().begin(), text.Text().end());
}

bool Win32ClipboardReader::Markiert() {
  // The first of the private formats is the one Windows' clipboard history goes by.
  const UINT format = ::RegisterClipboardFormatA(std::string(texte::kPrivatFormate[0]).c_str());
  return format != 0 && ::IsClipboardFormatAvailable(format) != FALSE;
}

// The text buffer's copies are put there by OLE's own clipboard window, which lives in this process
// too; a program that copies empties the clipboard with a window of its own, or with none.
bool Win32ClipboardReader::VonUns() {
  const HWND besitzer = ::GetClipboardOwner();
  DWORD prozess = 0;
  if (besitzer != nullptr) ::GetWindowThreadProcessId(besitzer, &prozess);
  return besitzer != nullptr && prozess == ::GetCurrentProcessId();
}

// Exact means that the text comes back unchanged from the code page: a best-fit look-alike ("L"
// for "Ł") fails that as surely as the default character does, and the first unit where the way
// back differs is the first character that the code page lacks.
TAnsiText Win32ClipboardReader::InAnsi(std::u16string_view text) {
  TAnsiText ansi;
  if (text.empty()) return ansi;
  const std::wstring breit(text.begin(), text.end());
  const UINT codepage = Codepage();
  const int laenge = static_cast<int>(breit.size());
  // Code pages such as UTF-8 take no flags at all.
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  int bytes = ::WideCharToMultiByte(codepage, flags, breit.data(), laenge, nullptr, 0, nullptr, nullptr);
  if (bytes == 0 && ::GetLastError() == ERROR_INVALID_FLAGS) {
    flags = 0;
    bytes = ::WideCharToMultiByte(codepage, flags, breit.data(), laenge, nullptr, 0, nullptr, nullptr);
  }
  ansi.text.resize(static_cast<std::size_t>(bytes));
  ::WideCharToMultiByte(codepage, flags, breit.data(), laenge, ansi.text.data(), bytes, nullptr, nullptr);

  const int zurueck = ::MultiByteToWideChar(codepage, 0, ansi.text.data(), bytes, nullptr, 0);
  std::wstring wieder(static_cast<std::size_t>(zurueck), L'\0');
  ::MultiByteToWideChar(codepage, 0, ansi.text.data(), bytes, wieder.data(), zurueck);
  if (wieder != breit) {
    std::size_t i = 0;
    while (i < wieder.size() && i < breit.size() && wieder[i] == breit[i]) ++i;
    ansi.fremd = i < breit.size() ? i : breit.size() - 1;
  }
  return ansi;
}
