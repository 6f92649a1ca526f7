// The commands' own access to the clipboard, around the text buffer: what the paste will bring,
// whether the copy arrived with its marks, whose the clipboard is, and its emptying. The buffer alone
// pastes and copies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A Unicode text in the buffer's code page.
struct TAnsiText {
  std::string text;
  // The index, in UTF-16 units, of the first unit that the code page has no exact counterpart for;
  // empty when the whole text converts.
  std::optional<std::size_t> fremd;
};

class ClipboardReader {
 public:
  virtual ~ClipboardReader() = default;
  // One attempt; false while another program holds the clipboard open.
  virtual bool Open() = 0;
  virtual void Close() = 0;
  // While open: the number of characters of the clipboard's text (a surrogate pair counts once), or
  // nothing when it holds no text. Cheap, so that a text too long to take is refused uncopied.
  virtual std::optional<std::size_t> Length() = 0;
  // While open: the clipboard's text up to its first U+0000, or nothing when it holds no text.
  virtual std::optional<std::u16string> UnicodeText() = 0;
  // While open: whether the clipboard carries the mark that keeps it from the clipboard's watchers
  // ("ExcludeClipboardContentFromMonitorProcessing").
  virtual bool Markiert() = 0;
  // While open: empties the clipboard, which makes this program its owner.
  virtual void Empty() = 0;
  // The clipboard's owner, the window that emptied it last, is one of this program's (it may be
  // asked without opening the clipboard).
  virtual bool VonUns() = 0;
  // The clipboard's sequence number, which every change of its content moves on.
  virtual std::uint32_t Sequenznummer() = 0;
  // The code page that the buffer's paste converts to, and that conversion made exact.
  virtual std::uint32_t Codepage() = 0;
  virtual TAnsiText InAnsi(std::u16string_view text) = 0;
};

// Closes the clipboard that the reader opened, on every way out.
class Geoeffnet {
 public:
  explicit Geoeffnet(ClipboardReader& ablage) : ablage_(ablage) {}
  ~Geoeffnet() { ablage_.Close(); }
  Geoeffnet(const Geoeffnet&) = delete;
  Geoeffnet& operator=(const Geoeffnet&) = delete;

 private:
  ClipboardReader& ablage_;
};
