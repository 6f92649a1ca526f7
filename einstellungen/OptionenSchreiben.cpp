#include "einstellungen/OptionenSchreiben.h"

#include <string>
#include <string_view>
#include <utility>

#include "einstellungen/Einsetzen.h"
#include "einstellungen/Namen.h"
#include "einstellungen/Tabelle.h"
#include "einstellungen/Texte.h"
#include "gui/Unicode.h"
#include "verschl/verschl.h"

namespace {

TRegistryWert Text(std::string_view name, std::string_view text) {
  std::vector<unsigned char> daten(text.begin(), text.end());
  daten.push_back(0);
  return {std::string(name), kRegSz, std::move(daten)};
}

// A folder written wide, in whatever letters its name has.
TRegistryWert Pfad(std::string_view name, std::string_view utf8) {
  std::vector<unsigned char> daten;
  for (const char16_t einheit : gui::Utf16AusUtf8(utf8) + u'\0') {
    daten.push_back(static_cast<unsigned char>(einheit));
    daten.push_back(static_cast<unsigned char>(einheit >> 8));
  }
  return {std::string(name), kRegSz, std::move(daten), true};
}

// REG_DWORD is little-endian on every Windows machine, whatever the machine running this code.
TRegistryWert Dword(std::string_view name, std::uint32_t bits) {
  return {std::string(name),
          kRegDword,
          {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
           static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)}};
}

TRegistryWert Zahl(std::string_view name, std::int32_t zahl) {
  return Dword(name, static_cast<std::uint32_t>(zahl));
}

TRegistryWert Schalter(std::string_view name, bool an) { return Zahl(name, an ? 1 : 0); }

// The opened settings key, given back to the interface on every path.
class GeoeffneterSchluessel {
 public:
  GeoeffneterSchluessel(RegistrySchreibApi& api, RegKey key) : api_(api), key_(key) {}
  ~GeoeffneterSchluessel() { api_.CloseKey(key_); }
  GeoeffneterSchluessel(const GeoeffneterSchluessel&) = delete;
  GeoeffneterSchluessel& operator=(const GeoeffneterSchluessel&) = delete;
  RegKey Key() const { return key_; }

 private:
  RegistrySchreibApi& api_;
  RegKey key_;
};

[[noreturn]] void Melden(RegistrySchreibApi& api, std::string_view was, long status) {
  throw ESpeichernFehler(Einsetzen(texte::kSpeichernFehler, {was, api.StatusText(status), std::to_string(status)}));
}

TRegistryWert Wert(const TEinstellung& w, TEinstellungen& e) {
  switch (w.Art) {
    case TArt::Pfad:
      return Pfad(w.Name, w.Text(e));
    case TArt::Schluessel:
      return Text(w.Name, verschl::VigenereVerschluesseln(w.Text(e), texte::kSchluesselSchluessel, false));
    case TArt::Zahl:
      return Zahl(w.Name, w.Zahl(e));
    case TArt::Schalter:
      return Schalter(w.Name, w.Schalter(e));
    case TArt::Kuerzel:
      return Dword(w.Name, w.Kuerzel(e));
  }
  return {};
}

}  // namespace

std::vector<TRegistryWert> RegistryWerte(const TEinstellungen& einstellungen) {
  // The table's accessors hand out the fields for writing as well; a copy keeps the caller's alone.
  TEinstellungen e = einstellungen;
  std::vector<TRegistryWert> werte;
  werte.reserve(kEinstellungen.size());
  for (const TEinstellung& w : kEinstellungen) werte.push_back(Wert(w, e));
  return werte;
}

void OptionenSpeichern(const TEinstellungen& einstellungen, RegistrySchreibApi& api) {
  const std::vector<TRegistryWert> werte = RegistryWerte(einstellungen);
  RegKey key = 0;
  const std::string pfad = "HKEY_CURRENT_USER\\" + std::string(texte::kSettingsKey);
  if (const long status = api.CreateCurrentUserKey(texte::kSettingsKey, key); status != kErrorSuccess) {
    Melden(api, pfad, status);
  }
  const GeoeffneterSchluessel schluessel(api, key);
  for (const TRegistryWert& wert : werte) {
    const auto groesse = static_cast<std::uint32_t>(wert.Daten.size());
    const long status = wert.Breit ? api.SetValueW(schluessel.Key(), wert.Name, wert.Typ, wert.Daten.data(), groesse)
                                   : api.SetValue(schluessel.Key(), wert.Name, wert.Typ, wert.Daten.data(), groesse);
    if (status != kErrorSuccess) Melden(api, pfad + "\\" + wert.Name, status);
  }
}
