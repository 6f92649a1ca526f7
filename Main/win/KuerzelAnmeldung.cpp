#include "Main/win/KuerzelAnmeldung.h"

#include <algorithm>

#include "einstellungen/Einsetzen.h"
#include "Main/Texte.h"

TKuerzelAnmeldung::TKuerzelAnmeldung(HWND fenster, MessageSink& meldungen, const TTastaturbelegung& belegung)
    : fenster_(fenster), meldungen_(meldungen), belegung_(belegung) {}

void TKuerzelAnmeldung::Abgleichen(const TTastenkuerzel& kuerzel) {
  std::array<std::uint32_t, 2> soll{kuerzel.Verschluesseln, kuerzel.Entschluesseln};
  // One combination for both (a hand-made value; the editor refuses it): the encrypt command keeps
  // it, as Windows would give it to one of the two anyway.
  if (soll[1] != 0 && HotkeyAus(soll[1]) == HotkeyAus(soll[0])) soll[1] = 0;
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
  // The boxes last: while one is open, a hotkey or a tray click may start a command whose refresh
  // comes here again, and it must find everything above done.
  for (const std::string& name : belegt) {
    meldungen_.ShowMessage(Einsetzen(texte::kKombinationBelegt, {name}), texte::kWarnung, kIconWarning);
  }
}

std::string TKuerzelAnmeldung::Name(int befehl) const {
  const TEintrag& eintrag = eintraege_.at(static_cast<std::size_t>(befehl - kVerschluesseln));
  return eintrag.hotkey ? KuerzelName(eintrag.kuerzel, belegung_) : std::string();
}
