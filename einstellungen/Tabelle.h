// The settings key described once: one row per registry value, in the order in which the refresh
// reads them. The refresh, the writer, the editor's checks and its dialog all walk this table; a
// new value is one row here and its control in the dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "einstellungen/Namen.h"
#include "einstellungen/Optionen.h"
#include "einstellungen/Steuerelemente.h"
#include "einstellungen/Texte.h"

// How a value is stored and what the record makes of it.
enum class TArt {
  Pfad,        // REG_SZ (REG_EXPAND_SZ is read unexpanded), read and written wide: a folder, UTF-8 in the record
  Schluessel,  // REG_SZ: the Vigenère key, enciphered under the fixed key; its letters alone count
  Zahl,        // REG_DWORD as a signed number, taken only within Min to Max
  Schalter,    // REG_DWORD: 0 is false, every other value true
  Kuerzel,     // REG_DWORD in the hotkey control's form: 0 is none, and so is a value that breaks a rule
};

// What a refresh that finds the key but not the value does with the field.
enum class TFehlt {
  Bleibt,          // the field keeps its value
  Standard,        // the field takes its default, the value of a new record: the user took it away
  Programmordner,  // the folder of the running program, where the companion program is looked for
};

// How the editor's dialog shows the value.
enum class TBedienung {
  Keine,              // not at all: the editor sets it itself
  Methodenliste,      // a drop-down list of the methods, entry i for the number i
  Zahlfeld,           // an edit with an up-down control beside it (the next control number)
  Textfeld,           // an edit
  Kontrollkaestchen,  // a check box
  Tastenkuerzel,      // a hotkey control
};

// One registry value. The member it fills is reached through the one accessor that its kind uses.
struct TEinstellung {
  std::string_view Name;
  TArt Art;
  TFehlt Fehlt = TFehlt::Bleibt;
  std::int32_t Min = 0;  // Zahl only: the accepted range
  std::int32_t Max = 0;
  std::string& (*Text)(TEinstellungen&) = nullptr;        // Pfad, Schluessel
  std::int32_t& (*Zahl)(TEinstellungen&) = nullptr;       // Zahl
  bool& (*Schalter)(TEinstellungen&) = nullptr;           // Schalter
  std::uint32_t& (*Kuerzel)(TEinstellungen&) = nullptr;   // Kuerzel
  // The editor's view: the control's number in its dialog (0 for none), how it shows the value, and
  // the name by which its refusals name it.
  int Steuerelement = 0;
  TBedienung Bedienung = TBedienung::Keine;
  std::string_view Bezeichnung = {};
};

namespace einstellungen_detail {
template <auto Feld>
constexpr auto& Option(TEinstellungen& e) {
  return e.Optionen.*Feld;
}
template <auto Feld>
constexpr auto& Kuerzel(TEinstellungen& e) {
  return e.Tastenkuerzel.*Feld;
}
}  // namespace einstellungen_detail

