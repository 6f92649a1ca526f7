// The hidden text buffer between the clipboard and the ciphers (a rich edit control on Windows).
#pragma once

#include <string>
#include <string_view>

// Who may keep what a copy puts on the clipboard. A private copy carries the formats by which the
// clipboard history, the cloud clipboard and clipboard managers know to leave it alone. A handover is
// a private result meant for one paste only, which the in-place command offers itself: it never goes
// through the buffer's copy.
enum class CopyScope { Shared, Private, Handover };

class TextBuffer {
 public:
  virtual ~TextBuffer() = default;
  virtual void Clear() = 0;                         // the buffer is empty afterwards
  virtual void Paste() = 0;                         // inserts the clipboard's plain text at the selection
  virtual std::string GetText() = 0;                // the whole text
  virtual void SetText(std::string_view text) = 0;  // the control keeps only the bytes before a byte 0
  virtual void SelectAll() = 0;                     // selects from 0 with the text's current length
  virtual void Copy(CopyScope scope) = 0;           // puts the selection on the clipboard
};
