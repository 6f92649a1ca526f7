#include "Main/win/Win32AuswahlUmgebung.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// Handles that are no memory block (bitmaps, metafiles, palettes, the owner's display and the GDI
// objects' range): the system makes the bitmap again from the DIB that is kept.
bool Speicherformat(UINT format) {
  switch (format) {
    case CF_BITMAP:
    case CF_METAFILEPICT:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY:
    case CF_DSPBITMAP:
    case CF_DSPMETAFILEPICT:
    case CF_DSPENHMETAFILE:
      return false;
    default:
      return format < CF_GDIOBJFIRST || format > CF_GDIOBJLAST;
  }
}

// OLE's own bookkeeping names a data object in the program that copied; once the clipboard has been
// emptied that object is gone, and bytes that still point to it would mislead the next OLE reader.
bool OleVerwaltung(UINT format) {
  std::array<char, 64> name{};
  const int laenge = ::GetClipboardFormatNameA(format, name.data(), static_cast<int>(name.size()));
  const std::string_view n(name.data(), laenge > 0 ? static_cast<std::size_t>(laenge) : 0);
  return n == "DataObject" || n == "Ole Private Data" || n == "Wine Marshalled DataObject";
}

class Geoeffnet {
 public:
  Geoeffnet() = default;
  ~Geoeffnet() { ::CloseClipboard(); }
  Geoeffnet(const Geoeffnet&) = delete;
  Geoeffnet& operator=(const Geoeffnet&) = delete;
};

}  // namespace

Win32AuswahlUmgebung::Win32AuswahlUmgebung(HWND fenster, const RichEditBuffer& puffer)
    : fenster_(fenster), puffer_(puffer) {}

Win32AuswahlUmgebung::~Win32AuswahlUmgebung() = default;

bool Win32AuswahlUmgebung::TastenGedrueckt() {
  for (const int taste : {VK_CONTROL, VK_SHIFT, VK_MENU, VK_LWIN, VK_RWIN}) {
    if ((::GetAsyncKeyState(taste) & 0x8000) != 0) return true;
  }
  return false;
}

std::uintptr_t Win32AuswahlUmgebung::Vordergrund() {
  return reinterpret_cast<std::uintptr_t>(::GetForegroundWindow());
}

// Another program may hold the clipboard for moments, the paste that reads the handover among them.
bool Win32AuswahlUmgebung::Oeffnen() {
  return Warten(milliseconds(1000), milliseconds(20), [this] { return ::OpenClipboard(fenster_) != FALSE; });
}

bool Win32AuswahlUmgebung::Sichern() {
  gesichert_.clear();
  if (!Oeffnen()) return false;
  const Geoeffnet geoeffnet;
  for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format)) {
    if (!Speicherformat(format) || OleVerwaltung(format)) continue;
    const HANDLE daten = ::GetClipboardData(format);
    const SIZE_T groesse = daten != nullptr ? ::GlobalSize(daten) : 0;
    const void* bytes = groesse != 0 ? ::GlobalLock(daten) : nullptr;
    if (bytes == nullptr) continue;
    const auto* anfang = static_cast<const unsigned char*>(bytes);
    gesichert_.emplace_back(format, std::vector<unsigned char>(anfang, anfang + groesse));
    ::GlobalUnlock(daten);
  }
  return true;
}

void Win32AuswahlUmgebung::Zurueckgeben() {
  if (!Oeffnen()) return;
  const Geoeffnet geoeffnet;
  ::EmptyClipboard();
  for (const auto& [format, bytes] : gesichert_) {
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    void* ziel = block != nullptr ? ::GlobalLock(block) : nullptr;
    if (ziel == nullptr) {
      if (block != nullptr) ::GlobalFree(block);
      continue;
    }
    std::memcpy(ziel, bytes.data(), bytes.size());
    ::GlobalUnlock(block);
    // The clipboard owns the block once it took it.
    if (::SetClipboardData(format, block) == nullptr) ::GlobalFree(block);
  }
  gesichert_.clear();
}

std::uint32_t Win32AuswahlUmgebung::Sequenznummer() { return ::GetClipboardSequenceNumber(); }

bool Win32AuswahlUmgebung::TextDa() { return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE; }

bool Win32AuswahlUmgebung::StrgUnd(char taste) {
  std::array<INPUT, 4> eingaben{};
  const std::array<std::pair<WORD, DWORD>, 4> folge{{{VK_CONTROL, 0},
                                                     {static_cast<WORD>(taste), 0},
                                                     {static_cast<WORD>(taste), KEYEVENTF_KEYUP},
                                                     {VK_CONTROL, KEYEVENTF_KEYUP}}};
  for (std::size_t i = 0; i < eingaben.size(); ++i) {
    eingaben[i].type = INPUT_KEYBOARD;
    eingaben[i].ki.wVk = folge[i].first;
    eingaben[i].ki.dwFlags = folge[i].second;
  }
  return ::SendInput(static_cast<UINT>(eingaben.size()), eingaben.data(), sizeof(INPUT)) == eingaben.size();
}

bool Win32AuswahlUmgebung::Warten(milliseconds frist, milliseconds takt, const std::function<bool()>& bedingung) {
  const auto ende = steady_clock::now() + frist;
  for (;;) {
    if (bedingung()) return true;
    const auto jetzt = steady_clock::now();
    if (jetzt >= ende) return false;
    const auto rest = std::chrono::duration_cast<milliseconds>(ende - jetzt);
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(std::min(rest, takt).count()) + 1, QS_ALLINPUT,
                                  MWMO_INPUTAVAILABLE);
    // The program's other messages are served meanwhile; a command they would start is dropped.
    MSG nachricht;
    while (::PeekMessageA(&nachricht, nullptr, 0, 0, PM_REMOVE)) {
      if (nachricht.message == WM_QUIT) {
        ::PostQuitMessage(static_cast<int>(nachricht.wParam));
        return false;
      }
      ::TranslateMessage(&nachricht);
      ::DispatchMessageA(&nachricht);
    }
  }
}
