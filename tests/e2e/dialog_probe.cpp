// dialog_probe.exe: the end-to-end cases' hands on talsek.exe's options dialog, and their view of
// the settings key, inside Wine.
//
// Like probe.exe it prints "key=value" lines, texts as hex of their code-page-1252 bytes; exit code
// 0 is success, 1 a condition that did not come true in time, 2 a usage error. Controls are named,
// not numbered, on the command line; the names map to the dialog's own identifiers.

#include <windows.h>

#include <commctrl.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "einstellungen/Namen.h"
#include "einstellungen/Steuerelemente.h"
#include "Talsek/Texte.h"

namespace {

constexpr int kPollMs = 25;
constexpr int kDefaultTimeoutMs = 10000;

constexpr std::array<std::pair<std::string_view, int>, 19> kControls{{
    {"methode", IDC_METHODE},
    {"caesar", IDC_CAESAR},
    {"quadratisch", IDC_QUADRATISCH},
    {"spaltenzahl", IDC_SPALTENZAHL},
    {"schluessel", IDC_SCHLUESSEL},
    {"sonderzeichen", IDC_SONDERZEICHEN},
    {"umlaute", IDC_UMLAUTE},
    {"kleinschrift", IDC_KLEINSCHRIFT},
    {"grossschrift", IDC_GROSSSCHRIFT},
    {"leerzeichen", IDC_LEERZEICHEN},
    {"speichern", IDC_SPEICHERN},
    {"kuerzel_v", IDC_KUERZEL_VERSCHLUESSELN},
    {"kuerzel_e", IDC_KUERZEL_ENTSCHLUESSELN},
    {"leeren", IDC_LEEREN},
    {"kuerzel_av", IDC_KUERZEL_AUSWAHL_VERSCHLUESSELN},
    {"kuerzel_ae", IDC_KUERZEL_AUSWAHL_ENTSCHLUESSELN},
    {"hinweis", IDC_HINWEIS},
    {"ok", IDOK},
    {"cancel", IDCANCEL},
}};

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  for (const unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

bool Unhex(std::string_view hex, std::string& out) {
  auto nibble = [](char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  if (hex.size() % 2 != 0) return false;
  out.clear();
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int hi = nibble(hex[i]);
    const int lo = nibble(hex[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
  }
  return true;
}

bool WaitFor(int timeoutMs, const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    Sleep(kPollMs);
  }
}

int Fail(const char* what) {
  std::fprintf(stderr, "dialog_probe: %s\n", what);
  return 1;
}

int Usage() {
  std::fputs(
      "usage: dialog_probe <command> [args]\n"
      "  wait-dialog [ms] | no-dialog [ms]   the options dialog is shown / gone\n"
      "  state                               every control's value, the dialog's caption and place\n"
      "  set-text <control> <hex>            WM_SETTEXT on an edit\n"
      "  set-check <control> <0|1>           BM_SETCHECK on a check box\n"
      "  set-hotkey <control> <value>        HKM_SETHOTKEY on a hotkey control (key | flags << 8)\n"
      "  select <index>                      CB_SETCURSEL on the method list\n"
      "  click <ok|cancel>                   BM_CLICK, posted (the handler may open a modal box)\n"
      "  minimize                            minimise the dialog\n"
      "  reg-dump                            every value of the settings key, byte for byte\n",
      stderr);
  return 2;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

std::vector<HWND> Dialogs() {
  std::vector<HWND> found;
  const std::string klasse(texte::kOptionenKlasse);
  for (HWND w = FindWindowExA(nullptr, nullptr, klasse.c_str(), nullptr); w != nullptr;
       w = FindWindowExA(nullptr, w, klasse.c_str(), nullptr)) {
    if (IsWindowVisible(w)) found.push_back(w);
  }
  return found;
}

HWND Dialog() {
  const std::vector<HWND> found = Dialogs();
  return found.empty() ? nullptr : found.front();
}

int ControlId(std::string_view name) {
  for (const auto& [n, id] : kControls) {
    if (n == name) return id;
  }
  return 0;
}

// WM_GETTEXT is marshalled across processes, so it reads another program's control in full.
std::string TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length) == 0) return {};
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  text.resize(copied);
  return text;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
  return static_cast<LRESULT>(result);
}

int WaitDialog(int timeoutMs) {
  HWND dialog = nullptr;
  if (!WaitFor(timeoutMs, [&] { return (dialog = Dialog()) != nullptr; })) return Fail("no options dialog appeared");
  RECT r;
  GetWindowRect(dialog, &r);
  std::printf("dialog=%p\npid=%lu\nrect=%ld,%ld,%ld,%ld\n", static_cast<void*>(dialog), ProcessOf(dialog), r.left,
              r.top, r.right, r.bottom);
  return 0;
}

int NoDialog(int timeoutMs) {
  if (!WaitFor(timeoutMs, [] { return Dialog() == nullptr; })) return Fail("the options dialog is still there");
  return 0;
}

int State() {
  HWND dialog = Dialog();
  if (dialog == nullptr) return Fail("no options dialog");
  std::printf("count=%zu\ncaption=%s\n", Dialogs().size(), Hex(TextOf(dialog)).c_str());
  std::printf("iconic=%d\nforeground=%d\n", IsIconic(dialog) ? 1 : 0, GetForegroundWindow() == dialog ? 1 : 0);
  for (const auto& [name, id] : kControls) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) {
      std::printf("%.*s=missing\n", static_cast<int>(name.size()), name.data());
      continue;
    }
    std::printf("%.*s.text=%s\n%.*s.visible=%d\n", static_cast<int>(name.size()), name.data(),
                Hex(TextOf(control)).c_str(), static_cast<int>(name.size()), name.data(),
                IsWindowVisible(control) ? 1 : 0);
    std::array<char, 32> klasse{};
    GetClassNameA(control, klasse.data(), static_cast<int>(klasse.size()));
    if (std::string_view(klasse.data()) == "Button") {
      std::printf("%.*s.checked=%d\n", static_cast<int>(name.size()), name.data(),
                  Send(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    }
    if (std::string_view(klasse.data()) == "msctls_hotkey32") {
      std::printf("%.*s.hotkey=%ld\n", static_cast<int>(name.size()), name.data(),
                  static_cast<long>(Send(control, HKM_GETHOTKEY, 0, 0) & 0xFFFF));
    }
  }
  // The list's entries are not read here: Wine does not carry CB_GETLBTEXT across processes. The
  // selected entry's text is the combo box's window text above.
  std::printf("methode.index=%ld\n", static_cast<long>(Send(GetDlgItem(dialog, IDC_METHODE), CB_GETCURSEL, 0, 0)));
  return 0;
}

HWND Control(std::string_view name) {
  HWND dialog = Dialog();
  const int id = ControlId(name);
  return dialog != nullptr && id != 0 ? GetDlgItem(dialog, id) : nullptr;
}

int SetText(std::string_view name, std::string_view hex) {
  std::string text;
  if (!Unhex(hex, text)) return 2;
  HWND control = Control(name);
  if (control == nullptr) return Fail("no such control in the options dialog");
  Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return TextOf(control) == text ? 0 : Fail("the control did not take the text");
}

int SetCheck(std::string_view name, bool checked) {
  HWND control = Control(name);
  if (control == nullptr) return Fail("no such control in the options dialog");
  Send(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  return 0;
}

int SetHotkey(std::string_view name, unsigned long value) {
  HWND control = Control(name);
  if (control == nullptr) return Fail("no such control in the options dialog");
  Send(control, HKM_SETHOTKEY, value, 0);
  return static_cast<unsigned long>(Send(control, HKM_GETHOTKEY, 0, 0) & 0xFFFF) == value
             ? 0
             : Fail("the hotkey control did not take the value");
}

int Select(int index) {
  HWND control = Control("methode");
  if (control == nullptr) return Fail("no options dialog");
  Send(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  return Send(control, CB_GETCURSEL, 0, 0) == index ? 0 : Fail("the method list did not take the index");
}

int Click(std::string_view name) {
  if (name != "ok" && name != "cancel") return 2;
  HWND control = Control(name);
  if (control == nullptr) return Fail("no such button in the options dialog");
  // Posted: OK may open a modal box, and a sent click would not return until it is closed.
  PostMessageA(control, BM_CLICK, 0, 0);
  return 0;
}

int Minimize() {
  HWND dialog = Dialog();
  if (dialog == nullptr) return Fail("no options dialog");
  ShowWindowAsync(dialog, SW_MINIMIZE);
  return WaitFor(kDefaultTimeoutMs, [&] { return IsIconic(dialog) != FALSE; }) ? 0 : Fail("not minimised");
}

int RegDump() {
  HKEY key = nullptr;
  const std::string path(texte::kSettingsKey);
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    std::printf("key=absent\n");
    return 0;
  }
  std::printf("key=present\n");
  for (DWORD i = 0;; ++i) {
    std::array<char, 256> name{};
    DWORD nameLength = static_cast<DWORD>(name.size());
    std::vector<unsigned char> data(4096);
    DWORD dataLength = static_cast<DWORD>(data.size());
    DWORD type = 0;
    if (RegEnumValueA(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &dataLength) != ERROR_SUCCESS) {
      break;
    }
    std::printf("value.%s=%lu:%s\n", name.data(), type,
                Hex(std::string_view(reinterpret_cast<const char*>(data.data()), dataLength)).c_str());
    // A text as a Unicode program reads it: every letter of a folder's name, whatever the code page.
    if (type == REG_SZ) {
      DWORD wideLength = static_cast<DWORD>(data.size());
      const std::wstring wideName(name.data(), name.data() + nameLength);
      if (RegQueryValueExW(key, wideName.c_str(), nullptr, nullptr, data.data(), &wideLength) == ERROR_SUCCESS) {
        std::printf("wide.%s=%s\n", name.data(),
                    Hex(std::string_view(reinterpret_cast<const char*>(data.data()), wideLength)).c_str());
      }
    }
  }
  RegCloseKey(key);
  return 0;
}

int Timeout(int argc, char** argv, int index) { return argc > index ? std::atoi(argv[index]) : kDefaultTimeoutMs; }

}  // namespace

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  if (argc < 2) return Usage();
  const std::string_view command = argv[1];
  if (command == "wait-dialog") return WaitDialog(Timeout(argc, argv, 2));
  if (command == "no-dialog") return NoDialog(Timeout(argc, argv, 2));
  if (command == "state") return State();
  if (command == "set-text" && argc > 3) return SetText(argv[2], argv[3]);
  if (command == "set-check" && argc > 3) return SetCheck(argv[2], std::string_view(argv[3]) == "1");
  if (command == "set-hotkey" && argc > 3) return SetHotkey(argv[2], std::strtoul(argv[3], nullptr, 0));
  if (command == "select" && argc > 2) return Select(std::atoi(argv[2]));
  if (command == "click" && argc > 2) return Click(argv[2]);
  if (command == "minimize") return Minimize();
  if (command == "reg-dump") return RegDump();
  return Usage();
}
