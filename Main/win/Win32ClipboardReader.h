// The commands' own access to the Windows clipboard: its CF_UNICODETEXT read and written, the private
// copy's marks, its emptying, owner and sequence number.
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
  std::optional<verschl::TUtf16> UnicodeText() override;
  bool Markiert() override;
  void Empty() override { ::EmptyClipboard(); }
  bool VonUns() override;
  std::uint32_t Sequenznummer() override { return ::GetClipboardSequenceNumber(); }
  bool Schreiben(std::u16string_view text, bool privat) override;

 private:
  HWND owner_;
};
