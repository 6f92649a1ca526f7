#include "Main/win/Win32AuswahlUmgebung.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "Main/Texte.h"
#include "Main/win/Ablageblock.h"

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// What a snapshot may cost: a clipboard with more (Excel offers dozens of formats, pictures of the
// range among them, each rendered when asked for) is refused before anything is copied.
constexpr std::size_t kHoechstensBytes = std::size_t{64} * 1024 * 1024;
constexpr milliseconds kHoechstensZeit{1000};

// How a format's data is held: plain memory, or one of the system's picture handles.
enum class Art { Speicher, Erweitert, Metadatei, Palette, Keine };

Art ArtVon(UINT format) {
  switch (format) {
    case CF_ENHMETAFILE:
    case CF_DSPENHMETAFILE:
      return Art::Erweitert;
    case CF_METAFILEPICT:
    case CF_DSPMETAFILEPICT:
      return Art::Metadatei;
    case CF_PALETTE:
      return Art::Palette;
    // A bitmap comes back by itself from the DIB that the system offers beside it; what the owner
    // draws needs the owner.
    case CF_BITMAP:
    case CF_DSPBITMAP:
    case CF_OWNERDISPLAY:
      return Art::Keine;
    default:
      return format >= CF_GDIOBJFIRST && format <= CF_GDIOBJLAST ? Art::Keine : Art::Speicher;
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

std::vector<unsigned char> Speicherbytes(HANDLE daten) {
  const SIZE_T groesse = daten != nullptr ? ::GlobalSize(daten) : 0;
  const auto* bytes = static_cast<const unsigned char*>(groesse != 0 ? ::GlobalLock(daten) : nullptr);
  if (bytes == nullptr) return {};
  std::vector<unsigned char> kopie(bytes, bytes + groesse);
  ::GlobalUnlock(daten);
  return kopie;
}

// A metafile picture as its header (mapping mode and extents) followed by the metafile's bits.
std::vector<unsigned char> Metadateibytes(HANDLE daten) {
  const auto* bild = static_cast<const METAFILEPICT*>(daten != nullptr ? ::GlobalLock(daten) : nullptr);
  if (bild == nullptr) return {};
  const std::array<LONG, 3> kopf{bild->mm, bild->xExt, bild->yExt};
  const UINT groesse = ::GetMetaFileBitsEx(bild->hMF, 0, nullptr);
  const auto* anfang = reinterpret_cast<const unsigned char*>(kopf.data());
  std::vector<unsigned char> bytes(anfang, anfang + sizeof kopf);
  bytes.resize(sizeof kopf + groesse);
  if (groesse != 0) ::GetMetaFileBitsEx(bild->hMF, groesse, bytes.data() + sizeof kopf);
  ::GlobalUnlock(daten);
  return groesse != 0 ? bytes : std::vector<unsigned char>();
}

HANDLE AusBytes(Art art, const std::vector<unsigned char>& bytes) {
  switch (art) {
    case Art::Speicher:
      return Ablageblock(bytes.data(), bytes.size());
    case Art::Erweitert:
      return ::SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), bytes.data());
    case Art::Metadatei: {
      std::array<LONG, 3> kopf{};
      if (bytes.size() <= sizeof kopf) return nullptr;
      std::memcpy(kopf.data(), bytes.data(), sizeof kopf);
      const HMETAFILE datei =
          ::SetMetaFileBitsEx(static_cast<UINT>(bytes.size() - sizeof kopf), bytes.data() + sizeof kopf);
      if (datei == nullptr) return nullptr;
      const METAFILEPICT bild{kopf[0], kopf[1], kopf[2], datei};
      const HGLOBAL block = Ablageblock(&bild, sizeof bild);
      if (block == nullptr) ::DeleteMetaFile(datei);
      return block;
    }
    case Art::Palette:
      return ::CreatePalette(reinterpret_cast<const LOGPALETTE*>(bytes.data()));
    case Art::Keine:
      break;
  }
  return nullptr;
}

void Freigeben(Art art, HANDLE daten) {
  if (daten == nullptr) return;
  if (art == Art::Speicher) AblageblockFreigeben(daten);
  if (art == Art::Erweitert) ::DeleteEnhMetaFile(static_cast<HENHMETAFILE>(daten));
  if (art == Art::Palette) ::DeleteObject(daten);
  if (art == Art::Metadatei) {
    if (const auto* bild = static_cast<const METAFILEPICT*>(::GlobalLock(daten))) {
      ::DeleteMetaFile(bild->hMF);
      ::GlobalUnlock(daten);
    }
    ::GlobalFree(daten);
  }
}

std::vector<unsigned char> Bytes(Art art, HANDLE daten) {
  switch (art) {
    case Art::Speicher:
      return Speicherbytes(daten);
    case Art::Erweitert: {
      const auto datei = static_cast<HENHMETAFILE>(daten);
      std::vector<unsigned char> bytes(::GetEnhMetaFileBits(datei, 0, nullptr));
      if (!bytes.empty()) ::GetEnhMetaFileBits(datei, static_cast<UINT>(bytes.size()), bytes.data());
      return bytes;
    }
    case Art::Metadatei:
      return Metadateibytes(daten);
    case Art::Palette: {
      const auto palette = static_cast<HPALETTE>(daten);
      const UINT eintraege = ::GetPaletteEntries(palette, 0, 0, nullptr);
      if (eintraege == 0) return {};
      std::vector<unsigned char> bytes(offsetof(LOGPALETTE, palPalEntry) + eintraege * sizeof(PALETTEENTRY));
      auto* logisch = reinterpret_cast<LOGPALETTE*>(bytes.data());
      logisch->palVersion = 0x300;
      logisch->palNumEntries = static_cast<WORD>(eintraege);
      ::GetPaletteEntries(palette, 0, eintraege, logisch->palPalEntry);
      return bytes;
    }
    case Art::Keine:
      break;
  }
  return {};
}

}  // namespace

