// The options refresh over an arbitrary settings key: any of its eleven values present or absent,
// of any type, with any data and size, and optionally rewritten by the companion program while
// the refresh reads. The refresh must either return with every field in its range, or raise
// ERegistryException with one of its two texts for the value at fault; the key is closed either
// way. With no rewrites during the read, the outcome is also checked value by value.
//
// Input: flags, [start record], executable path (length-prefixed), then one entry per value in
// reading order, then the rewrites.
//   flags bit 0  the settings key exists      bit 1  the user may only read it
//   flags bit 2  a start record other than the defaults follows
//   value entry  selector byte, low two bits: 0 absent; 1 well-formed (a DWORD from one signed
//                byte, or a REG_SZ with its 0); 2 the other form (a DWORD of four bytes, or a
//                REG_EXPAND_SZ without a terminating 0); 3 raw: type byte (mod 13) and data
//   rewrites     a count (mod 4), then per rewrite a value index and a value entry, or with
//                index bit 7 set the whole key deleted
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "einstellungen/ERegistryException.h"
#include "einstellungen/OptionenLesen.h"
#include "einstellungen/Namen.h"
#include "einstellungen/Texte.h"
#include "fuzz/FuzzSupport.h"
#include "tests/fakes/InMemoryRegistry.h"
#include "verschl/verschl.h"

namespace {

using fakes::InMemoryRegistry;
using fuzz::Require;

struct Ranged {
  std::int32_t TOptionen::*field;
  std::int32_t low;
  std::int32_t high;
};
using Field = std::variant<std::string TOptionen::*, Ranged, bool TOptionen::*>;

struct Setting {
  std::string_view name;
  Field field;
};

// In the order in which the refresh reads them: the rules written out again, independently of the
// settings table, so that the target checks the table as well as the refresh.
const std::array<Setting, 11> kValues{{
    {texte::kProgrammpfad, &TOptionen::Programmpfad},
    {texte::kCaesarVerschiebung, Ranged{&TOptionen::CaesarVerschiebung, 0, 25}},
    {texte::kMethode, Ranged{&TOptionen::Methode, 0, 4}},
    {texte::kMatrixQuadratisch, &TOptionen::MatrixQuadratisch},
    {texte::kSpaltenzahl, Ranged{&TOptionen::Spaltenzahl, 1, 100}},
    {texte::kVigenereSchluessel, &TOptionen::VigenereSchluessel},
    {texte::kSonderzeichenIgnorieren, &TOptionen::SonderzeichenIgnorieren},
    {texte::kKleinschrift, &TOptionen::Kleinschrift},
    {texte::kGrossschrift, &TOptionen::Grossschrift},
    {texte::kLeerzeichenLoeschen, &TOptionen::LeerzeichenLoeschen},
    {texte::kUmlauteErsetzen, &TOptionen::UmlauteErsetzen},
}};

bool IsText(const Setting& setting) { return std::holds_alternative<std::string TOptionen::*>(setting.field); }

bool SameField(const Setting& setting, const TOptionen& a, const TOptionen& b) {
  return std::visit(
      [&](const auto& f) {
        if constexpr (std::is_same_v<std::decay_t<decltype(f)>, Ranged>) {
          return a.*f.field == b.*f.field;
        } else {
          return a.*f == b.*f;
        }
      },
      setting.field);
}

std::string WithName(std::string_view pattern, std::string_view name) {
  std::string text(pattern);
  text.replace(text.find("%s"), 2, name);
  return text;
}

std::optional<InMemoryRegistry::Value> ReadValue(fuzz::Input& input, bool text) {
  const std::uint8_t selector = input.Byte();
  InMemoryRegistry::Value value;
  switch (selector % 4) {
    case 0:
      return std::nullopt;
    case 1:
      if (text) {
        const std::string s = input.Chunk();
        value = {kRegSz, std::vector<unsigned char>(s.begin(), s.end())};
        value.data.push_back(0);
      } else {
        // Small numbers, negative ones among them, hit the accepted ranges and their edges.
        const auto n = static_cast<std::uint32_t>(input.InRange(-128, 127));
        value = {kRegDword, {static_cast<unsigned char>(n), static_cast<unsigned char>(n >> 8),
                             static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 24)}};
      }
      return value;
    case 2: {
      const std::string s = text ? input.Chunk() : input.Bytes(4);
      return InMemoryRegistry::Value{text ? kRegExpandSz : kRegDword, std::vector<unsigned char>(s.begin(), s.end())};
    }
    default: {
      const std::uint32_t type = input.Byte() % 13U;
      const std::string s = input.Chunk();
      return InMemoryRegistry::Value{type, std::vector<unsigned char>(s.begin(), s.end())};
    }
  }
}

