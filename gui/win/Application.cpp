#include "gui/win/Application.h"

#include <stdexcept>

#include "gui/Texte.h"
#include "gui/win/Breit.h"
#include "gui/win/Form.h"

namespace gui {

namespace {

TApplication* current = nullptr;

constexpr char kApplicationClass[] = "TApplication";

void ShowWithoutApplication(std::string_view message) {
  const std::string text = ErrorBoxText(message);
  ::MessageBoxA(nullptr, text.c_str(), nullptr, MB_ICONERROR | MB_OK);
}

}  // namespace

std::wstring ApplicationTitle(std::wstring_view exePath) {
  const auto separator = exePath.find_last_of(L"\\:");
  if (separator != std::wstring_view::npos) exePath.remove_prefix(separator + 1);
  std::wstring title(exePath.substr(0, exePath.find(L'.')));
  if (title.size() > 1) {
    // The system's own lower-case mapping, as for any other window text.
    ::CharLowerBuffW(title.data() + 1, static_cast<DWORD>(title.size() - 1));
  }
  return title;
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

namespace {

std::wstring ModuleFileNameW() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::string ModuleFileName() { return Utf8(ModuleFileNameW()); }

TApplication::TApplication(std::string_view iconResource)
    : titleW_(ApplicationTitle(ModuleFileNameW())),
      title_(In1252(titleW_)),
      icon_(static_cast<HICON>(::LoadImageA(ModuleInstance(), std::string(iconResource).c_str(), IMAGE_ICON, 0,
                                            0, LR_DEFAULTSIZE))),
      window_(kApplicationClass, title_,
              [](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
                return ::DefWindowProcA(window, message, wParam, lParam);
              },
              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX) {
  if (current != nullptr) throw std::logic_error("a second application object");
  if (icon_) ::SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  current = this;
}

TApplication::~TApplication() {
  DestroyForms();
  current = nullptr;
}

void TApplication::Run() {
  if (ShowMainForm && mainForm_ != nullptr) mainForm_->Show();
  MSG message;
  while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

void TApplication::Terminate() { ::PostQuitMessage(0); }

void TApplication::DestroyForms() {
  while (!forms_.empty()) {
    TForm& form = *forms_.back();
    form.RunDestructionHandler();
    if (mainForm_ == &form) mainForm_ = nullptr;
    forms_.pop_back();
  }
}

void TApplication::RunCreationHandler(TForm& form) { form.RunCreationHandler(); }

int TApplication::MessageBox(std::string_view text, std::string_view caption, UINT flags) {
  return MessageBox(BreitAus1252(text), BreitAus1252(caption), flags);
}

int TApplication::MessageBox(std::wstring_view text, std::wstring_view caption, UINT flags) {
  if (messageBox_) return messageBox_(Handle(), text, caption, flags);
  const std::wstring textZ(text);
  const std::wstring captionZ(caption);
  return ::MessageBoxW(Handle(), textZ.c_str(), captionZ.c_str(), flags);
}

void TApplication::ShowException(std::string_view message) {
  MessageBox(BreitAus1252(ErrorBoxText(message)), titleW_, MB_ICONERROR | MB_OK);
}

TApplication* CurrentApplication() { return current; }

void HandleCallbackException() noexcept {
  try {
    std::string message;
    try {
      throw;
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
      message = texte::kUnbekannterFehler;
    }
    if (current != nullptr) {
      current->ShowException(message);
    } else {
      ShowWithoutApplication(message);
    }
  } catch (...) {
    // Out of memory while building the box: there is nobody left to tell.
  }
}

}  // namespace gui
