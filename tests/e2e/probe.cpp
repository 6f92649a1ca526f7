// probe.exe: the end-to-end harness's hands and eyes inside Wine.
//
// Every subcommand does one thing to, or reports one thing about, the running TalsekTray and prints
// its findings as "key=value" lines on stdout; texts are printed as hex of their code-page-1252
// bytes so that the harness compares bytes, not whatever the console makes of them. Exit code 0 is
// success, 1 a condition that did not come true in time (the message on stderr says which), 2 a
// usage error. Waits are poll loops with a deadline; nothing sleeps blindly.

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "einstellungen/Namen.h"
#include "Main/Texte.h"

namespace {

constexpr UINT kTaskbarEvent = WM_USER + 1;
constexpr int kPollMs = 25;
constexpr int kDefaultTimeoutMs = 10000;

// ---- small helpers ----------------------------------------------------------------------------

std::string Hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

std::optional<std::string> Unhex(std::string_view hex) {
  if (hex.size() % 2 != 0) {
    return std::nullopt;
  }
  auto nibble = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    const int hi = nibble(hex[i]);
    const int lo = nibble(hex[i + 1]);
    if (hi < 0 || lo < 0) {
      return std::nullopt;
    }
    out += static_cast<char>(hi * 16 + lo);
  }
  return out;
}

// Polls `condition` until it holds or `timeoutMs` has passed; the probe's only way of waiting.
bool WaitFor(int timeoutMs, const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (condition()) {
      return true;
    }
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    // Serve our own queue too: a box that this process shows needs its messages pumped.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(kPollMs);
  }
}

std::string ClassOf(HWND hwnd) {
  std::array<char, 256> name{};
  const int n = GetClassNameA(hwnd, name.data(), static_cast<int>(name.size()));
  return std::string(name.data(), n > 0 ? static_cast<std::size_t>(n) : 0);
}

// WM_GETTEXT is marshalled across processes by the system, so it yields the full text of another
// program's control (GetWindowText alone would stop at the caption stored with the window). Read
// wide and given as code page 1252 without best fit: a letter outside it shows as "?", as it would
// in the program's own texts, never as a look-alike.
std::string TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length) == 0) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  std::string bytes(copied, '\0');  // one byte for each character in code page 1252
  WideCharToMultiByte(1252, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(copied), bytes.data(),
                      static_cast<int>(copied), nullptr, nullptr);
  return bytes;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The hidden main form: caption "TalsekTray" and the form's own class. The hidden application
// window ("Talsektray") and the boxes have other captions and classes.
HWND FindForm() {
  for (HWND hwnd : TopLevelWindows()) {
    std::array<char, 64> caption{};
    GetWindowTextA(hwnd, caption.data(), static_cast<int>(caption.size()));
    if (std::string_view(caption.data()) == texte::kFormCaption && ClassOf(hwnd) == texte::kFormKlasse &&
        ProcessOf(hwnd) != GetCurrentProcessId()) {
      return hwnd;
    }
  }
  return nullptr;
}

HWND FindVisibleOfClass(std::string_view className, bool othersOnly) {
  for (HWND hwnd : TopLevelWindows()) {
    if (IsWindowVisible(hwnd) && ClassOf(hwnd) == className &&
        (!othersOnly || ProcessOf(hwnd) != GetCurrentProcessId())) {
      return hwnd;
    }
  }
  return nullptr;
}

HWND FindBox() { return FindVisibleOfClass("#32770", true); }
HWND FindMenu() { return FindVisibleOfClass("#32768", false); }

int Timeout(int argc, char** argv, int index) {
  return argc > index ? std::atoi(argv[index]) : kDefaultTimeoutMs;
}

int Fail(const char* what) {
  std::fprintf(stderr, "probe: %s\n", what);
  return 1;
}

// ---- icons --------------------------------------------------------------------------------------

// The pixels of a screen rectangle, as 32-bit BGRX words.
std::vector<std::uint32_t> CaptureScreen(const RECT& r) {
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  if (w <= 0 || h <= 0) {
    return pixels;
  }
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  std::memcpy(pixels.data(), bits, pixels.size() * sizeof(std::uint32_t));
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  for (std::uint32_t& p : pixels) {
    p &= 0x00FFFFFF;
  }
  return pixels;
}

// The icon control of a message box: a visible static with SS_ICON. Windows gives it the id 0x14,
// Wine the id 0x440, so it is found by its style.
HWND FindIconControl(HWND box) {
  for (HWND child : ChildWindows(box)) {
    const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    if (IsWindowVisible(child) && ClassOf(child) == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
      return child;
    }
  }
  return nullptr;
}

std::optional<std::vector<std::uint32_t>> CaptureIcon(HWND box) {
  HWND icon = FindIconControl(box);
  // The handle itself means nothing in this process, but whether there is one does: a box without
  // an icon keeps an empty icon control (and Wine leaves it visible, over the text).
  DWORD_PTR handle = 0;
  if (icon == nullptr ||
      SendMessageTimeoutA(icon, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 5000, &handle) == 0 || handle == 0) {
    return std::nullopt;
  }
  RECT r;
  GetWindowRect(icon, &r);
  std::vector<std::uint32_t> pixels = CaptureScreen(r);
  // A static with SS_ICON but no image is plain background: no icon either.
  bool uniform = true;
  for (std::uint32_t p : pixels) {
    uniform = uniform && p == pixels.front();
  }
  if (pixels.empty() || uniform) {
    return std::nullopt;
  }
  return pixels;
}