TOptionen ReadStartRecord(fuzz::Input& input) {
  TOptionen o;
  const std::uint8_t bits = input.Byte();
  o.RegistryGefunden = input.Bit(bits, 0);
  fuzz::SetSwitches(o, bits, 1);
  o.CaesarVerschiebung = input.InRange(0, 25);
  o.Methode = input.InRange(0, 4);
  o.Spaltenzahl = input.InRange(1, 100);
  o.VigenereSchluessel = fuzz::AsLetters(input.Chunk());
  if (o.VigenereSchluessel.empty()) o.VigenereSchluessel = "Start";
  o.Programmpfad = input.Chunk();
  return o;
}

bool IsLetters(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return fuzz::IsAsciiLetter(static_cast<unsigned char>(c)); });
}

void RequireInvariants(const TOptionen& o) {
  Require(o.CaesarVerschiebung >= 0 && o.CaesarVerschiebung <= 25, "CaesarVerschiebung stays in 0..25");
  Require(o.Methode >= 0 && o.Methode <= 4, "Methode stays in 0..4");
  Require(o.Spaltenzahl >= 1 && o.Spaltenzahl <= 100, "Spaltenzahl stays in 1..100");
  Require(!o.VigenereSchluessel.empty() && IsLetters(o.VigenereSchluessel),
          "VigenereSchluessel stays a non-empty text of ASCII letters");
}

// What the refresh must make of one stored value, read without interference: nullopt when it is
// read without error, else the text of the error it must raise.
std::optional<std::string> ExpectedError(const Setting& setting, const InMemoryRegistry::Value& v) {
  if (IsText(setting)) {
    if (v.data.empty() || v.type == kRegSz || v.type == kRegExpandSz) return std::nullopt;
    return WithName(texte::kUngueltigerDatentyp, setting.name);
  }
  if (v.data.size() > 4) return WithName(texte::kKonnteDatenNichtHolen, setting.name);
  if (v.type != kRegDword) return WithName(texte::kUngueltigerDatentyp, setting.name);
  return std::nullopt;
}

std::string TextOf(const InMemoryRegistry::Value& v) {
  std::string s(v.data.begin(), v.data.end());
  return s.substr(0, s.find('\0'));
}

// A stored value that was read without error: the field holds what the rules make of it.
void CheckAccepted(const Setting& setting, const InMemoryRegistry::Value& v, const TOptionen& before,
                   const TOptionen& after) {
  if (setting.name == texte::kProgrammpfad) {
    // Read wide, the stored (ANSI) text's letters arrive as themselves, in UTF-8.
    std::string utf8;
    for (const char c : TextOf(v)) {
      const auto b = static_cast<unsigned char>(c);
      if (b >= 0x80) utf8 += static_cast<char>(0xC0 | (b >> 6));
      utf8 += static_cast<char>(b >= 0x80 ? 0x80 | (b & 0x3F) : b);
    }
    Require(after.Programmpfad == utf8, "Programmpfad is the stored text up to its first byte 0");
  } else if (setting.name == texte::kVigenereSchluessel) {
    std::string letters = TextOf(v);
    std::erase_if(letters, [](char c) { return !fuzz::IsAsciiLetter(static_cast<unsigned char>(c)); });
    if (letters.empty()) {
      Require(after.VigenereSchluessel == texte::kStandardSchluessel, "a stored key without letters gives Wandelrose");
    } else {
      Require(verschl::VigenereVerschluesseln(after.VigenereSchluessel, texte::kSchluesselSchluessel, false) ==
                  letters,
              "the key is the stored key's letters deciphered under the fixed key");
    }
  } else if (v.data.size() == 4) {
    const auto n = static_cast<std::int32_t>(std::uint32_t{v.data[0]} | std::uint32_t{v.data[1]} << 8 |
                                             std::uint32_t{v.data[2]} << 16 | std::uint32_t{v.data[3]} << 24);
    if (const auto* ranged = std::get_if<Ranged>(&setting.field)) {
      const bool inRange = n >= ranged->low && n <= ranged->high;
      Require(after.*ranged->field == (inRange ? n : before.*ranged->field),
              "an integer is taken when it lies in its range and ignored otherwise");
    } else {
      Require(after.*std::get<bool TOptionen::*>(setting.field) == (n != 0), "a Boolean is true for every DWORD but 0");
    }
  }
}

// The executable's folder with its trailing "\" or ":", or empty when the path has neither.
void CheckFallbackFolder(const std::string& folder, const std::string& exePath) {
  Require(exePath.starts_with(folder), "the fallback Programmpfad is a leading part of the executable's path");
  Require(folder.empty() || folder.back() == '\\' || folder.back() == ':', "the fallback ends with its separator");
  Require(exePath.find_first_of("\\:", folder.size()) == std::string::npos, "the fallback is cut at the last separator");
}

struct Outcome {
  TOptionen record;
  std::optional<std::string> error;
};

