// What every fuzz target shares: the entry points, a reader that turns the fuzzer's bytes into
// arguments, the check that ends the run when a law is broken, and the pieces of an option record
// and of the cipher's set-up that more than one target needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "einstellungen/Optionen.h"
#include "verschl/verschl.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// A broken law must stop the run like a crash does, so that libFuzzer keeps the input as an
// artifact and the replay test fails; an assert() would vanish under NDEBUG.
inline void Require(bool holds, const char* law) {
  if (holds) return;
  std::fprintf(stderr, "fuzz: law broken: %s\n", law);
  std::abort();
}

// Reads arguments from the front of the input. Once the input is used up every read gives zero
// or the empty string, so that any prefix of a valid input is itself a valid input and the
// fuzzer's mutations never fall outside the format.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  bool Bit(std::uint8_t byte, int bit) const { return ((byte >> bit) & 1U) != 0; }

  // Little-endian, like a registry DWORD.
  std::uint32_t Uint32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return value;
  }

  std::int32_t Int32() { return static_cast<std::int32_t>(Uint32()); }

  // A whole number in [low, high] from one byte; the range must hold at most 256 numbers.
  std::int32_t InRange(std::int32_t low, std::int32_t high) {
    return low + static_cast<std::int32_t>(Byte() % static_cast<std::uint32_t>(high - low + 1));
  }

  std::string Bytes(std::size_t count) {
    const std::size_t n = count < size_ - pos_ ? count : size_ - pos_;
    std::string bytes(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return bytes;
  }

  // A length byte followed by that many bytes.
  std::string Chunk() { return Bytes(Byte()); }

  std::string Rest() { return Bytes(size_ - pos_); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

inline bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Maps every byte onto one of the 52 ASCII letters, so that any bytes make a key that the
// cipher's contract allows; the empty string stays empty.
inline std::string AsLetters(std::string_view bytes) {
  std::string letters;
  letters.reserve(bytes.size());
  for (const char c : bytes) {
    const unsigned value = static_cast<unsigned char>(c) % 52U;
    letters += static_cast<char>(value < 26 ? 'A' + value : 'a' + (value - 26));
  }
  return letters;
}

// The six switches of an option record from the bits `first` to `first` + 5 of one byte, in the
// order square matrix, ignore non-letters, lower case, upper case, delete spaces, transcribe umlauts.
inline void SetSwitches(TOptionen& o, std::uint8_t bits, int first) {
  const auto bit = [bits, first](int n) { return ((bits >> (first + n)) & 1U) != 0; };
  o.MatrixQuadratisch = bit(0);
  o.SonderzeichenIgnorieren = bit(1);
  o.Kleinschrift = bit(2);
  o.Grossschrift = bit(3);
  o.LeerzeichenLoeschen = bit(4);
  o.UmlauteErsetzen = bit(5);
}

// For LLVMFuzzerInitialize of the targets that encrypt: the Vigenère table is built once, as the
// programs build it at start-up.
inline int BuildCipherTables() {
  verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle);
  return 0;
}

}  // namespace fuzz
