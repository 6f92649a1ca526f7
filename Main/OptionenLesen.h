// The refresh of the option record from the settings key that the companion program writes.
#pragma once

#include <functional>
#include <string>

#include "Optionen.h"
#include "RegistryApi.h"

// The running executable's full path (GetModuleFileNameA on Windows); replaceable in tests.
using ExePathFunction = std::function<std::string()>;

// Overwrites, value by value, the fields whose registry values exist and are acceptable, and after
// them the two shortcuts (a missing shortcut value is none, an unusable one is ignored). Throws
// ERegistryException at a value of the wrong type or size; the fields before it keep their new
// values. The key is closed on every path.
void OptionenLesen(TOptionen& optionen, TTastenkuerzel& kuerzel, RegistryApi& registry,
                   const ExePathFunction& exePath);
