// A stand-in for the hidden rich edit between the clipboard and the ciphers. It keeps what the
// commands depend on: a text handed to the control (set, or pasted from the clipboard) ends
// before its first byte 0, paste inserts at the selection, copy takes the selection. It can also
// act as the controls and clipboards that fail the commands: a paste that brings nothing or more
// than the text, a copy that does not arrive, a control that turns lone line breaks into CR LF.
// Every call is logged so that tests can see which operations ran and in what order.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "Main/TextBuffer.h"
#include "tests/fakes/FakeClipboard.h"

class FakeTextBuffer : public TextBuffer {
 public:
  explicit FakeTextBuffer(FakeClipboard& clipboard) : clipboard_(clipboard) {}

  void Clear() override {
    calls.emplace_back("Clear");
    text.clear();
    selStart_ = selEnd_ = 0;
    // As a control that cannot be made anew: emptied, and then the failure.
    if (clearsBeforeFailure == 0) throw std::runtime_error("RICHED32.DLL");
    if (clearsBeforeFailure > 0) --clearsBeforeFailure;
  }

  void Paste() override {
    calls.emplace_back("Paste");
    FakeClipboard::Require(!clipboard_.IsOpen(), "the paste cannot open a clipboard that the commands hold");
    if (emptyPastes > 0) {
      --emptyPastes;
      return;
    }
    std::string inserted = AsControlKeepsIt(clipboard_.Bytes(), loneBreaksToCrLf);
    if (richPastes > 0) {
      --richPastes;
      inserted += "\r\n";
    }
    text.replace(selStart_, selEnd_ - selStart_, inserted);
    selStart_ = selEnd_ = selStart_ + inserted.size();
  }

  std::string GetText() override {
    calls.emplace_back("GetText");
    return text;
  }

  void SetText(std::string_view newText) override {
    calls.emplace_back("SetText");
    text = AsControlKeepsIt(newText, loneBreaksToCrLf);
    selStart_ = selEnd_ = 0;
  }

  void SelectAll() override {
    calls.emplace_back("SelectAll");
    selStart_ = 0;
    selEnd_ = text.size();
  }

  // An empty selection empties the clipboard here; what the platform does then is its own affair.
  void Copy(CopyScope scope) override {
    calls.emplace_back("Copy");
    FakeClipboard::Require(!clipboard_.IsOpen(), "the copy cannot open a clipboard that the commands hold");
    if (lostCopies > 0) {
      --lostCopies;
      return;
    }
    // As Wine's control does when the marked data object cannot be made: its own copy, unmarked.
    if (unmarkedCopies > 0) {
      --unmarkedCopies;
      scope = CopyScope::Shared;
    }
    clipboard_.SetBytes(text.substr(selStart_, selEnd_ - selStart_), scope, true);
  }

  std::string text;
  std::vector<std::string> calls;
  int emptyPastes = 0;             // so many pastes bring nothing
  int richPastes = 0;              // so many pastes bring a rich text's own final paragraph mark
  int lostCopies = 0;              // so many copies do not reach the clipboard
  int unmarkedCopies = 0;          // so many copies arrive without the marks a private copy carries
  bool loneBreaksToCrLf = false;   // as some versions of the rich edit do
  int clearsBeforeFailure = -1;    // so many emptyings work, every later one fails; -1 none fails

  // What the control holds of a text handed to it.
  static std::string AsControlKeepsIt(std::string_view s, bool loneBreaksToCrLf) {
    s = s.substr(0, s.find('\0'));
    if (!loneBreaksToCrLf) return std::string(s);
    std::string kept;
    for (std::size_t i = 0; i < s.size(); ++i) {
      const bool pair = s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n';
      if (pair || s[i] == '\r' || s[i] == '\n') {
        kept += "\r\n";
        i += pair ? 1 : 0;
      } else {
        kept += s[i];
      }
    }
    return kept;
  }

 private:
  FakeClipboard& clipboard_;
  std::size_t selStart_ = 0;
  std::size_t selEnd_ = 0;
};
