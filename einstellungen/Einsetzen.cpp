#include "einstellungen/Einsetzen.h"

std::string Einsetzen(std::string_view muster, std::initializer_list<std::string_view> werte) {
  std::string text;
  auto wert = werte.begin();
  for (std::size_t i = 0; i < muster.size(); ++i) {
    if (muster[i] == '%' && i + 1 < muster.size() && muster[i + 1] == 's' && wert != werte.end()) {
      text += *wert++;
      ++i;
    } else {
      text += muster[i];
    }
  }
  return text;
}
