// Throughput of every text operation beside the cost of merely copying its input, measured in
// the same run so that the ratio does not depend on the machine.
#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "verschl/verschl.h"

namespace {

constexpr std::size_t kKiB = 1024;
constexpr std::size_t kMiB = 1024 * kKiB;
constexpr std::size_t kGroessteLaenge = 64 * kMiB;

// German-looking text: mostly small letters, some capitals, umlauts and ß, digits, punctuation,
// spaces and CR LF line breaks. The weights are per mille.
std::string GemischterText(std::size_t laenge) {
  struct Klasse {
    int anteil;
    std::string_view zeichen;
  };
  static constexpr std::array<Klasse, 7> kKlassen{{
      {640, "abcdefghijklmnopqrstuvwxyzeeeennnrrriisstt"},
      {80, "ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
      {20, "\xC4\xD6\xDC\xE4\xF6\xFC\xDF"},
      {40, "0123456789"},
      {30, ".,;:!?-()\""},
      {170, " "},
      {20, "\n"},
  }};
  std::string text;
  text.reserve(laenge + 1);
  std::uint64_t zustand = 0x9E3779B97F4A7C15u;
  while (text.size() < laenge) {
    // xorshift64: deterministic, so every run and every machine measures the same text.
    zustand ^= zustand << 13;
    zustand ^= zustand >> 7;
    zustand ^= zustand << 17;
    int wurf = static_cast<int>(zustand % 1000);
    const auto auswahl = static_cast<std::size_t>(zustand >> 32);
    for (const Klasse& k : kKlassen) {
      if (wurf < k.anteil) {
        const char c = k.zeichen[auswahl % k.zeichen.size()];
        if (c == '\n') text += '\r';
        text += c;
        break;
      }
      wurf -= k.anteil;
    }
  }
  text.resize(laenge);
  return text;
}

std::string_view Eingabe(std::size_t laenge) {
  static const std::string text = GemischterText(kGroessteLaenge);
  return std::string_view(text).substr(0, laenge);
}

// The same text as code points, for the Unicode road; at four bytes a character only as long
// as the longest length it is measured at.
constexpr std::size_t kGroessteUnicodeLaenge = kMiB;

std::u32string_view EingabeUnicode(std::size_t laenge) {
  static const verschl::TText text = [] {
    verschl::TText t;
    for (const char c : Eingabe(kGroessteUnicodeLaenge)) t.push_back(verschl::AusCp1252(static_cast<unsigned char>(c)));
    return t;
  }();
  return verschl::Ansicht(text).substr(0, laenge);
}

template <class Z>
auto EingabeFuer(const benchmark::State& state) {
  const auto laenge = static_cast<std::size_t>(state.range(0));
  if constexpr (sizeof(Z) == 1) {
    return Eingabe(laenge);
  } else {
    return EingabeUnicode(laenge);
  }
}

void Groessen(benchmark::internal::Benchmark* b) {
  for (std::size_t n : {kKiB, kMiB, kGroessteLaenge}) b->Arg(static_cast<std::int64_t>(n));
  b->Unit(benchmark::kMicrosecond);
}

void UnicodeGroessen(benchmark::internal::Benchmark* b) {
  for (std::size_t n : {kKiB, kMiB}) b->Arg(static_cast<std::int64_t>(n));
  b->Unit(benchmark::kMicrosecond);
}

// Counted in characters rather than bytes, so that both roads' rates for the same text compare
// directly.
template <class Text, class Operation>
void Messen(benchmark::State& state, const Text& eingabe, Operation operation) {
  for (auto _ : state) {
    auto ergebnis = operation(eingabe);
    benchmark::DoNotOptimize(ergebnis.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(eingabe.size()));
}

constexpr std::string_view kSchluessel = "Verschluesselung";

// The byte road's partner of verschl::Ansicht, for the decryptions that read an encryption.
std::string_view Ansicht(const std::string& text) { return text; }

// Each operation once, as a template over the road's character type, which the registration
// passes as a value: char for the bytes, char32_t for code points. The generic lambdas let the
// input's type choose the overload.
void Kopie(benchmark::State& state) {
  Messen(state, EingabeFuer<char>(state), [](std::string_view t) { return std::string(t); });
}

template <class Z>
void ErsetzeUmlaute(benchmark::State& state, Z /*strasse*/) {
  Messen(state, EingabeFuer<Z>(state), [](auto t) { return verschl::ErsetzeUmlaute(t); });
}
template <class Z>
void InKleinschrift(benchmark::State& state, Z /*strasse*/) {
  Messen(state, EingabeFuer<Z>(state), [](auto t) { return verschl::InKleinschrift(t); });
}
template <class Z>
void InGrossschrift(benchmark::State& state, Z /*strasse*/) {
  Messen(state, EingabeFuer<Z>(state), [](auto t) { return verschl::InGrossschrift(t); });
}
template <class Z>
void EntferneLeerzeichen(benchmark::State& state, Z /*strasse*/) {
  Messen(state, EingabeFuer<Z>(state), [](auto t) { return verschl::EntferneLeerzeichen(t); });
}
template <class Z>
void Rot13(benchmark::State& state, Z /*strasse*/) {
  Messen(state, EingabeFuer<Z>(state), [](auto t) { return verschl::Rot13(t); });
}
template <class Z>
void Verschiebe128(benchmark::State& state, Z /*strasse*/) {
  Messen(state, EingabeFuer<Z>(state), [](auto t) { return verschl::Verschiebe128(t); });
}
template <class Z>
void Caesar(benchmark::State& state, Z /*strasse*/) {
  Messen(state, EingabeFuer<Z>(state), [](auto t) { return verschl::CaesarVerschieben(t, 3); });
}

template <class Z>
void TranspositionVer(benchmark::State& state, Z /*strasse*/, bool quadratisch, std::int32_t spalten) {
  Messen(state, EingabeFuer<Z>(state),
         [=](auto t) { return verschl::TranspositionVerschluesseln(t, quadratisch, spalten); });
}

template <class Z>
void TranspositionEnt(benchmark::State& state, Z /*strasse*/, bool quadratisch, std::int32_t spalten) {
  const auto geheim = verschl::TranspositionVerschluesseln(EingabeFuer<Z>(state), quadratisch, spalten);
  Messen(state, geheim, [=](const auto& t) {
    return verschl::TranspositionEntschluesseln(Ansicht(t), quadratisch, spalten);
  });
}

template <class Z>
void VigenereVer(benchmark::State& state, Z /*strasse*/, bool ignorieren) {
  Messen(state, EingabeFuer<Z>(state),
         [=](auto t) { return verschl::VigenereVerschluesseln(t, kSchluessel, ignorieren); });
}

template <class Z>
void VigenereEnt(benchmark::State& state, Z /*strasse*/, bool ignorieren) {
  const auto geheim = verschl::VigenereVerschluesseln(EingabeFuer<Z>(state), kSchluessel, ignorieren);
  Messen(state, geheim,
         [=](const auto& t) { return verschl::VigenereEntschluesseln(Ansicht(t), kSchluessel, ignorieren); });
}

}  // namespace

BENCHMARK(Kopie)->Apply(Groessen);
BENCHMARK_CAPTURE(InKleinschrift, bytes, char{})->Apply(Groessen);
BENCHMARK_CAPTURE(InGrossschrift, bytes, char{})->Apply(Groessen);
BENCHMARK_CAPTURE(Caesar, bytes, char{})->Apply(Groessen);
BENCHMARK_CAPTURE(Rot13, bytes, char{})->Apply(Groessen);
BENCHMARK_CAPTURE(Verschiebe128, bytes, char{})->Apply(Groessen);
BENCHMARK_CAPTURE(ErsetzeUmlaute, bytes, char{})->Apply(Groessen);
BENCHMARK_CAPTURE(EntferneLeerzeichen, bytes, char{})->Apply(Groessen);
BENCHMARK_CAPTURE(TranspositionVer, quadratisch, char{}, true, 0)->Apply(Groessen);
BENCHMARK_CAPTURE(TranspositionEnt, quadratisch, char{}, true, 0)->Apply(Groessen);
BENCHMARK_CAPTURE(TranspositionVer, spalten100, char{}, false, 100)->Apply(Groessen);
BENCHMARK_CAPTURE(TranspositionEnt, spalten100, char{}, false, 100)->Apply(Groessen);
BENCHMARK_CAPTURE(VigenereVer, jedesByte, char{}, false)->Apply(Groessen);
BENCHMARK_CAPTURE(VigenereEnt, jedesByte, char{}, false)->Apply(Groessen);
BENCHMARK_CAPTURE(VigenereVer, nurBuchstaben, char{}, true)->Apply(Groessen);
BENCHMARK_CAPTURE(VigenereEnt, nurBuchstaben, char{}, true)->Apply(Groessen);

BENCHMARK_CAPTURE(InKleinschrift, unicode, char32_t{})->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(InGrossschrift, unicode, char32_t{})->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(Caesar, unicode, char32_t{})->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(Rot13, unicode, char32_t{})->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(Verschiebe128, unicode, char32_t{})->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(ErsetzeUmlaute, unicode, char32_t{})->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(EntferneLeerzeichen, unicode, char32_t{})->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(TranspositionVer, quadratisch_unicode, char32_t{}, true, 0)->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(TranspositionEnt, quadratisch_unicode, char32_t{}, true, 0)->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(TranspositionVer, spalten100_unicode, char32_t{}, false, 100)->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(TranspositionEnt, spalten100_unicode, char32_t{}, false, 100)->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(VigenereVer, jedesByte_unicode, char32_t{}, false)->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(VigenereEnt, jedesByte_unicode, char32_t{}, false)->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(VigenereVer, nurBuchstaben_unicode, char32_t{}, true)->Apply(UnicodeGroessen);
BENCHMARK_CAPTURE(VigenereEnt, nurBuchstaben_unicode, char32_t{}, true)->Apply(UnicodeGroessen);

BENCHMARK_MAIN();
