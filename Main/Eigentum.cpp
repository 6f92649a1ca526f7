#include "Main/Eigentum.h"

#include <utility>

TEigentum::TEigentum(ClipboardReader& ablage, TWartefrist frist) : ablage_(ablage), frist_(std::move(frist)) {}

void TEigentum::Eingetragen(TZweck zweck, bool entschluesselt) {
  // The number is read only now, with the clipboard open and ours: some systems move it on once more
  // when the writer closes the clipboard.
  if (!ablage_.VonUns()) {
    eintrag_.reset();
    return;
  }
  eintrag_ = TEintrag{zweck, entschluesselt, ablage_.Sequenznummer()};
}

void TEigentum::Anvertraut(bool entschluesselt) {
  eintrag_ = TEintrag{TZweck::Anvertraut, entschluesselt, ablage_.Sequenznummer()};
}

bool TEigentum::Eintragen(TZweck zweck, bool entschluesselt) {
  eintrag_.reset();
  // A clipboard watcher reads every update at once and holds the clipboard for moments meanwhile.
  return Versuchen(frist_, frist_.jetzt(), [&] {
    if (!ablage_.Open()) return false;
    const Geoeffnet geoeffnet(ablage_);
    Eingetragen(zweck, entschluesselt);
    return true;
  }) && eintrag_.has_value();
}

// Every write of this process's is recorded here, so while a window of ours owns the clipboard, it
// holds the last entry: rendering our data for a reader, which moves the number on under Wine's OLE,
// changes nothing of it. Another program's content is known by its number alone.
bool TEigentum::Haelt() {
  if (Unberuehrt()) return true;
  return eintrag_ && eintrag_->zweck != TZweck::Anvertraut && ablage_.VonUns();
}

bool TEigentum::Unberuehrt() { return eintrag_ && ablage_.Sequenznummer() == eintrag_->sequenz; }

std::optional<TZweck> TEigentum::Zweck() const {
  if (!eintrag_) return std::nullopt;
  return eintrag_->zweck;
}

TEigentum::TErgebnis TEigentum::WennUnser(const std::function<void()>& tun) {
  if (!ablage_.Open()) return TErgebnis::Belegt;
  const Geoeffnet geoeffnet(ablage_);
  if (!Haelt()) {
    eintrag_.reset();
    return TErgebnis::NichtMehrUnser;
  }
  tun();
  return TErgebnis::Erledigt;
}

TEigentum::TErgebnis TEigentum::Ersetzen(TZweck zweck, bool entschluesselt, const std::function<void()>& schreiben) {
  const TErgebnis ergebnis = WennUnser([&] {
    ablage_.Empty();
    schreiben();
  });
  // Recorded after a second opening: the first closing may move the number on by itself.
  if (ergebnis == TErgebnis::Erledigt) Eintragen(zweck, entschluesselt);
  return ergebnis;
}

TEigentum::TErgebnis TEigentum::Leeren() {
  const TErgebnis ergebnis = WennUnser([this] { ablage_.Empty(); });
  // An empty clipboard holds nothing of anybody's.
  if (ergebnis == TErgebnis::Erledigt) eintrag_.reset();
  return ergebnis;
}
