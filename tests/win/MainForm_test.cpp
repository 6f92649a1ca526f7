#include <windows.h>
#include <shellapi.h>

#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "Fixtures.h"
#include "Main/Optionen.h"
#include "Main/win/Ueberschreiben.h"
#include "Main/Texte.h"
#include "einstellungen/win/Advapi32Registry.h"
#include "Main/win/DateiVorhanden.h"
#include "Main/win/MainForm.h"
#include "Main/win/TrayIcon.h"
#include "NichtDoppeltStarten/NichtDoppeltStarten.h"

namespace {

constexpr char kTestKey[] = "Software\\Holvarin\\TalsekTrayTest";

// The program's settings key as a test sets it up; deleted again when the test ends, so these
// tests belong in a Wine prefix of their own.
class SettingsKey {
 public:
  explicit SettingsKey(const char* path = "Software\\Holvarin\\Talsek") : path_(path) {
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path_);
    ::RegCreateKeyExA(HKEY_CURRENT_USER, path_, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
  }
  ~SettingsKey() {
    ::RegCloseKey(key_);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, path_);
  }
  void Dword(const char* name, DWORD value) {
    ::RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  }
  void String(const char* name, const std::string& value, DWORD type = REG_SZ) {
    ::RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
  }

 private:
  const char* path_;
  HKEY key_ = nullptr;
};

// Whether our icon is in the tray: removing it succeeds only then (and puts it back).
bool IconShown(HWND form, HICON icon) {
  NOTIFYICONDATAA data = TrayIconData(form, icon, texte::kTip);
  if (!::Shell_NotifyIconA(NIM_DELETE, &data)) return false;
  ::Shell_NotifyIconA(NIM_ADD, &data);
  return true;
}

std::string TempFolder() {
  char path[MAX_PATH];
  ::GetTempPathA(MAX_PATH, path);
  return path;
}

// The image size of an icon as "width x height", or "none".
std::string IconSize(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !::GetIconInfo(icon, &info)) return "none";
  BITMAP bitmap{};
  ::GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor) ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return std::to_string(bitmap.bmWidth) + "x" + std::to_string(bitmap.bmHeight);
}

}  // namespace

TEST(TrayIconData, IsTheZeroedFirstFormWithTheFixedValues) {
  const auto form = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234));
  const auto icon = reinterpret_cast<HICON>(static_cast<INT_PTR>(0x5678));
  const NOTIFYICONDATAA data = TrayIconData(form, icon, texte::kTip);
  EXPECT_EQ(data.cbSize, sizeof(void*) == 4 ? 88u : 104u);
  EXPECT_EQ(data.hWnd, form);
  EXPECT_EQ(data.uID, 0u);
  EXPECT_EQ(data.uFlags, 7u);
  EXPECT_EQ(data.uCallbackMessage, 0x401u);
  EXPECT_EQ(data.hIcon, icon);
  EXPECT_EQ(std::string(data.szTip), "TalsekTray 1.5");
  bool restZero = true;
  for (std::size_t i = texte::kTip.size(); i < sizeof data.szTip; ++i) restZero = restZero && data.szTip[i] == 0;
  EXPECT_TRUE(restZero);
  EXPECT_EQ(data.dwState, 0u);
  EXPECT_EQ(data.uTimeout, 0u);
}

