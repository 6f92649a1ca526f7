#include "Main/win/DateiVorhanden.h"

#include <windows.h>

#include "gui/win/Breit.h"
#include "gui/win/Handles.h"

bool DateiVorhanden(const std::string& dateiname) {
  WIN32_FIND_DATAW found;
  const gui::UniqueFindHandle search(::FindFirstFileW(gui::Breit(dateiname).c_str(), &found));
  if (!search) return false;
  if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  FILETIME local;
  WORD date = 0;
  WORD time = 0;
  // The DOS date conversion fails outside 1980-2107; such a file counts as missing.
  return ::FileTimeToLocalFileTime(&found.ftLastWriteTime, &local) != FALSE &&
         ::FileTimeToDosDateTime(&local, &date, &time) != FALSE;
}
