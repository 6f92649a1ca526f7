// Linked into the tray program as an object of its own, as the terminate handler is: it replaces the
// C++ runtime's operator delete, which a library's member would only do if the linker happened to
// need it before reaching libstdc++. The runtime's operator new takes its blocks from malloc, so
// they go back through free; the runtime's array forms call these two.
#include "Main/win/Ueberschreiben.h"

#include <windows.h>
#include <malloc.h>

#include <cstdlib>
#include <new>

namespace speicher {

void Ueberschreiben(void* block) noexcept {
  if (block != nullptr) ::SecureZeroMemory(block, ::_msize(block));
}

}  // namespace speicher

void operator delete(void* block) noexcept {
  speicher::Ueberschreiben(block);
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
  speicher::Ueberschreiben(block);
  std::free(block);
}
