#include "Talsek/Eingaben.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Talsek/Texte.h"
#include "einstellungen/Einsetzen.h"
#include "einstellungen/Tastenkuerzel.h"
#include "verschl/verschl.h"

namespace {

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

// Checks one numeric field against its row's range; on success stores the number, otherwise fills
// the refusal.
bool ZahlPruefen(std::string_view eingabe, const TEinstellung& w, std::int32_t& ziel, TEingabePruefung& pruefung) {
  const std::string_view feldname = w.Bezeichnung;
  const std::string minText = std::to_string(w.Min);
  const std::string maxText = std::to_string(w.Max);
  const std::string_view text = Trimmed(eingabe);
  if (text.empty()) {
    pruefung.Fehler = Einsetzen(texte::kZahlFehlt, {feldname, minText, maxText});
  } else if (const std::optional<std::int64_t> zahl = GanzeZahl(text); !zahl) {
    pruefung.Fehler = Einsetzen(texte::kKeineZahl, {text, feldname, minText, maxText});
  } else if (!Zulaessig(w, *zahl)) {
    pruefung.Fehler = Einsetzen(texte::kZahlAusserhalb, {text, feldname, minText, maxText});
  } else {
    ziel = static_cast<std::int32_t>(*zahl);
    return true;
  }
  pruefung.Steuerelement = w.Steuerelement;
  return false;
}

bool SchluesselPruefen(std::string_view schluessel, const TEinstellung& w, std::string& ziel,
                       TEingabePruefung& pruefung) {
  if (schluessel.empty()) {
    pruefung.Fehler = texte::kSchluesselLeer;
    pruefung.Steuerelement = w.Steuerelement;
    return false;
  }
  for (std::size_t i = 0; i < schluessel.size(); ++i) {
    if (!verschl::IstBuchstabe(schluessel[i])) {
      // Positions count from 1, as a user counts characters.
      pruefung.Fehler = Einsetzen(texte::kSchluesselZeichen, {schluessel.substr(i, 1), std::to_string(i + 1)});
      pruefung.Steuerelement = w.Steuerelement;
      return false;
    }
  }
  ziel = std::string(schluessel);
  return true;
}

// A shortcut the tray program registers: 0, no shortcut, always passes; any other must keep every
// rule of the shortcuts, and a refusal says which it breaks.
bool KuerzelPruefen(std::uint32_t kuerzel, const TEinstellung& w, const TTastaturbelegung& belegung,
                    TEingabePruefung& pruefung) {
  if (kuerzel == 0) return true;
  const std::string name = KuerzelName(kuerzel, belegung);
  switch (KuerzelMangel(kuerzel, belegung)) {
    case TKuerzelMangel::Keiner:
      return true;
    case TKuerzelMangel::KeineTaste:
      pruefung.Fehler = Einsetzen(texte::kKuerzelOhneTaste, {w.Bezeichnung});
      break;
    case TKuerzelMangel::OhneStrgAlt:
      pruefung.Fehler = Einsetzen(texte::kKuerzelOhneStrgAlt, {name, w.Bezeichnung});
      break;
    case TKuerzelMangel::AltGr:
      pruefung.Fehler = Einsetzen(texte::kKuerzelAltGr, {name, w.Bezeichnung});
      break;
  }
  pruefung.Steuerelement = w.Steuerelement;
  return false;
}

// One control's input checked and, when acceptable, stored in its field.
bool Pruefen(const TEinstellung& w, const TEingabe& eingabe, const TTastaturbelegung& belegung,
             TEingabePruefung& pruefung) {
  TEinstellungen& e = pruefung.Einstellungen;
  switch (w.Bedienung) {
    case TBedienung::Methodenliste:
      if (!Zulaessig(w, eingabe.Wert)) {
        pruefung.Fehler = texte::kKeineMethode;
        pruefung.Steuerelement = w.Steuerelement;
        return false;
      }
      w.Zahl(e) = static_cast<std::int32_t>(eingabe.Wert);
      return true;
    case TBedienung::Zahlfeld:
      return ZahlPruefen(eingabe.Text, w, w.Zahl(e), pruefung);
    case TBedienung::Textfeld:
      return SchluesselPruefen(eingabe.Text, w, w.Text(e), pruefung);
    case TBedienung::Kontrollkaestchen:
      // The check boxes need no check: they pass between the settings and the dialog as they are.
      w.Schalter(e) = eingabe.Wert != 0;
      return true;
    case TBedienung::Tastenkuerzel: {
      const auto kuerzel = static_cast<std::uint32_t>(eingabe.Wert);
      if (!KuerzelPruefen(kuerzel, w, belegung, pruefung)) return false;
      w.Kuerzel(e) = kuerzel;
      return true;
    }
    case TBedienung::Keine:
      break;
  }
  return true;
}

// The rows with a control, in the order of their numbers, which is the dialog's order.
std::vector<const TEinstellung*> InDialogReihenfolge() {
  std::vector<const TEinstellung*> zeilen;
  for (const TEinstellung& w : kEinstellungen) {
    if (w.Bedienung != TBedienung::Keine) zeilen.push_back(&w);
  }
  std::sort(zeilen.begin(), zeilen.end(),
            [](const TEinstellung* a, const TEinstellung* b) { return a->Steuerelement < b->Steuerelement; });
  return zeilen;
}

// One combination cannot start two commands; the caret goes to the later of the two.
bool KuerzelVerschieden(const TDialogEingaben& eingaben, const TTastaturbelegung& belegung,
                        TEingabePruefung& pruefung) {
  std::vector<const TEinstellung*> frueher;
  for (const TEinstellung* w : InDialogReihenfolge()) {
    if (w->Bedienung != TBedienung::Tastenkuerzel) continue;
    const auto kuerzel = static_cast<std::uint32_t>(eingaben[w->Name].Wert);
    for (const TEinstellung* v : frueher) {
      const auto anderes = static_cast<std::uint32_t>(eingaben[v->Name].Wert);
      if (kuerzel != 0 && HotkeyAus(kuerzel) == HotkeyAus(anderes)) {
        pruefung.Fehler =
            Einsetzen(texte::kKuerzelDoppelt, {v->Bezeichnung, w->Bezeichnung, KuerzelName(kuerzel, belegung)});
        pruefung.Steuerelement = w->Steuerelement;
        return false;
      }
    }
    frueher.push_back(w);
  }
  return true;
}

}  // namespace

