#include "Main/win/Ablageblock.h"

#include <cstring>
#include <string_view>

#include "Main/Texte.h"

HGLOBAL Ablageblock(const void* bytes, std::size_t groesse) {
  const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, groesse);
  void* ziel = block != nullptr ? ::GlobalLock(block) : nullptr;
  if (ziel == nullptr) {
    if (block != nullptr) ::GlobalFree(block);
    return nullptr;
  }
  std::memcpy(ziel, bytes, groesse);
  ::GlobalUnlock(block);
  return block;
}

void AblageblockFreigeben(HGLOBAL block) {
  if (block == nullptr) return;
  if (void* bytes = ::GlobalLock(block)) {
    ::SecureZeroMemory(bytes, ::GlobalSize(block));
    ::GlobalUnlock(block);
  }
  ::GlobalFree(block);
}

bool AblageSetzen(UINT format, HGLOBAL block) {
  if (block == nullptr) return false;
  if (::SetClipboardData(format, block) != nullptr) return true;
  AblageblockFreigeben(block);
  return false;
}

bool AblageSetzen(UINT format, const void* bytes, std::size_t groesse) {
  return AblageSetzen(format, Ablageblock(bytes, groesse));
}

bool UnicodeSetzen(std::u16string_view text) {
  const std::size_t groesse = text.size() * sizeof(char16_t);
  const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, groesse + sizeof(char16_t));
  void* ziel = block != nullptr ? ::GlobalLock(block) : nullptr;
  if (ziel == nullptr) {
    if (block != nullptr) ::GlobalFree(block);
    return false;
  }
  std::memcpy(ziel, text.data(), groesse);
  ::GlobalUnlock(block);
  return AblageSetzen(CF_UNICODETEXT, block);
}

bool PrivatMarkieren() {
  // The two that Windows reads as DWORDs must be 0, and any content does for the others.
  constexpr DWORD kNein = 0;
  bool alle = true;
  for (const std::string_view name : texte::kPrivatFormate) {
    // The names are literals, so each view ends in a zero byte.
    const UINT format = ::RegisterClipboardFormatA(name.data());
    alle = format != 0 && AblageSetzen(format, &kNein, sizeof kNein) && alle;
  }
  return alle;
}
