// The application object: the program's title and icon, its hidden application window, the
// message boxes, the forms it owns and the message loop.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/win/BaseWindow.h"
#include "gui/win/Handles.h"

namespace gui {

class TForm;

// The program file's name without its folder, cut before its first ".", every character after
// the first in lower case: C:\Tools\TalsekTray.exe gives "Talsektray".
std::wstring ApplicationTitle(std::wstring_view exePath);

// The text of the error box for an exception's message: "." is appended when the last byte
// sorts after ".".
std::string ErrorBoxText(std::string_view message);

// The running program's full path in UTF-8, whatever the code page: the launcher and the editor
// take their own folder from it.
std::string ModuleFileName();

class TApplication {
 public:
  // The process has one; it must exist before any form or message box.
  explicit TApplication(std::string_view iconResource = "MAINICON");
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // In code page 1252, for the texts that the programs keep in it; the boxes show TitleW().
  const std::string& Title() const { return title_; }
  const std::wstring& TitleW() const { return titleW_; }
  HWND Handle() const { return window_.Handle(); }
  HICON Icon() const { return icon_.get(); }

  // Whether Run shows the main form before the loop starts.
  bool ShowMainForm = true;
  TForm* MainForm() const { return mainForm_; }

  // Constructs a form, runs its creation handler inside the protection, and makes the first
  // form the main form.
  template <class Form>
  Form& CreateForm() {
    auto form = std::make_unique<Form>(*this);
    Form& created = *form;
    forms_.push_back(std::move(form));
    RunCreationHandler(created);
    if (mainForm_ == nullptr) mainForm_ = &created;
    return created;
  }

  // The message loop, until Terminate.
  void Run();
  // Ends the message loop after the current message; closing the main form calls it.
  void Terminate();
  // Runs each form's destruction handler, newest first, and destroys the forms.
  void DestroyForms();

  // A modal box owned by the application window, text and caption in code page 1252; the result
  // is MessageBoxW's.
  int MessageBox(std::string_view text, std::string_view caption, UINT flags);
  // The same for a text that may hold any character, such as a folder's name.
  int MessageBox(std::wstring_view text, std::wstring_view caption, UINT flags);
  // Puts another function in MessageBoxW's place (tests record the boxes instead of waiting
  // for a click); an empty function restores MessageBoxW.
  using MessageBoxFunction =
      std::function<int(HWND owner, std::wstring_view text, std::wstring_view caption, UINT flags)>;
  void ReplaceMessageBox(MessageBoxFunction function) { messageBox_ = std::move(function); }
  // The error box for an exception that escaped a handler.
  void ShowException(std::string_view message);

 private:
  void RunCreationHandler(TForm& form);

  std::wstring titleW_;
  std::string title_;
  UniqueIcon icon_;
  UtilityWindow window_;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  MessageBoxFunction messageBox_;
};

// The one application object, or nullptr outside its lifetime.
TApplication* CurrentApplication();

// Shows the exception in flight in the application's error box. Only inside a catch block; it
// never throws, so a Win32 callback can end with it.
void HandleCallbackException() noexcept;

}  // namespace gui
