// The options dialog's raw inputs and their check: what the user typed becomes the settings, or the
// German text that tells why it cannot. Both walk the settings table.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "einstellungen/Optionen.h"
#include "einstellungen/Tabelle.h"
#include "einstellungen/Tastaturbelegung.h"

// One control's content as the dialog holds it: the text of an edit, or the value of a list (the
// chosen entry, -1 for none), a check box (0 or 1) or a hotkey control (0 when empty).
struct TEingabe {
  std::string Text;
  std::int64_t Wert = 0;

  bool operator==(const TEingabe&) const = default;
};

// The dialog's contents, one entry per row of the settings table; a row without a control keeps an
// empty entry.
struct TDialogEingaben {
  std::array<TEingabe, kEinstellungen.size()> Felder;

  // The entry of a value, by its registry name.
  TEingabe& operator[](std::string_view name) { return Felder[Zeile(name)]; }
  const TEingabe& operator[](std::string_view name) const { return Felder[Zeile(name)]; }
  bool operator==(const TDialogEingaben&) const = default;
};

struct TEingabePruefung {
  TEinstellungen Einstellungen;  // meaningful only when Fehler is empty
  std::string Fehler;            // the text of the message box; empty when every input is acceptable
  int Steuerelement = 0;         // the control that holds the first refused input, for the caret
};

// The dialog's starting contents for a set of settings.
TDialogEingaben EingabenAus(const TEinstellungen& einstellungen);

// Checks the inputs in the order of the dialog's controls (their numbers) and stops at the first
// refused one; after every control on its own, whether two shortcuts are the same. Programmpfad is
// not an input: the caller says where the companion program lies. The layout tells which keys type
// a character under AltGr, and names the keys in the refusals.
TEingabePruefung EingabenPruefen(const TDialogEingaben& eingaben, std::string_view programmpfad,
                                 const TTastaturbelegung& belegung);
