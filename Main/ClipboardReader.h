// The commands' own access to the clipboard: its Unicode text read and written as it is, whether it
// carries the private copy's marks, whose it is, and its emptying. No code page of the system comes
// between, so a text gives the same result on every Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "verschl/Text.h"

// Who may keep what a command puts on the clipboard. A private copy carries the formats by which the
// clipboard history, the cloud clipboard and clipboard managers know to leave it alone. A handover is
// a private result meant for one paste only, which the in-place command offers itself.
enum class CopyScope { Shared, Private, Handover };

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
  virtual std::optional<verschl::TUtf16> UnicodeText() = 0;
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
  // While open, after Empty: puts `text` there as CF_UNICODETEXT, and with the marks when `privat`.
  // False when the clipboard did not take all of it; what it took then stays until the next Empty.
  virtual bool Schreiben(std::u16string_view text, bool privat) = 0;
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
