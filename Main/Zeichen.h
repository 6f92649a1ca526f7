// Characters of the clipboard's UTF-16 text as a user counts them, and the forms in which the
// commands' messages name them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline bool IstHochSurrogat(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
inline bool IstTiefSurrogat(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The number of characters: a surrogate pair is one, a lone surrogate one as well. A template over
// the code unit, because Windows hands its text out as wchar_t and the portable code keeps char16_t.
template <class Einheit>
std::size_t Zeichenzahl(std::basic_string_view<Einheit> text) {
  std::size_t paare = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (IstHochSurrogat(text[i]) && IstTiefSurrogat(text[i + 1])) {
      ++paare;
      ++i;
    }
  }
  return text.size() - paare;
}

// The character that begins at a UTF-16 index: its position counted from 1 and its code point.
struct TZeichenStelle {
  std::size_t stelle;
  std::uint32_t code;
};
TZeichenStelle ZeichenAn(std::u16string_view text, std::size_t index);

// "8.388.608": the thousands separated by points, as German texts write numbers.
std::string MitTausenderpunkten(std::size_t zahl);
// A code point as after "U+": upper-case hex, at least four digits.
std::string CodeHex(std::uint32_t code);

// Whether two texts are the same but for the form of their line breaks: CR LF, CR alone and LF alone
// each count as one line break.
bool GleichBisAufZeilenumbrueche(std::string_view a, std::string_view b);
