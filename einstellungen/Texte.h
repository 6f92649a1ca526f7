// The texts of what both programs share about the settings, as code-page-1252 bytes; the readable
// German stands beside each. Keep them here and nowhere else, byte for byte.
#pragma once

#include <string_view>

namespace texte {

// A registry value of the wrong type or size, as the refresh reports it.
// Ungültiger Datentyp für '%s'
inline constexpr std::string_view kUngueltigerDatentyp = "Ung\xFCltiger Datentyp f\xFCr '%s'";
// Konnte Daten für '%s' nicht holen
inline constexpr std::string_view kKonnteDatenNichtHolen = "Konnte Daten f\xFCr '%s' nicht holen";

// A failed save, as the editor reports it.
// Die Optionen konnten nicht in der Registrierung gespeichert werden.\r\n<Schlüssel oder Wert>: <Systemtext> (Fehler <n>)
inline constexpr std::string_view kSpeichernFehler =
    "Die Optionen konnten nicht in der Registrierung gespeichert werden.\r\n%s: %s (Fehler %s)";

// The values as the editor's refusals name them: the numeric fields, and the commands whose
// shortcuts they are.
inline constexpr std::string_view kFeldCaesar = "Caesar-Verschiebung";
inline constexpr std::string_view kFeldSpaltenzahl = "Spaltenzahl";
// Sekunden bis zum Löschen
inline constexpr std::string_view kFeldLeerenNach = "Sekunden bis zum L\xF6schen";
inline constexpr std::string_view kBefehlVerschluesseln = "Verschl\xFCsseln";
inline constexpr std::string_view kBefehlEntschluesseln = "Entschl\xFCsseln";
// Markierten Text verschlüsseln, Markierten Text entschlüsseln
inline constexpr std::string_view kBefehlAuswahlVerschluesseln = "Markierten Text verschl\xFCsseln";
inline constexpr std::string_view kBefehlAuswahlEntschluesseln = "Markierten Text entschl\xFCsseln";

// A shortcut's readable name: the modifiers in this order, joined by "+", then the key.
inline constexpr std::string_view kStrg = "Strg";
inline constexpr std::string_view kUmschalt = "Umschalt";
inline constexpr std::string_view kAlt = "Alt";
// The keys' names where the keyboard layout has none; F1 to F24 and the number pad's "Num 0" to
// "Num 9" are made from their numbers. Rücktaste
inline constexpr std::string_view kRuecktaste = "R\xFC" "cktaste";
inline constexpr std::string_view kTab = "Tab";
inline constexpr std::string_view kEingabe = "Eingabe";
inline constexpr std::string_view kPause = "Pause";
inline constexpr std::string_view kEsc = "Esc";
inline constexpr std::string_view kLeertaste = "Leertaste";
inline constexpr std::string_view kBildAuf = "Bild auf";
inline constexpr std::string_view kBildAb = "Bild ab";
inline constexpr std::string_view kEnde = "Ende";
inline constexpr std::string_view kPos1 = "Pos1";
inline constexpr std::string_view kNachLinks = "Nach links";
inline constexpr std::string_view kNachOben = "Nach oben";
inline constexpr std::string_view kNachRechts = "Nach rechts";
inline constexpr std::string_view kNachUnten = "Nach unten";
inline constexpr std::string_view kDruck = "Druck";
inline constexpr std::string_view kEinfg = "Einfg";
inline constexpr std::string_view kEntf = "Entf";
inline constexpr std::string_view kNum = "Num ";
// Taste <Nummer> (a key that has no name at all, by its virtual-key code)
inline constexpr std::string_view kTasteNummer = "Taste %s";

}  // namespace texte
