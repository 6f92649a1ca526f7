// Every operation of the cipher library on arbitrary bytes, keys and column counts, checked
// against the laws the operations promise: lengths, the places of the bytes they must not touch,
// that each decryption undoes its encryption, and that the Unicode road gives the byte road's
// result for the same text as code points.
//
// Input: flags, column count, Caesar shift (4 bytes), length-prefixed key, stretch, then the text.
//   flags bit 0  square matrix          bit 1  Vigenère ignores non-letters
//   flags bits 2, 3 and 4 all set: the text is repeated to 4000 + 8 * stretch bytes or more,
//                so that small inputs reach the library's block and tile boundaries (4096 bytes,
//                64 x 64 tiles); one input in eight at most, as long texts run slowly
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz/FuzzSupport.h"
#include "verschl/verschl.h"

namespace {

using fuzz::IsAsciiLetter;
using fuzz::Require;

using Histogram = std::array<std::size_t, 256>;

Histogram Count(std::string_view text) {
  Histogram h{};
  for (const char c : text) ++h[static_cast<unsigned char>(c)];
  return h;
}

unsigned char At(std::string_view text, std::size_t i) { return static_cast<unsigned char>(text[i]); }

bool IsUpperLetter(unsigned char c) { return c >= 'A' && c <= 'Z'; }
int LetterValue(unsigned char c) { return (IsUpperLetter(c) ? c - 'A' : c - 'a'); }
int Mod26(std::int64_t x) { return static_cast<int>(((x % 26) + 26) % 26); }

std::string WithoutTrailingSpaces(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return std::string(end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1));
}

std::size_t SquareColumns(std::size_t length) {
  std::size_t n = 1;
  while (n * n < length) ++n;
  return n;
}

// Byte i of `out` is byte i of `in` shifted by `shift` letters if it is a letter, else unchanged.
bool ShiftedAt(std::string_view in, std::string_view out, std::size_t i, std::int64_t shift) {
  const unsigned char a = At(in, i);
  const unsigned char b = At(out, i);
  if (!IsAsciiLetter(a)) return a == b;
  return IsAsciiLetter(b) && IsUpperLetter(a) == IsUpperLetter(b) && LetterValue(b) == Mod26(LetterValue(a) + shift);
}

void CheckFilters(const std::string& text) {
  struct Transcription {
    unsigned char from;
    std::string_view to;
  };
  constexpr std::array<Transcription, 7> kUmlaute{{{196, "Ae"},
                                                   {214, "Oe"},
                                                   {220, "Ue"},
                                                   {223, "ss"},
                                                   {228, "ae"},
                                                   {246, "oe"},
                                                   {252, "ue"}}};
  const auto transcription = [&](unsigned char c) -> std::string_view {
    for (const Transcription& t : kUmlaute) {
      if (t.from == c) return t.to;
    }
    return {};
  };

  const std::string umlaute = verschl::ErsetzeUmlaute(text);
  std::size_t out = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::string_view to = transcription(At(text, i));
    const std::string_view expected = to.empty() ? std::string_view(text).substr(i, 1) : to;
    Require(std::string_view(umlaute).substr(out, expected.size()) == expected,
            "ErsetzeUmlaute transcribes the seven bytes and keeps every other byte in its order");
    out += expected.size();
  }
  Require(out == umlaute.size(), "ErsetzeUmlaute adds exactly one byte per transcribed byte");

  const std::string klein = verschl::InKleinschrift(text);
  const std::string gross = verschl::InGrossschrift(text);
  Require(klein.size() == text.size() && gross.size() == text.size(), "the case filters keep the length");
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = At(text, i);
    const bool upper = IsUpperLetter(c) || c == 196 || c == 214 || c == 220;
    const bool lower = (c >= 'a' && c <= 'z') || c == 228 || c == 246 || c == 252;
    Require(At(klein, i) == (upper ? c + 32 : c), "InKleinschrift lowers A-Z and the capital umlauts only");
    Require(At(gross, i) == (lower ? c - 32 : c), "InGrossschrift raises a-z and the small umlauts only");
  }
  Require(verschl::InKleinschrift(gross) == klein, "lower case of upper case is lower case");
  Require(verschl::InGrossschrift(klein) == gross, "upper case of lower case is upper case");

  std::string spaces_removed = text;
  std::erase(spaces_removed, ' ');
  Require(verschl::EntferneLeerzeichen(text) == spaces_removed,
          "EntferneLeerzeichen removes the byte 32 and nothing else, keeping the order");
}

