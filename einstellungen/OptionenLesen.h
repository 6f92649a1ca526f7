// The refresh of the settings from the settings key that the companion program writes.
#pragma once

#include <functional>
#include <string>

#include "einstellungen/Optionen.h"
#include "einstellungen/RegistryApi.h"

// The running executable's full path (GetModuleFileName on Windows); replaceable in tests.
using ExePathFunction = std::function<std::string()>;

// Walks the settings table: each value that exists and is acceptable overwrites its field, a value
// that is missing is treated as its row says. Throws ERegistryException at a value of the wrong
// type or size; the fields before it keep their new values. The key is closed on every path.
void OptionenLesen(TEinstellungen& einstellungen, RegistryApi& registry, const ExePathFunction& exePath);
