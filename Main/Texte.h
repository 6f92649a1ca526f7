// Every text of the program, as code-page-1252 bytes; the readable German stands beside each.
// Keep them here and nowhere else, byte for byte.
#pragma once

#include <string_view>

namespace texte {

// Tray icon, form and single-instance object.
inline constexpr std::string_view kTip = "TalsekTray 1.5";
inline constexpr std::string_view kFormCaption = "TalsekTray";
inline constexpr std::string_view kMutexName = "TalsekTray";
inline constexpr std::string_view kTaskbarCreated = "TaskbarCreated";

// TalsekTray läuft bereits!
inline constexpr std::string_view kLaeuftBereits = "TalsekTray l\xE4uft bereits!";
inline constexpr std::string_view kOk = "OK";

// Kein Registry-Eintrag für Talsek-Optionen gefunden.\r\nStart mit Standardoptionen
inline constexpr std::string_view kKeinRegistryEintrag =
    "Kein Registry-Eintrag f\xFCr Talsek-Optionen gefunden.\r\nStart mit Standardoptionen";
inline constexpr std::string_view kInfoCaption = "TalsekTray-Info";

// Ungültiger Datentyp für '%s'
inline constexpr std::string_view kUngueltigerDatentyp = "Ung\xFCltiger Datentyp f\xFCr '%s'";
// Konnte Daten für '%s' nicht holen
inline constexpr std::string_view kKonnteDatenNichtHolen = "Konnte Daten f\xFCr '%s' nicht holen";

// Fehler
inline constexpr std::string_view kFehler = "Fehler";
// Talsek wurde nicht im Pfad \r\n<Programmpfad>\r\n gefunden!
inline constexpr std::string_view kNichtImPfadVor = "Talsek wurde nicht im Pfad \r\n";
inline constexpr std::string_view kNichtImPfadNach = "\r\n gefunden!";

// Warnung
inline constexpr std::string_view kWarnung = "Warnung";
// Bitte wählen Sie die Option "Optionen in Registierung speichern"\r\nim Hauptprogramm von Talsek!
inline constexpr std::string_view kFirstOptionWarnung =
    "Bitte w\xE4hlen Sie die Option \"Optionen in Registierung speichern\"\r\nim Hauptprogramm von Talsek!";

// Der Text enthält das Zeichen €, das diese Methode in ein Nullzeichen verwandeln würde.\r\n
// Die Zwischenablage bleibt unverändert.
inline constexpr std::string_view kNullzeichen =
    "Der Text enth\xE4lt das Zeichen \x80, das diese Methode in ein Nullzeichen verwandeln w\xFCrde.\r\n"
    "Die Zwischenablage bleibt unver\xE4ndert.";

// The tray menu's stored captions, in menu order ("-" is a separator).
inline constexpr std::string_view kProgrammTalsekStarten = "Programm Talsek starten";
// Talsek-Optionen ändern
inline constexpr std::string_view kTalsekOptionenAendern = "Talsek-Optionen \xE4ndern";
inline constexpr std::string_view kSeparator = "-";
// Zwischenablage &verschlüsseln
inline constexpr std::string_view kVerschluesseln = "Zwischenablage &verschl\xFCsseln";
// Zwischenablage &entschlüsseln
inline constexpr std::string_view kEntschluesseln = "Zwischenablage &entschl\xFCsseln";
inline constexpr std::string_view kBeenden = "&Beenden";

// The companion program and its arguments.
inline constexpr std::string_view kTalsekExe = "talsek.exe";
inline constexpr std::string_view kArgOnlyOption = "-onlyoption";
inline constexpr std::string_view kArgFirstOption = "-firstoption";

// The settings key that the companion program writes, and its values.
inline constexpr std::string_view kSettingsKey = "Software\\Holvarin\\Talsek";
inline constexpr std::string_view kProgrammpfad = "Programmpfad";
inline constexpr std::string_view kCaesarVerschiebung = "CaesarVerschiebung";
inline constexpr std::string_view kMethode = "Methode";
inline constexpr std::string_view kMatrixQuadratisch = "MatrixQuadratisch";
inline constexpr std::string_view kSpaltenzahl = "Spaltenzahl";
inline constexpr std::string_view kVigenereSchluessel = "VigenereSchluessel";
inline constexpr std::string_view kSonderzeichenIgnorieren = "SonderzeichenIgnorieren";
inline constexpr std::string_view kKleinschrift = "Kleinschrift";
inline constexpr std::string_view kGrossschrift = "Grossschrift";
inline constexpr std::string_view kLeerzeichenLoeschen = "LeerzeichenLoeschen";
inline constexpr std::string_view kUmlauteErsetzen = "UmlauteErsetzen";
// The fixed key under which the stored Vigenère key is enciphered.
inline constexpr std::string_view kSchluesselSchluessel = "quorvalmidestrenix";
inline constexpr std::string_view kStandardSchluessel = "Wandelrose";

// The GUI layer's own texts.
// Unbekannter Fehler (an exception that carries no message of its own)
inline constexpr std::string_view kUnbekannterFehler = "Unbekannter Fehler";
// RICHED32.DLL konnte nicht geladen werden
inline constexpr std::string_view kRichEditFehlt = "RICHED32.DLL konnte nicht geladen werden";

}  // namespace texte