// Captures the icon of a box that this probe shows itself with the given style; the reference to
// which another process's box is compared, since icon handles cannot be compared across processes.
std::optional<std::vector<std::uint32_t>> ReferenceIcon(UINT iconFlag) {
  static constexpr const char* kCaption = "probe-reference-icon";
  // The box runs its modal loop on a thread of its own while this one watches it.
  struct Box {
    static DWORD WINAPI Show(LPVOID flag) {
      MessageBoxA(nullptr, "reference", kCaption, MB_OK | static_cast<UINT>(reinterpret_cast<UINT_PTR>(flag)));
      return 0;
    }
  };
  HANDLE box = CreateThread(nullptr, 0, Box::Show, reinterpret_cast<LPVOID>(static_cast<UINT_PTR>(iconFlag)), 0,
                            nullptr);
  HWND hwnd = nullptr;
  std::optional<std::vector<std::uint32_t>> pixels;
  if (WaitFor(kDefaultTimeoutMs, [&] {
        hwnd = FindWindowA("#32770", kCaption);
        return hwnd != nullptr && IsWindowVisible(hwnd) && FindIconControl(hwnd) != nullptr;
      })) {
    // The box paints asynchronously after it becomes visible; take the capture once two in a row agree.
    std::optional<std::vector<std::uint32_t>> previous;
    WaitFor(2000, [&] {
      pixels = CaptureIcon(hwnd);
      const bool stable = pixels && previous && *pixels == *previous;
      previous = pixels;
      return stable;
    });
  }
  if (hwnd != nullptr) {
    SendMessageA(GetDlgItem(hwnd, IDOK), BM_CLICK, 0, 0);
  }
  WaitForSingleObject(box, INFINITE);
  CloseHandle(box);
  return pixels;
}

constexpr std::array<std::pair<UINT, const char*>, 3> kIconKinds{{
    {MB_ICONERROR, "error"},
    {MB_ICONWARNING, "warning"},
    {MB_ICONINFORMATION, "information"},
}};

using IconPixels = std::vector<std::uint32_t>;

// The three reference pictures are the same for every box of the prefix, so the first probe that
// needs them keeps them in the prefix's temporary folder for the later ones.
std::optional<std::array<IconPixels, 3>> ReferenceIcons() {
  std::array<char, MAX_PATH> folder{};
  GetTempPathA(static_cast<DWORD>(folder.size()), folder.data());
  const std::string path = std::string(folder.data()) + "probe-reference-icons.bin";
  std::array<IconPixels, 3> icons;
  if (std::FILE* cache = std::fopen(path.c_str(), "rb")) {
    bool complete = true;
    for (IconPixels& icon : icons) {
      std::uint32_t count = 0;
      complete = complete && std::fread(&count, sizeof count, 1, cache) == 1 && count > 0 && count < 1000000;
      if (complete) {
        icon.resize(count);
        complete = std::fread(icon.data(), sizeof(std::uint32_t), count, cache) == count;
      }
    }
    std::fclose(cache);
    if (complete) {
      return icons;
    }
  }
  for (std::size_t i = 0; i < kIconKinds.size(); ++i) {
    std::optional<IconPixels> icon = ReferenceIcon(kIconKinds[i].first);
    if (!icon) {
      return std::nullopt;
    }
    icons[i] = *icon;
  }
  if (std::FILE* cache = std::fopen(path.c_str(), "wb")) {
    for (const IconPixels& icon : icons) {
      const auto count = static_cast<std::uint32_t>(icon.size());
      std::fwrite(&count, sizeof count, 1, cache);
      std::fwrite(icon.data(), sizeof(std::uint32_t), count, cache);
    }
    std::fclose(cache);
  }
  return icons;
}

const char* IconKind(HWND box) {
  const std::optional<IconPixels> seen = CaptureIcon(box);
  if (!seen) {
    return "none";
  }
  const std::optional<std::array<IconPixels, 3>> references = ReferenceIcons();
  if (!references) {
    return "unknown";
  }
  for (std::size_t i = 0; i < kIconKinds.size(); ++i) {
    if ((*references)[i] == *seen) {
      return kIconKinds[i].second;
    }
  }
  return "unknown";
}

// ---- subcommands ------------------------------------------------------------------------------

int WaitForm(int timeoutMs) {
  HWND form = nullptr;
  if (!WaitFor(timeoutMs, [&] { return (form = FindForm()) != nullptr; })) {
    return Fail("no TalsekTray form appeared");
  }
  std::printf("form=%p\npid=%lu\n", static_cast<void*>(form), ProcessOf(form));
  return 0;
}

int NoForm(int timeoutMs) {
  if (!WaitFor(timeoutMs, [] { return FindForm() == nullptr; })) {
    return Fail("the TalsekTray form is still there");
  }
  return 0;
}

int Tray(LPARAM mouseMessage) {
  HWND form = FindForm();
  if (form == nullptr) {
    return Fail("no TalsekTray form to send the tray callback to");
  }
  // Posted, not sent, as the shell does: the program may open a modal menu or box in its handler.
  PostMessageA(form, kTaskbarEvent, 0, mouseMessage);
  return 0;
}

int WaitMenu(int timeoutMs) {
  HWND menu = nullptr;
  if (!WaitFor(timeoutMs, [&] { return (menu = FindMenu()) != nullptr; })) {
    return Fail("no popup menu appeared");
  }
  RECT r;
  GetWindowRect(menu, &r);
  std::printf("menu=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right, r.bottom);
  return 0;
}

int NoMenu(int timeoutMs) {
  if (!WaitFor(timeoutMs, [] { return FindMenu() == nullptr; })) {
    return Fail("a popup menu is still open");
  }
  return 0;
}

// The menu's modal loop reads the keyboard messages of its thread, whichever of its windows they are
// posted to, so posting to the menu window works without focus or a window manager. A letter goes
// as the WM_CHAR that the loop looks its item up by: a WM_KEYDOWN would first be translated with the
// thread's key state, and a modifier that X and Wine disagree about (left down by an earlier
// synthetic press) turns "b" into a control character that chooses nothing.
int MenuKey(std::string_view key, int timeoutMs) {
  HWND menu = nullptr;
  if (!WaitFor(timeoutMs, [&] { return (menu = FindMenu()) != nullptr; })) {
    return Fail("no popup menu to press a key in");
  }
  if (key == "esc" || key == "enter") {
    const UINT vk = key == "esc" ? VK_ESCAPE : VK_RETURN;
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    const auto down = static_cast<LPARAM>(1 | (scan << 16));
    PostMessageA(menu, WM_KEYDOWN, vk, down);
    PostMessageA(menu, WM_KEYUP, vk, static_cast<LPARAM>(down | (1U << 30) | (1U << 31)));
  } else if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
    PostMessageA(menu, WM_CHAR, static_cast<unsigned char>(key[0]), 1);
  } else {
    std::fprintf(stderr, "probe: unknown key '%.*s'\n", static_cast<int>(key.size()), key.data());
    return 2;
  }
  if (!WaitFor(timeoutMs, [] { return FindMenu() == nullptr; })) {
    return Fail("the popup menu stayed open after the key");
  }
  return 0;
}

