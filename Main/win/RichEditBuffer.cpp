#include "Main/win/RichEditBuffer.h"

#include <ole2.h>
#include <richedit.h>

#include <stdexcept>
#include <string_view>

#include "Main/Texte.h"
#include "gui/win/Bedienen.h"
#include "gui/win/BaseWindow.h"

namespace {

constexpr wchar_t kLibrary[] = L"RICHED32.DLL";
constexpr char kClass[] = "RICHEDIT";
// EM_EXLIMITTEXT with 0 would ask for the control's small default limit, which cuts larger
// clipboard texts without a word; this lets any text that fits in memory pass whole.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;
// The control is never shown, so the layout it keeps up with every change is wasted: with a line
// width of 1 it never wraps, and each paragraph stays a single line.
constexpr LPARAM kNoWrapLineWidth = 1;
// Under Wine the rich edit shapes every line it lays out with Uniscribe (itemizing, bidi levels,
// OpenType lookups): of a paste of 1 MB, about 0.7 s of 0.85 s. Behind a password character it only
// measures the mask. A command puts its text into the control twice, the paste and the result, so
// the mask stays on until the copy: the text is shaped once, when the mask comes off, and a masked
// control would refuse the copy anyway.
constexpr WPARAM kMask = '*';

// Whether a control behind a mask still gives back its real text; a library that knows no password
// character, or that hands out the mask, fills the buffer unmasked.
bool MaskKeepsText(HWND control) {
  ::SendMessageA(control, EM_SETPASSWORDCHAR, kMask, 0);
  if (::SendMessageA(control, EM_GETPASSWORDCHAR, 0, 0) != static_cast<LRESULT>(kMask)) return false;
  constexpr char kProbe[] = "Ab\xE4";
  ::SendMessageA(control, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(kProbe));
  char seen[sizeof kProbe + 1] = "";
  ::SendMessageA(control, WM_GETTEXT, sizeof seen, reinterpret_cast<LPARAM>(seen));
  return std::string_view(seen) == kProbe;
}

}  // namespace

// From the system folder only: riched32 is no known DLL, so a bare name would be looked for in the
// program's own folder first, where a planted file of that name would run its code.
RichEditBuffer::RichEditBuffer(HWND parent)
    : library_(::LoadLibraryExW(kLibrary, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)),
      parent_(parent),
      callback_(new RichEditOleCallback) {
  if (!library_) throw std::runtime_error(std::string(texte::kRichEditFehlt));
  maskWhileFilling_ = MaskKeepsText(NewControl().get());
  CreateControl();
}

void RichEditBuffer::CreateControl() {
  edit_ = NewControl();
  callback_.get()->Serve(edit_.get());
  masked_ = false;
  SetMask(maskWhileFilling_);
}

void RichEditBuffer::SetMask(bool on) {
  if (on == masked_) return;
  Send(EM_SETPASSWORDCHAR, on ? kMask : 0);
  masked_ = on;
}

gui::UniqueWindow RichEditBuffer::NewControl() {
  RECT client{0, 0, 0, 0};
  ::GetClientRect(parent_, &client);
  gui::UniqueWindow edit(::CreateWindowExA(0, kClass, "",
                                           WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOHSCROLL | ES_AUTOVSCROLL, 0,
                                           0, client.right, client.bottom, parent_, nullptr, gui::ModuleInstance(),
                                           nullptr));
  if (!edit) throw std::runtime_error(std::string(texte::kRichEditFehlt));
  const HWND handle = edit.get();
  // The mode may only change while the control is empty, which it is now. In plain-text mode the
  // copy carries no rich text, whose paste would add a line break under Wine.
  plainText_ = ::SendMessageA(handle, EM_SETTEXTMODE, TM_PLAINTEXT, 0) == 0;
  ::SendMessageA(handle, EM_EXLIMITTEXT, 0, kTextLimit);
  ::SendMessageA(handle, EM_SETTARGETDEVICE, 0, kNoWrapLineWidth);
  // Nobody sees the font either. Wine shapes text in a bitmap font, which has no OpenType tables
  // to look up, in about 60 % of the time it needs for the default one; its ANSI character set
  // keeps the code-page-1252 bytes as they are.
  ::SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(ANSI_FIXED_FONT)), FALSE);
  // Nobody ever undoes in a hidden buffer; keeping the undo records would only cost time.
  ::SendMessageA(handle, EM_SETUNDOLIMIT, 0, 0);
  return edit;
}

RichEditBuffer::~RichEditBuffer() = default;

LRESULT RichEditBuffer::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(edit_.get(), message, wParam, lParam);
}

void RichEditBuffer::Clear() {
  // Deleting text costs the rich edit time that grows with the square of the number of lines
  // (under Wine 8, 1 MB of 80-byte lines: 3 to 20 s); a fresh control is empty at once.
  if (Send(WM_GETTEXTLENGTH) > 0) {
    CreateControl();
  } else {
    SetMask(maskWhileFilling_);
  }
  ::SetWindowTextA(edit_.get(), "");
  // The buffer keeps no undo records, but a control that did would hand the last text back on EM_UNDO.
  Send(EM_EMPTYUNDOBUFFER);
}

// WM_PASTE lets the control take the richest format on offer, and a rich text pastes as more than
// its plain text (a final paragraph mark, list bullets, fields, hidden text), so the buffer asks
// for a plain format by name: the Unicode one that the commands read before the paste, or, where
// the control knows no text modes and so no Unicode (RichEdit 1.0), the ANSI one that the system
// makes of it. A control that brings nothing in the first format is asked for the other; a paste
// that still differs from what the commands read is refused by them.
void RichEditBuffer::Paste() {
  const UINT first = plainText_ ? CF_UNICODETEXT : CF_TEXT;
  Send(EM_PASTESPECIAL, first);
  if (Send(WM_GETTEXTLENGTH) == 0) Send(EM_PASTESPECIAL, first == CF_TEXT ? CF_UNICODETEXT : CF_TEXT);
}

std::string RichEditBuffer::GetText() {
  const auto length = static_cast<std::size_t>(Send(WM_GETTEXTLENGTH));
  std::string text(length + 1, '\0');
  const auto copied = static_cast<std::size_t>(Send(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(copied < length ? copied : length);
  return text;
}

void RichEditBuffer::SetText(std::string_view text) {
  // The control ends a text at its first byte 0.
  const std::string cut(text.substr(0, text.find('\0')));
  Clear();
  // Into the empty control, EM_REPLACESEL leaves the same text as WM_SETTEXT would, in a
  // fraction of its time on large texts.
  Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(cut.c_str()));
}

void RichEditBuffer::SelectAll() {
  CHARRANGE range{0, 0};
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  range.cpMax = range.cpMin + static_cast<LONG>(Send(WM_GETTEXTLENGTH));
  Send(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
  Send(EM_SCROLLCARET);
}

void RichEditBuffer::Copy(CopyScope scope) {
  SetMask(false);
  callback_.get()->SetScope(scope);
  Send(WM_COPY);
  callback_.get()->SetScope(CopyScope::Shared);
  // The control offers its copy through OLE, rendered only when someone asks; flushing renders
  // it now, so the clipboard keeps the text (and a private copy its marks) after this program has
  // ended. A watcher that reads the copy at once holds the clipboard open until we render it for
  // it, and the flush cannot open it meanwhile: it is tried again while we answer the watcher.
  for (int versuch = 0; ::OleFlushClipboard() == CLIPBRD_E_CANT_OPEN && versuch < 50; ++versuch) {
    gui::WartenUndBedienen(20);
  }
}
