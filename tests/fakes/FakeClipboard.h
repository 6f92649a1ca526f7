// The clipboard that the commands read and write. It models what may come between: another program
// holding it open, a write that does not arrive or arrives without its marks. Tests write its text
// as code-page-1252 bytes, as the program's own texts are written (0x80 is the euro sign), or as
// UTF-16. Besides its text it knows whether the write that put the text there marked it private.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "Main/ClipboardReader.h"
#include "Main/Zeichen.h"
#include "verschl/Codepage1252.h"

class FakeClipboard : public ClipboardReader {
 public:
  // A misuse throws, so that it fails a unit test and stops a fuzz run alike.
  static void Require(bool condition, const char* what) {
    if (!condition) throw std::logic_error(what);
  }

  // Code-page-1252 bytes as Windows reads them into UTF-16 (every one of them is a character of the
  // Basic Multilingual Plane).
  static std::u16string Cp1252(std::string_view bytes) {
    std::u16string units;
    for (const unsigned char b : bytes) units.push_back(static_cast<char16_t>(verschl::AusCp1252(b)));
    return units;
  }

  // Another program's copy, unless `ours`.
  void SetBytes(std::string_view bytes, CopyScope copyScope = CopyScope::Shared, bool ours = false) {
    SetUnicode(Cp1252(bytes), copyScope, ours);
  }
  void SetUnicode(std::u16string_view units, CopyScope copyScope = CopyScope::Shared, bool ours = false) {
    scope = copyScope == CopyScope::Handover ? CopyScope::Private : copyScope;
    ++sequence;
    fromUs = ours;
    text.emplace(units);
  }
  // The whole text in code page 1252, "?" for each unit it lacks; empty when there is none.
  std::string Bytes() const {
    std::string bytes;
    for (const char16_t unit : text.value_or(u"")) {
      const int b = verschl::Cp1252Byte(unit);
      bytes += b < 0 ? '?' : static_cast<char>(b);
    }
    return bytes;
  }

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
  std::optional<verschl::TUtf16> UnicodeText() override {
    Require(open_, "the clipboard's text is read while it is closed");
    if (!text) return std::nullopt;
    const std::u16string_view lesbar = Lesbar();
    return verschl::TUtf16(lesbar.begin(), lesbar.end());
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
  bool Schreiben(std::u16string_view units, bool privat) override {
    Require(open_ && fromUs && !text, "the clipboard is written without being open and emptied");
    ++writes;
    if (lostWrites > 0) {
      --lostWrites;
      return false;
    }
    // As a system that takes the text but not a mark: the text stays, unmarked, until emptied.
    const bool ohneMarke = privat && unmarkedWrites > 0;
    if (ohneMarke) --unmarkedWrites;
    SetUnicode(units, privat && !ohneMarke ? CopyScope::Private : CopyScope::Shared, true);
    return !ohneMarke;
  }
  bool IsOpen() const { return open_; }

  std::optional<std::u16string> text;  // empty: the clipboard holds no text
  CopyScope scope = CopyScope::Shared;
  int busyFor = 0;                     // so many tries to open fail first
  int busyAfterOpens = -1;             // once it was opened so often, another program holds it
  int opens = 0;
  int emptied = 0;
  int writes = 0;
  int lostWrites = 0;                  // so many writes do not reach the clipboard
  int unmarkedWrites = 0;              // so many private writes arrive without their marks
  bool fromUs = false;                 // the last write was this program's
  std::uint32_t sequence = 1;

 private:
  // Readers of the clipboard's text stop at its first U+0000.
  std::u16string_view Lesbar() const { return std::u16string_view(*text).substr(0, text->find(u'\0')); }

  bool open_ = false;
};
