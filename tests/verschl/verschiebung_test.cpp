// The shift ciphers: Caesar, ROT13 and the byte shift by 128.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "verschl/verschl.h"
#include "verschl_test_hilfen.h"

namespace {

using verschl_test::AlleBytes;
using verschl_test::Bytes;
using verschl_test::U;
using verschl_test::Zufall;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

// The described formula, 97 + ((c - 97 + n + 26) mod 26), in 64 bits so that no shift can
// overflow it, with mod either the truncating remainder of the description or a true modulo.
std::string ReferenzCaesar(std::string_view text, std::int64_t n, bool echterRest) {
  const auto rest = [echterRest](std::int64_t x) {
    const std::int64_t r = x % 26;
    return echterRest && r < 0 ? r + 26 : r;
  };
  std::string ergebnis(text);
  for (char& c : ergebnis) {
    const std::int64_t b = U(c);
    if (b >= 97 && b <= 122) c = static_cast<char>(97 + rest(b - 97 + n + 26));
    if (b >= 65 && b <= 90) c = static_cast<char>(65 + rest(b - 65 + n + 26));
  }
  return ergebnis;
}

bool IstBuchstabe(unsigned char b) { return (b >= 65 && b <= 90) || (b >= 97 && b <= 122); }

// Expected values: the worked examples of the cipher library's description of its shift ciphers.
TEST(Caesar, ShiftsTheWorkedExamples) {
  struct Fall {
    std::string eingabe;
    std::int32_t verschiebung;
    std::string erwartet;
  };
  const Fall faelle[] = {
      {"Zebra-123 \xE4", 2, "Bgdtc-123 \xE4"},
      {"Bgdtc-123 \xE4", -2, "Zebra-123 \xE4"},
      {"xyz XYZ", 25, "wxy WXY"},
      {"abc", -25, "bcd"},
      {"Hallo", 0, "Hallo"},
      {"Hallo", 26, "Hallo"},
      {"", 7, ""},
  };
  for (const Fall& f : faelle)
    EXPECT_EQ(verschl::CaesarVerschieben(f.eingabe, f.verschiebung), f.erwartet) << f.eingabe << " " << f.verschiebung;
}

TEST(Caesar, EqualsTheDescribedFormulaForEveryByteFromShiftMinus26Upwards) {
  const std::string alle = AlleBytes();
  for (std::int32_t n = -26; n <= 80; ++n)
    ASSERT_EQ(verschl::CaesarVerschieben(alle, n), ReferenzCaesar(alle, n, false)) << "shift " << n;
  for (std::int32_t n : {1000, 123456, 1 << 30, kMax - 26, kMax})
    ASSERT_EQ(verschl::CaesarVerschieben(alle, n), ReferenzCaesar(alle, n, false)) << "shift " << n;
}

TEST(Caesar, TakesATrueModuloForExtremeShifts) {
  const std::string alle = AlleBytes();
  for (std::int32_t n : {kMin, kMin + 1, kMin + 25, kMax, kMax - 1, -27, -52, -53, -1000001, -26 * 82595524,
                         26 * 82595524, -26 * 1000 - 1})
    EXPECT_EQ(verschl::CaesarVerschieben(alle, n), ReferenzCaesar(alle, n, true)) << "shift " << n;
}

TEST(Caesar, MultiplesOf26ChangeNothing) {
  const std::string alle = AlleBytes();
  for (std::int32_t n : {-26 * 82595524, -26 * 5, -52, -26, 0, 26, 52, 26 * 1000, 26 * 82595524})
    EXPECT_EQ(verschl::CaesarVerschieben(alle, n), alle) << "shift " << n;
}

TEST(Caesar, KeepsEveryLetterInItsCaseAndEveryOtherByteInPlace) {
  const std::string alle = AlleBytes();
  for (std::int32_t n : {kMin, -100, -27, -1, 1, 13, 25, 27, 99999, kMax}) {
    const std::string ergebnis = verschl::CaesarVerschieben(alle, n);
    ASSERT_EQ(ergebnis.size(), alle.size());
    for (std::size_t i = 0; i < alle.size(); ++i) {
      const unsigned char vorher = U(alle[i]);
      const unsigned char nachher = U(ergebnis[i]);
      if (!IstBuchstabe(vorher)) {
        ASSERT_EQ(nachher, vorher) << "shift " << n << " byte " << i;
      } else {
        ASSERT_TRUE(IstBuchstabe(nachher)) << "shift " << n << " byte " << i;
        ASSERT_EQ(vorher < 97, nachher < 97) << "shift " << n << " byte " << i;
      }
    }
  }
}

TEST(Caesar, ANegativeShiftUndoesThePositiveOne) {
  Zufall zufall(21);
  for (std::int32_t n = 0; n <= 25; ++n) {
    const std::string text = zufall.Bytes(300 + static_cast<std::size_t>(n));
    ASSERT_EQ(verschl::CaesarVerschieben(verschl::CaesarVerschieben(text, n), -n), text) << "shift " << n;
  }
  const std::string text = zufall.Bytes(1000);
  EXPECT_EQ(verschl::CaesarVerschieben(verschl::CaesarVerschieben(text, kMax), -kMax), text);
}

TEST(Caesar, ShiftsTextsOfEveryShortLengthAlike) {
  // The vector loop and its scalar tail must agree: each prefix shifts as the reference does.
  Zufall zufall(22);
  const std::string text = zufall.Text(100);
  for (std::size_t n = 0; n <= text.size(); ++n) {
    const std::string_view stueck = std::string_view(text).substr(0, n);
    ASSERT_EQ(verschl::CaesarVerschieben(stueck, 11), ReferenzCaesar(stueck, 11, false)) << "length " << n;
  }
}

TEST(Rot13, TurnsHalloIntoUnyybAndBack) {
  EXPECT_EQ(verschl::Rot13("Hallo"), "Unyyb");
  EXPECT_EQ(verschl::Rot13("Unyyb"), "Hallo");
  EXPECT_EQ(verschl::Rot13(""), "");
}

TEST(Rot13, IsCaesarBy13AndItsOwnInverse) {
  const std::string alle = AlleBytes();
  EXPECT_EQ(verschl::Rot13(alle), ReferenzCaesar(alle, 13, false));
  EXPECT_EQ(verschl::Rot13(verschl::Rot13(alle)), alle);
  // Umlauts and sharp s are no letters to the shift ciphers.
  const std::string umlaute = "\xC4\xD6\xDC\xE4\xF6\xFC\xDF";
  EXPECT_EQ(verschl::Rot13(umlaute), umlaute);
}

TEST(Verschiebe128, FlipsTheTopBitOfTheWorkedExample) {
  EXPECT_EQ(verschl::Verschiebe128("A b"), Bytes({193, 160, 226}));
  EXPECT_EQ(verschl::Verschiebe128(Bytes({193, 160, 226})), "A b");
  EXPECT_EQ(verschl::Verschiebe128(Bytes({'x', 128, 'y'})), Bytes({248, 0, 249}));
  EXPECT_EQ(verschl::Verschiebe128(""), "");
}

TEST(Verschiebe128, AddsOneHundredTwentyEightToEveryByteValue) {
  const std::string alle = AlleBytes();
  const std::string ergebnis = verschl::Verschiebe128(alle);
  ASSERT_EQ(ergebnis.size(), 256u);
  for (int b = 0; b < 256; ++b) EXPECT_EQ(U(ergebnis[static_cast<std::size_t>(b)]), (b + 128) % 256) << "byte " << b;
  EXPECT_EQ(verschl::Verschiebe128(ergebnis), alle);
}

}  // namespace
