// What several Windows tests share: an application object whose boxes are recorded instead of
// shown, and a pump for the messages that a test has posted.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "gui/win/Application.h"
#include "gui/win/Breit.h"

// The texts as shown and, for the comparisons with the programs' texts, in code page 1252.
struct RecordedBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT flags;
  std::wstring textW;
};

class RecordingApplication : public gui::TApplication {
 public:
  RecordingApplication() {
    ReplaceMessageBox([this](HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags) {
      boxes.push_back({owner, gui::In1252(text), gui::In1252(caption), flags, std::wstring(text)});
      return IDOK;
    });
  }
  std::vector<RecordedBox> boxes;
};

// Handles what is waiting in this thread's queue; returns whether WM_QUIT was among it and, if
// so, its exit code.
inline bool PumpMessages(WPARAM* quitCode = nullptr) {
  MSG message;
  bool quit = false;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      if (quitCode != nullptr) *quitCode = message.wParam;
      continue;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
  return quit;
}
