// Text as Unicode code points, held in memory that is overwritten before it is given back, and
// its conversions to and from the system's UTF-16.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

namespace verschl {

// Overwrites n bytes with zeros in a way the optimiser may not drop, although nothing reads the
// memory afterwards: that is exactly the store a dead-store elimination would remove.
void Nullen(void* p, std::size_t n) noexcept;

// A standard allocator that zeroes every block it frees, so that no text outlives its container
// in the heap: neither the last buffer nor the ones a growing vector leaves behind. `Vorrat` is
// where the blocks come from and go back to; the tests put one there that looks at a block before
// it is freed.
template <class T, class Vorrat = std::allocator<T>>
struct TWischAllocator {
  using value_type = T;
  using is_always_equal = std::true_type;
  using VorratTraits = std::allocator_traits<Vorrat>;

  // A vector of T asks for blocks of its own element type only, but the allocator requirements
  // want every rebind to keep the wiping and the source of the blocks.
  template <class U>
  struct rebind {
    using other = TWischAllocator<U, typename VorratTraits::template rebind_alloc<U>>;
  };

  TWischAllocator() noexcept = default;
  template <class U, class V>
  TWischAllocator(const TWischAllocator<U, V>& /*andere*/) noexcept {}

  T* allocate(std::size_t n) {
    Vorrat vorrat;
    return VorratTraits::allocate(vorrat, n);
  }

  void deallocate(T* p, std::size_t n) noexcept {
    Nullen(p, n * sizeof(T));
    Vorrat vorrat;
    VorratTraits::deallocate(vorrat, p, n);
  }

  friend bool operator==(const TWischAllocator& /*a*/, const TWischAllocator& /*b*/) noexcept { return true; }
};

// One Unicode code point per element; a lone surrogate keeps its own value. A vector rather than
// a string: a string keeps short texts in a buffer inside the object, which no allocator sees
// and nothing wipes, while a vector's elements always live in its allocator's block and a
// vector moved from holds none.
using TText = std::vector<char32_t, TWischAllocator<char32_t>>;
using TUtf16 = std::vector<char16_t, TWischAllocator<char16_t>>;
using TBytes = std::vector<char, TWischAllocator<char>>;

inline std::u32string_view Ansicht(const TText& text) { return {text.data(), text.size()}; }
inline std::u16string_view Ansicht(const TUtf16& text) { return {text.data(), text.size()}; }

// A surrogate pair becomes one code point; a surrogate without its partner stays one element of
// its own value, so that InUtf16 gives back exactly the units it came from.
TText AusUtf16(std::u16string_view utf16);
// The inverse of AusUtf16. A value beyond U+10FFFF, which no UTF-16 can hold and AusUtf16 never
// makes, becomes U+FFFD.
TUtf16 InUtf16(std::u32string_view text);

}  // namespace verschl
