// The hidden text buffer MiniREd: a plain-text rich edit control ("RICHEDIT" of RICHED32.DLL)
// that fills its parent, between the clipboard and the ciphers.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "Main/TextBuffer.h"
#include "Main/win/OleSession.h"
#include "Main/win/RichEditOleCallback.h"
#include "gui/win/Handles.h"

class RichEditBuffer final : public TextBuffer {
 public:
  // Throws when the library or the control cannot be had.
  explicit RichEditBuffer(HWND parent);
  ~RichEditBuffer() override;

  HWND Handle() const { return edit_.get(); }
  // Whether the control took EM_SETTEXTMODE's plain-text mode (RichEdit 1.0 knows no text modes).
  bool PlainText() const { return plainText_; }
  // Whether this control library lets the buffer take its text in behind a password character
  // (RichEdit 1.0 knows none, and a library that would then read back the mask is not used so).
  bool MasksWhileFilling() const { return maskWhileFilling_; }

  void Clear() override;
  void Paste() override;
  std::string GetText() override;
  void SetText(std::string_view text) override;
  void SelectAll() override;
  void Copy(CopyScope scope) override;

 private:
  // A new, empty control with the buffer's settings, not yet masked.
  gui::UniqueWindow NewControl();
  // A new, empty control in place of the current one, masked when the library allows it.
  void CreateControl();
  void SetMask(bool on);
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  // Declared in this order so that they go in reverse: the control first, then its callback, then
  // OLE, which may still hold a copy that the control's library offered, and the library last.
  gui::UniqueLibrary library_;
  OleSession ole_;
  HWND parent_;
  gui::UniqueCom<RichEditOleCallback> callback_;
  gui::UniqueWindow edit_;
  bool plainText_ = false;
  bool maskWhileFilling_ = false;
  bool masked_ = false;
};
