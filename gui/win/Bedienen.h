// Waiting on the GUI thread without shutting out the programs that wait for it.
#pragma once

#include <windows.h>

namespace gui {

// Waits for the time while answering the messages that other threads and programs send to this one,
// and nothing else: no input, no posted message, so no command can start meanwhile. A program that
// reads a clipboard copy of ours holds the clipboard open until our thread renders it; sleeping
// instead would leave it holding the clipboard that we wait for.
void WartenUndBedienen(DWORD millisekunden);

}  // namespace gui