TDialogEingaben EingabenAus(const TEinstellungen& einstellungen) {
  // The table's accessors hand out the fields for writing as well; a copy keeps the caller's alone.
  TEinstellungen e = einstellungen;
  TDialogEingaben eingaben;
  for (std::size_t i = 0; i < kEinstellungen.size(); ++i) {
    const TEinstellung& w = kEinstellungen[i];
    TEingabe& eingabe = eingaben.Felder[i];
    switch (w.Bedienung) {
      case TBedienung::Methodenliste:
        eingabe.Wert = w.Zahl(e);
        break;
      case TBedienung::Zahlfeld:
        eingabe.Text = std::to_string(w.Zahl(e));
        break;
      case TBedienung::Textfeld:
        eingabe.Text = w.Text(e);
        break;
      case TBedienung::Kontrollkaestchen:
        eingabe.Wert = w.Schalter(e) ? 1 : 0;
        break;
      case TBedienung::Tastenkuerzel:
        eingabe.Wert = w.Kuerzel(e);
        break;
      case TBedienung::Keine:
        break;
    }
  }
  return eingaben;
}

TEingabePruefung EingabenPruefen(const TDialogEingaben& eingaben, std::string_view programmpfad,
                                 const TTastaturbelegung& belegung) {
  TEingabePruefung pruefung;
  // Every field is checked whatever the method: all of them are written, and the tray program
  // must never read a value that the dialog let through out of range.
  for (const TEinstellung* w : InDialogReihenfolge()) {
    if (!Pruefen(*w, eingaben[w->Name], belegung, pruefung)) return pruefung;
  }
  if (!KuerzelVerschieden(eingaben, belegung, pruefung)) return pruefung;
  for (const TEinstellung& w : kEinstellungen) {
    if (w.Art == TArt::Pfad) w.Text(pruefung.Einstellungen) = std::string(programmpfad);
  }
  return pruefung;
}