// A system message box keeps its text in the static with id 0xFFFF; a dialog of the program's own
// (the duplicate-instance message) may use another id, so the first other static with text counts.
std::string MessageText(HWND box) {
  if (HWND label = GetDlgItem(box, 0xFFFF); label != nullptr) {
    return TextOf(label);
  }
  for (HWND child : ChildWindows(box)) {
    const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
    if (IsWindowVisible(child) && ClassOf(child) == "Static" && (style & SS_TYPEMASK) != SS_ICON) {
      if (std::string text = TextOf(child); !text.empty()) {
        return text;
      }
    }
  }
  return {};
}

int WaitBox(int timeoutMs) {
  HWND box = nullptr;
  if (!WaitFor(timeoutMs, [&] { return (box = FindBox()) != nullptr; })) {
    return Fail("no message box appeared");
  }
  const std::string caption = TextOf(box);
  const std::string text = MessageText(box);
  std::string button;
  if (HWND ok = GetDlgItem(box, IDOK); ok != nullptr) {
    button = TextOf(ok);
  }
  // Let the box finish painting before its icon is captured.
  HWND iconControl = FindIconControl(box);
  if (iconControl != nullptr) {
    std::optional<std::vector<std::uint32_t>> previous;
    WaitFor(2000, [&] {
      auto now = CaptureIcon(box);
      const bool stable = now && previous && *now == *previous;
      previous = now;
      return stable;
    });
  }
  int buttons = 0;
  for (HWND child : ChildWindows(box)) {
    buttons += (ClassOf(child) == "Button" && IsWindowVisible(child)) ? 1 : 0;
  }
  std::printf("caption=%s\ntext=%s\nbutton=%s\nbuttons=%d\nicon=%s\npid=%lu\n", Hex(caption).c_str(),
              Hex(text).c_str(), Hex(button).c_str(), buttons, IconKind(box), ProcessOf(box));
  return 0;
}

int NoBox(int timeoutMs) {
  if (!WaitFor(timeoutMs, [] { return FindBox() == nullptr; })) {
    return Fail("a message box is still open");
  }
  return 0;
}

int ClickOk(int timeoutMs) {
  HWND box = nullptr;
  HWND ok = nullptr;
  // A box just shown may not have its button yet.
  if (!WaitFor(timeoutMs, [&] {
        box = FindBox();
        ok = box != nullptr ? GetDlgItem(box, IDOK) : nullptr;
        return ok != nullptr;
      })) {
    return Fail("no message box with an OK button to click");
  }
  // Posted: a sent BM_CLICK returns only after the box's owner has gone through the activation that
  // follows the box's end, which Wine makes wait about two seconds for X. A click that reaches a box
  // still settling in is lost, so it is posted again each second until the box is gone.
  auto next = std::chrono::steady_clock::now();
  if (!WaitFor(timeoutMs, [&] {
        if (!IsWindow(box) || !IsWindowVisible(box)) return true;
        if (std::chrono::steady_clock::now() >= next) {
          PostMessageA(ok, BM_CLICK, 0, 0);
          next += std::chrono::seconds(1);
        }
        return false;
      })) {
    return Fail("the message box stayed open after OK");
  }
  return 0;
}

NOTIFYICONDATAA IconData(HWND form) {
  NOTIFYICONDATAA data{};
  data.cbSize = 88;  // the first, 88-byte form of the record, as the program uses
  data.hWnd = form;
  data.uID = 0;
  return data;
}

int RemoveIcon() {
  HWND form = FindForm();
  if (form == nullptr) {
    return Fail("no TalsekTray form whose icon could be removed");
  }
  NOTIFYICONDATAA data = IconData(form);
  if (!Shell_NotifyIconA(NIM_DELETE, &data)) {
    return Fail("Shell_NotifyIconA(NIM_DELETE) failed: the program had no icon");
  }
  return 0;
}

int BroadcastTaskbarCreated() {
  const UINT message = RegisterWindowMessageA(texte::kTaskbarCreated.data());
  // HWND_BROADCAST is ((HWND)0xffff); spelled out to keep old-style casts out of our code.
  PostMessageA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0xFFFF)), message, 0, 0);
  return 0;
}

// Whether the program's thread takes messages: it does between commands and while a box or the menu
// runs its loop, and does not while a command is still working.
int Idle(int timeoutMs) {
  HWND form = FindForm();
  if (form == nullptr) {
    return Fail("no TalsekTray form");
  }
  DWORD_PTR ignored = 0;
  const bool idle = SendMessageTimeoutA(form, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, static_cast<UINT>(timeoutMs),
                                        &ignored) != 0;
  std::printf("idle=%d\n", idle ? 1 : 0);
  return 0;
}

