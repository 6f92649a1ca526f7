// The heap blocks of the tray program's own C++ code are overwritten before they go back: the
// clipboard's text, the plain text of a decryption and every step between them live in strings that
// the commands free, and a freed block keeps its bytes until something else takes its place.
#pragma once

namespace speicher {

// Overwrites the whole block that malloc handed out at `block` (more than was asked for, as the
// allocator may give); nothing for nullptr.
void Ueberschreiben(void* block) noexcept;

}  // namespace speicher
