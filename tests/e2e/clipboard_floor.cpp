// clipboard_floor.exe: the floor under the speed of a clipboard command.
//
// This program does the only two steps of a command that no program can leave out: it reads the
// clipboard's CF_UNICODETEXT and puts the same text back as a fresh copy of its own. What a command
// takes beyond this time is its own (the ciphers, the checks, the conversion to code points and
// back), and what it saves its own merit. scripts/measure-command.sh times it from outside, with the
// same completion signal as the command; the lines it prints (seconds inside the two steps, and the
// number of UTF-16 units) say where the time went. Exit code 0 is success, 1 a failure (the message
// on stderr says which).

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <vector>

namespace {

int Fail(const char* what) {
  std::fprintf(stderr, "clipboard_floor: %s\n", what);
  return 1;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Run() {
  HWND owner = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
  if (owner == nullptr || OpenClipboard(owner) == FALSE) return Fail("the clipboard cannot be opened");

  const auto readStart = std::chrono::steady_clock::now();
  std::vector<wchar_t> text;
  const HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (const auto* units = static_cast<const wchar_t*>(data != nullptr ? GlobalLock(data) : nullptr)) {
    text.assign(units, units + wcsnlen(units, GlobalSize(data) / sizeof(wchar_t)));
    GlobalUnlock(data);
  }
  const double read = SecondsSince(readStart);

  const auto writeStart = std::chrono::steady_clock::now();
  text.push_back(L'\0');
  const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() * sizeof(wchar_t));
  void* target = block != nullptr ? GlobalLock(block) : nullptr;
  if (target != nullptr) {
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    GlobalUnlock(block);
  }
  const bool written = target != nullptr && EmptyClipboard() != FALSE && SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
  const double write = SecondsSince(writeStart);

  std::printf("read_s=%.3f\nwrite_s=%.3f\nunits=%zu\n", read, write, text.size() - 1);
  DestroyWindow(owner);
  if (text.size() == 1) return Fail("the clipboard holds no text");
  if (!written) return Fail("the copy did not reach the clipboard");
  return 0;
}

}  // namespace

int main() {
  // A crash must end the run, never wait on a dialog on the virtual display.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  return Run();
}