// Shows a message box of this probe (the harness's own target, to prove the box helpers). The
// text comes as hex so that line breaks and high bytes arrive intact.
int ShowBox(std::string_view kind, std::string_view captionHex, std::string_view textHex) {
  UINT flag = 0;
  if (kind == "error") {
    flag = MB_ICONERROR;
  } else if (kind == "warning") {
    flag = MB_ICONWARNING;
  } else if (kind == "information") {
    flag = MB_ICONINFORMATION;
  } else if (kind != "none") {
    return 2;
  }
  const auto caption = Unhex(captionHex);
  const auto text = Unhex(textHex);
  if (!caption || !text) {
    return 2;
  }
  MessageBoxA(nullptr, text->c_str(), caption->c_str(), MB_OK | flag);
  return 0;
}

// The open clipboard's CF_TEXT up to its first zero byte.
std::string TextOnClipboard() {
  std::string text;
  if (HANDLE data = GetClipboardData(CF_TEXT); data != nullptr) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data)); bytes != nullptr) {
      text = std::string(bytes, strnlen(bytes, GlobalSize(data)));
      GlobalUnlock(data);
    }
  }
  return text;
}

// The clipboard's CF_TEXT as the program sees it, for byte-exact checks that X must not blur.
int ClipGet() {
  if (!WaitFor(kDefaultTimeoutMs, [] { return OpenClipboard(nullptr) != FALSE; })) {
    return Fail("the clipboard could not be opened");
  }
  const std::string text = TextOnClipboard();
  CloseClipboard();
  std::printf("clip=%s\n", Hex(text).c_str());
  return 0;
}

constexpr std::array<std::pair<UINT, const char*>, 4> kTextFormats{
    {{CF_TEXT, "CF_TEXT"}, {CF_OEMTEXT, "CF_OEMTEXT"}, {CF_UNICODETEXT, "CF_UNICODETEXT"}, {CF_LOCALE, "CF_LOCALE"}}};

// A clipboard format by its registered name, the text formats by theirs, any other as "#<number>".
std::string FormatName(UINT format) {
  std::array<char, 128> name{};
  if (GetClipboardFormatNameA(format, name.data(), static_cast<int>(name.size())) == 0) {
    std::snprintf(name.data(), name.size(), "#%u", format);
    for (const auto& [number, standard] : kTextFormats) {
      if (number == format) std::snprintf(name.data(), name.size(), "%s", standard);
    }
  }
  return name.data();
}

// Every format on the clipboard with the size of its data, and CF_UNICODETEXT in full: what other
// programs (and Wine's bridge to X) are offered, for the report when a check fails.
int ClipFormats() {
  if (!WaitFor(kDefaultTimeoutMs, [] { return OpenClipboard(nullptr) != FALSE; })) {
    return Fail("the clipboard could not be opened");
  }
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    HANDLE data = GetClipboardData(format);
    const SIZE_T size = data != nullptr ? GlobalSize(data) : 0;
    std::printf("format=%u %s size=%lu\n", format, FormatName(format).c_str(), static_cast<unsigned long>(size));
    if (format == CF_UNICODETEXT && data != nullptr) {
      if (const auto* bytes = static_cast<const char*>(GlobalLock(data)); bytes != nullptr) {
        std::printf("unicode=%s\n", Hex(std::string_view(bytes, size)).c_str());
        GlobalUnlock(data);
      }
    }
  }
  CloseClipboard();
  return 0;
}

void SetBlock(UINT format, std::string_view bytes) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  SetClipboardData(format, memory);
}

// The text as CF_TEXT, and with a format's name the bytes of that registered format beside it, as
// a program copies rich content.
int ClipSet(std::string_view hex, const char* formatName, std::string_view formatHex) {
  const auto text = Unhex(hex);
  const auto extra = Unhex(formatHex);
  if (!text || !extra) {
    return 2;
  }
  if (!WaitFor(kDefaultTimeoutMs, [] { return OpenClipboard(nullptr) != FALSE; })) {
    return Fail("the clipboard could not be opened");
  }
  EmptyClipboard();
  SetBlock(CF_TEXT, std::string_view(text->c_str(), text->size() + 1));
  if (formatName != nullptr && std::string_view(formatName) == "CF_ENHMETAFILE") {
    // A picture beside the text, as Office programs copy: a drawn rectangle and a line of text.
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    Rectangle(dc, 10, 10, 200, 120);
    TextOutA(dc, 20, 40, text->c_str(), static_cast<int>(text->size()));
    SetClipboardData(CF_ENHMETAFILE, CloseEnhMetaFile(dc));
  } else if (formatName != nullptr) {
    SetBlock(RegisterClipboardFormatA(formatName), *extra);
  }
  CloseClipboard();
  return 0;
}

// The bytes of one registered format on the clipboard.
int ClipData(const char* formatName) {
  if (!WaitFor(kDefaultTimeoutMs, [] { return OpenClipboard(nullptr) != FALSE; })) {
    return Fail("the clipboard could not be opened");
  }
  if (std::string_view(formatName) == "CF_ENHMETAFILE") {
    const auto picture = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    std::string bits(picture != nullptr ? GetEnhMetaFileBits(picture, 0, nullptr) : 0, '\0');
    if (!bits.empty()) GetEnhMetaFileBits(picture, static_cast<UINT>(bits.size()), reinterpret_cast<BYTE*>(bits.data()));
    CloseClipboard();
    std::printf("data=%s\n", Hex(bits).c_str());
    return bits.empty() ? 1 : 0;
  }
  HANDLE data = GetClipboardData(RegisterClipboardFormatA(formatName));
  const auto* bytes = data != nullptr ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  if (bytes != nullptr) {
    std::printf("data=%s\n", Hex(std::string_view(bytes, GlobalSize(data))).c_str());
    GlobalUnlock(data);
  }
  CloseClipboard();
  return bytes != nullptr ? 0 : 1;
}

