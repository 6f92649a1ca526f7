#include "Main/AblageLeeren.h"

#include <utility>

#include "Main/Texte.h"
#include "einstellungen/Einsetzen.h"

TAblageLeeren::TAblageLeeren(ClipboardReader& ablage, std::function<void(bool)> uhr,
                             std::function<void(const std::string&)> tip)
    : ablage_(ablage), uhr_(std::move(uhr)), tip_(std::move(tip)) {}

void TAblageLeeren::NachEntschluesseln(std::int32_t sekunden) {
  if (sekunden <= 0) {
    Abbrechen();
    return;
  }
  const bool lief = Anstehend();
  sequenz_ = ablage_.Sequenznummer();
  rest_ = sekunden;
  if (!lief) uhr_(true);
  tip_(Einsetzen(texte::kTipLeeren, {std::to_string(rest_)}));
}

void TAblageLeeren::Abbrechen() {
  if (!Anstehend()) return;
  rest_ = 0;
  uhr_(false);
  tip_(std::string(texte::kTip));
}

void TAblageLeeren::Sekunde() {
  if (!Anstehend()) return;
  // Someone copied something else meanwhile: that is the user's now, and stays.
  if (ablage_.Sequenznummer() != sequenz_) {
    Abbrechen();
    return;
  }
  if (--rest_ > 0) {
    tip_(Einsetzen(texte::kTipLeeren, {std::to_string(rest_)}));
    return;
  }
  Leeren();
}

void TAblageLeeren::Sofort() {
  if (Anstehend()) Leeren();
}

void TAblageLeeren::Leeren() {
  // Held open by another program at this moment: the next tick tries again.
  if (ablage_.Sequenznummer() == sequenz_ && !ablage_.Leeren()) {
    rest_ = 1;
    return;
  }
  rest_ = 1;  // so that Abbrechen stops the clock and puts the tip back
  Abbrechen();
}
