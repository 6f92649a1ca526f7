#include "Main/Zeichen.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Zeichen, LineBreaksMayChangeFormButNotNumberOrPlace) {
  const struct {
    std::string a, b;
    bool gleich;
  } faelle[] = {
      {"a\nb\rc\r\n", "a\r\nb\r\nc\r\n", true}, {"a\n\nb", "a\r\n\r\nb", true}, {"a\r\n", "a\n", true},
      {"a\n\nb", "a\r\nb", false},              {"a\r", "a", false},             {"ab\n", "a\nb", false},
      {"a\nb", "a b", false},                   {"", "\n", false},
  };
  for (const auto& fall : faelle) {
    EXPECT_EQ(GleichBisAufZeilenumbrueche(fall.a, fall.b), fall.gleich) << fall.a << " / " << fall.b;
    EXPECT_EQ(GleichBisAufZeilenumbrueche(fall.b, fall.a), fall.gleich) << fall.b << " / " << fall.a;
  }
}

TEST(Zeichen, ALoneSurrogateIsOneCharacterOfItsOwnCode) {
  const std::u16string text = u"a\xDC00\xD83D\xDE00\xD800";
  EXPECT_EQ(Zeichenzahl(std::u16string_view(text)), 4u);
  EXPECT_EQ(ZeichenAn(text, 1).code, 0xDC00u);
  EXPECT_EQ(ZeichenAn(text, 2).code, 0x1F600u);
  EXPECT_EQ(ZeichenAn(text, 4).stelle, 4u);
  EXPECT_EQ(ZeichenAn(text, 4).code, 0xD800u);
}

}  // namespace
