// The shift ciphers: Caesar, ROT13 and the byte shift by 128.
#include <array>
#include <cstddef>
#include <cstdint>

#include "verschl/buchstaben.h"
#include "verschl/verschl.h"

namespace verschl {

namespace {

using detail::Ergebnis;
using detail::Neu;
using detail::Zeichen;

template <class Z>
Ergebnis<Z> Caesar(const Z* __restrict quelle, std::size_t laenge, std::int32_t verschiebung) {
  // The remainder is taken before anything is added, so INT32_MIN and INT32_MAX cannot overflow,
  // and it is lifted into 0-25 so that every shift yields a letter of the same case.
  int k = verschiebung % 26;
  if (k < 0) k += 26;
  Ergebnis<Z> ergebnis = Neu<Z>(laenge);
  Z* __restrict ziel = Zeichen(ergebnis);
  for (std::size_t i = 0; i < laenge; ++i)
    ziel[i] = detail::VerschiebeBuchstaben(quelle[i], static_cast<unsigned char>(k));
  return ergebnis;
}

// The code points below U+0100 under the byte shift: the character of the byte with the top bit
// flipped where the code point has a byte, itself where it has none (the C1 controls that code
// page 1252 puts elsewhere).
constexpr std::array<char32_t, 256> GekipptAufbauen() {
  std::array<char32_t, 256> t{};
  for (char32_t c = 0; c < 256; ++c) {
    const int b = Cp1252Byte(c);
    t[c] = b < 0 ? c : AusCp1252(static_cast<unsigned char>(b ^ 0x80));
  }
  return t;
}

constexpr std::array<char32_t, 256> kGekippt = GekipptAufbauen();

unsigned char Gekippt(unsigned char c) { return static_cast<unsigned char>(c ^ 0x80); }

char32_t Gekippt(char32_t c) {
  if (c < 256) return kGekippt[c];
  // The code page's 27 characters from U+0100 up all sit on bytes 0x80-0x9F, whose flipped
  // bytes 0x00-0x1F are the code points of their own number.
  const int b = Cp1252Byte(c);
  return b < 0 ? c : static_cast<char32_t>(b ^ 0x80);
}

template <class Z>
Ergebnis<Z> Kippen(const Z* __restrict quelle, std::size_t laenge) {
  Ergebnis<Z> ergebnis = Neu<Z>(laenge);
  Z* __restrict ziel = Zeichen(ergebnis);
  for (std::size_t i = 0; i < laenge; ++i) ziel[i] = Gekippt(quelle[i]);
  return ergebnis;
}

}  // namespace

std::string CaesarVerschieben(std::string_view text, std::int32_t verschiebung) {
  return Caesar(Zeichen(text), text.size(), verschiebung);
}

TText CaesarVerschieben(std::u32string_view text, std::int32_t verschiebung) {
  return Caesar(Zeichen(text), text.size(), verschiebung);
}

std::string Rot13(std::string_view text) { return CaesarVerschieben(text, 13); }
TText Rot13(std::u32string_view text) { return CaesarVerschieben(text, 13); }

std::string Verschiebe128(std::string_view text) { return Kippen(Zeichen(text), text.size()); }
TText Verschiebe128(std::u32string_view text) { return Kippen(Zeichen(text), text.size()); }

}  // namespace verschl