void CheckShifts(const std::string& text, std::int32_t shift) {
  const std::string shifted = verschl::CaesarVerschieben(text, shift);
  Require(shifted.size() == text.size(), "CaesarVerschieben keeps the length");
  for (std::size_t i = 0; i < text.size(); ++i) {
    Require(ShiftedAt(text, shifted, i, shift), "CaesarVerschieben shifts letters within their case only");
  }
  if (shift != std::numeric_limits<std::int32_t>::min()) {
    Require(verschl::CaesarVerschieben(shifted, -shift) == text, "a shift by -n undoes a shift by n");
  }
  // The commands pass only -25..25; the decrypt command negates the option.
  const std::int32_t option = Mod26(shift);
  Require(verschl::CaesarVerschieben(verschl::CaesarVerschieben(text, option), -option) == text,
          "the decrypt command's shift undoes the encrypt command's");

  const std::string rot13 = verschl::Rot13(text);
  Require(rot13 == verschl::CaesarVerschieben(text, 13), "Rot13 is the Caesar shift by 13");
  Require(verschl::Rot13(rot13) == text, "Rot13 applied twice gives the text back");

  const std::string flipped = verschl::Verschiebe128(text);
  Require(flipped.size() == text.size(), "Verschiebe128 keeps the length");
  for (std::size_t i = 0; i < text.size(); ++i) {
    Require((At(flipped, i) ^ At(text, i)) == 0x80, "Verschiebe128 adds 128 modulo 256 to every byte");
  }
  Require(verschl::Verschiebe128(flipped) == text, "Verschiebe128 applied twice gives the text back");
}

void CheckTransposition(const std::string& text, bool square, std::int32_t columns) {
  const std::string encrypted = verschl::TranspositionVerschluesseln(text, square, columns);
  if (text.empty()) {
    Require(encrypted.empty(), "the transposition of the empty text is empty");
  } else {
    const std::size_t c = square ? SquareColumns(text.size()) : static_cast<std::size_t>(columns);
    const std::size_t r = (text.size() + c - 1) / c;
    Require(encrypted.size() == r * c, "the encryption fills the matrix: r x c bytes");
    if (square) Require(r == c || r + 1 == c, "a square encryption is c x c or c x (c - 1) bytes");
    Histogram expected = Count(text);
    expected[' '] += r * c - text.size();
    Require(Count(encrypted) == expected, "the encryption only moves bytes and adds filler spaces");
    if (!square && c == 1) Require(encrypted == text, "one column leaves the text as it is");
    if (!square && c >= text.size()) {
      Require(encrypted == text + std::string(c - text.size(), ' '), "one row is the text and its filler");
    }
  }
  Require(verschl::TranspositionEntschluesseln(encrypted, square, columns) == WithoutTrailingSpaces(text),
          "decrypting the encryption gives the text back, less its trailing spaces");

  // Decryption of a text that no encryption made: the bytes are only moved, filler spaces may
  // land inside the result (when there are more filler bytes than rows), and the end is trimmed.
  const std::string decrypted = verschl::TranspositionEntschluesseln(text, square, columns);
  Require(decrypted.empty() || decrypted.back() != ' ', "a decryption never ends in a space");
  Histogram in = Count(text);
  Histogram out = Count(decrypted);
  in[' '] = out[' '] = 0;
  Require(in == out, "a decryption keeps every byte that is not a space");
  if (!text.empty()) {
    const std::size_t c = square ? SquareColumns(text.size()) : static_cast<std::size_t>(columns);
    const std::size_t r = (text.size() + c - 1) / c;
    Require(decrypted.size() <= r * c, "a decryption is at most as long as its matrix");
    // Without filler, and with nothing trimmed, the decryption is a pure permutation that the
    // encryption reverses.
    if (r * c == text.size() && decrypted.size() == text.size()) {
      Require(verschl::TranspositionVerschluesseln(decrypted, square, columns) == text,
              "with a full matrix, encrypting a decryption gives the text back");
    }
  }
}

