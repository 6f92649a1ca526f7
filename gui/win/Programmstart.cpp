#include "gui/win/Programmstart.h"

#include <windows.h>

#include "gui/win/Application.h"

namespace gui {

int Programmstart(const std::function<int()>& programm) noexcept {
  // First of all: every library loaded later by name (the rich edit, what the shell and the common
  // controls pull in) comes from the system folder, never from the program's or the current folder.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  try {
    return programm();
  } catch (...) {
    HandleCallbackException();
    return 1;
  }
}

}  // namespace gui