// A window of the probe's own, shown at once and on top; with no window manager on the display, the
// harness puts X's focus on it.
HWND FocusableWindow(const char* className, const char* title, WNDPROC procedure, int width) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);
  return CreateWindowExA(WS_EX_TOPMOST, className, title, WS_POPUP | WS_VISIBLE, 20, 20, width, 60, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

// Makes the window the foreground and `focus` the keyboard focus, and says so once they are.
bool TakeFocus(HWND window, HWND focus, int timeoutMs) {
  SetForegroundWindow(window);
  SetFocus(focus);
  if (!WaitFor(timeoutMs, [&] { return GetForegroundWindow() == window && GetFocus() == focus; })) {
    return false;
  }
  std::printf("focused=1\n");
  std::fflush(stdout);
  return true;
}

// A window whose edit control holds the text (hex, or "@file" with the bytes), all of it selected
// and focused, as a user leaves a selection before pressing an in-place shortcut; after the time,
// what the edit holds, how long after the user let go of Strg its text changed, and how long after the
// first Strg+V that reached it.
// Options: "hold:<ms>" pastes with the clipboard held open that long, as a slow program does; "late:<ms>" handles Strg+V only that long after it came, as a busy program does;
// "readonly" takes no paste, as a read-only page or document whose Strg+C works.
int EditWindow(std::string_view source, int milliseconds, const std::vector<std::string_view>& options) {
  int holdAfterPaste = 0;
  int late = 0;
  bool readOnly = false;
  bool utf16 = false;  // the text's bytes are UTF-16LE, and the edit is a Unicode one
  for (const std::string_view option : options) {
    utf16 = utf16 || option == "utf16";
    if (option.starts_with("hold:")) holdAfterPaste = std::atoi(option.substr(5).data());
    if (option.starts_with("late:")) late = std::atoi(option.substr(5).data());
    readOnly = readOnly || option == "readonly";
  }
  std::optional<std::string> text;
  if (source.starts_with("@")) {
    FILE* file = std::fopen(std::string(source.substr(1)).c_str(), "rb");
    if (file == nullptr) return Fail("the text's file cannot be read");
    text.emplace();
    std::array<char, 4096> block{};
    for (std::size_t n; (n = std::fread(block.data(), 1, block.size(), file)) > 0;) text->append(block.data(), n);
    std::fclose(file);
  } else {
    text = Unhex(source);
  }
  if (!text) {
    return 2;
  }
  HWND window = FocusableWindow("ProbeEdit", "probe-edit", DefWindowProcA, 300);
  HWND edit = utf16 ? CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 290, 24, window,
                                      nullptr, GetModuleHandleW(nullptr), nullptr)
                    : CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 290, 24, window,
                                      nullptr, GetModuleHandleA(nullptr), nullptr);
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  if (utf16) {
    std::wstring breit(text->size() / 2, L'\0');
    std::memcpy(breit.data(), text->data(), breit.size() * 2);
    SetWindowTextW(edit, breit.c_str());
  } else {
    SetWindowTextA(edit, text->c_str());
  }
  SendMessageA(edit, EM_SETSEL, 0, -1);
  if (readOnly) SendMessageA(edit, EM_SETREADONLY, TRUE, 0);
  if (!TakeFocus(window, edit, kDefaultTimeoutMs)) {
    return Fail("the probe's edit did not get the focus");
  }
  const auto contents = [edit, utf16] {
    if (utf16) {
      std::wstring breit(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
      breit.resize(static_cast<std::size_t>(GetWindowTextW(edit, breit.data(), static_cast<int>(breit.size()))));
      return std::string(reinterpret_cast<const char*>(breit.data()), breit.size() * 2);
    }
    std::string now(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    now.resize(static_cast<std::size_t>(GetWindowTextA(edit, now.data(), static_cast<int>(now.size()))));
    return now;
  };
  const std::string before = contents();
  using Clock = std::chrono::steady_clock;
  std::optional<Clock::time_point> released;
  std::optional<Clock::time_point> pasting;  // the first Strg+V that reached the edit
  std::optional<Clock::time_point> replaced;
  const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
  while (Clock::now() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // The user's Strg comes up before the in-place command sends keys of its own.
      if (msg.message == WM_KEYUP && msg.wParam == VK_CONTROL && !released) released = Clock::now();
      // A slow program pastes itself, keeping the clipboard open from its reading on for the time.
      if (msg.message == WM_CHAR && msg.wParam == 0x16 && holdAfterPaste > 0 && OpenClipboard(window)) {
        const std::string pasted = TextOnClipboard();
        SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
        std::printf("held-after-paste=1\n");
        std::fflush(stdout);
        Sleep(static_cast<DWORD>(holdAfterPaste));
        CloseClipboard();
        continue;
      }
      if (msg.message == WM_KEYDOWN && msg.wParam == 'V' && GetKeyState(VK_CONTROL) < 0 && !pasting) {
        pasting = Clock::now();
        if (late > 0) Sleep(static_cast<DWORD>(late));
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (!replaced && contents() != before) replaced = Clock::now();
  }
  std::printf("text=%s\n", Hex(contents()).c_str());
  const auto ms = [](Clock::time_point from, Clock::time_point to) {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count());
  };
  if (released && replaced && *released <= *replaced) std::printf("released-to-replaced-ms=%lld\n", ms(*released, *replaced));
  if (pasting && replaced) std::printf("paste-to-replaced-ms=%lld\n", ms(*pasting, *replaced));
  DestroyWindow(window);
  return 0;
}

// How often a text lies in TalsekTray's committed memory, read from outside as any program of the
// same user can: in code page 1252, UTF-16 and UTF-32. The text comes with each byte flipped by 0x5A
// and is turned back only into a buffer on the stack, so that the probe's own copy of it, were it
// the process searched, would be none of the patterns.
int MemScan(std::string_view flipped) {
  const auto bytes = Unhex(flipped);
  HWND form = FindForm();
  if (!bytes || bytes->empty() || bytes->size() > 256) return 2;
  if (form == nullptr) return Fail("no TalsekTray form");
  HANDLE process = OpenProcess(PROCESS_VM_READ | PROCESS_QUERY_INFORMATION, FALSE, ProcessOf(form));
  if (process == nullptr) return Fail("TalsekTray's memory cannot be read");
  std::array<char, 1024> muster[3] = {};
  std::size_t laengen[3] = {bytes->size(), bytes->size() * 2, bytes->size() * 4};
  for (std::size_t i = 0; i < bytes->size(); ++i) {
    const char c = static_cast<char>((*bytes)[i] ^ 0x5A);
    wchar_t w = L'\0';
    MultiByteToWideChar(1252, 0, &c, 1, &w, 1);
    muster[0][i] = c;
    std::memcpy(&muster[1][i * 2], &w, 2);
    const std::uint32_t u = w;
    std::memcpy(&muster[2][i * 4], &u, 4);
  }
  std::size_t funde[3] = {0, 0, 0};
  std::size_t gelesen = 0;
  std::vector<char> block;
  MEMORY_BASIC_INFORMATION bereich{};
  for (auto* adresse = static_cast<char*>(nullptr);
       VirtualQueryEx(process, adresse, &bereich, sizeof bereich) == sizeof bereich;
       adresse = static_cast<char*>(bereich.BaseAddress) + bereich.RegionSize) {
    const bool lesbar = bereich.State == MEM_COMMIT && (bereich.Protect & (PAGE_NOACCESS | PAGE_GUARD)) == 0;
    if (!lesbar) continue;
    block.resize(bereich.RegionSize);
    SIZE_T da = 0;
    if (!ReadProcessMemory(process, bereich.BaseAddress, block.data(), block.size(), &da)) continue;
    gelesen += da;
    for (int k = 0; k < 3; ++k) {
      const std::string_view ganz(block.data(), da);
      const std::string_view was(muster[k].data(), laengen[k]);
      for (std::size_t at = ganz.find(was); at != std::string_view::npos; at = ganz.find(was, at + 1)) ++funde[k];
    }
  }
  CloseHandle(process);
  SecureZeroMemory(muster, sizeof muster);
  std::printf("read=%zu\ncp1252=%zu\nutf16=%zu\nutf32=%zu\n", gelesen, funde[0], funde[1], funde[2]);
  return 0;
}

// A text and `count` registered formats of `bytes` bytes each, offered delayed as spreadsheets offer
// their many formats: each is made only when a reader asks for it. Serves the requests for the time.
int ClipOffer(int count, int bytes, int milliseconds) {
  static int size = 0;
  size = bytes;
  struct Source {
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_RENDERFORMAT) {
        std::string data(static_cast<std::size_t>(size), '\0');
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>('A' + (i + wParam) % 26);
        SetBlock(static_cast<UINT>(wParam), data);
        return 0;
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    }
  };
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = Source::Procedure;
  windowClass.lpszClassName = "TalsekProbeSource";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (window == nullptr || !WaitFor(kDefaultTimeoutMs, [window] { return OpenClipboard(window) != FALSE; })) {
    return Fail("the clipboard could not be opened");
  }
  EmptyClipboard();
  SetBlock(CF_TEXT, std::string_view("vorher", 7));
  for (int i = 1; i <= count; ++i) {
    const UINT format = RegisterClipboardFormatA(("TalsekProbeFormat" + std::to_string(i)).c_str());
    SetClipboardData(format, nullptr);
  }
  CloseClipboard();
  std::printf("offered=1\n");
  std::fflush(stdout);
  // Each request is answered the moment it comes, as a program idle in its message loop answers it.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  while (std::chrono::steady_clock::now() < deadline) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  return 0;
}