TEST(MainForm, StartsWithoutKeyShowingTheInfoBoxThenAddsTheIconAndRemovesItOnDestroy) {
  ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Holvarin\\Talsek");
  RecordingApplication application;
  TMainForm& form = application.CreateForm<TMainForm>();
  EXPECT_FALSE(application.ShowMainForm);
  EXPECT_FALSE(Optionen.RegistryGefunden);
  EXPECT_EQ(application.boxes.size(), 1u);
  if (!application.boxes.empty()) {
    EXPECT_EQ(application.boxes[0].text, texte::kKeinRegistryEintrag);
    EXPECT_EQ(application.boxes[0].caption, texte::kInfoCaption);
    EXPECT_EQ(application.boxes[0].flags, static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
  }
  EXPECT_TRUE(form.WM_TASKBARCREATED >= 0xC000);
  EXPECT_TRUE(IconShown(form.Handle(), application.Icon()));
  const HWND handle = form.Handle();
  application.DestroyForms();
  EXPECT_FALSE(IconShown(handle, application.Icon()));
}

TEST(MainForm, TaskbarCreatedAddsTheIconAgainWithoutReachingTheNormalProcedure) {
  SettingsKey key;
  RecordingApplication application;
  TMainForm& form = application.CreateForm<TMainForm>();
  EXPECT_TRUE(application.boxes.empty());
  NOTIFYICONDATAA data = TrayIconData(form.Handle(), application.Icon(), texte::kTip);
  EXPECT_TRUE(::Shell_NotifyIconA(NIM_DELETE, &data));
  ::SendMessageA(form.Handle(), static_cast<UINT>(form.WM_TASKBARCREATED), 0, 0);
  EXPECT_TRUE(IconShown(form.Handle(), application.Icon()));
}

TEST(MainForm, HandsTheShellTheIconAtTheSmallIconSizeAndLoadsItAgainAfterTaskbarCreated) {
  SettingsKey key;
  RecordingApplication application;
  TMainForm& form = application.CreateForm<TMainForm>();
  const std::string small =
      std::to_string(::GetSystemMetrics(SM_CXSMICON)) + "x" + std::to_string(::GetSystemMetrics(SM_CYSMICON));
  const HICON first = form.TraySymbol();
  EXPECT_EQ(IconSize(first), small);
  ::SendMessageA(form.Handle(), static_cast<UINT>(form.WM_TASKBARCREATED), 0, 0);
  EXPECT_TRUE(form.TraySymbol() != first);
  EXPECT_EQ(IconSize(form.TraySymbol()), small);
  // The window icons stay at the large size.
  EXPECT_EQ(IconSize(application.Icon()),
            std::to_string(::GetSystemMetrics(SM_CXICON)) + "x" + std::to_string(::GetSystemMetrics(SM_CYICON)));
}

TEST(MainForm, AWrongTypeAtStartUpShowsTheErrorAndStillAddsTheIcon) {
  SettingsKey key;
  key.Dword("CaesarVerschiebung", 7);
  key.String("Methode", "1");
  Optionen = TOptionen{};
  RecordingApplication application;
  TMainForm& form = application.CreateForm<TMainForm>();
  EXPECT_EQ(Optionen.CaesarVerschiebung, 7);
  EXPECT_TRUE(Optionen.RegistryGefunden);
  EXPECT_EQ(application.boxes.size(), 1u);
  if (!application.boxes.empty()) {
    EXPECT_EQ(application.boxes[0].text, "Ung\xFCltiger Datentyp f\xFCr 'Methode'");
    EXPECT_EQ(application.boxes[0].caption, application.Title());
    EXPECT_EQ(application.boxes[0].flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
  }
  EXPECT_TRUE(IconShown(form.Handle(), application.Icon()));
  // The commands meet the same error, through the menu's dispatch, until the value is mended.
  ::PostMessageA(form.PopupMenu1.WindowHandle(), WM_COMMAND, gui::TPopupMenu::CommandId(3), 0);
  PumpMessages();
  EXPECT_EQ(application.boxes.size(), 2u);
  if (application.boxes.size() == 2) {
    EXPECT_EQ(application.boxes[1].text, application.boxes[0].text);
  }
  Optionen = TOptionen{};
}

TEST(MainForm, DoubleClickWithTalsekMissingNamesTheFolderInTheErrorBox) {
  RecordingApplication application;
  TMainForm& form = application.CreateForm<TMainForm>();
  application.boxes.clear();
  Optionen.Programmpfad = "C:\\nirgendwo\\";
  Optionen.RegistryGefunden = false;
  ::SendMessageA(form.Handle(), WM_TASKBAREVENT, 0, WM_LBUTTONDBLCLK);
  ::SendMessageA(form.Handle(), WM_TASKBAREVENT, 0, WM_LBUTTONDOWN);
  form.TalsekOptionenaendernClick();
  EXPECT_EQ(application.boxes.size(), 2u);  // no warning when the file is missing
  for (const RecordedBox& box : application.boxes) {
    EXPECT_EQ(box.text, "Talsek wurde nicht im Pfad \r\nC:\\nirgendwo\\\r\n gefunden!");
    EXPECT_EQ(box.caption, texte::kFehler);
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
  }
  // A folder outside the code page (UTF-8 in the options) is shown as it is.
  application.boxes.clear();
  Optionen.Programmpfad = "C:\\\xC5\x81\xC3\xB3" "d\xC5\xBA \xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1\\";
  form.ProgrammTalsekstartenClick();
  ASSERT_EQ(application.boxes.size(), 1u);
  EXPECT_EQ(application.boxes[0].textW,
            L"Talsek wurde nicht im Pfad \r\nC:\\\u0141\u00F3d\u017A \u03A3\u03BF\u03C6\u03AF\u03B1\\\r\n gefunden!");
  Optionen = TOptionen{};
}

TEST(Advapi32Registry, PassesTheCallsThroughWithTypesAndSizes) {
  SettingsKey key(kTestKey);
  key.Dword("Zahl", 0xFFFFFFFF);
  key.String("Text", "%TEMP%\\x", REG_EXPAND_SZ);
  Advapi32Registry registry;
  RegKey opened = 0;
  EXPECT_EQ(registry.OpenCurrentUserKey("Software\\Holvarin\\GibtEsNicht", kKeyAllAccess, opened), 2L);
  EXPECT_EQ(opened, 0u);
  EXPECT_EQ(registry.OpenCurrentUserKey(kTestKey, kKeyAllAccess, opened), 0L);
  EXPECT_TRUE(opened != 0);

  std::uint32_t type = 0;
  std::uint32_t size = 0;
  EXPECT_EQ(registry.QueryValue(opened, "Text", &type, nullptr, &size), 0L);
  EXPECT_EQ(type, kRegExpandSz);
  EXPECT_EQ(size, 9u);
  unsigned char small[4];
  size = sizeof small;
  EXPECT_EQ(registry.QueryValue(opened, "Text", &type, small, &size), kErrorMoreData);
  unsigned char text[16] = {};
  size = sizeof text;
  EXPECT_EQ(registry.QueryValue(opened, "Text", nullptr, text, &size), 0L);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(text)), "%TEMP%\\x");

  std::int32_t number = 0;
  size = sizeof number;
  EXPECT_EQ(registry.QueryValue(opened, "Zahl", &type, reinterpret_cast<unsigned char*>(&number), &size), 0L);
  EXPECT_EQ(type, kRegDword);
  EXPECT_EQ(number, -1);
  EXPECT_EQ(registry.QueryValue(opened, "Fehlt", nullptr, nullptr, nullptr), kErrorFileNotFound);
  EXPECT_EQ(registry.CloseKey(opened), 0L);
}

