#include "Talsek/OptionenSchreiben.h"

#include <string>
#include <utility>

#include "Main/Einstellungen.h"
#include "Talsek/Eingaben.h"
#include "Talsek/Texte.h"
#include "verschl/verschl.h"

namespace {

TRegistryWert Text(std::string_view name, std::string_view text) {
  std::vector<unsigned char> daten(text.begin(), text.end());
  daten.push_back(0);
  return {std::string(name), kRegSz, std::move(daten)};
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

}  // namespace

std::vector<TRegistryWert> RegistryWerte(const TOptionen& o, const TTastenkuerzel& kuerzel) {
  return {
      Text(texte::kProgrammpfad, o.Programmpfad),
      Zahl(texte::kCaesarVerschiebung, o.CaesarVerschiebung),
      Zahl(texte::kMethode, o.Methode),
      Schalter(texte::kMatrixQuadratisch, o.MatrixQuadratisch),
      Zahl(texte::kSpaltenzahl, o.Spaltenzahl),
      Text(texte::kVigenereSchluessel,
           verschl::VigenereVerschluesseln(o.VigenereSchluessel, texte::kSchluesselSchluessel, false)),
      Schalter(texte::kSonderzeichenIgnorieren, o.SonderzeichenIgnorieren),
      Schalter(texte::kKleinschrift, o.Kleinschrift),
      Schalter(texte::kGrossschrift, o.Grossschrift),
      Schalter(texte::kLeerzeichenLoeschen, o.LeerzeichenLoeschen),
      Schalter(texte::kUmlauteErsetzen, o.UmlauteErsetzen),
      Dword(texte::kTastenkuerzelVerschluesseln, kuerzel.Verschluesseln),
      Dword(texte::kTastenkuerzelEntschluesseln, kuerzel.Entschluesseln),
  };
}

std::string OrdnerVon(std::string_view dateiname) {
  const auto trenner = dateiname.find_last_of("\\:");
  return trenner == std::string_view::npos ? std::string() : std::string(dateiname.substr(0, trenner + 1));
}

void OptionenSpeichern(const TOptionen& optionen, const TTastenkuerzel& kuerzel, RegistrySchreibApi& api) {
  const std::vector<TRegistryWert> werte = RegistryWerte(optionen, kuerzel);
  RegKey key = 0;
  const std::string pfad = "HKEY_CURRENT_USER\\" + std::string(texte::kSettingsKey);
  if (const long status = api.CreateCurrentUserKey(texte::kSettingsKey, key); status != kErrorSuccess) {
    Melden(api, pfad, status);
  }
  const GeoeffneterSchluessel schluessel(api, key);
  for (const TRegistryWert& wert : werte) {
    const long status = api.SetValue(schluessel.Key(), wert.Name, wert.Typ, wert.Daten.data(),
                                     static_cast<std::uint32_t>(wert.Daten.size()));
    if (status != kErrorSuccess) Melden(api, pfad + "\\" + wert.Name, status);
  }
}
