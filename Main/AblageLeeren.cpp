#include "Main/AblageLeeren.h"

#include <utility>

#include "Main/Texte.h"
#include "einstellungen/Einsetzen.h"

TAblageLeeren::TAblageLeeren(TEigentum& eigentum, std::function<void(bool)> uhr,
                             std::function<void(const std::string&)> tip)
    : eigentum_(eigentum), uhr_(std::move(uhr)), tip_(std::move(tip)) {}

void TAblageLeeren::NachEntschluesseln(std::int32_t sekunden) {
  if (sekunden <= 0) {
    Abbrechen();
    return;
  }
  const bool lief = Anstehend();
  rest_ = sekunden;
  faellig_ = false;
  if (!lief) uhr_(true);
  TipZeigen();
}

void TAblageLeeren::Abbrechen() {
  if (Anstehend()) Anhalten();
}

void TAblageLeeren::Anhalten() {
  rest_ = 0;
  faellig_ = false;
  uhr_(false);
  tip_(std::string(texte::kTip));
}

bool TAblageLeeren::Unser() { return eigentum_.Haelt() && eigentum_.Entschluesselt(); }

void TAblageLeeren::TipZeigen() { tip_(Einsetzen(texte::kTipLeeren, {std::to_string(rest_)})); }

void TAblageLeeren::Sekunde() {
  if (!Anstehend()) return;
  if (aufgeschoben_) {
    if (rest_ > 1) {
      --rest_;
      TipZeigen();
    } else {
      faellig_ = true;
    }
    return;
  }
  // Someone copied something else meanwhile: that is the user's now, and stays.
  if (!Unser()) {
    Abbrechen();
    return;
  }
  if (--rest_ > 0) {
    TipZeigen();
    return;
  }
  Leeren();
}

void TAblageLeeren::Aufschieben() { aufgeschoben_ = true; }

void TAblageLeeren::Fortsetzen() {
  aufgeschoben_ = false;
  if (!Anstehend()) return;
  if (!Unser()) {
    Abbrechen();
  } else if (faellig_) {
    Leeren();
  }
}

void TAblageLeeren::Sofort() {
  if (Anstehend() && Unser()) Leeren();
}

void TAblageLeeren::Leeren() {
  // Held open by another program at this moment: the next tick tries again.
  if (eigentum_.Leeren() == TEigentum::TErgebnis::Belegt) {
    rest_ = 1;
    faellig_ = false;
    return;
  }
  Anhalten();
}
