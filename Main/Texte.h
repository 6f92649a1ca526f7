// Every text of the program, as code-page-1252 bytes; the readable German stands beside each.
// Keep them here and nowhere else, byte for byte. The GUI layer's own few are in gui/Texte.h, the
// options editor's in Talsek/Texte.h, and what both programs share in einstellungen/Namen.h and
// einstellungen/Texte.h.
#pragma once

#include <array>
#include <string_view>

namespace texte {

// Tray icon and single-instance object (the form's class and caption are in einstellungen/Namen.h).
inline constexpr std::string_view kTip = "TalsekTray 1.5";
// TalsekTray 1.5 – Zwischenablage wird in <n> s geleert (while a decrypted text waits to leave the clipboard)
inline constexpr std::string_view kTipLeeren = "TalsekTray 1.5 \x96 Zwischenablage wird in %s s geleert";
inline constexpr std::string_view kMutexName = "TalsekTray";
inline constexpr std::string_view kTaskbarCreated = "TaskbarCreated";
// The registered message with which the installer and the uninstaller end a running TalsekTray
// (packaging/TalsekTray.nsi sends it by this name).
inline constexpr std::string_view kSofortBeenden = "TalsekTraySofortBeenden";

// The registered clipboard formats that go with a decrypted text: Windows keeps a text with the
// first out of its clipboard history and the cloud clipboard, and reads the next two, DWORDs of 0,
// the same way; the common clipboard managers do not record a text with the last.
inline constexpr std::array<std::string_view, 4> kPrivatFormate = {
    "ExcludeClipboardContentFromMonitorProcessing", "CanIncludeInClipboardHistory", "CanUploadToCloudClipboard",
    "Clipboard Viewer Ignore"};

// TalsekTray läuft bereits!
inline constexpr std::string_view kLaeuftBereits = "TalsekTray l\xE4uft bereits!";

// Kein Registry-Eintrag für Talsek-Optionen gefunden.\r\nStart mit Standardoptionen
inline constexpr std::string_view kKeinRegistryEintrag =
    "Kein Registry-Eintrag f\xFCr Talsek-Optionen gefunden.\r\nStart mit Standardoptionen";
inline constexpr std::string_view kInfoCaption = "TalsekTray-Info";

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

// The clipboard commands' refusals: each leaves the user's clipboard as it was, or says it could not.
// Die Zwischenablage wird gerade von einem anderen Programm benutzt.\r\n
// Bitte versuchen Sie es noch einmal; die Zwischenablage bleibt unverändert.
inline constexpr std::string_view kZwischenablageBelegt =
    "Die Zwischenablage wird gerade von einem anderen Programm benutzt.\r\n"
    "Bitte versuchen Sie es noch einmal; die Zwischenablage bleibt unver\xE4ndert.";
// Der Text ist mit <n> Zeichen zu lang; TalsekTray verarbeitet höchstens 8.388.608 Zeichen.\r\n
// Die Zwischenablage bleibt unverändert.
inline constexpr std::string_view kTextZuLang =
    "Der Text ist mit %s Zeichen zu lang; TalsekTray verarbeitet h\xF6" "chstens 8.388.608 Zeichen.\r\n"
    "Die Zwischenablage bleibt unver\xE4ndert.";
// Das Ergebnis ließe sich nicht unverändert in die Zwischenablage übertragen.\r\n
// Die Zwischenablage bleibt unverändert.
inline constexpr std::string_view kErgebnisVeraendert =
    "Das Ergebnis lie\xDF" "e sich nicht unver\xE4ndert in die Zwischenablage \xFC" "bertragen.\r\n"
    "Die Zwischenablage bleibt unver\xE4ndert.";
// Das Ergebnis konnte nicht in die Zwischenablage kopiert werden.\r\nBitte versuchen Sie es noch einmal.
inline constexpr std::string_view kNichtKopiert =
    "Das Ergebnis konnte nicht in die Zwischenablage kopiert werden.\r\nBitte versuchen Sie es noch einmal.";

// Das Ergebnis ist ein leerer Text (etwa ein Text nur aus Leerzeichen, die gelöscht werden).\r\n
// Die Zwischenablage bleibt unverändert.
inline constexpr std::string_view kErgebnisLeer =
    "Das Ergebnis ist ein leerer Text (etwa ein Text nur aus Leerzeichen, die gel\xF6scht werden).\r\n"
    "Die Zwischenablage bleibt unver\xE4ndert.";

// The in-place commands' refusals.
// Strg, Umschalt, Alt oder die Windows-Taste ist noch gedrückt.\r\n
// Bitte lassen Sie die Tasten nach dem Tastenkürzel los; der markierte Text bleibt unverändert.
inline constexpr std::string_view kTastenGehalten =
    "Strg, Umschalt, Alt oder die Windows-Taste ist noch gedr\xFC" "ckt.\r\n"
    "Bitte lassen Sie die Tasten nach dem Tastenk\xFCrzel los; der markierte Text bleibt unver\xE4ndert.";
// Es ist kein Text markiert, oder das Fenster nimmt keine Eingaben von TalsekTray an (zum Beispiel
// ein als Administrator gestartetes Programm).\r\nDie Zwischenablage bleibt unverändert.
inline constexpr std::string_view kNichtsMarkiert =
    "Es ist kein Text markiert, oder das Fenster nimmt keine Eingaben von TalsekTray an (zum Beispiel "
    "ein als Administrator gestartetes Programm).\r\nDie Zwischenablage bleibt unver\xE4ndert.";
// Das Fenster mit dem markierten Text ist nicht mehr im Vordergrund; TalsekTray hat nichts eingefügt.\r\n
// Die Zwischenablage bleibt unverändert.
inline constexpr std::string_view kFensterGewechselt =
    "Das Fenster mit dem markierten Text ist nicht mehr im Vordergrund; TalsekTray hat nichts eingef\xFCgt.\r\n"
    "Die Zwischenablage bleibt unver\xE4ndert.";

// Das Fenster im Vordergrund ist eine Konsole oder ein Terminal: dort würde Strg+C das laufende
// Programm abbrechen, und TalsekTray sendet deshalb keine Tasten dorthin.\r\nKopieren Sie den Text dort
// selbst und wählen Sie „Zwischenablage verschlüsseln“ oder „Zwischenablage entschlüsseln“ im Menü von
// TalsekTray. Die Zwischenablage bleibt unverändert.
inline constexpr std::string_view kTerminal =
    "Das Fenster im Vordergrund ist eine Konsole oder ein Terminal: dort w\xFCrde Strg+C das laufende "
    "Programm abbrechen, und TalsekTray sendet deshalb keine Tasten dorthin.\r\nKopieren Sie den Text dort "
    "selbst und w\xE4hlen Sie \x84Zwischenablage verschl\xFCsseln\x93 oder \x84Zwischenablage entschl\xFCsseln\x93 "
    "im Men\xFC von TalsekTray. Die Zwischenablage bleibt unver\xE4ndert.";
// Die Zwischenablage enthält mehr, als TalsekTray während des Ersetzens aufbewahren kann (höchstens
// 64 MB, in höchstens einer Sekunde gelesen).\r\nTalsekTray hat nichts kopiert; die Zwischenablage
// bleibt unverändert.
inline constexpr std::string_view kZuVielInAblage =
    "Die Zwischenablage enth\xE4lt mehr, als TalsekTray w\xE4hrend des Ersetzens aufbewahren kann (h\xF6" "chstens "
    "64 MB, in h\xF6" "chstens einer Sekunde gelesen).\r\nTalsekTray hat nichts kopiert; die Zwischenablage "
    "bleibt unver\xE4ndert.";
// Der frühere Inhalt der Zwischenablage konnte nicht zurückgelegt werden: ein anderes Programm hält
// sie seit zehn Sekunden geöffnet.\r\nDie Zwischenablage enthält noch den markierten Text oder sein
// Ergebnis.
inline constexpr std::string_view kNichtZurueckgegeben =
    "Der fr\xFChere Inhalt der Zwischenablage konnte nicht zur\xFC" "ckgelegt werden: ein anderes Programm h\xE4lt "
    "sie seit zehn Sekunden ge\xF6" "ffnet.\r\nDie Zwischenablage enth\xE4lt noch den markierten Text oder sein "
    "Ergebnis.";

// Das Fenster hat das Ergebnis nicht eingefügt; es nimmt wohl keine Eingaben an (zum Beispiel eine
// schreibgeschützte Seite oder ein schreibgeschütztes Dokument).\r\nDie Zwischenablage bleibt unverändert.
inline constexpr std::string_view kKeinEinfuegen =
    "Das Fenster hat das Ergebnis nicht eingef\xFCgt; es nimmt wohl keine Eingaben an (zum Beispiel eine "
    "schreibgesch\xFCtzte Seite oder ein schreibgesch\xFCtztes Dokument).\r\nDie Zwischenablage bleibt unver\xE4ndert.";

// The tray menu's stored captions, in menu order (the separators are the GUI layer's "-").
inline constexpr std::string_view kProgrammTalsekStarten = "Programm Talsek starten";
// Talsek-Optionen ändern
inline constexpr std::string_view kTalsekOptionenAendern = "Talsek-Optionen \xE4ndern";
// Zwischenablage &verschlüsseln
inline constexpr std::string_view kVerschluesseln = "Zwischenablage &verschl\xFCsseln";
// Zwischenablage &entschlüsseln
inline constexpr std::string_view kEntschluesseln = "Zwischenablage &entschl\xFCsseln";
inline constexpr std::string_view kBeenden = "&Beenden";

// Die Tastenkombination <Name> ist bereits von einem anderen Programm belegt und bleibt in TalsekTray ohne Wirkung.
inline constexpr std::string_view kKombinationBelegt =
    "Die Tastenkombination %s ist bereits von einem anderen Programm belegt und bleibt in TalsekTray ohne Wirkung.";

// The companion program (its arguments are in einstellungen/Namen.h).
inline constexpr std::string_view kTalsekExe = "talsek.exe";

// The rich edit buffer's, when it cannot start.
// RICHED32.DLL konnte nicht geladen werden
inline constexpr std::string_view kRichEditFehlt = "RICHED32.DLL konnte nicht geladen werden";

}  // namespace texte
