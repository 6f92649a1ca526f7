#include "gui/win/Form.h"

#include "gui/win/Application.h"

namespace gui {

TForm::TForm(TApplication& application, const TFormDescription& description)
    : WindowProc([this](TMessage& message) { WndProc(message); }), application_(application) {
  WindowParams params;
  params.className = description.ClassName;
  params.caption = description.Caption;
  params.style = WS_OVERLAPPEDWINDOW;
  params.left = description.Left;
  params.top = description.Top;
  params.width = description.Width;
  params.height = description.Height;
  // Owned by the application window, so that the form never gets a taskbar button of its own,
  // yet still top-level: the shell's "TaskbarCreated" broadcast reaches top-level windows only.
  params.parent = application.Handle();
  CreateHandle(params);
}

TForm::~TForm() = default;

void TForm::WndProc(TMessage& message) {
  for (const auto& [number, handler] : messageTable_) {
    if (number == message.Msg) {
      handler(message);
      return;
    }
  }
  if (message.Msg == WM_CLOSE) {
    Close();
    message.Result = 0;
    return;
  }
  message.Result = ::DefWindowProcA(Handle(), message.Msg, message.WParam, message.LParam);
}

void TForm::Show() { ::ShowWindow(Handle(), SW_SHOW); }

void TForm::Close() {
  if (application_.MainForm() == this) {
    application_.Terminate();
  } else {
    ::ShowWindow(Handle(), SW_HIDE);
  }
}

void TForm::AddMessageHandler(UINT message, TWndMethod handler) {
  messageTable_.emplace_back(message, std::move(handler));
}

void TForm::RunCreationHandler() {
  try {
    FormCreate();
  } catch (...) {
    HandleCallbackException();
  }
}

void TForm::RunDestructionHandler() {
  try {
    FormDestroy();
  } catch (...) {
    HandleCallbackException();
  }
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  TMessage record{message, wParam, lParam, 0};
  if (WindowProc) {
    WindowProc(record);
  } else {
    WndProc(record);
  }
  return record.Result;
}

}  // namespace gui
