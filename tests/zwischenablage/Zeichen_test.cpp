#include "Main/Zeichen.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Zeichen, ALoneSurrogateIsOneCharacterAndAPairToo) {
  const std::u16string text = u"a\xDC00\xD83D\xDE00\xD800";
  EXPECT_EQ(Zeichenzahl(std::u16string_view(text)), 4u);
}

}  // namespace
