// The shift ciphers: Caesar, ROT13 and the byte shift by 128.
#include <cstddef>
#include <cstdint>

#include "verschl/buchstaben.h"
#include "verschl/verschl.h"

namespace verschl {

namespace {

void VerschiebeAlle(const unsigned char* __restrict quelle, std::size_t laenge, unsigned char k,
                    unsigned char* __restrict ziel) {
  for (std::size_t i = 0; i < laenge; ++i) ziel[i] = detail::VerschiebeBuchstaben(quelle[i], k);
}

}  // namespace

std::string CaesarVerschieben(std::string_view text, std::int32_t verschiebung) {
  // The remainder is taken before anything is added, so INT32_MIN and INT32_MAX cannot overflow,
  // and it is lifted into 0-25 so that every shift yields a letter of the same case.
  int k = verschiebung % 26;
  if (k < 0) k += 26;
  std::string ergebnis(text.size(), '\0');
  VerschiebeAlle(detail::Bytes(text), text.size(), static_cast<unsigned char>(k), detail::Bytes(ergebnis));
  return ergebnis;
}

std::string Rot13(std::string_view text) { return CaesarVerschieben(text, 13); }

std::string Verschiebe128(std::string_view text) {
  std::string ergebnis(text.size(), '\0');
  const unsigned char* __restrict quelle = detail::Bytes(text);
  unsigned char* __restrict ziel = detail::Bytes(ergebnis);
  for (std::size_t i = 0; i < text.size(); ++i) ziel[i] = static_cast<unsigned char>(quelle[i] ^ 0x80);
  return ergebnis;
}

}  // namespace verschl
