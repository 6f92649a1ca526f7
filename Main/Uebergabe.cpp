#include "Main/Uebergabe.h"

void TUebergabe::Angeboten() { *this = TUebergabe(); }

void TUebergabe::Gesendet(std::uint32_t ziel) {
  gesendet_ = true;
  ziel_ = ziel;
}

bool TUebergabe::Anfrage(std::uint32_t prozess, std::chrono::milliseconds jetzt) {
  if (!gesendet_ || (prozess != ziel_ && prozess != 0)) return false;
  ++beantwortet_;
  letzte_ = jetzt;
  return true;
}

bool TUebergabe::Fertig(std::chrono::milliseconds jetzt) const {
  return beantwortet_ > 0 && jetzt - letzte_ >= kRuhe;
}
