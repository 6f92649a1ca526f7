// UTF-8 to UTF-16 in the GUI layer's portable half: well-formed text, and the U+FFFD that stands
// for each maximal subpart of an ill-formed sequence.
#include <gtest/gtest.h>

#include <string>

#include "gui/Unicode.h"

namespace {

// Expected values: the Unicode Standard, chapter 3, the examples of tables 3-8 to 3-11 ("U+FFFD
// for non-shortest form sequences", "... for ill-formed sequences for surrogates", "... for
// other ill-formed sequences", "... for truncated sequences"), and the bounds of table 3-7
// ("well-formed UTF-8 byte sequences"), worked by hand from that table.
TEST(Utf16AusUtf8, GivesOneReplacementPerMaximalSubpart) {
  struct Fall {
    std::string utf8;
    std::u16string utf16;
  };
  const Fall faelle[] = {
      {"a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x91\x8B", u"a\u00E4\u20AC\U0001F44B"},
      {"\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", u"\u0800\uD7FF\uE000\U00010000\U0010FFFF"},
      {"\xC0\xAF\xE0\x80\xBF\xF0\x81\x82\x41", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u0041"},
      {"\xED\xA0\x80\xED\xBF\xBF\xED\xAF\x41", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u0041"},
      {"\xF4\x91\x92\x93\xFF\x41\x80\xBF\x42", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\u0041\uFFFD\uFFFD\u0042"},
      {"\xE1\x80\xE2\xF0\x91\x92\xF1\xBF\x41", u"\uFFFD\uFFFD\uFFFD\uFFFD\u0041"},
      {"\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
       u"\u0061\uFFFD\uFFFD\uFFFD\u0062\uFFFD\u0063\uFFFD\uFFFD\u0064"},
      // F5-FF never begin a sequence; E0 takes only A0-BF second.
      {"\xF5\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"\xE0\x80\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
      {"\xF0\x9F\x91", u"\uFFFD"},
  };
  for (const Fall& f : faelle) EXPECT_EQ(gui::Utf16AusUtf8(f.utf8), f.utf16) << f.utf8;
}

}  // namespace
