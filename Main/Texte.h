// Every text of the program, as code-page-1252 bytes; the readable German stands beside each.
// Keep them here and nowhere else, byte for byte. The GUI layer's own few are in gui/Texte.h.
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

// The tray menu's stored captions, in menu order (the separators are the GUI layer's "-").
inline constexpr std::string_view kProgrammTalsekStarten = "Programm Talsek starten";
// Talsek-Optionen ändern
inline constexpr std::string_view kTalsekOptionenAendern = "Talsek-Optionen \xE4ndern";
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

// The rich edit buffer's, when it cannot start.
// RICHED32.DLL konnte nicht geladen werden
inline constexpr std::string_view kRichEditFehlt = "RICHED32.DLL konnte nicht geladen werden";

// ---- The options editor talsek.exe (Talsek/) -----------------------------------------------------

// Its dialog's caption, its window class (what a second start looks for) and its single-instance mutex.
inline constexpr std::string_view kOptionenCaption = "Talsek-Optionen";
inline constexpr std::string_view kOptionenKlasse = "TalsekOptionen";
inline constexpr std::string_view kOptionenMutex = "TalsekOptionen";

// The methods in the order of their codes 0 to 4: Spaltentransposition, Caesar-Verschiebung, ROT13,
// Verschiebung um 128, Vigenère
inline constexpr std::string_view kMethodenNamen[] = {"Spaltentransposition", "Caesar-Verschiebung", "ROT13",
                                                      "Verschiebung um 128", "Vigen\xE8re"};

// Es wurden noch keine Optionen gespeichert. Bitte speichern Sie sie jetzt.
inline constexpr std::string_view kErsteOptionenHinweis =
    "Es wurden noch keine Optionen gespeichert. Bitte speichern Sie sie jetzt.";

// The numeric fields as the messages name them.
inline constexpr std::string_view kFeldCaesar = "Caesar-Verschiebung";
inline constexpr std::string_view kFeldSpaltenzahl = "Spaltenzahl";
// Bitte wählen Sie eine Methode.
inline constexpr std::string_view kKeineMethode = "Bitte w\xE4hlen Sie eine Methode.";
// Bitte geben Sie bei <Feld> eine ganze Zahl von <min> bis <max> ein.
inline constexpr std::string_view kZahlFehlt = "Bitte geben Sie bei %s eine ganze Zahl von %s bis %s ein.";
// "<Eingabe>" bei <Feld> ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von <min> bis <max>.
inline constexpr std::string_view kKeineZahl =
    "\"%s\" bei %s ist keine ganze Zahl.\r\nErlaubt sind die Zahlen von %s bis %s.";
// <Zahl> bei <Feld> liegt nicht im erlaubten Bereich.\r\nErlaubt sind die Zahlen von <min> bis <max>.
inline constexpr std::string_view kZahlAusserhalb =
    "%s bei %s liegt nicht im erlaubten Bereich.\r\nErlaubt sind die Zahlen von %s bis %s.";
// Bitte geben Sie einen Vigenère-Schlüssel ein.\r\nErlaubt sind die Buchstaben A bis Z und a bis z.
inline constexpr std::string_view kSchluesselLeer =
    "Bitte geben Sie einen Vigen\xE8re-Schl\xFCssel ein.\r\nErlaubt sind die Buchstaben A bis Z und a bis z.";
// Der Vigenère-Schlüssel darf nur die Buchstaben A bis Z und a bis z enthalten.\r\n
// Das Zeichen "<c>" an Stelle <n> ist nicht erlaubt.
inline constexpr std::string_view kSchluesselZeichen =
    "Der Vigen\xE8re-Schl\xFCssel darf nur die Buchstaben A bis Z und a bis z enthalten.\r\n"
    "Das Zeichen \"%s\" an Stelle %s ist nicht erlaubt.";
// Die Optionen konnten nicht in der Registrierung gespeichert werden.\r\n<Schlüssel oder Wert>: <Systemtext> (Fehler <n>)
inline constexpr std::string_view kSpeichernFehler =
    "Die Optionen konnten nicht in der Registrierung gespeichert werden.\r\n%s: %s (Fehler %s)";

}  // namespace texte
