#include "OptionenLesen.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "Einstellungen.h"
#include "Registry.h"
#include "Tastenkuerzel.h"
#include "verschl/verschl.h"

namespace {

// The folder of a full file name with its trailing "\" or ":"; empty when there is neither.
std::string FolderOf(const std::string& path) {
  const auto separator = path.find_last_of("\\:");
  return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

void ReadRanged(Registry& registry, std::string_view name, std::int32_t min, std::int32_t max,
                std::int32_t& field) {
  if (!registry.ValueExists(name)) return;
  const std::int32_t value = registry.ReadInteger(name);
  if (value >= min && value <= max) field = value;
}

void ReadFlag(Registry& registry, std::string_view name, bool& field) {
  if (registry.ValueExists(name)) field = registry.ReadBool(name);
}

// Unlike the options, a shortcut whose value is gone is gone: the user has taken it away. A value
// that no key can answer to is ignored, as a number out of its range is.
void ReadShortcut(Registry& registry, std::string_view name, std::uint32_t& field) {
  if (!registry.ValueExists(name)) {
    field = 0;
    return;
  }
  const auto value = static_cast<std::uint32_t>(registry.ReadInteger(name));
  if (value == 0 || KuerzelVerwendbar(value)) field = value;
}

// The companion program stores the key enciphered under the fixed key; whatever else the stored
// text holds is not part of it.
std::string StoredKeyDeciphered(const std::string& stored) {
  std::string letters;
  for (const char c : stored) {
    if (IsAsciiLetter(c)) letters += c;
  }
  return verschl::VigenereEntschluesseln(letters, texte::kSchluesselSchluessel, false);
}

}  // namespace

void OptionenLesen(TOptionen& optionen, TTastenkuerzel& kuerzel, RegistryApi& registryApi,
                   const ExePathFunction& exePath) {
  // Every field is written the moment its value is accepted, so an error part-way leaves the earlier
  // fields refreshed; the accessor closes the key however we leave.
  Registry registry(registryApi);
  if (!registry.OpenKey(texte::kSettingsKey)) {
    optionen.RegistryGefunden = false;
    return;
  }
  optionen.RegistryGefunden = true;

  if (registry.ValueExists(texte::kProgrammpfad)) {
    optionen.Programmpfad = registry.ReadString(texte::kProgrammpfad);
  } else {
    // Without a stored path the companion program is looked for beside this one.
    optionen.Programmpfad = FolderOf(exePath());
  }
  ReadRanged(registry, texte::kCaesarVerschiebung, 0, 25, optionen.CaesarVerschiebung);
  ReadRanged(registry, texte::kMethode, 0, 4, optionen.Methode);
  ReadFlag(registry, texte::kMatrixQuadratisch, optionen.MatrixQuadratisch);
  ReadRanged(registry, texte::kSpaltenzahl, 1, 100, optionen.Spaltenzahl);
  if (registry.ValueExists(texte::kVigenereSchluessel)) {
    std::string key = StoredKeyDeciphered(registry.ReadString(texte::kVigenereSchluessel));
    // The key must never be empty: the Vigenère command would have nothing to shift with.
    optionen.VigenereSchluessel = key.empty() ? std::string(texte::kStandardSchluessel) : std::move(key);
  }
  ReadFlag(registry, texte::kSonderzeichenIgnorieren, optionen.SonderzeichenIgnorieren);
  ReadFlag(registry, texte::kKleinschrift, optionen.Kleinschrift);
  ReadFlag(registry, texte::kGrossschrift, optionen.Grossschrift);
  ReadFlag(registry, texte::kLeerzeichenLoeschen, optionen.LeerzeichenLoeschen);
  ReadFlag(registry, texte::kUmlauteErsetzen, optionen.UmlauteErsetzen);
  ReadShortcut(registry, texte::kTastenkuerzelVerschluesseln, kuerzel.Verschluesseln);
  ReadShortcut(registry, texte::kTastenkuerzelEntschluesseln, kuerzel.Entschluesseln);
  registry.CloseKey();
}
