#include "gui/win/MessageDialog.h"

#include <algorithm>
#include <string>

#include "gui/Texte.h"
#include "gui/win/Application.h"
#include "gui/win/BaseWindow.h"

namespace gui {

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr WORD kFontPoints = 8;
constexpr char kFontName[] = "MS Shell Dlg";
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kButtonClass = 0x0080;

// Margins and button size in dialog units; the text's size is measured when the dialog starts.
constexpr int kMargin = 8;
constexpr int kButtonWidth = 50;
constexpr int kButtonHeight = 14;

struct DialogTexts {
  std::string caption;
  std::string text;
};

void PushDword(std::vector<WORD>& t, DWORD value) {
  t.push_back(LOWORD(value));
  t.push_back(HIWORD(value));
}

// Templates hold UTF-16 strings; the only string put into one here is the ASCII font name.
void PushAscii(std::vector<WORD>& t, std::string_view s) {
  for (const char c : s) t.push_back(static_cast<unsigned char>(c));
  t.push_back(0);
}

void AlignToDword(std::vector<WORD>& t) {
  if (t.size() % 2 != 0) t.push_back(0);
}

void PushItem(std::vector<WORD>& t, DWORD style, WORD id, WORD atomClass) {
  AlignToDword(t);
  PushDword(t, style | WS_CHILD | WS_VISIBLE);
  PushDword(t, 0);                                      // extended style
  for (int i = 0; i < 4; ++i) t.push_back(0);           // x, y, cx, cy: laid out at start
  t.push_back(id);
  t.push_back(0xFFFF);
  t.push_back(atomClass);
  t.push_back(0);  // no title: set as ANSI text at start
  t.push_back(0);  // no creation data
}

RECT DialogUnits(HWND dialog, int left, int top, int right, int bottom) {
  RECT r{left, top, right, bottom};
  ::MapDialogRect(dialog, &r);
  return r;
}

void Layout(HWND dialog) {
  const HWND text = ::GetDlgItem(dialog, kMessageDialogTextId);
  const HWND button = ::GetDlgItem(dialog, IDOK);

  std::string content(static_cast<std::size_t>(::GetWindowTextLengthA(text)) + 1, '\0');
  content.resize(static_cast<std::size_t>(::GetWindowTextA(text, content.data(), static_cast<int>(content.size()))));
  RECT measured{0, 0, 0, 0};
  const HDC dc = ::GetDC(text);
  const HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(text, WM_GETFONT, 0, 0)));
  ::DrawTextA(dc, content.c_str(), -1, &measured, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  ::SelectObject(dc, oldFont);
  ::ReleaseDC(text, dc);

  const RECT units = DialogUnits(dialog, kMargin, kMargin, kButtonWidth, kButtonHeight);
  const int margin = units.left;
  const int buttonWidth = units.right;
  const int buttonHeight = units.bottom;
  const int textWidth = measured.right - measured.left;
  const int textHeight = measured.bottom - measured.top;
  const int clientWidth = std::max(textWidth, buttonWidth) + 2 * margin;
  const int clientHeight = 3 * margin + textHeight + buttonHeight;

  ::MoveWindow(text, margin, margin, textWidth, textHeight, FALSE);
  ::MoveWindow(button, (clientWidth - buttonWidth) / 2, 2 * margin + textHeight, buttonWidth, buttonHeight, FALSE);

  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_EXSTYLE)));
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int left = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  const int top = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  ::SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    switch (message) {
      case WM_INITDIALOG: {
        const auto* texts = reinterpret_cast<const DialogTexts*>(lParam);
        ::SetWindowTextA(dialog, texts->caption.c_str());
        ::SetDlgItemTextA(dialog, kMessageDialogTextId, texts->text.c_str());
        ::SetDlgItemTextA(dialog, IDOK, std::string(texte::kOk).c_str());
        Layout(dialog);
        return TRUE;  // the dialog manager focuses the default button
      }
      case WM_COMMAND:
        // IDCANCEL comes from Escape and from the close box: the one button is the cancel button too.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
          ::EndDialog(dialog, IDOK);
          return TRUE;
        }
        break;
      default:
        break;
    }
  } catch (...) {
    HandleCallbackException();
  }
  return FALSE;
}

}  // namespace

std::vector<WORD> MessageDialogTemplate() {
  std::vector<WORD> t;
  PushDword(t, kDialogStyle);
  PushDword(t, 0);  // extended style
  t.push_back(2);   // items
  for (int i = 0; i < 4; ++i) t.push_back(0);
  t.push_back(0);  // no menu
  t.push_back(0);  // the standard dialog class "#32770"
  t.push_back(0);  // no title: the application title is set as ANSI text at start
  t.push_back(kFontPoints);
  PushAscii(t, kFontName);
  PushItem(t, SS_LEFT | SS_NOPREFIX, kMessageDialogTextId, kStaticClass);
  PushItem(t, BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, kButtonClass);
  return t;
}

void ShowMessageDialog(TApplication& application, std::string_view text) {
  const std::vector<WORD> dialogTemplate = MessageDialogTemplate();
  DialogTexts texts{application.Title(), std::string(text)};
  ::DialogBoxIndirectParamA(ModuleInstance(), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()),
                            application.Handle(), &DialogProcedure, reinterpret_cast<LPARAM>(&texts));
}

}  // namespace gui
