#include "Main/win/Win32ClipboardReader.h"

#include <cwchar>
#include <string>
#include <string_view>

#include "Main/Texte.h"
#include "Main/Zeichen.h"
#include "Main/win/Ablageblock.h"

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

std::optional<verschl::TUtf16> Win32ClipboardReader::UnicodeText() {
  const GesperrterText text;
  if (!text.Vorhanden()) return std::nullopt;
  return verschl::TUtf16(text.Text().begin(), text.Text().end());
}

// Only CF_UNICODETEXT: the system makes CF_TEXT and CF_OEMTEXT of it for a reader that asks, in the
// code page of that reader's language.
bool Win32ClipboardReader::Schreiben(std::u16string_view text, bool privat) {
  // A private text goes there with its marks or not at all.
  if (privat && !PrivatMarkieren()) return false;
  return UnicodeSetzen(text);
}

bool Win32ClipboardReader::Markiert() {
  // The first of the private formats is the one Windows' clipboard history goes by.
  const UINT format = ::RegisterClipboardFormatA(std::string(texte::kPrivatFormate[0]).c_str());
  return format != 0 && ::IsClipboardFormatAvailable(format) != FALSE;
}

// A program that copies empties the clipboard with a window of its own, or with none.
bool Win32ClipboardReader::VonUns() {
  const HWND besitzer = ::GetClipboardOwner();
  DWORD prozess = 0;
  if (besitzer != nullptr) ::GetWindowThreadProcessId(besitzer, &prozess);
  return besitzer != nullptr && prozess == ::GetCurrentProcessId();
}
