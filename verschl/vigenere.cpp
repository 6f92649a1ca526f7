// The Vigenère cipher over the 26 ASCII letters, and its letter square.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "verschl/buchstaben.h"
#include "verschl/verschl.h"

namespace verschl {

TVigenereTabelle VigenereTabelle{};

void VigenereTabelleAufbauen(TVigenereTabelle& tabelle) {
  for (int i = 0; i < 26; ++i)
    for (int j = 0; j < 26; ++j) tabelle[static_cast<std::size_t>(i + 26 * j)] = static_cast<unsigned char>(65 + (i + j) % 26);
}

namespace {

// The table's entry at row P, column K is the letter of value (P + K) mod 26, and its column
// search for decryption finds the value (P - K) mod 26. Both are a shift by a key-dependent
// amount, so the ciphers compute the letter directly: that keeps them independent of whether
// VigenereTabelleAufbauen has run, and lets the loops vectorise.
unsigned char Schluesselverschiebung(unsigned char schluesselbuchstabe, bool rueckwaerts) {
  // A key byte that is no letter is outside the contract; the remainder keeps it a shift.
  const unsigned char wert = static_cast<unsigned char>(detail::Buchstabenwert(schluesselbuchstabe) % 26);
  return rueckwaerts ? static_cast<unsigned char>((26 - wert) % 26) : wert;
}

// Every byte uses up a key letter, so the key position is the byte's index modulo the key
// length. The key's shifts are laid out repeatedly in a buffer whose length is a multiple of
// the key length; each stretch of text of that length then starts at key position 1 and pairs
// with the buffer element by element, which the vectoriser can take in whole registers.
void MitJedemByte(const unsigned char* __restrict quelle, std::size_t n, const unsigned char* verschiebungen,
                  std::size_t m, unsigned char* __restrict ziel) {
  const std::size_t wiederholungen = (std::min<std::size_t>(n, 4096) + m - 1) / m;
  std::vector<unsigned char> puffer(m * wiederholungen);
  for (std::size_t w = 0; w < wiederholungen; ++w) std::copy_n(verschiebungen, m, puffer.data() + w * m);

  const unsigned char* __restrict k = puffer.data();
  for (std::size_t start = 0; start < n; start += puffer.size()) {
    const std::size_t laenge = std::min(puffer.size(), n - start);
    const unsigned char* __restrict q = quelle + start;
    unsigned char* __restrict z = ziel + start;
    for (std::size_t i = 0; i < laenge; ++i) z[i] = detail::VerschiebeBuchstaben(q[i], k[i]);
  }
}

// Only letters use up a key letter. Within a block of B bytes the key position can rise by at
// most B, so with the shifts laid out over key length + B the position needs wrapping only once
// per block. Each block then takes three loops: the letters are found, every byte is given the
// shift at the current key position, and the shifts are applied. The first and the last
// vectorise; the middle one carries nothing from byte to byte but one addition, where a single
// loop doing all three would keep a dozen instructions per byte in line behind it.
void NurMitBuchstaben(const unsigned char* __restrict quelle, std::size_t n, const unsigned char* verschiebungen,
                      std::size_t m, unsigned char* __restrict ziel) {
  constexpr std::size_t kBlock = 4096;
  const std::size_t block = std::min(n, kBlock);
  std::vector<unsigned char> puffer(m + block);
  for (std::size_t i = 0, s = 0; i < puffer.size(); ++i, s = s + 1 == m ? 0 : s + 1) puffer[i] = verschiebungen[s];

  unsigned char buchstabe[kBlock];
  // The shifts are placed half a page away from the output's address modulo 4096. The last
  // loop stores into the output while it loads them; at an equal page offset the processor
  // would take some of those loads for reloads of the fresh stores and stall them.
  alignas(64) unsigned char raum[2 * kBlock];
  std::size_t position = 0;
  for (std::size_t start = 0; start < n; start += block) {
    const std::size_t laenge = std::min(block, n - start);
    const unsigned char* __restrict q = quelle + start;
    unsigned char* __restrict z = ziel + start;
    const std::uintptr_t versatz =
        (reinterpret_cast<std::uintptr_t>(z) + kBlock / 2 - reinterpret_cast<std::uintptr_t>(raum)) % kBlock;
    unsigned char* __restrict verschiebung = raum + versatz;
    for (std::size_t i = 0; i < laenge; ++i) buchstabe[i] = detail::Buchstabenwert(q[i]) < 26 ? 1 : 0;
    position %= m;
    const unsigned char* __restrict k = puffer.data() + position;
    std::size_t s = 0;
#pragma GCC unroll 8
    for (std::size_t i = 0; i < laenge; ++i) {
      verschiebung[i] = k[s];
      s += buchstabe[i];
    }
    position += s;
    for (std::size_t i = 0; i < laenge; ++i) z[i] = detail::VerschiebeBuchstaben(q[i], verschiebung[i]);
  }
}

std::string Vigenere(std::string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren,
                     bool rueckwaerts) {
  if (schluessel.empty() || text.empty()) return std::string(text);
  // A key longer than the text is used only as far as the text reaches.
  const std::size_t m = std::min(schluessel.size(), text.size());
  std::vector<unsigned char> verschiebungen(m);
  const unsigned char* schluesselbytes = detail::Bytes(schluessel);
  for (std::size_t i = 0; i < m; ++i) verschiebungen[i] = Schluesselverschiebung(schluesselbytes[i], rueckwaerts);

  std::string ergebnis(text.size(), '\0');
  if (sonderzeichenIgnorieren)
    NurMitBuchstaben(detail::Bytes(text), text.size(), verschiebungen.data(), m, detail::Bytes(ergebnis));
  else
    MitJedemByte(detail::Bytes(text), text.size(), verschiebungen.data(), m, detail::Bytes(ergebnis));
  return ergebnis;
}

}  // namespace

std::string VigenereVerschluesseln(std::string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren) {
  return Vigenere(text, schluessel, sonderzeichenIgnorieren, false);
}

std::string VigenereEntschluesseln(std::string_view text, std::string_view schluessel, bool sonderzeichenIgnorieren) {
  return Vigenere(text, schluessel, sonderzeichenIgnorieren, true);
}

}  // namespace verschl
