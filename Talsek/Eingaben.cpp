#include "Talsek/Eingaben.h"

#include <cstdint>
#include <optional>
#include <string>

#include "Main/Tastenkuerzel.h"
#include "Talsek/Texte.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trimmed(std::string_view text) {
  // Blanks around a number are what a user leaves behind when pasting; they carry no meaning.
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A whole number with an optional sign; nullopt for anything else. Magnitudes beyond any range of
// the dialog are held at a bound, so that "99999999999" is reported as out of range, not as junk.
std::optional<std::int64_t> GanzeZahl(std::string_view text) {
  bool negativ = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negativ = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr std::int64_t kGrenze = 1'000'000'000'000;
  std::int64_t wert = 0;
  for (const char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    if (wert < kGrenze) wert = wert * 10 + (c - '0');
  }
  return negativ ? -wert : wert;
}

// Checks one numeric field; on success stores the number, otherwise fills the refusal.
bool ZahlPruefen(std::string_view eingabe, std::string_view feldname, std::int32_t min, std::int32_t max,
                 TEingabeFeld feld, std::int32_t& ziel, TEingabePruefung& pruefung) {
  const std::string minText = std::to_string(min);
  const std::string maxText = std::to_string(max);
  const std::string_view text = Trimmed(eingabe);
  if (text.empty()) {
    pruefung.Fehler = Einsetzen(texte::kZahlFehlt, {feldname, minText, maxText});
  } else if (const std::optional<std::int64_t> zahl = GanzeZahl(text); !zahl) {
    pruefung.Fehler = Einsetzen(texte::kKeineZahl, {text, feldname, minText, maxText});
  } else if (*zahl < min || *zahl > max) {
    pruefung.Fehler = Einsetzen(texte::kZahlAusserhalb, {text, feldname, minText, maxText});
  } else {
    ziel = static_cast<std::int32_t>(*zahl);
    return true;
  }
  pruefung.Feld = feld;
  return false;
}

bool SchluesselPruefen(std::string_view schluessel, std::string& ziel, TEingabePruefung& pruefung) {
  if (schluessel.empty()) {
    pruefung.Fehler = texte::kSchluesselLeer;
    pruefung.Feld = TEingabeFeld::VigenereSchluessel;
    return false;
  }
  for (std::size_t i = 0; i < schluessel.size(); ++i) {
    if (!IsAsciiLetter(schluessel[i])) {
      // Positions count from 1, as a user counts characters.
      pruefung.Fehler = Einsetzen(texte::kSchluesselZeichen, {schluessel.substr(i, 1), std::to_string(i + 1)});
      pruefung.Feld = TEingabeFeld::VigenereSchluessel;
      return false;
    }
  }
  ziel = std::string(schluessel);
  return true;
}

// A shortcut the tray program can register and that leaves typing alone: not one that it would
// ignore, not a typing key without Strg or Alt, and not Strg+Alt where that is AltGr and types a
// character. 0, no shortcut, always passes.
bool KuerzelPruefen(std::uint32_t kuerzel, std::string_view befehl, TEingabeFeld feld,
                    const TTastaturbelegung& belegung, TEingabePruefung& pruefung) {
  if (kuerzel == 0) return true;
  const std::string name = KuerzelName(kuerzel, belegung);
  const std::uint32_t flags = kuerzel >> 8;
  switch (KuerzelMangel(kuerzel)) {
    case TKuerzelMangel::KeineTaste:
      pruefung.Fehler = Einsetzen(texte::kKuerzelOhneTaste, {befehl});
      break;
    case TKuerzelMangel::OhneStrgAlt:
      pruefung.Fehler = Einsetzen(texte::kKuerzelOhneStrgAlt, {name, befehl});
      break;
    case TKuerzelMangel::Keiner:
      if ((flags & kHotkeyStrg) == 0 || (flags & kHotkeyAlt) == 0 ||
          !belegung.AltGrZeichen(static_cast<std::uint8_t>(kuerzel), (flags & kHotkeyUmschalt) != 0)) {
        return true;
      }
      pruefung.Fehler = Einsetzen(texte::kKuerzelAltGr, {name, befehl});
      break;
  }
  pruefung.Feld = feld;
  return false;
}

