#include "Main/Wartefrist.h"

bool Versuchen(const TWartefrist& frist, std::chrono::milliseconds beginn, const std::function<bool()>& versuch) {
  while (!versuch()) {
    if (frist.jetzt() - beginn >= frist.dauer) return false;
    frist.schlafen(frist.pause);
  }
  return true;
}
