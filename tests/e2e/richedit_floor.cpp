// richedit_floor.exe: the floor under the speed of a clipboard command.
//
// Under Wine the rich edit control itself is what takes the time of a command on a large text. This
// program does the only two steps of a command that no program built on the control can leave out:
// it pastes the clipboard into a hidden "RICHEDIT" control of RICHED32.DLL and copies the whole text
// back. The control is bare but for what keeps the text whole and plain and the layout from wrapping
// (its font is the default one), so that what a command takes beyond this time is its own, and what
// it saves its own merit. scripts/measure-command.sh times it from outside, with the same completion
// signal as the command; the lines it prints (seconds inside the two steps, and the length pasted)
// say where the time went. Exit code 0 is success, 1 a failure (the message on stderr says which).

#include <windows.h>

#include <ole2.h>
#include <richedit.h>

#include <chrono>
#include <cstdio>

namespace {

// What a bare control takes at most: larger clipboard texts would be cut.
constexpr LPARAM kTextLimit = 0x7FFFFFFE;
// A line width of 1 with no target device turns word wrap off: the control is never shown, and
// wrapping every line to the narrow window is layout work that grows with the number of lines.
constexpr LPARAM kNoWrapLineWidth = 1;

int Fail(const char* what) {
  std::fprintf(stderr, "richedit_floor: %s\n", what);
  return 1;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int Run() {
  // The control offers its copy through OLE's clipboard.
  if (FAILED(OleInitialize(nullptr))) return Fail("OleInitialize failed");
  if (LoadLibraryA("RICHED32.DLL") == nullptr) return Fail("RICHED32.DLL cannot be loaded");
  // A hidden parent of the program's form size: the control is never shown there either.
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 231, 493, 151, 75, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND edit = CreateWindowExA(0, "RICHEDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0, 135,
                              36, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (parent == nullptr || edit == nullptr) return Fail("the rich edit control cannot be made");
  // Plain text: a copy in rich text mode renders RTF as well, which costs more than the whole paste.
  SendMessageA(edit, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
  SendMessageA(edit, EM_EXLIMITTEXT, 0, kTextLimit);
  SendMessageA(edit, EM_SETTARGETDEVICE, 0, kNoWrapLineWidth);
  SendMessageA(edit, EM_SETUNDOLIMIT, 0, 0);

  const auto pasteStart = std::chrono::steady_clock::now();
  SendMessageA(edit, WM_PASTE, 0, 0);
  const double paste = SecondsSince(pasteStart);

  const auto copyStart = std::chrono::steady_clock::now();
  CHARRANGE all{0, -1};
  SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&all));
  SendMessageA(edit, WM_COPY, 0, 0);
  // Rendered now, so that the clipboard keeps the text after this program has ended.
  const HRESULT flushed = OleFlushClipboard();
  const double copy = SecondsSince(copyStart);

  const auto length = SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0);
  std::printf("paste_s=%.3f\ncopy_s=%.3f\nlength=%ld\n", paste, copy, static_cast<long>(length));
  DestroyWindow(parent);
  OleUninitialize();
  if (length == 0) return Fail("nothing was pasted");
  if (FAILED(flushed)) return Fail("OleFlushClipboard failed: the copy was not rendered");
  return 0;
}

}  // namespace

int main() {
  // A crash must end the run, never wait on a dialog on the virtual display.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  return Run();
}
