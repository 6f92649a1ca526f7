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

// The code point that starts at `i`, which moves past it; U+FFFD for a broken or overlong sequence.
char32_t Naechstes(std::string_view utf8, std::size_t& i) {
  const auto b = static_cast<unsigned char>(utf8[i++]);
  if (b < 0x80) return b;
  const int folge = b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
  if (folge < 0) return kErsatz;
  char32_t c = b & (0x3F >> folge);
  for (int k = 0; k < folge; ++k) {
    if (i >= utf8.size() || (static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) return kErsatz;
    c = (c << 6) | (static_cast<unsigned char>(utf8[i++]) & 0x3F);
  }
  const bool zuLang = (folge == 2 && c < 0x800) || (folge == 3 && c < 0x10000);
  return zuLang || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? kErsatz : c;
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
