// What the options editor makes of its command line: the tray program starts it with no argument,
// with "-onlyoption" or with "-firstoption".
#pragma once

#include <string_view>

enum class TStartModus {
  Normal,          // no argument (or one it does not know): the dialog as the registry has it
  NurOptionen,     // "-onlyoption": the same dialog
  ErsteOptionen,   // "-firstoption": nothing stored yet; "save" starts ticked and the dialog says why
};

// The whole command line as GetCommandLineA gives it, the program's own name first (quoted or
// not). Arguments are compared without regard to case; the first one that is known counts.
TStartModus StartModusAus(std::string_view kommandozeile);
