// The hidden text buffer between the clipboard and the ciphers (a rich edit control on Windows).
#pragma once

#include <string>
#include <string_view>

class TextBuffer {
 public:
  virtual ~TextBuffer() = default;
  virtual void Clear() = 0;                         // the buffer is empty afterwards
  virtual void Paste() = 0;                         // inserts the clipboard's text at the selection
  virtual std::string GetText() = 0;                // the whole text
  virtual void SetText(std::string_view text) = 0;  // the control keeps only the bytes before a byte 0
  virtual void SelectAll() = 0;                     // selects from 0 with the text's current length
  virtual void Copy() = 0;                          // puts the selection on the clipboard
};
