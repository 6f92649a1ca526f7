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

void Groessen(benchmark::internal::Benchmark* b) {
  for (std::size_t n : {kKiB, kMiB, kGroessteLaenge}) b->Arg(static_cast<std::int64_t>(n));
  b->Unit(benchmark::kMicrosecond);
}

template <typename Operation>
void Messen(benchmark::State& state, std::string_view eingabe, Operation operation) {
  for (auto _ : state) {
    std::string ergebnis = operation(eingabe);
    benchmark::DoNotOptimize(ergebnis.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(eingabe.size()));
}

std::string_view EingabeFuer(const benchmark::State& state) {
  return Eingabe(static_cast<std::size_t>(state.range(0)));
}

constexpr std::string_view kSchluessel = "Verschluesselung";

void Kopie(benchmark::State& state) {
  Messen(state, EingabeFuer(state), [](std::string_view t) { return std::string(t); });
}

void ErsetzeUmlaute(benchmark::State& state) { Messen(state, EingabeFuer(state), verschl::ErsetzeUmlaute); }
void InKleinschrift(benchmark::State& state) { Messen(state, EingabeFuer(state), verschl::InKleinschrift); }
void InGrossschrift(benchmark::State& state) { Messen(state, EingabeFuer(state), verschl::InGrossschrift); }
void EntferneLeerzeichen(benchmark::State& state) { Messen(state, EingabeFuer(state), verschl::EntferneLeerzeichen); }
void Rot13(benchmark::State& state) { Messen(state, EingabeFuer(state), verschl::Rot13); }
void Verschiebe128(benchmark::State& state) { Messen(state, EingabeFuer(state), verschl::Verschiebe128); }

void Caesar(benchmark::State& state) {
  Messen(state, EingabeFuer(state), [](std::string_view t) { return verschl::CaesarVerschieben(t, 3); });
}

void TranspositionVer(benchmark::State& state, bool quadratisch, std::int32_t spalten) {
  Messen(state, EingabeFuer(state),
         [=](std::string_view t) { return verschl::TranspositionVerschluesseln(t, quadratisch, spalten); });
}

void TranspositionEnt(benchmark::State& state, bool quadratisch, std::int32_t spalten) {
  const std::string geheim = verschl::TranspositionVerschluesseln(EingabeFuer(state), quadratisch, spalten);
  Messen(state, geheim,
         [=](std::string_view t) { return verschl::TranspositionEntschluesseln(t, quadratisch, spalten); });
}

void VigenereVer(benchmark::State& state, bool ignorieren) {
  Messen(state, EingabeFuer(state),
         [=](std::string_view t) { return verschl::VigenereVerschluesseln(t, kSchluessel, ignorieren); });
}

void VigenereEnt(benchmark::State& state, bool ignorieren) {
  const std::string geheim = verschl::VigenereVerschluesseln(EingabeFuer(state), kSchluessel, ignorieren);
  Messen(state, geheim,
         [=](std::string_view t) { return verschl::VigenereEntschluesseln(t, kSchluessel, ignorieren); });
}

}  // namespace

BENCHMARK(Kopie)->Apply(Groessen);
BENCHMARK(InKleinschrift)->Apply(Groessen);
BENCHMARK(InGrossschrift)->Apply(Groessen);
BENCHMARK(Caesar)->Apply(Groessen);
BENCHMARK(Rot13)->Apply(Groessen);
BENCHMARK(Verschiebe128)->Apply(Groessen);
BENCHMARK(ErsetzeUmlaute)->Apply(Groessen);
BENCHMARK(EntferneLeerzeichen)->Apply(Groessen);
BENCHMARK_CAPTURE(TranspositionVer, quadratisch, true, 0)->Apply(Groessen);
BENCHMARK_CAPTURE(TranspositionEnt, quadratisch, true, 0)->Apply(Groessen);
BENCHMARK_CAPTURE(TranspositionVer, spalten100, false, 100)->Apply(Groessen);
BENCHMARK_CAPTURE(TranspositionEnt, spalten100, false, 100)->Apply(Groessen);
BENCHMARK_CAPTURE(VigenereVer, jedesByte, false)->Apply(Groessen);
BENCHMARK_CAPTURE(VigenereEnt, jedesByte, false)->Apply(Groessen);
BENCHMARK_CAPTURE(VigenereVer, nurBuchstaben, true)->Apply(Groessen);
BENCHMARK_CAPTURE(VigenereEnt, nurBuchstaben, true)->Apply(Groessen);

BENCHMARK_MAIN();