inline constexpr std::array<TEinstellung, 16> kEinstellungen = [] {
  using namespace einstellungen_detail;
  using B = TBedienung;
  return std::array<TEinstellung, 16>{{
      {.Name = texte::kProgrammpfad, .Art = TArt::Pfad, .Fehlt = TFehlt::Programmordner,
       .Text = &Option<&TOptionen::Programmpfad>},
      {.Name = texte::kCaesarVerschiebung, .Art = TArt::Zahl, .Min = 0, .Max = 25,
       .Zahl = &Option<&TOptionen::CaesarVerschiebung>, .Steuerelement = IDC_CAESAR, .Bedienung = B::Zahlfeld,
       .Bezeichnung = texte::kFeldCaesar},
      {.Name = texte::kMethode, .Art = TArt::Zahl, .Min = 0, .Max = 4, .Zahl = &Option<&TOptionen::Methode>,
       .Steuerelement = IDC_METHODE, .Bedienung = B::Methodenliste},
      {.Name = texte::kMatrixQuadratisch, .Art = TArt::Schalter, .Schalter = &Option<&TOptionen::MatrixQuadratisch>,
       .Steuerelement = IDC_QUADRATISCH, .Bedienung = B::Kontrollkaestchen},
      {.Name = texte::kSpaltenzahl, .Art = TArt::Zahl, .Min = 1, .Max = 100,
       .Zahl = &Option<&TOptionen::Spaltenzahl>, .Steuerelement = IDC_SPALTENZAHL, .Bedienung = B::Zahlfeld,
       .Bezeichnung = texte::kFeldSpaltenzahl},
      {.Name = texte::kVigenereSchluessel, .Art = TArt::Schluessel,
       .Text = &Option<&TOptionen::VigenereSchluessel>, .Steuerelement = IDC_SCHLUESSEL, .Bedienung = B::Textfeld},
      {.Name = texte::kSonderzeichenIgnorieren, .Art = TArt::Schalter,
       .Schalter = &Option<&TOptionen::SonderzeichenIgnorieren>, .Steuerelement = IDC_SONDERZEICHEN,
       .Bedienung = B::Kontrollkaestchen},
      {.Name = texte::kKleinschrift, .Art = TArt::Schalter, .Schalter = &Option<&TOptionen::Kleinschrift>,
       .Steuerelement = IDC_KLEINSCHRIFT, .Bedienung = B::Kontrollkaestchen},
      {.Name = texte::kGrossschrift, .Art = TArt::Schalter, .Schalter = &Option<&TOptionen::Grossschrift>,
       .Steuerelement = IDC_GROSSSCHRIFT, .Bedienung = B::Kontrollkaestchen},
      {.Name = texte::kLeerzeichenLoeschen, .Art = TArt::Schalter,
       .Schalter = &Option<&TOptionen::LeerzeichenLoeschen>, .Steuerelement = IDC_LEERZEICHEN,
       .Bedienung = B::Kontrollkaestchen},
      {.Name = texte::kUmlauteErsetzen, .Art = TArt::Schalter, .Schalter = &Option<&TOptionen::UmlauteErsetzen>,
       .Steuerelement = IDC_UMLAUTE, .Bedienung = B::Kontrollkaestchen},
      {.Name = texte::kZwischenablageLeerenNach, .Art = TArt::Zahl, .Fehlt = TFehlt::Standard, .Min = 0,
       .Max = 3600, .Zahl = &Option<&TOptionen::ZwischenablageLeerenNach>, .Steuerelement = IDC_LEEREN,
       .Bedienung = B::Zahlfeld, .Bezeichnung = texte::kFeldLeerenNach},
      {.Name = texte::kTastenkuerzelVerschluesseln, .Art = TArt::Kuerzel, .Fehlt = TFehlt::Standard,
       .Kuerzel = &Kuerzel<&TTastenkuerzel::Verschluesseln>, .Steuerelement = IDC_KUERZEL_VERSCHLUESSELN,
       .Bedienung = B::Tastenkuerzel, .Bezeichnung = texte::kBefehlVerschluesseln},
      {.Name = texte::kTastenkuerzelEntschluesseln, .Art = TArt::Kuerzel, .Fehlt = TFehlt::Standard,
       .Kuerzel = &Kuerzel<&TTastenkuerzel::Entschluesseln>, .Steuerelement = IDC_KUERZEL_ENTSCHLUESSELN,
       .Bedienung = B::Tastenkuerzel, .Bezeichnung = texte::kBefehlEntschluesseln},
      {.Name = texte::kTastenkuerzelAuswahlVerschluesseln, .Art = TArt::Kuerzel, .Fehlt = TFehlt::Standard,
       .Kuerzel = &Kuerzel<&TTastenkuerzel::AuswahlVerschluesseln>,
       .Steuerelement = IDC_KUERZEL_AUSWAHL_VERSCHLUESSELN, .Bedienung = B::Tastenkuerzel,
       .Bezeichnung = texte::kBefehlAuswahlVerschluesseln},
      {.Name = texte::kTastenkuerzelAuswahlEntschluesseln, .Art = TArt::Kuerzel, .Fehlt = TFehlt::Standard,
       .Kuerzel = &Kuerzel<&TTastenkuerzel::AuswahlEntschluesseln>,
       .Steuerelement = IDC_KUERZEL_AUSWAHL_ENTSCHLUESSELN, .Bedienung = B::Tastenkuerzel,
       .Bezeichnung = texte::kBefehlAuswahlEntschluesseln},
  }};
}();

// The row of a value name; throws std::out_of_range for a name the table does not hold.
const TEinstellung& Einstellung(std::string_view name);
// Its place in the table.
std::size_t Zeile(std::string_view name);

// Whether a stored integer is one the field takes: within the range of a Zahl; for a Kuerzel 0 or
// a combination that can serve; any value for a Schalter.
bool Zulaessig(const TEinstellung& einstellung, std::int64_t wert);

// The field set back to its value in a new record.
void AufStandard(const TEinstellung& einstellung, TEinstellungen& einstellungen);

// The folder of a full file name with its trailing "\" or ":"; empty when there is neither.
std::string OrdnerVon(std::string_view dateiname);
