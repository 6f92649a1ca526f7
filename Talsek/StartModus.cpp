#include "Talsek/StartModus.h"

#include "einstellungen/Namen.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

char Klein(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool GleichOhneFall(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Klein(a[i]) != Klein(b[i])) return false;
  }
  return true;
}

// Skips the program's name as the C runtime does: up to the closing quote, or to the first blank.
std::string_view OhneProgrammnamen(std::string_view zeile) {
  std::size_t i = 0;
  if (!zeile.empty() && zeile.front() == '"') {
    const auto ende = zeile.find('"', 1);
    i = ende == std::string_view::npos ? zeile.size() : ende + 1;
  } else {
    while (i < zeile.size() && !IsBlank(zeile[i])) ++i;
  }
  return zeile.substr(i);
}

}  // namespace

TStartModus StartModusAus(std::string_view kommandozeile) {
  std::string_view rest = OhneProgrammnamen(kommandozeile);
  for (;;) {
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    if (rest.empty()) return TStartModus::Normal;
    std::size_t laenge = 0;
    while (laenge < rest.size() && !IsBlank(rest[laenge])) ++laenge;
    const std::string_view argument = rest.substr(0, laenge);
    if (GleichOhneFall(argument, texte::kArgFirstOption)) return TStartModus::ErsteOptionen;
    if (GleichOhneFall(argument, texte::kArgOnlyOption)) return TStartModus::NurOptionen;
    rest.remove_prefix(laenge);
  }
}
