#include "verschl/Text.h"

#include <cstring>

namespace verschl {

namespace {

constexpr bool IstHoch(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IstTief(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

void Nullen(void* p, std::size_t n) noexcept {
  if (n == 0) return;
  std::memset(p, 0, n);
  // The empty statement claims to read all memory through p, so the zeros must really be
  // stored before it; GCC and Clang both honour it, MinGW included.
  __asm__ __volatile__("" : : "r"(p) : "memory");
}

TText AusUtf16(std::u16string_view utf16) {
  TText text;
  // Reserved once at the upper bound, so no half-filled buffer is left behind by growing.
  text.reserve(utf16.size());
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    const char32_t c = utf16[i];
    if (IstHoch(c) && i + 1 < utf16.size() && IstTief(utf16[i + 1])) {
      text.push_back(0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00));
    } else {
      text.push_back(c);
    }
  }
  return text;
}

TUtf16 InUtf16(std::u32string_view text) {
  std::size_t paare = 0;
  for (const char32_t c : text) paare += c >= 0x10000 && c <= 0x10FFFF ? 1 : 0;
  TUtf16 utf16;
  utf16.reserve(text.size() + paare);
  for (const char32_t c : text) {
    if (c < 0x10000) {
      utf16.push_back(static_cast<char16_t>(c));
    } else if (c <= 0x10FFFF) {
      utf16.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
      utf16.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      utf16.push_back(u'\uFFFD');
    }
  }
  return utf16;
}

}  // namespace verschl