Win32AuswahlUmgebung::Win32AuswahlUmgebung() = default;

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

std::string Win32AuswahlUmgebung::Fensterklasse(std::uintptr_t fenster) {
  std::array<char, 256> name{};
  const int laenge = ::GetClassNameA(reinterpret_cast<HWND>(fenster), name.data(), static_cast<int>(name.size()));
  return std::string(name.data(), laenge > 0 ? static_cast<std::size_t>(laenge) : 0);
}

// Asking for a format makes a program that offers it delayed render it now; the limits are checked
// after each, so that a slow or huge source costs at most about one format beyond them.
bool Win32AuswahlUmgebung::Sichern() {
  Vergessen();
  const auto beginn = steady_clock::now();
  std::size_t summe = 0;
  for (UINT format = ::EnumClipboardFormats(0); format != 0; format = ::EnumClipboardFormats(format)) {
    const Art art = ArtVon(format);
    if (art == Art::Keine || OleVerwaltung(format)) continue;
    std::vector<unsigned char> bytes = Bytes(art, ::GetClipboardData(format));
    summe += bytes.size();
    if (summe > kHoechstensBytes || steady_clock::now() - beginn > kHoechstensZeit) {
      ::SecureZeroMemory(bytes.data(), bytes.size());
      Vergessen();
      return false;
    }
    if (!bytes.empty()) gesichert_.push_back({format, std::move(bytes)});
  }
  return true;
}

void Win32AuswahlUmgebung::Einsetzen() {
  for (const TFormat& format : gesichert_) {
    const Art art = ArtVon(format.format);
    const HANDLE daten = AusBytes(art, format.bytes);
    // The clipboard owns the data once it took it.
    if (daten != nullptr && ::SetClipboardData(format.format, daten) == nullptr) Freigeben(art, daten);
  }
}

// What the clipboard held may be a password, the offered result a decrypted text: overwritten before
// the memory goes, the short text's bytes inside the string object too.
void Win32AuswahlUmgebung::Vergessen() {
  for (TFormat& format : gesichert_) ::SecureZeroMemory(format.bytes.data(), format.bytes.size());
  gesichert_.clear();
  angeboten_ = verschl::TUtf16();
}

void Win32AuswahlUmgebung::Anbieten(const verschl::TUtf16& text) {
  angeboten_ = text;
  ::SetClipboardData(CF_UNICODETEXT, nullptr);
  ::SetClipboardData(CF_TEXT, nullptr);
  PrivatMarkieren();
}

// CF_UNICODETEXT is the result itself; CF_TEXT, for a reader that asks for that, its conversion to the
// system's code page as the system would make it ("?" for a character the code page lacks). Each with
// its terminating zero.
void Win32AuswahlUmgebung::Rendern(unsigned format) {
  if (format == CF_UNICODETEXT) UnicodeSetzen(verschl::Ansicht(angeboten_));
  if (format == CF_TEXT) {
    const auto* breit = reinterpret_cast<const wchar_t*>(angeboten_.data());
    const int einheiten = static_cast<int>(angeboten_.size());
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, breit, einheiten, nullptr, 0, nullptr, nullptr);
    verschl::TBytes ansi(static_cast<std::size_t>(bytes > 0 ? bytes : 0) + 1, '\0');
    if (bytes > 0) ::WideCharToMultiByte(CP_ACP, 0, breit, einheiten, ansi.data(), bytes, nullptr, nullptr);
    if (bytes > 0 || einheiten == 0) AblageSetzen(CF_TEXT, ansi.data(), ansi.size());
  }
}

std::uint32_t Win32AuswahlUmgebung::Prozess(std::uintptr_t fenster) {
  DWORD prozess = 0;
  ::GetWindowThreadProcessId(reinterpret_cast<HWND>(fenster), &prozess);
  return prozess;
}

std::uint32_t Win32AuswahlUmgebung::LeserProzess() {
  const HWND leser = ::GetOpenClipboardWindow();
  return leser != nullptr ? Prozess(reinterpret_cast<std::uintptr_t>(leser)) : 0;
}

milliseconds Win32AuswahlUmgebung::Jetzt() {
  return std::chrono::duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
}

bool Win32AuswahlUmgebung::StrgUnd(char taste) {
  const auto senden = [](const std::vector<TTaste>& folge) {
    std::vector<INPUT> eingaben(folge.size());
    for (std::size_t i = 0; i < folge.size(); ++i) {
      eingaben[i].type = INPUT_KEYBOARD;
      eingaben[i].ki.wVk = folge[i].taste;
      eingaben[i].ki.dwFlags = folge[i].los ? KEYEVENTF_KEYUP : 0;
    }
    return static_cast<std::size_t>(::SendInput(static_cast<UINT>(eingaben.size()), eingaben.data(), sizeof(INPUT)));
  };
  const std::vector<TTaste> folge = StrgFolge(taste);
  const std::size_t eingefuegt = senden(folge);
  // Another program's input blocked part of it: a key left down would stay down for the user.
  if (eingefuegt < folge.size()) senden(NochLoslassen(folge, eingefuegt));
  return eingefuegt == folge.size();
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
