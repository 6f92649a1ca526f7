// Characters of the clipboard's UTF-16 text as a user counts them, and the form in which the
// commands' messages name their number.
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

// "8.388.608": the thousands separated by points, as German texts write numbers.
std::string MitTausenderpunkten(std::size_t zahl);
