#include "Main/Zeichen.h"

#include <algorithm>

TZeichenStelle ZeichenAn(std::u16string_view text, std::size_t index) {
  const std::size_t stelle = Zeichenzahl(text.substr(0, index)) + 1;
  const std::uint32_t erste = text[index];
  if (IstHochSurrogat(erste) && index + 1 < text.size() && IstTiefSurrogat(text[index + 1])) {
    return {stelle, 0x10000 + ((erste - 0xD800) << 10) + (text[index + 1] - 0xDC00u)};
  }
  return {stelle, erste};
}

std::string MitTausenderpunkten(std::size_t zahl) {
  std::string ziffern = std::to_string(zahl);
  for (std::size_t i = ziffern.size(); i > 3; i -= 3) ziffern.insert(i - 3, 1, '.');
  return ziffern;
}

std::string CodeHex(std::uint32_t code) {
  static constexpr char kZiffern[] = "0123456789ABCDEF";
  std::string hex;
  do {
    hex += kZiffern[code % 16];
    code /= 16;
  } while (code != 0 || hex.size() < 4);
  std::reverse(hex.begin(), hex.end());
  return hex;
}

namespace {

// The length of the line break at `i`, 0 when there is none.
std::size_t Umbruch(std::string_view s, std::size_t i) {
  if (s[i] == '\r') return i + 1 < s.size() && s[i + 1] == '\n' ? 2 : 1;
  return s[i] == '\n' ? 1 : 0;
}

}  // namespace

bool GleichBisAufZeilenumbrueche(std::string_view a, std::string_view b) {
  if (a == b) return true;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const std::size_t ua = Umbruch(a, i);
    const std::size_t ub = Umbruch(b, j);
    if ((ua == 0) != (ub == 0)) return false;
    if (ua == 0 && a[i] != b[j]) return false;
    i += std::max<std::size_t>(ua, 1);
    j += std::max<std::size_t>(ub, 1);
  }
  return i == a.size() && j == b.size();
}
