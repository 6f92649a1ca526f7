// The clipboard that the fake text buffer pastes from and copies to, read by the commands' checks.
// It models what may come between: another program holding it open, a paste that brings nothing, a
// copy that does not arrive. Its code page is ISO 8859-1, whose bytes are the first 256 code points,
// so that tests write the clipboard's text as bytes. Besides its text it knows whether the copy that
// put the text there marked it private.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Main/ClipboardReader.h"
#include "Main/TextBuffer.h"
#include "Main/Zeichen.h"

class FakeClipboard : public ClipboardReader {
 public:
  // A misuse throws, so that it fails a unit test and stops a fuzz run alike.
  static void Require(bool condition, const char* what) {
    if (!condition) throw std::logic_error(what);
  }

  // Another program's copy, unless `ours` (the text buffer's copy).
  void SetBytes(std::string_view bytes, CopyScope copyScope = CopyScope::Shared, bool ours = false) {
    scope = copyScope == CopyScope::Handover ? CopyScope::Private : copyScope;
    ++sequence;
    fromUs = ours;
    text.emplace();
    for (const unsigned char b : bytes) text->push_back(b);
  }
  // The whole text as the code page gives it, "?" for what it lacks; empty when there is none.
  std::string Bytes() const { return text ? Latin1(*text).text : std::string(); }

  bool Open() override {
    Require(!open_, "the clipboard is opened twice");
    if (busyFor > 0) {
      --busyFor;
      return false;
    }
    if (busyAfterOpens >= 0 && opens >= busyAfterOpens) return false;
    ++opens;
    open_ = true;
    return true;
  }
  void Close() override {
    Require(open_, "the clipboard is closed without being open");
    open_ = false;
  }
  std::optional<std::size_t> Length() override {
    Require(open_, "the clipboard's length is read while it is closed");
    if (!text) return std::nullopt;
    return Zeichenzahl(Lesbar());
  }
  std::optional<std::u16string> UnicodeText() override {
    Require(open_, "the clipboard's text is read while it is closed");
    if (!text) return std::nullopt;
    return std::u16string(Lesbar());
  }
  bool Markiert() override {
    Require(open_, "the clipboard's formats are read while it is closed");
    return scope == CopyScope::Private;
  }
  void Empty() override {
    Require(open_, "the clipboard is emptied while it is closed");
    text.reset();
    scope = CopyScope::Shared;
    ++sequence;
    ++emptied;
    fromUs = true;
  }
  bool VonUns() override { return fromUs; }
  std::uint32_t Sequenznummer() override { return sequence; }
  std::uint32_t Codepage() override { return 28591; }
  TAnsiText InAnsi(std::u16string_view unicode) override { return Latin1(unicode); }
  bool IsOpen() const { return open_; }

  std::optional<std::u16string> text;  // empty: the clipboard holds no text
  CopyScope scope = CopyScope::Shared;
  int busyFor = 0;                     // so many tries to open fail first
  int busyAfterOpens = -1;             // once it was opened so often, another program holds it
  int opens = 0;
  int emptied = 0;
  bool fromUs = false;                 // the last write was this program's
  std::uint32_t sequence = 1;

 private:
  static TAnsiText Latin1(std::u16string_view unicode) {
    TAnsiText ansi;
    for (std::size_t i = 0; i < unicode.size(); ++i) {
      if (unicode[i] > 0xFF && !ansi.fremd) ansi.fremd = i;
      ansi.text += unicode[i] > 0xFF ? '?' : static_cast<char>(unicode[i]);
    }
    return ansi;
  }

  // Readers of the clipboard's text stop at its first U+0000.
  std::u16string_view Lesbar() const { return std::u16string_view(*text).substr(0, text->find(u'\0')); }

  bool open_ = false;
};
