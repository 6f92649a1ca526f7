// Byte-level helpers shared by the library's .cpp files; not part of the public interface.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace verschl::detail {

// Every loop in the library works on unsigned char so that the byte values 128-255 compare
// as the code page numbers them, and so that GCC's vectoriser sees plain 8-bit lanes.
inline const unsigned char* Bytes(std::string_view text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

inline unsigned char* Bytes(std::string& text) {
  return reinterpret_cast<unsigned char*>(text.data());
}

// Letter value 0-25 of an ASCII letter of either case, or a value of 26 or more for every other
// byte: OR-ing in 0x20 folds 65-90 onto 97-122 and maps no other byte into that range.
inline unsigned char Buchstabenwert(unsigned char c) {
  return static_cast<unsigned char>((c | 0x20) - 'a');
}

// 0xFF where the condition holds, else 0. The library's loops combine such masks with & and +
// instead of choosing between values: GCC keeps that form branch-free and turns it into a
// handful of SSE2 instructions per 16 bytes, where nested selects cost twice as many.
inline unsigned char Maske(bool bedingung) {
  return static_cast<unsigned char>(-static_cast<unsigned char>(bedingung));
}

// Shifts an ASCII letter by k (0-25) within its own case and leaves every other byte alone.
// A letter whose value stays below 26 - k moves up by k, the others wrap round by k - 26.
inline unsigned char VerschiebeBuchstaben(unsigned char c, unsigned char k) {
  const unsigned char wert = Buchstabenwert(c);
  const unsigned char grenze = static_cast<unsigned char>(26 - k);
  const unsigned char ueberlauf = static_cast<unsigned char>(k - 26);
  return static_cast<unsigned char>(c + (Maske(wert < 26) & ueberlauf) + (Maske(wert < grenze) & 26));
}

}  // namespace verschl::detail