// Puts a file's UTF-16LE text on the clipboard as CF_UNICODETEXT, as a Unicode program copies it.
int ClipSetUnicode(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    return Fail("the text file cannot be opened");
  }
  std::string bytes;
  std::array<char, 65536> block{};
  for (std::size_t n; (n = std::fread(block.data(), 1, block.size(), file)) > 0;) {
    bytes.append(block.data(), n);
  }
  std::fclose(file);
  if (!WaitFor(kDefaultTimeoutMs, [] { return OpenClipboard(nullptr) != FALSE; })) {
    return Fail("the clipboard could not be opened");
  }
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 2);
  auto* target = static_cast<char*>(GlobalLock(memory));
  std::memcpy(target, bytes.data(), bytes.size());
  target[bytes.size()] = target[bytes.size() + 1] = 0;
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  return 0;
}

// Holds the clipboard open as clipboard managers do, for the given time; says when it has it.
// The program of the window that has the clipboard open, by its file name; "none" when no window
// holds it (a holder that opened it without one).
std::string ClipboardHolder() {
  DWORD process = 0;
  if (HWND holder = GetOpenClipboardWindow(); holder != nullptr) GetWindowThreadProcessId(holder, &process);
  char name[MAX_PATH] = "none";
  DWORD size = MAX_PATH;
  if (HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process); h != nullptr) {
    if (QueryFullProcessImageNameA(h, 0, name, &size) == FALSE) std::snprintf(name, MAX_PATH, "pid %lu", process);
    CloseHandle(h);
  }
  return name;
}

int ClipHold(int milliseconds) {
  if (!WaitFor(kDefaultTimeoutMs, [] { return OpenClipboard(nullptr) != FALSE; })) {
    std::printf("held-by=%s\n", ClipboardHolder().c_str());
    return Fail("the clipboard could not be opened");
  }
  std::printf("held=1\n");
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(milliseconds));
  CloseClipboard();
  return 0;
}

// ---- a clipboard watcher -------------------------------------------------------------------------

constexpr char kWatcherClass[] = "TalsekProbeClipboardWatcher";
constexpr char kLateWatcherClass[] = "TalsekProbeLateClipboardWatcher";
constexpr UINT_PTR kLateRead = 2;
int watchDelay = 0;

