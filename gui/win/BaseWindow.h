// The one window base class of the GUI layer: a static window procedure finds the C++ object
// (stored at WM_NCCREATE) and forwards each message to its one handler.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "gui/win/Handles.h"

namespace gui {

struct WindowParams {
  const char* className = nullptr;
  std::string_view caption;
  DWORD style = 0;
  DWORD exStyle = 0;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  HWND parent = nullptr;  // the owner of a top-level window, the parent of a child
};

class BaseWindow {
 public:
  BaseWindow() = default;
  virtual ~BaseWindow();
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

  HWND Handle() const { return handle_.get(); }

 protected:
  // Registers the class on first use. Call it from the constructor of the class that overrides
  // HandleMessage, so that the messages of the creation already reach that override.
  void CreateHandle(const WindowParams& params);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

 private:
  // Every exception stops here: nothing may unwind through user32's frames.
  static LRESULT CALLBACK Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  UniqueWindow handle_;
};

// A hidden top-level window whose messages go to a function: the application window and the
// popup menu's command window.
class UtilityWindow final : public BaseWindow {
 public:
  using Handler = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;
  UtilityWindow(const char* className, std::string_view caption, Handler handler, DWORD style = WS_POPUP);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  Handler handler_;
};

HINSTANCE ModuleInstance();

}  // namespace gui
