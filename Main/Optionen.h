// The tray program's one process-wide set of settings, owned here; it holds the defaults until the
// first refresh.
#pragma once

#include "einstellungen/Optionen.h"

extern TEinstellungen Einstellungen;
// Its option record and its shortcuts, as the commands, the launcher and the hotkeys read them.
extern TOptionen& Optionen;
extern TTastenkuerzel& Tastenkuerzel;
