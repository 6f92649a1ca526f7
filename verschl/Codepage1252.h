// Code page 1252 exactly as Windows converts it (MultiByteToWideChar, and WideCharToMultiByte
// with WC_NO_BEST_FIT_CHARS), so that both roads of the cipher library agree on every Windows.
#pragma once

#include <array>
#include <cstddef>

namespace verschl {

namespace detail {

// The bytes 0x80-0x9F; all others are the code point of their own number (Latin-1). The five
// bytes the code page leaves undefined, 0x81, 0x8D, 0x8F, 0x90 and 0x9D, are taken by Windows to
// the C1 control of the same number and back, so every byte has a character.
inline constexpr std::array<char32_t, 32> kCp1252Oben{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

}  // namespace detail

constexpr char32_t AusCp1252(unsigned char b) { return b >= 0x80 && b < 0xA0 ? detail::kCp1252Oben[b - 0x80] : b; }

// The byte 0-255 of c, or -1 where code page 1252 has none: the C1 controls other than the five
// above, every code point from U+0100 that is not one of the 27 in the table, surrogates.
constexpr int Cp1252Byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c < 0x100)) return static_cast<int>(c);
  // The table's characters lie between U+0081 and U+2122; most text beyond needs no search.
  if (c > 0x2122) return -1;
  for (std::size_t i = 0; i < detail::kCp1252Oben.size(); ++i) {
    if (detail::kCp1252Oben[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace verschl
