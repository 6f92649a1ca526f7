#include "Main/win/Win32ClipboardReader.h"

#include <windows.h>

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "Main/Texte.h"

namespace {

// A text of every kind the commands meet: letters outside any one code page, an emoji with a skin
// tone, a line break and a lone surrogate, which only UTF-16 itself carries.
constexpr std::u16string_view kText = u"\u0141\u00F3d\u017A \u0414\u043E\u043C \U0001F44B\U0001F3FD\r\nx\xDC00";

std::u16string Gelesen(Win32ClipboardReader& ablage) {
  const auto text = ablage.UnicodeText();
  return text ? std::u16string(text->begin(), text->end()) : u"-";
}

// What a write leaves is what another program reads, unit for unit, whatever the system's code page;
// the marks come with a private text only.
TEST(Win32ClipboardReader, WritesAnyTextUnitForUnitAndMarksOnlyAPrivateOne) {
  const HWND fenster = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(fenster, nullptr);
  Win32ClipboardReader ablage(fenster);
  for (const bool privat : {true, false}) {
    ASSERT_TRUE(ablage.Open());
    ablage.Empty();
    EXPECT_TRUE(ablage.Schreiben(kText, privat));
    ablage.Close();
    ASSERT_TRUE(ablage.Open());
    EXPECT_EQ(Gelesen(ablage), kText);
    EXPECT_EQ(ablage.Length(), 15u);
    EXPECT_EQ(ablage.Markiert(), privat);
    for (const std::string_view name : texte::kPrivatFormate) {
      const UINT format = ::RegisterClipboardFormatA(std::string(name).c_str());
      EXPECT_EQ(::IsClipboardFormatAvailable(format) != FALSE, privat) << name;
    }
    EXPECT_TRUE(ablage.VonUns());
    ablage.Close();
  }
  ::DestroyWindow(fenster);
}

}  // namespace
