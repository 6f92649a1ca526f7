// The refresh of the option record from the settings key that the companion program writes.
#pragma once

#include <functional>
#include <string>

#include "Optionen.h"
#include "RegistryApi.h"

// The running executable's full path (GetModuleFileNameA on Windows); replaceable in tests.
using ExePathFunction = std::function<std::string()>;

// Overwrites, value by value, the fields whose registry values exist and are acceptable.
// Throws ERegistryException at a value of the wrong type or size; the fields before it keep
// their new values. The key is closed on every path.
void OptionenLesen(TOptionen& optionen, RegistryApi& registry, const ExePathFunction& exePath);
