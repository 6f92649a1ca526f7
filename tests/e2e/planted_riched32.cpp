// RICHED32.DLL as someone might leave it in a download folder beside the program: it offers no
// rich edit, and loading it leaves a marker file "<its own path>.loaded" behind, so that a case
// can tell whether the program ever loaded it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    char path[MAX_PATH + 8] = "";
    const DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
      lstrcatA(path, ".loaded");
      HANDLE marker = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
    }
  }
  return TRUE;
}
