// The clipboard commands' and the launcher's boxes, shown through the application object.
#pragma once

#include "Main/MessageSink.h"
#include "gui/win/Application.h"

class ApplicationMessageSink final : public MessageSink {
 public:
  explicit ApplicationMessageSink(gui::TApplication& application) : application_(application) {}
  void ShowMessage(std::string_view text, std::string_view caption, std::uint32_t iconFlag) override {
    application_.MessageBox(text, caption, iconFlag | MB_OK);
  }

 private:
  gui::TApplication& application_;
};
