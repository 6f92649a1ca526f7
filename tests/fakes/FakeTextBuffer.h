// A stand-in for the hidden rich edit between the clipboard and the ciphers. It keeps what the
// commands depend on: a text handed to the control (set, or pasted from the clipboard) ends
// before its first byte 0, paste inserts at the selection, copy takes the selection. Every call
// is logged so that tests can see which operations ran and in what order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Main/TextBuffer.h"

class FakeTextBuffer : public TextBuffer {
 public:
  explicit FakeTextBuffer(std::string clipboardText = {}) : clipboard(std::move(clipboardText)) {}

  void Clear() override {
    calls.emplace_back("Clear");
    text.clear();
    selStart_ = selEnd_ = 0;
  }

  void Paste() override {
    calls.emplace_back("Paste");
    const std::string inserted = BeforeNul(clipboard);
    text.replace(selStart_, selEnd_ - selStart_, inserted);
    selStart_ = selEnd_ = selStart_ + inserted.size();
  }

  std::string GetText() override {
    calls.emplace_back("GetText");
    return text;
  }

  void SetText(std::string_view newText) override {
    calls.emplace_back("SetText");
    text = BeforeNul(newText);
    selStart_ = selEnd_ = 0;
  }

  void SelectAll() override {
    calls.emplace_back("SelectAll");
    selStart_ = 0;
    selEnd_ = text.size();
  }

  // An empty selection empties the clipboard here; what the platform does then is its own affair.
  void Copy() override {
    calls.emplace_back("Copy");
    clipboard = text.substr(selStart_, selEnd_ - selStart_);
  }

  std::string clipboard;
  std::string text;
  std::vector<std::string> calls;

 private:
  static std::string BeforeNul(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

  std::size_t selStart_ = 0;
  std::size_t selEnd_ = 0;
};