void CheckVigenere(const std::string& text, const std::string& key, bool ignoreOthers) {
  const std::string encrypted = verschl::VigenereVerschluesseln(text, key, ignoreOthers);
  const std::string decrypted = verschl::VigenereEntschluesseln(text, key, ignoreOthers);
  Require(encrypted.size() == text.size() && decrypted.size() == text.size(), "Vigenère keeps the length");

  // The key position starts at the first key letter and moves on after every letter, and after
  // every other byte too unless those are ignored.
  std::size_t position = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int k = LetterValue(At(key, position));
    Require(ShiftedAt(text, encrypted, i, k), "Vigenère encrypts each letter with the key letter at its position");
    Require(ShiftedAt(text, decrypted, i, -k), "Vigenère decrypts each letter with the key letter at its position");
    if (!ignoreOthers || IsAsciiLetter(At(text, i))) position = (position + 1) % key.size();
  }

  Require(verschl::VigenereEntschluesseln(encrypted, key, ignoreOthers) == text,
          "Vigenère decryption undoes the encryption with the same key and flag");
  Require(verschl::VigenereVerschluesseln(decrypted, key, ignoreOthers) == text,
          "Vigenère encryption undoes the decryption with the same key and flag");

  std::string lowerKey = key;
  for (char& c : lowerKey) c = static_cast<char>(IsUpperLetter(static_cast<unsigned char>(c)) ? c + 32 : c);
  Require(verschl::VigenereVerschluesseln(text, lowerKey, ignoreOthers) == encrypted,
          "the case of the key does not matter");
  Require(verschl::VigenereVerschluesseln(text, key.substr(0, 1), ignoreOthers) ==
              verschl::CaesarVerschieben(text, LetterValue(At(key, 0))),
          "a key of one letter is a Caesar shift by that letter's value");
}

std::string AsBytes(std::u32string_view text) {
  std::string bytes;
  for (const char32_t c : text) {
    const int b = verschl::Cp1252Byte(c);
    Require(b >= 0, "the Unicode road makes only characters of code page 1252 out of a text of the code page");
    bytes += static_cast<char>(b);
  }
  return bytes;
}

template <class Operation>
void SameOnBothRoads(const std::string& text, std::u32string_view codePoints, Operation operation) {
  Require(AsBytes(verschl::Ansicht(operation(codePoints))) == operation(std::string_view(text)),
          "the Unicode road gives the byte road's result, character for byte");
}

void CheckUnicodeRoad(const std::string& text, std::int32_t shift, bool square, std::int32_t columns,
                      const std::string& key, bool ignoreOthers) {
  std::u32string codePoints;
  for (const char c : text) codePoints += verschl::AusCp1252(static_cast<unsigned char>(c));
  SameOnBothRoads(text, codePoints, [](auto t) { return verschl::ErsetzeUmlaute(t); });
  SameOnBothRoads(text, codePoints, [](auto t) { return verschl::InKleinschrift(t); });
  SameOnBothRoads(text, codePoints, [](auto t) { return verschl::InGrossschrift(t); });
  SameOnBothRoads(text, codePoints, [](auto t) { return verschl::EntferneLeerzeichen(t); });
  SameOnBothRoads(text, codePoints, [=](auto t) { return verschl::CaesarVerschieben(t, shift); });
  SameOnBothRoads(text, codePoints, [](auto t) { return verschl::Rot13(t); });
  SameOnBothRoads(text, codePoints, [](auto t) { return verschl::Verschiebe128(t); });
  SameOnBothRoads(text, codePoints, [=](auto t) { return verschl::TranspositionVerschluesseln(t, square, columns); });
  SameOnBothRoads(text, codePoints, [=](auto t) { return verschl::TranspositionEntschluesseln(t, square, columns); });
  SameOnBothRoads(text, codePoints, [&](auto t) { return verschl::VigenereVerschluesseln(t, key, ignoreOthers); });
  SameOnBothRoads(text, codePoints, [&](auto t) { return verschl::VigenereEntschluesseln(t, key, ignoreOthers); });
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) { return fuzz::BuildCipherTables(); }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::uint8_t flags = input.Byte();
  const std::int32_t columns = input.InRange(1, 100);
  const std::int32_t shift = input.Int32();
  std::string key = fuzz::AsLetters(input.Chunk());
  if (key.empty()) key = fuzz::AsLetters(std::string(1, static_cast<char>(flags)));
  const std::uint8_t stretch = input.Byte();
  std::string text = input.Rest();
  if ((flags & 0x1CU) == 0x1CU && !text.empty()) {
    const std::size_t wanted = 4000 + 8 * std::size_t{stretch};
    const std::string unit = text;
    while (text.size() < wanted) text += unit;
  }
  const std::string original = text;

  CheckFilters(text);
  CheckShifts(text, shift);
  const bool square = input.Bit(flags, 0);
  CheckTransposition(text, square, columns);
  CheckTransposition(text, !square, columns);
  CheckVigenere(text, key, input.Bit(flags, 1));
  CheckVigenere(text, key, !input.Bit(flags, 1));
  CheckUnicodeRoad(text, shift, square, columns, key, input.Bit(flags, 1));

  Require(text == original, "no operation changes its input");
  return 0;
}
