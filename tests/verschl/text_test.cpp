// The Unicode road's text type: its conversions to and from UTF-16, the code page 1252 mapping,
// and the allocator that wipes what it frees.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "verschl/Codepage1252.h"
#include "verschl/Text.h"
#include "verschl_test_hilfen.h"

namespace {

using verschl_test::Zufall;

// Expected values: the code page 1252 chart that Windows publishes (bestfit1252.txt), in which
// the five undefined bytes map to the C1 controls of the same number.
TEST(Codepage1252, MapsEveryByteAndBackAsWindowsDoes) {
  const std::pair<int, char32_t> stichproben[] = {{0x00, 0x0000}, {0x41, 0x0041}, {0x7F, 0x007F}, {0x80, 0x20AC},
                                                  {0x81, 0x0081}, {0x8A, 0x0160}, {0x8D, 0x008D}, {0x8F, 0x008F},
                                                  {0x90, 0x0090}, {0x99, 0x2122}, {0x9D, 0x009D}, {0x9F, 0x0178},
                                                  {0xA0, 0x00A0}, {0xE4, 0x00E4}, {0xFF, 0x00FF}};
  for (const auto& [b, c] : stichproben) EXPECT_EQ(verschl::AusCp1252(static_cast<unsigned char>(b)), c) << b;
  for (int b = 0; b < 256; ++b) EXPECT_EQ(verschl::Cp1252Byte(verschl::AusCp1252(static_cast<unsigned char>(b))), b);
  // No other code point has a byte: the C1 controls Windows does not map, Latin Extended, a
  // surrogate, an emoji.
  std::size_t mitByte = 0;
  for (char32_t c = 0; c <= 0x10FFFF; ++c) mitByte += verschl::Cp1252Byte(c) >= 0 ? 1 : 0;
  EXPECT_EQ(mitByte, 256u);
  for (char32_t c : {0x80, 0x9F, 0x100, 0x141, 0xD800, 0xFFFD, 0x1F44B}) EXPECT_EQ(verschl::Cp1252Byte(c), -1) << static_cast<std::uint32_t>(c);
}

TEST(Text, PairsBecomeOneCodePointAndLoneSurrogatesStayThemselves) {
  struct Fall {
    std::u16string utf16;
    std::u32string text;
  };
  const Fall faelle[] = {
      {u"Hallo \u00E4\u20AC", U"Hallo \u00E4\u20AC"},
      {u"\xD83D\xDC4B\xD83C\xDFFD", U"\U0001F44B\U0001F3FD"},
      {u"\xD800", U"\xD800"},
      {u"a\xDC00\xD800", U"a\xDC00\xD800"},  // the wrong order is no pair
      {u"\xD800\xD800\xDC00", U"\xD800\U00010000"},
      {u"\xDBFF\xDFFF\xDFFF", U"\U0010FFFF\xDFFF"},
      {std::u16string(1, u'\0'), std::u32string(1, U'\0')},
      {u"", U""},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(std::u32string(verschl::Ansicht(verschl::AusUtf16(f.utf16))), f.text);
    EXPECT_EQ(std::u16string(verschl::Ansicht(verschl::InUtf16(f.text))), f.utf16);
  }
  // Units drawn mostly from the surrogates, so that pairs, lone halves and their neighbours mix.
  Zufall zufall(61);
  for (int runde = 0; runde < 500; ++runde) {
    std::u16string utf16(zufall.Zahl(20), u'\0');
    for (char16_t& e : utf16) e = static_cast<char16_t>(zufall.Zahl(3) == 0 ? zufall.Zahl(0xFFFF) : 0xD7FE + zufall.Zahl(0x803));
    ASSERT_EQ(std::u16string(verschl::Ansicht(verschl::InUtf16(verschl::Ansicht(verschl::AusUtf16(utf16))))), utf16);
  }
  EXPECT_EQ(std::u16string(verschl::Ansicht(verschl::InUtf16(U"\x110000"))), u"\uFFFD");
}

// Hands out blocks from the heap and, when one comes back, notes whether it was all zeros.
struct Stand {
  std::size_t zurueck = 0;
  std::size_t sauber = 0;
};
Stand stand;

template <class T>
struct PruefVorrat {
  using value_type = T;
  PruefVorrat() = default;
  template <class U>
  PruefVorrat(const PruefVorrat<U>& /*andere*/) {}
  T* allocate(std::size_t n) { return std::allocator<T>().allocate(n); }
  void deallocate(T* p, std::size_t n) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    bool nullen = true;
    for (std::size_t i = 0; i < n * sizeof(T); ++i) nullen = nullen && bytes[i] == 0;
    ++stand.zurueck;
    stand.sauber += nullen ? 1 : 0;
    std::allocator<T>().deallocate(p, n);
  }
};

TEST(Text, TheAllocatorZeroesEveryBlockItFrees) {
  stand = {};
  {
    std::vector<char32_t, verschl::TWischAllocator<char32_t, PruefVorrat<char32_t>>> text;
    // Growing leaves the old blocks behind, each full of text.
    for (char32_t c = 1; c <= 1000; ++c) text.push_back(c | 0xFFFF00);
  }
  EXPECT_GE(stand.zurueck, 5u);
  EXPECT_EQ(stand.sauber, stand.zurueck);
}

}  // namespace
