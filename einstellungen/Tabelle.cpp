#include "einstellungen/Tabelle.h"

#include <stdexcept>

#include "einstellungen/Tastenkuerzel.h"

std::size_t Zeile(std::string_view name) {
  for (std::size_t i = 0; i < kEinstellungen.size(); ++i) {
    if (kEinstellungen[i].Name == name) return i;
  }
  throw std::out_of_range("no setting " + std::string(name));
}

const TEinstellung& Einstellung(std::string_view name) { return kEinstellungen[Zeile(name)]; }

bool Zulaessig(const TEinstellung& einstellung, std::int64_t wert) {
  switch (einstellung.Art) {
    case TArt::Zahl:
      return wert >= einstellung.Min && wert <= einstellung.Max;
    case TArt::Kuerzel:
      return wert == 0 || (wert > 0 && wert <= 0xFFFFFFFF && KuerzelVerwendbar(static_cast<std::uint32_t>(wert)));
    case TArt::Schalter:
    case TArt::Pfad:
    case TArt::Schluessel:
      break;
  }
  return true;
}

void AufStandard(const TEinstellung& einstellung, TEinstellungen& einstellungen) {
  TEinstellungen neu;
  if (einstellung.Text != nullptr) einstellung.Text(einstellungen) = einstellung.Text(neu);
  if (einstellung.Zahl != nullptr) einstellung.Zahl(einstellungen) = einstellung.Zahl(neu);
  if (einstellung.Schalter != nullptr) einstellung.Schalter(einstellungen) = einstellung.Schalter(neu);
  if (einstellung.Kuerzel != nullptr) einstellung.Kuerzel(einstellungen) = einstellung.Kuerzel(neu);
}

std::string OrdnerVon(std::string_view dateiname) {
  const auto trenner = dateiname.find_last_of("\\:");
  return trenner == std::string_view::npos ? std::string() : std::string(dateiname.substr(0, trenner + 1));
}
