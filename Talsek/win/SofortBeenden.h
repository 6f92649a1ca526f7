// How the editor ends when an installer or uninstaller asks it to, before its files are replaced
// or removed.
#pragma once

#include <windows.h>

// Whether the message is the registered one that asks the editor to end at once.
bool IstSofortBeenden(UINT message);

// Ends the process without saving, the way "Abbrechen" leaves the settings: the dialog writes only
// on OK, so nothing is half written. It does not wait for the dialog to close, because a box of the
// dialog may be open in a message loop of its own, which the closing would wait for.
[[noreturn]] void SofortBeenden();