TEST(DateiVorhanden, FindsOnlyFilesWithADateFromNineteenEighty) {
  const std::string folder = TempFolder() + "DateiVorhandenTest\\";
  ::CreateDirectoryA(folder.c_str(), nullptr);
  const std::string file = folder + "talsek.exe";
  const std::string old = folder + "alt.exe";
  const std::string directory = folder + "ordner.exe";
  for (const std::string& name : {file, old}) {
    const HANDLE h = ::CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (name == old) {
      SYSTEMTIME t{1975, 6, 0, 15, 12, 0, 0, 0};
      FILETIME f;
      ::SystemTimeToFileTime(&t, &f);
      ::SetFileTime(h, nullptr, nullptr, &f);
    }
    ::CloseHandle(h);
  }
  ::CreateDirectoryA(directory.c_str(), nullptr);

  EXPECT_TRUE(DateiVorhanden(file));
  EXPECT_FALSE(DateiVorhanden(old));
  EXPECT_FALSE(DateiVorhanden(directory));
  EXPECT_FALSE(DateiVorhanden(folder + "fehlt.exe"));
  EXPECT_FALSE(DateiVorhanden(folder.substr(0, folder.size() - 1) + "talsek.exe"));

  ::DeleteFileA(file.c_str());
  ::DeleteFileA(old.c_str());
  ::RemoveDirectoryA(directory.c_str());
  ::RemoveDirectoryA(folder.c_str());
}

TEST(NichtDoppeltStarten, TheSecondHolderOfTheNameIsRefusedUntilAllHandlesAreClosed) {
  const char* name = "TalsekTrayWaechterTest";
  {
    const NichtDoppeltStarten first(name);
    EXPECT_TRUE(first.HaeltMutex());
    EXPECT_FALSE(first.LaeuftBereits());
    const NichtDoppeltStarten second(name);
    EXPECT_TRUE(second.LaeuftBereits());
    RecordingApplication application;
    EXPECT_FALSE(ZweiteInstanzAbweisen(first, application));
  }
  const NichtDoppeltStarten again(name);
  EXPECT_FALSE(again.LaeuftBereits());
}

TEST(Ueberschreiben, ClearsTheWholeBlockThatOperatorNewHandedOutBeforeItGoesBack) {
  auto* block = static_cast<unsigned char*>(::operator new(37));
  const std::size_t size = ::_msize(block);
  ASSERT_GE(size, 37U);
  std::memset(block, 'x', size);
  speicher::Ueberschreiben(block);
  EXPECT_EQ(std::count(block, block + size, 0), static_cast<std::ptrdiff_t>(size));
  ::operator delete(block);
}
