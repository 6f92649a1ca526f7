// A decrypted text taken off the clipboard again after the seconds the settings give, the way
// password managers clear a password: only while the clipboard still holds that text of this
// program's, which the owner of what is ours on the clipboard tells (no copy of the text is kept).
// One tick a second while a clear is pending, none otherwise.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "Main/Eigentum.h"

class TAblageLeeren {
 public:
  // `uhr(true)` starts the ticks, `uhr(false)` stops them; `tip` is shown as the tray icon's tip.
  TAblageLeeren(TEigentum& eigentum, std::function<void(bool)> uhr, std::function<void(const std::string&)> tip);

  // A decryption has just put its text on the clipboard: it leaves it after `sekunden` (0: never);
  // a pending clear starts again.
  void NachEntschluesseln(std::int32_t sekunden);
  // The clipboard holds something else of this program's now (an encryption): nothing to clear.
  void Abbrechen();
  // One tick of the clock.
  void Sekunde();
  // While an in-place command has the clipboard, the time runs on but nothing is cleared or given
  // up: the decrypted text may come back with the command's give-back. Once it is over, a clear that
  // fell due meanwhile happens, and one whose text is gone ends.
  void Aufschieben();
  void Fortsetzen();
  // The program ends: a pending clear happens now.
  void Sofort();

  bool Anstehend() const { return rest_ > 0 || faellig_; }

 private:
  bool Unser();
  void Leeren();
  void Anhalten();
  void TipZeigen();

  TEigentum& eigentum_;
  std::function<void(bool)> uhr_;
  std::function<void(const std::string&)> tip_;
  std::int32_t rest_ = 0;
  bool faellig_ = false;       // the time ran out while the clear was put off
  bool aufgeschoben_ = false;
};
