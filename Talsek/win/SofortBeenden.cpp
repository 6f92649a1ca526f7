#include "Talsek/win/SofortBeenden.h"

#include <string>

#include "Talsek/Texte.h"

bool IstSofortBeenden(UINT message) {
  static const UINT sofortBeenden = ::RegisterWindowMessageA(std::string(texte::kSofortBeenden).c_str());
  return sofortBeenden != 0 && message == sofortBeenden;
}

void SofortBeenden() { ::ExitProcess(0); }
