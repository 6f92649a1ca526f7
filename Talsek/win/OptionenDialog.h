// The options dialog: one modal dialog from the resource template IDD_OPTIONEN, filled from the
// settings by walking the settings table, checked and saved on OK; a running tray program is then told.
#pragma once

#include <windows.h>

#include <string>

#include "Talsek/Eingaben.h"
#include "Talsek/StartModus.h"
#include "einstellungen/OptionenSchreiben.h"
#include "einstellungen/Optionen.h"
#include "einstellungen/win/Win32Tastaturbelegung.h"

namespace gui {
class TApplication;
}

// Registers the dialog's own window class (named in the template), so that a second start can
// find the dialog by its class and no message box is mistaken for it. Once per process.
void OptionenDialogKlasseRegistrieren();

class TOptionenDialog {
 public:
  TOptionenDialog(gui::TApplication& application, const TEinstellungen& einstellungen, TStartModus modus,
                  RegistrySchreibApi& registry, std::string programmpfad);
  TOptionenDialog(const TOptionenDialog&) = delete;
  TOptionenDialog& operator=(const TOptionenDialog&) = delete;

  // Shows the dialog and returns when it is closed: by OK (true) or by "Abbrechen", Escape or the
  // close box (false).
  bool Ausfuehren();

 private:
  // The dialog manager calls this; nothing may unwind through it.
  static INT_PTR CALLBACK Prozedur(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
  INT_PTR Nachricht(UINT message, WPARAM wParam);
  void Fuellen();
  void HinweisZeigen(bool zeigen);
  TDialogEingaben Lesen() const;
  void Ok();
  void Fokussieren(int steuerelement);

  gui::TApplication& application_;
  TEinstellungen einstellungen_;
  Win32Tastaturbelegung belegung_;
  TStartModus modus_;
  RegistrySchreibApi& registry_;
  std::string programmpfad_;
  HWND dialog_ = nullptr;
};
