#include "gui/Unicode.h"

#include <cstdint>

namespace gui {

namespace {

constexpr char32_t kErsatz = 0xFFFD;

void Anhaengen(std::string& utf8, char32_t c) {
  if (c < 0x80) {
    utf8 += static_cast<char>(c);
  } else if (c < 0x800) {
    utf8 += static_cast<char>(0xC0 | (c >> 6));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    utf8 += static_cast<char>(0xE0 | (c >> 12));
    utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    utf8 += static_cast<char>(0xF0 | (c >> 18));
    utf8 += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    utf8 += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The code point that starts at `i`, which moves past it. An ill-formed sequence gives one U+FFFD
// for each of its maximal subparts, as the Unicode Standard recommends (chapter 3, "U+FFFD
// Substitution of Maximal Subparts"): the longest start of a well-formed sequence is taken as one,
// and the byte that broke it off is left to begin the next. The second byte's range depends on the
// lead byte (table 3-7), which also keeps out overlong forms, surrogates and values past U+10FFFF.
char32_t Naechstes(std::string_view utf8, std::size_t& i) {
  const auto b = static_cast<unsigned char>(utf8[i++]);
  if (b < 0x80) return b;
  int folge = 0;
  unsigned char unten = 0x80;
  unsigned char oben = 0xBF;
  if (b >= 0xC2 && b <= 0xDF) {
    folge = 1;
  } else if (b >= 0xE0 && b <= 0xEF) {
    folge = 2;
    if (b == 0xE0) unten = 0xA0;
    if (b == 0xED) oben = 0x9F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    folge = 3;
    if (b == 0xF0) unten = 0x90;
    if (b == 0xF4) oben = 0x8F;
  } else {
    return kErsatz;
  }
  char32_t c = b & (0x3F >> folge);
  for (int k = 0; k < folge; ++k) {
    if (i >= utf8.size()) return kErsatz;
    const auto f = static_cast<unsigned char>(utf8[i]);
    if (f < unten || f > oben) return kErsatz;
    c = (c << 6) | (f & 0x3F);
    ++i;
    unten = 0x80;
    oben = 0xBF;
  }
  return c;
}

}  // namespace

std::string Utf8AusUtf16(std::u16string_view utf16) {
  std::string utf8;
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[++i] - 0xDC00);
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kErsatz;
    }
    Anhaengen(utf8, c);
  }
  return utf8;
}

std::u16string Utf16AusUtf8(std::string_view utf8) {
  std::u16string utf16;
  for (std::size_t i = 0; i < utf8.size();) {
    const char32_t c = Naechstes(utf8, i);
    if (c >= 0x10000) {
      utf16 += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      utf16 += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      utf16 += static_cast<char16_t>(c);
    }
  }
  return utf16;
}

}  // namespace gui
