// A decrypted text taken off the clipboard again after the seconds the settings give, the way
// password managers clear a password: only while the clipboard still holds what this program put
// there, which the clipboard's sequence number tells (every change of its content moves it on) and
// no copy of the text. One tick a second while a clear is pending, none otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "Main/ClipboardReader.h"

class TAblageLeeren {
 public:
  // `uhr(true)` starts the ticks, `uhr(false)` stops them; `tip` is shown as the tray icon's tip.
  TAblageLeeren(ClipboardReader& ablage, std::function<void(bool)> uhr, std::function<void(const std::string&)> tip);

  // A decryption has just put its text on the clipboard: it leaves it after `sekunden` (0: never);
  // a pending clear starts again.
  void NachEntschluesseln(std::int32_t sekunden);
  // The clipboard holds something else of this program's now (an encryption): nothing to clear.
  void Abbrechen();
  // One tick of the clock.
  void Sekunde();
  // The program ends: a pending clear happens now.
  void Sofort();

  bool Anstehend() const { return rest_ > 0; }

 private:
  void Leeren();

  ClipboardReader& ablage_;
  std::function<void(bool)> uhr_;
  std::function<void(const std::string&)> tip_;
  std::uint32_t sequenz_ = 0;
  std::int32_t rest_ = 0;
};