// What a watcher sees of the clipboard at an update: CF_TEXT, the two DWORDs that Windows reads for
// its history and cloud clipboard (value/size, "-" when absent), and every format by name.
std::string Update(HWND watcher) {
  // With its own window, as clipboard tools open the clipboard.
  if (!WaitFor(5000, [watcher] { return OpenClipboard(watcher) != FALSE; })) return "clipboard held open";
  std::string formats, dwords;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    formats.append(formats.empty() ? "" : "|").append(FormatName(format));
  }
  for (const std::string_view name : {texte::kPrivatFormate[1], texte::kPrivatFormate[2]}) {
    std::string value = "-";
    const HANDLE data = GetClipboardData(RegisterClipboardFormatA(name.data()));
    if (const auto* dword = data != nullptr ? static_cast<const DWORD*>(GlobalLock(data)) : nullptr) {
      value = std::to_string(*dword) + "/" + std::to_string(GlobalSize(data));
      GlobalUnlock(data);
    }
    dwords.append(" ").append(name).append("=").append(value);
  }
  const std::string text = TextOnClipboard();
  CloseClipboard();
  return std::string("text=").append(Hex(text)).append(dwords).append(" formats=").append(formats);
}

std::vector<std::string> updates;

LRESULT CALLBACK WatcherProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // A tool that reads a while after each update: its timer starts at the update.
  if (message == WM_CLIPBOARDUPDATE && watchDelay > 0) SetTimer(hwnd, kLateRead, static_cast<UINT>(watchDelay), nullptr);
  if (message == WM_CLIPBOARDUPDATE && watchDelay == 0) updates.push_back(Update(hwnd));
  if (message == WM_TIMER && wParam == kLateRead) {
    KillTimer(hwnd, kLateRead);
    updates.push_back(Update(hwnd));
    return 0;
  }
  if (message == WM_CLOSE || message == WM_TIMER) PostQuitMessage(message == WM_CLOSE ? 0 : 1);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

// Records every clipboard update as a history service does, reading the clipboard as soon as it
// changes, until clip-watch-stop (or a minute is up); then prints one line per update.
int ClipWatch(int delay) {
  watchDelay = delay;
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WatcherProc;
  windowClass.lpszClassName = delay > 0 ? kLateWatcherClass : kWatcherClass;
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (window == nullptr || !AddClipboardFormatListener(window)) return Fail("the watcher cannot listen");
  std::printf("watching=1\n");
  std::fflush(stdout);
  SetTimer(window, 1, 60000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  RemoveClipboardFormatListener(window);
  for (std::size_t i = 0; i < updates.size(); ++i) std::printf("update%zu=%s\n", i + 1, updates[i].c_str());
  return msg.wParam == 0 ? 0 : Fail("the watcher was not stopped in time");
}

int ClipWatchStop(int delay) {
  HWND watcher = FindWindowExA(HWND_MESSAGE, nullptr, delay > 0 ? kLateWatcherClass : kWatcherClass, nullptr);
  if (watcher == nullptr) return Fail("no clipboard watcher runs");
  PostMessageA(watcher, WM_CLOSE, 0, 0);
  return 0;
}

// ---- keys and hotkeys ----------------------------------------------------------------------------

// A small visible window of the probe's own that takes the keyboard focus: Wine hands a key that X
// delivers to one of its windows to the system's hotkey check, and only then. Says when it has the
// focus, then takes keys until one is released with no modifier left down (the combination that
// the harness presses with xdotool is over) or the time is up. Prints the keys that reached it.
int FocusWindow(int timeoutMs) {
  static std::string seen;
  static bool released = false;
  struct Window {
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
      if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
        if (!seen.empty()) {
          seen += ',';
        }
        seen += std::to_string(wParam);
      }
      if ((message == WM_KEYUP || message == WM_SYSKEYUP) && GetKeyState(VK_CONTROL) >= 0 &&
          GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0) {
        released = true;
      }
      return DefWindowProcA(hwnd, message, wParam, lParam);
    }
  };
  HWND window = FocusableWindow("ProbeFocus", "probe-focus", Window::Procedure, 120);
  if (!TakeFocus(window, window, timeoutMs)) {
    return Fail("the probe's window did not get the focus");
  }
  const bool over = WaitFor(timeoutMs, [] { return released; });
  std::printf("keys=%s\n", seen.c_str());
  DestroyWindow(window);
  return over ? 0 : Fail("no key combination was pressed and released");
}

// Holds a hotkey as another program would, for the given time; says whether it got it.
int HoldHotkey(UINT modifiers, UINT key, int milliseconds) {
  const bool held = RegisterHotKey(nullptr, 1, modifiers, key) != FALSE;
  std::printf("held=%d\n", held ? 1 : 0);
  std::fflush(stdout);
  if (!held) {
    return 1;
  }
  WaitFor(milliseconds, [] { return false; });
  UnregisterHotKey(nullptr, 1);
  return 0;
}

// Holds a file open as an editor or a virus scanner may, sharing it for reading only (so that it can
// be neither written, renamed nor deleted meanwhile), for the given time; says whether it got it.
int HoldFile(const char* path, int milliseconds) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  std::printf("held=%d\n", file != INVALID_HANDLE_VALUE ? 1 : 0);
  std::fflush(stdout);
  if (file == INVALID_HANDLE_VALUE) {
    return 1;
  }
  Sleep(static_cast<DWORD>(milliseconds));
  CloseHandle(file);
  return 0;
}

// Posts a registered message to the first top-level window of the class, as an installer does.
int PostRegistered(const char* windowClass, const char* name) {
  HWND window = FindWindowA(windowClass, nullptr);
  const UINT message = RegisterWindowMessageA(name);
  if (window == nullptr || message == 0 || !PostMessageA(window, message, 0, 0)) {
    return Fail("no window of the class to post the message to");
  }
  return 0;
}

