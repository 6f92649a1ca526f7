// The clipboard commands' shortcuts, registered as hotkeys of the hidden form: WM_HOTKEY then comes
// with the command's number. A shortcut that breaks a rule of the current layout is none; a
// combination that another program holds is reported once.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "einstellungen/Optionen.h"
#include "einstellungen/Tastaturbelegung.h"
#include "einstellungen/Tastenkuerzel.h"
#include "gui/win/Handles.h"

class TKuerzelAnmeldung {
 public:
  // WM_HOTKEY's wParam for each command.
  static constexpr int kVerschluesseln = 1;
  static constexpr int kEntschluesseln = 2;
  static constexpr int kAuswahlVerschluesseln = 3;
  static constexpr int kAuswahlEntschluesseln = 4;

  TKuerzelAnmeldung(HWND fenster, const TTastaturbelegung& belegung);

  // Makes the registered hotkeys those of `kuerzel`, releasing the ones that changed first, and
  // tries again those that another program held so far. Returns the warning for each combination
  // that stays taken, once in the life of the program; the caller shows them when it may.
  std::vector<std::string> Abgleichen(const TTastenkuerzel& kuerzel);

  // The readable name of a command's registered shortcut; empty when it has none in effect.
  std::string Name(int befehl) const;

 private:
  struct TEintrag {
    std::uint32_t kuerzel = 0;
    gui::UniqueHotKey hotkey;
  };

  HWND fenster_;
  const TTastaturbelegung& belegung_;
  std::array<TEintrag, 4> eintraege_;  // the commands in the order of their numbers
  std::vector<THotkey> gemeldet_;
};
