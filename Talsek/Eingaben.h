// The options dialog's raw inputs and their check: what the user typed becomes an option record,
// or the German text that tells why it cannot be one.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "Main/Einsetzen.h"
#include "Main/Optionen.h"
#include "Main/Tastaturbelegung.h"

// The controls' contents as the dialog holds them: numbers and the key as typed, the method as
// the index of the chosen list entry (-1 when none is chosen).
struct TDialogEingaben {
  int Methode = -1;
  std::string CaesarVerschiebung;
  bool MatrixQuadratisch = false;
  std::string Spaltenzahl;
  std::string VigenereSchluessel;
  bool SonderzeichenIgnorieren = false;
  bool UmlauteErsetzen = false;
  bool Kleinschrift = false;
  bool Grossschrift = false;
  bool LeerzeichenLoeschen = false;
  // The hotkey controls' values (HKM_GETHOTKEY), 0 when empty.
  std::uint32_t TastenkuerzelVerschluesseln = 0;
  std::uint32_t TastenkuerzelEntschluesseln = 0;

  bool operator==(const TDialogEingaben&) const = default;
};

// The control that holds the first refused input, so that the dialog can put the caret there.
enum class TEingabeFeld {
  Keines,
  Methode,
  CaesarVerschiebung,
  Spaltenzahl,
  VigenereSchluessel,
  TastenkuerzelVerschluesseln,
  TastenkuerzelEntschluesseln,
};

struct TEingabePruefung {
  TOptionen Optionen;      // meaningful only when Fehler is empty
  TTastenkuerzel Kuerzel;  // likewise
  std::string Fehler;      // the text of the message box; empty when every input is acceptable
  TEingabeFeld Feld = TEingabeFeld::Keines;
};

// The dialog's starting contents for an option record and the shortcuts.
TDialogEingaben EingabenAus(const TOptionen& optionen, const TTastenkuerzel& kuerzel);

// Checks the inputs in the order of the dialog's controls and stops at the first refused one; the
// shortcuts last, and after each on its own whether both are the same. Programmpfad is not an
// input: the caller says where the companion program lies. The layout tells which keys type a
// character under AltGr, and names the keys in the refusals.
TEingabePruefung EingabenPruefen(const TDialogEingaben& eingaben, std::string_view programmpfad,
                                 const TTastaturbelegung& belegung);
