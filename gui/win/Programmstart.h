// The one start of both programs' WinMain: the library search made safe before anything loads, and
// the program's body inside the error box's protection.
#pragma once

#include <functional>

namespace gui {

// Restricts the search for libraries loaded by name to the system folder, then runs `programm` and
// returns its exit code; an exception that escapes it is shown in the error box and gives 1.
int Programmstart(const std::function<int()>& programm) noexcept;

}  // namespace gui
