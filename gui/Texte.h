// The GUI layer's own texts, as code-page-1252 bytes; the readable German stands beside each.
// The program's texts live with the program; these are the few the layer itself shows or knows.
#pragma once

#include <string_view>

namespace gui::texte {

// The message dialog's one button.
inline constexpr std::string_view kOk = "OK";
// A menu item with this caption is a separator.
inline constexpr std::string_view kSeparator = "-";
// Unbekannter Fehler (an exception that carries no message of its own)
inline constexpr std::string_view kUnbekannterFehler = "Unbekannter Fehler";

}  // namespace gui::texte
