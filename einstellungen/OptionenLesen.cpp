#include "einstellungen/OptionenLesen.h"

#include <cstdint>
#include <string>
#include <utility>

#include "einstellungen/Namen.h"
#include "einstellungen/Registry.h"
#include "einstellungen/Tabelle.h"
#include "verschl/verschl.h"

namespace {

// The companion program stores the key enciphered under the fixed key; whatever else the stored
// text holds is not part of it.
std::string StoredKeyDeciphered(const std::string& stored) {
  std::string letters;
  for (const char c : stored) {
    if (verschl::IstBuchstabe(c)) letters += c;
  }
  return verschl::VigenereEntschluesseln(letters, texte::kSchluesselSchluessel, false);
}

void Fehlt(const TEinstellung& w, TEinstellungen& e, const ExePathFunction& exePath) {
  switch (w.Fehlt) {
    case TFehlt::Bleibt:
      break;
    case TFehlt::Standard:
      AufStandard(w, e);
      break;
    case TFehlt::Programmordner:
      w.Text(e) = OrdnerVon(exePath());
      break;
  }
}

void Lesen(const TEinstellung& w, TEinstellungen& e, Registry& registry) {
  switch (w.Art) {
    case TArt::Pfad:
      // Wide: a folder in the user's profile may have letters that no ANSI code page holds.
      w.Text(e) = registry.ReadPath(w.Name);
      break;
    case TArt::Schluessel: {
      std::string key = StoredKeyDeciphered(registry.ReadString(w.Name));
      // The key must never be empty: the Vigenère command would have nothing to shift with.
      if (key.empty()) {
        AufStandard(w, e);
      } else {
        w.Text(e) = std::move(key);
      }
      break;
    }
    case TArt::Zahl:
      if (const std::int32_t value = registry.ReadInteger(w.Name); Zulaessig(w, value)) w.Zahl(e) = value;
      break;
    case TArt::Schalter:
      w.Schalter(e) = registry.ReadBool(w.Name);
      break;
    case TArt::Kuerzel:
      // A value that breaks a rule is no shortcut, at start-up and at every later refresh alike.
      if (const auto value = static_cast<std::uint32_t>(registry.ReadInteger(w.Name)); Zulaessig(w, value)) {
        w.Kuerzel(e) = value;
      } else {
        AufStandard(w, e);
      }
      break;
  }
}

}  // namespace

void OptionenLesen(TEinstellungen& einstellungen, RegistryApi& registryApi, const ExePathFunction& exePath) {
  // Every field is written the moment its value is accepted, so an error part-way leaves the earlier
  // fields refreshed; the accessor closes the key however we leave.
  Registry registry(registryApi);
  if (!registry.OpenKey(texte::kSettingsKey)) {
    einstellungen.Optionen.RegistryGefunden = false;
    return;
  }
  einstellungen.Optionen.RegistryGefunden = true;
  for (const TEinstellung& w : kEinstellungen) {
    if (registry.ValueExists(w.Name)) {
      Lesen(w, einstellungen, registry);
    } else {
      Fehlt(w, einstellungen, exePath);
    }
  }
  registry.CloseKey();
}
