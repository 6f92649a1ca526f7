// Character-level helpers shared by the library's .cpp files; not part of the public interface.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "verschl/Text.h"

namespace verschl::detail {

// Every operation is written once, as a template over the character Z of its road: unsigned
// char for code-page-1252 bytes, char32_t for code points. The two agree because every
// character an operation changes or looks for (ASCII letters, umlauts, ß, space) has the same
// number on both roads, and every code point from U+0080 to U+009F or from U+0100 up falls where
// the byte road keeps its "every other byte". So the helpers below must stay exact for 32-bit
// values: a trick that drops high bits would make U+01C4 look like Ä (0xC4).
//
// Every loop works on unsigned char rather than char so that the bytes 128-255 compare as the
// code page numbers them, and so that GCC's vectoriser sees plain 8-bit lanes.
inline const unsigned char* Zeichen(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

inline unsigned char* Zeichen(std::string& text) { return reinterpret_cast<unsigned char*>(text.data()); }

inline const char32_t* Zeichen(std::u32string_view text) { return text.data(); }

inline char32_t* Zeichen(TText& text) { return text.data(); }

template <class Z>
struct Strasse;

template <>
struct Strasse<unsigned char> {
  using Text = std::string;
};

template <>
struct Strasse<char32_t> {
  using Text = TText;
};

template <class Z>
using Ergebnis = typename Strasse<Z>::Text;

// A result of n characters, all 0, to be overwritten.
template <class Z>
Ergebnis<Z> Neu(std::size_t n) {
  return Ergebnis<Z>(n, typename Ergebnis<Z>::value_type{});
}

template <class Z>
Ergebnis<Z> Kopie(const Z* text, std::size_t n) {
  if constexpr (sizeof(Z) == 1) {
    return std::string(reinterpret_cast<const char*>(text), n);
  } else {
    return Ergebnis<Z>(text, text + n);
  }
}

// Letter value 0-25 of an ASCII letter of either case, or a value of 26 or more for every other
// character: OR-ing in 0x20 folds 65-90 onto 97-122 and maps no other value into that range.
template <class Z>
Z Buchstabenwert(Z c) {
  return static_cast<Z>((c | 0x20) - 'a');
}

// All bits set where the condition holds, else 0. The library's loops combine such masks with &
// and + instead of choosing between values: GCC keeps that form branch-free and turns it into a
// handful of SSE2 instructions per 16 bytes, where nested selects cost twice as many.
template <class Z>
Z Maske(bool bedingung) {
  return static_cast<Z>(-static_cast<Z>(bedingung));
}

// Shifts an ASCII letter by k (0-25) within its own case and leaves every other character alone.
// A letter whose value stays below 26 - k moves up by k, the others wrap round by k - 26.
template <class Z>
Z VerschiebeBuchstaben(Z c, unsigned char k) {
  const Z wert = Buchstabenwert(c);
  const Z grenze = static_cast<Z>(26 - k);
  const Z ueberlauf = static_cast<Z>(k - 26);
  return static_cast<Z>(c + (Maske<Z>(wert < 26) & ueberlauf) + (Maske<Z>(wert < grenze) & 26));
}

}  // namespace verschl::detail