Outcome Refresh(TOptionen start, InMemoryRegistry& registry, const std::string& exePath) {
  // The inputs store no shortcut values; those are read last and checked by the unit tests.
  TEinstellungen einstellungen{std::move(start), {}};
  Outcome outcome{{}, std::nullopt};
  try {
    OptionenLesen(einstellungen, registry, [&exePath] { return exePath; });
  } catch (const ERegistryException& e) {
    outcome.error = e.what();
  }
  outcome.record = std::move(einstellungen.Optionen);
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) { return fuzz::BuildCipherTables(); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::uint8_t flags = input.Byte();
  const bool keyExists = input.Bit(flags, 0);
  const bool readOnly = input.Bit(flags, 1);
  const TOptionen start = input.Bit(flags, 2) ? ReadStartRecord(input) : TOptionen{};
  const std::string exePath = input.Chunk();

  InMemoryRegistry registry;
  if (keyExists) registry.Key(texte::kSettingsKey);
  std::array<std::optional<InMemoryRegistry::Value>, kValues.size()> stored;
  for (std::size_t i = 0; i < kValues.size(); ++i) {
    stored[i] = ReadValue(input, IsText(kValues[i]));
    if (keyExists && stored[i]) {
      registry.Key(texte::kSettingsKey).SetRaw(kValues[i].name, stored[i]->type, stored[i]->data);
    }
  }
  if (keyExists && readOnly) registry.SetReadOnly(texte::kSettingsKey);

  const int rewrites = keyExists ? input.Byte() % 4 : 0;
  for (int r = 0; r < rewrites; ++r) {
    const std::uint8_t which = input.Byte();
    const Setting& setting = kValues[which % kValues.size()];
    if (input.Bit(which, 7)) {
      registry.BeforeNextDataQuery(texte::kSettingsKey, setting.name,
                                   [&registry] { registry.DeleteKey(texte::kSettingsKey); });
      continue;
    }
    auto value = ReadValue(input, IsText(setting));
    registry.BeforeNextDataQuery(texte::kSettingsKey, setting.name, [&registry, &setting, value] {
      if (value) {
        registry.Key(texte::kSettingsKey).SetRaw(setting.name, value->type, value->data);
      } else {
        registry.Key(texte::kSettingsKey).Delete(setting.name);
      }
    });
  }

  const Outcome first = Refresh(start, registry, exePath);
  const TOptionen& after = first.record;

  Require(registry.Opens().size() == 1, "the refresh opens the settings key once");
  Require(registry.Opens()[0].subKey == texte::kSettingsKey && registry.Opens()[0].access == kKeyAllAccess,
          "the settings key is opened with all access rights");
  Require(registry.EachOpenedKeyClosedOnce() && registry.OpenHandleCount() == 0,
          "the key is closed exactly once on every path");
  Require(after.RegistryGefunden == (keyExists && !readOnly), "RegistryGefunden tells whether the key opened");
  RequireInvariants(after);

  // Which value raised the error; every value after it must be left alone.
  std::size_t failed = kValues.size();
  if (first.error) {
    for (std::size_t i = 0; i < kValues.size(); ++i) {
      if (*first.error == WithName(texte::kUngueltigerDatentyp, kValues[i].name) ||
          *first.error == WithName(texte::kKonnteDatenNichtHolen, kValues[i].name)) {
        failed = i;
      }
    }
    Require(failed < kValues.size(), "the error is one of the two texts with the name of a value");
    Require(after.RegistryGefunden, "only a refresh that opened the key can fail");
  }
  for (std::size_t i = failed + 1; i < kValues.size(); ++i) {
    Require(SameField(kValues[i], start, after), "values after the failing one are not read");
  }
  if (!after.RegistryGefunden) {
    TOptionen expected = start;
    expected.RegistryGefunden = false;
    Require(after == expected, "a refresh without the key changes nothing but RegistryGefunden");
  }

  if (rewrites != 0 || !after.RegistryGefunden) return 0;

  // The key held still while it was read: the outcome follows from the stored values alone.
  std::size_t expectedFailure = kValues.size();
  for (std::size_t i = 0; i < kValues.size() && expectedFailure == kValues.size(); ++i) {
    if (stored[i] && ExpectedError(kValues[i], *stored[i])) expectedFailure = i;
  }
  Require(failed == expectedFailure, "the refresh fails exactly at the first value of a wrong type or size");
  if (first.error) {
    Require(*first.error == *ExpectedError(kValues[failed], *stored[failed]), "the error names what is wrong");
  }
  for (std::size_t i = 0; i < failed; ++i) {
    if (stored[i]) {
      CheckAccepted(kValues[i], *stored[i], start, after);
    } else if (i == 0) {
      CheckFallbackFolder(after.Programmpfad, exePath);
    } else {
      Require(SameField(kValues[i], start, after), "an absent value leaves its field alone");
    }
  }

  const Outcome second = Refresh(after, registry, exePath);
  Require(second.error == first.error && second.record == after, "a second refresh changes nothing more");
  Require(registry.EachOpenedKeyClosedOnce() && registry.OpenHandleCount() == 0,
          "the key is closed exactly once on every path");
  return 0;
}
