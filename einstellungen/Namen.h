// The names that the tray program and the options editor talsek.exe share, byte for byte: the
// settings key that the editor writes and the tray program reads, its values, the keys of the stored
// Vigenère key, the arguments with which the tray program opens the editor, and how the editor finds
// the running tray program to tell it of new settings.
#pragma once

#include <string_view>

namespace texte {

// The settings key below HKEY_CURRENT_USER, and its values.
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
// Seconds after which a decrypted text leaves the clipboard (REG_DWORD; 0 or none: never).
inline constexpr std::string_view kZwischenablageLeerenNach = "ZwischenablageLeerenNach";
// The commands' keyboard shortcuts, REG_DWORDs as the hotkey control gives them.
inline constexpr std::string_view kTastenkuerzelVerschluesseln = "TastenkuerzelVerschluesseln";
inline constexpr std::string_view kTastenkuerzelEntschluesseln = "TastenkuerzelEntschluesseln";
inline constexpr std::string_view kTastenkuerzelAuswahlVerschluesseln = "TastenkuerzelAuswahlVerschluesseln";
inline constexpr std::string_view kTastenkuerzelAuswahlEntschluesseln = "TastenkuerzelAuswahlEntschluesseln";
// The fixed key under which the stored Vigenère key is enciphered.
inline constexpr std::string_view kSchluesselSchluessel = "quorvalmidestrenix";
inline constexpr std::string_view kStandardSchluessel = "Wandelrose";

// talsek.exe's arguments.
inline constexpr std::string_view kArgOnlyOption = "-onlyoption";
inline constexpr std::string_view kArgFirstOption = "-firstoption";

// The tray program's hidden form, by window class and caption, and the registered window message that
// the editor posts to it after saving: the tray program then reads the settings at once.
inline constexpr std::string_view kFormKlasse = "TMainForm";
inline constexpr std::string_view kFormCaption = "TalsekTray";
inline constexpr std::string_view kOptionenGespeichert = "TalsekOptionenGespeichert";

}  // namespace texte
