#include "Main/win/KuerzelAnmeldung.h"

#include <algorithm>

#include "einstellungen/Einsetzen.h"
#include "Main/Texte.h"

TKuerzelAnmeldung::TKuerzelAnmeldung(HWND fenster, const TTastaturbelegung& belegung)
    : fenster_(fenster), belegung_(belegung) {}

std::vector<std::string> TKuerzelAnmeldung::Abgleichen(const TTastenkuerzel& kuerzel) {
  std::array<std::uint32_t, 4> soll{kuerzel.Verschluesseln, kuerzel.Entschluesseln, kuerzel.AuswahlVerschluesseln,
                                    kuerzel.AuswahlEntschluesseln};
  for (std::size_t i = 0; i < soll.size(); ++i) {
    // The refresh has let through only what needs no layout; Strg+Alt with a key that types under
    // AltGr here would take that character from every program.
    if (!KuerzelVerwendbar(soll[i], belegung_)) soll[i] = 0;
    // One combination for two commands (a hand-made value; the editor refuses it): the first keeps
    // it, as Windows would give it to one of them anyway.
    for (std::size_t j = 0; j < i; ++j) {
      if (soll[i] != 0 && HotkeyAus(soll[i]) == HotkeyAus(soll[j])) soll[i] = 0;
    }
  }
  // Every change is released before anything is registered, so that two shortcuts that swap places
  // find their combinations free.
  for (std::size_t i = 0; i < eintraege_.size(); ++i) {
    if (eintraege_[i].kuerzel != soll[i]) {
      eintraege_[i].hotkey.reset();
      eintraege_[i].kuerzel = soll[i];
    }
  }
  std::vector<std::string> belegt;
  for (std::size_t i = 0; i < eintraege_.size(); ++i) {
    TEintrag& eintrag = eintraege_[i];
    if (eintrag.kuerzel == 0 || eintrag.hotkey) continue;
    const THotkey hotkey = HotkeyAus(eintrag.kuerzel);
    // MOD_NOREPEAT: a key held down starts its command once, not at every repeat.
    if (eintrag.hotkey.Register(fenster_, static_cast<int>(i) + kVerschluesseln, hotkey.Modifikatoren | MOD_NOREPEAT,
                                hotkey.Taste)) {
      continue;
    }
    // Whatever the system answers (another program's hotkey, or one that Windows keeps for itself),
    // for the user the combination is taken. It is tried again at the next refresh.
    if (std::find(gemeldet_.begin(), gemeldet_.end(), hotkey) == gemeldet_.end()) {
      gemeldet_.push_back(hotkey);
      belegt.push_back(KuerzelName(eintrag.kuerzel, belegung_));
    }
  }
  std::vector<std::string> warnungen;
  for (const std::string& name : belegt) warnungen.push_back(Einsetzen(texte::kKombinationBelegt, {name}));
  return warnungen;
}

std::string TKuerzelAnmeldung::Name(int befehl) const {
  const TEintrag& eintrag = eintraege_.at(static_cast<std::size_t>(befehl - kVerschluesseln));
  return eintrag.hotkey ? KuerzelName(eintrag.kuerzel, belegung_) : std::string();
}
