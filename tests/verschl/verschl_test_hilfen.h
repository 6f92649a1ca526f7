// Shared helpers for the cipher tests: byte strings written as numbers, the way between the
// byte road and the Unicode road, and reproducible random texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "verschl/Codepage1252.h"

namespace verschl_test {

// A string from byte values, so that tests can say 196 where the source file would need an
// escape that is easy to misread.
inline std::string Bytes(std::initializer_list<int> werte) {
  std::string s;
  for (int w : werte) s += static_cast<char>(static_cast<unsigned char>(w));
  return s;
}

inline unsigned char U(char c) { return static_cast<unsigned char>(c); }

// All 256 byte values in ascending order.
inline std::string AlleBytes() {
  std::string s(256, '\0');
  for (int b = 0; b < 256; ++b) s[static_cast<std::size_t>(b)] = static_cast<char>(b);
  return s;
}

// A byte string as the Unicode road sees it: each byte's code point in code page 1252.
inline std::u32string AlsCodepunkte(std::string_view bytes) {
  std::u32string text;
  for (char c : bytes) text += verschl::AusCp1252(U(c));
  return text;
}

// The way back; nothing where a character has no byte in the code page.
inline std::optional<std::string> AlsBytes(std::u32string_view text) {
  std::string bytes;
  for (char32_t c : text) {
    const int b = verschl::Cp1252Byte(c);
    if (b < 0) return std::nullopt;
    bytes += static_cast<char>(b);
  }
  return bytes;
}

// A fixed-seed generator: every run and every machine sees the same "random" texts, so a
// failure reproduces.
class Zufall {
 public:
  explicit Zufall(std::uint32_t saat) : gen_(saat) {}

  std::size_t Zahl(std::size_t bis) { return static_cast<std::size_t>(gen_() % (bis + 1)); }

  // Any of the 256 byte values.
  std::string Bytes(std::size_t laenge) {
    std::string s(laenge, '\0');
    for (char& c : s) c = static_cast<char>(gen_() & 0xFF);
    return s;
  }

  // Any byte value but 0.
  std::string BytesOhneNull(std::size_t laenge) {
    std::string s(laenge, '\0');
    for (char& c : s) c = static_cast<char>(1 + gen_() % 255);
    return s;
  }

  // Text of the kinds the filters and ciphers distinguish, with spaces and umlauts frequent
  // enough that every short text holds several of them.
  std::string Text(std::size_t laenge) {
    static constexpr std::string_view kVorrat =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ     0123456789.,-\t\r\n"
        "\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xC4\xD6\xDC\xE4\xF6\xFC\xDF\xC9\xE9\xE0\xA0\x80\xFF";
    std::string s(laenge, '\0');
    for (char& c : s) c = kVorrat[gen_() % kVorrat.size()];
    return s;
  }

  // A key of ASCII letters of both cases.
  std::string Schluessel(std::size_t laenge) {
    static constexpr std::string_view kBuchstaben = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    std::string s(laenge, '\0');
    for (char& c : s) c = kBuchstaben[gen_() % kBuchstaben.size()];
    return s;
  }

 private:
  std::mt19937 gen_;
};

}  // namespace verschl_test
