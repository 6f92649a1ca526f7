// talsek.exe stand-in: records how it was started and ends at once. A windows program, as the
// editor is: started from the tray program it gets no console window that could take the foreground.
//
// Each start appends one line "[<arguments>]" to the file named by the environment variable
// TALSEK_STANDIN_LOG, or to talsek-starts.log beside the executable when that is not set. The
// arguments are the command line after the program's own name, with the blanks between them and
// the name dropped, so a start without arguments records "[]".

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// The command line's tail after argv[0], as the C runtime would split it off.
std::string ArgumentsOf(const char* line) {
  const char* p = line;
  if (*p == '"') {
    ++p;
    while (*p != '\0' && *p != '"') ++p;
    if (*p == '"') ++p;
  } else {
    while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

std::string LogPath() {
  char path[MAX_PATH];
  const DWORD n = GetEnvironmentVariableA("TALSEK_STANDIN_LOG", path, MAX_PATH);
  if (n > 0 && n < MAX_PATH) {
    return path;
  }
  const DWORD m = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string own(path, m);
  return own.substr(0, own.find_last_of("\\/") + 1) + "talsek-starts.log";
}

}  // namespace

int main() {
  const std::string arguments = ArgumentsOf(GetCommandLineA());
  if (std::FILE* log = std::fopen(LogPath().c_str(), "ab")) {
    std::fprintf(log, "[%s]\n", arguments.c_str());
    std::fclose(log);
    return 0;
  }
  return 1;
}
