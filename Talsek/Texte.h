// The texts of the options editor talsek.exe, as code-page-1252 bytes; the readable German stands
// beside each. Keep them here and nowhere else, byte for byte. What it shares with the tray
// program (the settings key and its values, its arguments, the names
// by which its refusals name the values) is in einstellungen/Namen.h and einstellungen/Texte.h.
#pragma once

#include <string_view>

namespace texte {

// The dialog's caption, its window class (what a second start looks for) and its single-instance mutex.
inline constexpr std::string_view kOptionenCaption = "Talsek-Optionen";
inline constexpr std::string_view kOptionenKlasse = "TalsekOptionen";
inline constexpr std::string_view kOptionenMutex = "TalsekOptionen";
// The registered message with which an installer or uninstaller ends a running editor before it
// replaces or removes its files (packaging/TalsekTray.nsi posts it by this name).
inline constexpr std::string_view kSofortBeenden = "TalsekOptionenSofortBeenden";

// The methods in the order of their codes 0 to 4: Spaltentransposition, Caesar-Verschiebung, ROT13,
// Verschiebung um 128, Vigenère
inline constexpr std::string_view kMethodenNamen[] = {"Spaltentransposition", "Caesar-Verschiebung", "ROT13",
                                                      "Verschiebung um 128", "Vigen\xE8re"};

// Es wurden noch keine Optionen gespeichert. Bitte speichern Sie sie jetzt.
inline constexpr std::string_view kErsteOptionenHinweis =
    "Es wurden noch keine Optionen gespeichert. Bitte speichern Sie sie jetzt.";

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
// Das Tastenkürzel für <Befehl> hat keine Taste, die TalsekTray verwenden kann.\r\n
// Bitte drücken Sie im Feld eine Tastenkombination mit Strg oder Alt.
inline constexpr std::string_view kKuerzelOhneTaste =
    "Das Tastenk\xFCrzel f\xFCr %s hat keine Taste, die TalsekTray verwenden kann.\r\n"
    "Bitte dr\xFC" "cken Sie im Feld eine Tastenkombination mit Strg oder Alt.";
// <Kürzel> ist als Tastenkürzel für <Befehl> nicht möglich:\r\n
// Ohne Strg oder Alt finge TalsekTray die Taste in jedem Programm ab, und sie wirkte dort nicht mehr.
// Nur F1 bis F24 gehen auch allein.
inline constexpr std::string_view kKuerzelOhneStrgAlt =
    "%s ist als Tastenk\xFCrzel f\xFCr %s nicht m\xF6glich:\r\n"
    "Ohne Strg oder Alt finge TalsekTray die Taste in jedem Programm ab, und sie wirkte dort nicht mehr. "
    "Nur F1 bis F24 gehen auch allein.";
// <Kürzel> ist als Tastenkürzel für <Befehl> nicht möglich:\r\n
// Auf dieser Tastaturbelegung wirkt Strg+Alt wie AltGr, und die Taste schreibt damit ein Zeichen.
inline constexpr std::string_view kKuerzelAltGr =
    "%s ist als Tastenk\xFCrzel f\xFCr %s nicht m\xF6glich:\r\n"
    "Auf dieser Tastaturbelegung wirkt Strg+Alt wie AltGr, und die Taste schreibt damit ein Zeichen.";
// <Befehl> und <Befehl> haben dasselbe Tastenkürzel <Kürzel>.\r\n
// Bitte wählen Sie für jeden Befehl ein eigenes.
inline constexpr std::string_view kKuerzelDoppelt =
    "%s und %s haben dasselbe Tastenk\xFCrzel %s.\r\n"
    "Bitte w\xE4hlen Sie f\xFCr jeden Befehl ein eigenes.";

}  // namespace texte
