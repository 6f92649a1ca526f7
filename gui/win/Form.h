// The form class: a hidden top-level window owned by the application window, with a message
// table, a window procedure that a form can replace, and creation and destruction handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "gui/win/BaseWindow.h"

namespace gui {

class TApplication;

// One message as a form's handlers see it; a handler sets Result.
struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

using TWndMethod = std::function<void(TMessage&)>;

// What a form's stored description fixes: its window class, caption and bounds.
struct TFormDescription {
  const char* ClassName;
  std::string_view Caption;
  int Left;
  int Top;
  int Width;
  int Height;
};

class TForm : public BaseWindow {
 public:
  TForm(TApplication& application, const TFormDescription& description);
  ~TForm() override;

  // Every message to the form's window goes here; it starts as WndProc. A form may put its
  // own procedure in its place and hand what it does not handle to the one it replaced.
  TWndMethod WindowProc;
  // The normal procedure: the message table, then the default handling.
  void WndProc(TMessage& message);

  void Show();
  // The main form's closing ends the application; any other form is only hidden.
  void Close();

  TApplication& Application() const { return application_; }

 protected:
  virtual void FormCreate() {}
  virtual void FormDestroy() {}
  void AddMessageHandler(UINT message, TWndMethod handler);

 private:
  friend class TApplication;
  // Both run inside the protection: an escaped exception goes to the error box.
  void RunCreationHandler();
  void RunDestructionHandler();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) final;

  TApplication& application_;
  std::vector<std::pair<UINT, TWndMethod>> messageTable_;
};

}  // namespace gui
