// Shared helpers for the cipher tests: byte strings written as numbers, and reproducible
// random texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>

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