// Maps an executable as an image, as the shell does to read its icon and the loader to run it:
// Windows then renames the file but will not delete it. Says whether it got it.
int MapImage(const char* path, int milliseconds) {
  HMODULE image = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  std::printf("mapped=%d\n", image != nullptr ? 1 : 0);
  std::fflush(stdout);
  if (image == nullptr) {
    return 1;
  }
  Sleep(static_cast<DWORD>(milliseconds));
  FreeLibrary(image);
  return 0;
}

int Usage() {
  std::fputs(
      "usage: probe <command> [args]\n"
      "  wait-form [ms] | no-form [ms]          the program's hidden form appears / is gone\n"
      "  tray <515|517|...>                     post the tray callback 0x401 to the form\n"
      "  wait-menu [ms] | no-menu [ms]          the popup menu is open / closed\n"
      "  menu-key <char|esc|enter> [ms]         press a key in the open popup menu\n"
      "  wait-box [ms] | no-box [ms]            a message box of another process is open / none is\n"
      "  click-ok [ms]                          press OK in that box\n"
      "  remove-icon | broadcast-taskbarcreated the shell's side of a restart of the taskbar\n"
      "  idle [ms]                              whether the program's thread answers within the time\n"
      "  show-box <kind> <caption-hex> <text-hex>  a box of the probe's own\n"
      "  clip-get | clip-set <hex> [<fmt> <hex>]  CF_TEXT of the clipboard, with a registered format beside\n"
      "  clip-data <fmt>                        the bytes of a registered format on the clipboard\n"
      "  clip-formats                           the formats on the clipboard, CF_UNICODETEXT in full\n"
      "  clip-set-unicode <file>                CF_UNICODETEXT from a file of UTF-16LE\n"
      "  clip-hold <ms>                         hold the clipboard open for the time\n"
      "  clip-watch [ms] | clip-watch-stop [ms] record every clipboard update until stopped (read ms after it)\n"
      "  acp                                    the ANSI code page\n"
      "  focus-window [ms]                      a window of the probe's own with the keyboard focus\n"
      "  edit-window <hex|@file> <ms> [opt...]  a window whose edit holds the text, selected; then its text\n"
      "                                         (options hold:<ms>, late:<ms>, readonly, utf16)\n"
      "  clip-offer <count> <bytes> <ms>        a text and count formats of the size, each rendered when asked\n"
      "  mem-scan <hex ^ 5a>                    copies of the text in TalsekTray's memory, per encoding\n"
      "  hold-hotkey <mod> <vk> <ms>            hold a hotkey (RegisterHotKey's numbers) for the time\n"
      "  hold-file <path> <ms>                  hold a file open, shared for reading only, for the time\n"
      "  post-registered <class> <name>         post a registered message to a window of the class\n"
      "  map-image <path> <ms>                  map an executable as a running program's image, for the time\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // A crash of the probe must end it, never wait on a dialog on the virtual display.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
  if (argc < 2) {
    return Usage();
  }
  const std::string_view command = argv[1];
  if (command == "wait-form") return WaitForm(Timeout(argc, argv, 2));
  if (command == "no-form") return NoForm(Timeout(argc, argv, 2));
  if (command == "tray" && argc > 2) return Tray(std::atoi(argv[2]));
  if (command == "wait-menu") return WaitMenu(Timeout(argc, argv, 2));
  if (command == "no-menu") return NoMenu(Timeout(argc, argv, 2));
  if (command == "menu-key" && argc > 2) return MenuKey(argv[2], Timeout(argc, argv, 3));
  if (command == "wait-box") return WaitBox(Timeout(argc, argv, 2));
  if (command == "no-box") return NoBox(Timeout(argc, argv, 2));
  if (command == "click-ok") return ClickOk(Timeout(argc, argv, 2));
  if (command == "remove-icon") return RemoveIcon();
  if (command == "broadcast-taskbarcreated") return BroadcastTaskbarCreated();
  if (command == "idle") return Idle(Timeout(argc, argv, 2));
  if (command == "show-box" && argc > 4) return ShowBox(argv[2], argv[3], argv[4]);
  if (command == "clip-get") return ClipGet();
  if (command == "clip-set" && argc > 2) return ClipSet(argv[2], argc > 4 ? argv[3] : nullptr, argc > 4 ? argv[4] : "");
  if (command == "clip-data" && argc > 2) return ClipData(argv[2]);
  if (command == "edit-window" && argc > 3) {
    return EditWindow(argv[2], std::atoi(argv[3]), std::vector<std::string_view>(argv + 4, argv + argc));
  }
  if (command == "mem-scan" && argc > 2) return MemScan(argv[2]);
  if (command == "clip-offer" && argc > 4) return ClipOffer(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
  if (command == "clip-formats") return ClipFormats();
  if (command == "clip-set-unicode" && argc > 2) return ClipSetUnicode(argv[2]);
  if (command == "clip-hold" && argc > 2) return ClipHold(std::atoi(argv[2]));
  if (command == "clip-watch") return ClipWatch(argc > 2 ? std::atoi(argv[2]) : 0);
  if (command == "clip-watch-stop") return ClipWatchStop(argc > 2 ? std::atoi(argv[2]) : 0);
  if (command == "focus-window") return FocusWindow(Timeout(argc, argv, 2));
  if (command == "hold-hotkey" && argc > 4) {
    return HoldHotkey(static_cast<UINT>(std::strtoul(argv[2], nullptr, 0)),
                      static_cast<UINT>(std::strtoul(argv[3], nullptr, 0)), std::atoi(argv[4]));
  }
  if (command == "post-registered" && argc > 3) return PostRegistered(argv[2], argv[3]);
  if (command == "hold-file" && argc > 3) return HoldFile(argv[2], std::atoi(argv[3]));
  if (command == "acp") {
    std::printf("acp=%u\n", GetACP());
    return 0;
  }
  if (command == "map-image" && argc > 3) return MapImage(argv[2], std::atoi(argv[3]));
  return Usage();
}
