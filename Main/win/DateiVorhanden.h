// Whether a file exists, in the launcher's sense.
#pragma once

#include <string>

// True when a directory search for the name finds an entry that is not a folder and whose
// last-write time, in local time, is a date the FAT format can hold (the years 1980 to 2107).
// The name is UTF-8.
bool DateiVorhanden(const std::string& dateiname);