// The check boxes need no check: they pass between the option record and the dialog as they are.
template <typename Von, typename Nach>
void SchalterKopieren(const Von& von, Nach& nach) {
  nach.MatrixQuadratisch = von.MatrixQuadratisch;
  nach.SonderzeichenIgnorieren = von.SonderzeichenIgnorieren;
  nach.UmlauteErsetzen = von.UmlauteErsetzen;
  nach.Kleinschrift = von.Kleinschrift;
  nach.Grossschrift = von.Grossschrift;
  nach.LeerzeichenLoeschen = von.LeerzeichenLoeschen;
}

}  // namespace

TDialogEingaben EingabenAus(const TOptionen& optionen, const TTastenkuerzel& kuerzel) {
  TDialogEingaben e;
  e.TastenkuerzelVerschluesseln = kuerzel.Verschluesseln;
  e.TastenkuerzelEntschluesseln = kuerzel.Entschluesseln;
  e.Methode = optionen.Methode;
  e.CaesarVerschiebung = std::to_string(optionen.CaesarVerschiebung);
  e.Spaltenzahl = std::to_string(optionen.Spaltenzahl);
  e.VigenereSchluessel = optionen.VigenereSchluessel;
  SchalterKopieren(optionen, e);
  return e;
}

TEingabePruefung EingabenPruefen(const TDialogEingaben& eingaben, std::string_view programmpfad,
                                 const TTastaturbelegung& belegung) {
  TEingabePruefung pruefung;
  TOptionen& o = pruefung.Optionen;
  if (eingaben.Methode < 0 || eingaben.Methode > 4) {
    pruefung.Fehler = texte::kKeineMethode;
    pruefung.Feld = TEingabeFeld::Methode;
    return pruefung;
  }
  o.Methode = eingaben.Methode;
  // Every field is checked whatever the method: all of them are written, and the tray program
  // must never read a value that the dialog let through out of range.
  if (!ZahlPruefen(eingaben.CaesarVerschiebung, texte::kFeldCaesar, 0, 25, TEingabeFeld::CaesarVerschiebung,
                   o.CaesarVerschiebung, pruefung) ||
      !ZahlPruefen(eingaben.Spaltenzahl, texte::kFeldSpaltenzahl, 1, 100, TEingabeFeld::Spaltenzahl,
                   o.Spaltenzahl, pruefung) ||
      !SchluesselPruefen(eingaben.VigenereSchluessel, o.VigenereSchluessel, pruefung) ||
      !KuerzelPruefen(eingaben.TastenkuerzelVerschluesseln, texte::kBefehlVerschluesseln,
                      TEingabeFeld::TastenkuerzelVerschluesseln, belegung, pruefung) ||
      !KuerzelPruefen(eingaben.TastenkuerzelEntschluesseln, texte::kBefehlEntschluesseln,
                      TEingabeFeld::TastenkuerzelEntschluesseln, belegung, pruefung)) {
    return pruefung;
  }
  // One combination cannot start two commands; the caret goes to the second of them.
  if (eingaben.TastenkuerzelVerschluesseln != 0 &&
      HotkeyAus(eingaben.TastenkuerzelVerschluesseln) == HotkeyAus(eingaben.TastenkuerzelEntschluesseln)) {
    pruefung.Fehler =
        Einsetzen(texte::kKuerzelDoppelt, {KuerzelName(eingaben.TastenkuerzelEntschluesseln, belegung)});
    pruefung.Feld = TEingabeFeld::TastenkuerzelEntschluesseln;
    return pruefung;
  }
  pruefung.Kuerzel = {eingaben.TastenkuerzelVerschluesseln, eingaben.TastenkuerzelEntschluesseln};
  SchalterKopieren(eingaben, o);
  o.Programmpfad = std::string(programmpfad);
  return pruefung;
}
