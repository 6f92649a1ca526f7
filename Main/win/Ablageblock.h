// The program's own global memory blocks for the clipboard: made from bytes, put on the open
// clipboard, and overwritten before they are freed wherever the clipboard did not take them, since
// they may hold a decrypted text.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

// A movable block holding a copy of the bytes, or nullptr.
HGLOBAL Ablageblock(const void* bytes, std::size_t groesse);
// Overwrites the block's memory, then frees it.
void AblageblockFreigeben(HGLOBAL block);
// While the clipboard is open and ours: puts the bytes there as `format`; false when the clipboard
// did not take them (the block is gone then too).
bool AblageSetzen(UINT format, const void* bytes, std::size_t groesse);
// The same with a block already made, which the clipboard owns afterwards, or which is freed.
bool AblageSetzen(UINT format, HGLOBAL block);
// The same for a text as CF_UNICODETEXT, with its terminating zero.
bool UnicodeSetzen(std::u16string_view text);
// The formats by which the clipboard history, the cloud clipboard and clipboard managers leave a
// content alone; false when one of them could not be put there.
bool PrivatMarkieren();
