// The commands' own access to the Windows clipboard: its CF_UNICODETEXT, the private copy's mark,
// its emptying and sequence number, and the conversion to the ANSI code page that the text buffer's
// paste makes.
#pragma once

#include <windows.h>

#include "Main/ClipboardReader.h"

class Win32ClipboardReader final : public ClipboardReader {
 public:
  // `owner` is the window that holds the clipboard while it is open.
  explicit Win32ClipboardReader(HWND owner) : owner_(owner) {}

  bool Open() override { return ::OpenClipboard(owner_) != FALSE; }
  void Close() override { ::CloseClipboard(); }
  std::optional<std::size_t> Length() override;
  std::optional<std::u16string> UnicodeText() override;
  bool Markiert() override;
  void Empty() override { ::EmptyClipboard(); }
  bool VonUns() override;
  std::uint32_t Sequenznummer() override { return ::GetClipboardSequenceNumber(); }
  std::uint32_t Codepage() override { return ::GetACP(); }
  TAnsiText InAnsi(std::u16string_view text) override;

 private:
  HWND owner_;
};
