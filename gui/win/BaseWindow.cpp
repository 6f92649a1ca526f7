#include "gui/win/BaseWindow.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "gui/win/Application.h"

namespace gui {

HINSTANCE ModuleInstance() { return ::GetModuleHandleA(nullptr); }

namespace {

void RegisterOnce(const char* className, WNDPROC procedure) {
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (::GetClassInfoExA(ModuleInstance(), className, &existing)) return;

  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = ModuleInstance();
  windowClass.hCursor = ::LoadCursorA(nullptr, IntResource(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = className;
  if (::RegisterClassExA(&windowClass) == 0) {
    throw std::runtime_error(std::string("RegisterClassExA ") + className);
  }
}

}  // namespace

BaseWindow::~BaseWindow() {
  if (handle_) {
    // The derived part of this object is gone already: the messages of the destruction must
    // not reach HandleMessage any more.
    ::SetWindowLongPtrA(handle_.get(), GWLP_USERDATA, 0);
    handle_.reset();
  }
}

void BaseWindow::CreateHandle(const WindowParams& params) {
  RegisterOnce(params.className, &BaseWindow::Trampoline);
  const std::string caption(params.caption);
  const HWND window =
      ::CreateWindowExA(params.exStyle, params.className, caption.c_str(), params.style, params.left, params.top,
                        params.width, params.height, params.parent, nullptr, ModuleInstance(), this);
  if (window == nullptr) {
    throw std::runtime_error(std::string("CreateWindowExA ") + params.className);
  }
}

LRESULT CALLBACK BaseWindow::Trampoline(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  BaseWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<BaseWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
    // Owned from here on, before CreateWindowExA returns, so that Handle() works inside the
    // creation messages and a window that dies during its creation is not destroyed twice.
    self->handle_.reset(window);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<BaseWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  }
  if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    HandleCallbackException();
  }
  if (message == WM_NCDESTROY) {
    // The system has destroyed the window itself (a parent's destruction, for example).
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->handle_.release();
  }
  return result;
}

UtilityWindow::UtilityWindow(const char* className, std::string_view caption, Handler handler, DWORD style)
    : handler_(std::move(handler)) {
  WindowParams params;
  params.className = className;
  params.caption = caption;
  params.style = style;
  CreateHandle(params);
}

LRESULT UtilityWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (handler_) return handler_(Handle(), message, wParam, lParam);
  return ::DefWindowProcA(Handle(), message, wParam, lParam);
}

}  // namespace gui
