#include <windows.h>

#include <stdexcept>
#include <string>
#include <functional>

#include <gtest/gtest.h>

#include "Fixtures.h"
#include "Main/Texte.h"
#include "gui/Texte.h"
#include "gui/win/Form.h"
#include "gui/win/Handles.h"
#include "gui/win/MessageDialog.h"
#include "gui/win/PopupMenu.h"

namespace {

constexpr UINT kPing = WM_APP + 7;
constexpr UINT kThrow = WM_APP + 8;

class ProbeForm : public gui::TForm {
 public:
  explicit ProbeForm(gui::TApplication& application)
      : TForm(application, {"TProbeForm", "Probe", 10, 20, 151, 75}) {
    AddMessageHandler(kPing, [this](gui::TMessage& m) {
      pings.push_back(m.LParam);
      m.Result = 42;
    });
    AddMessageHandler(kThrow, [](gui::TMessage&) -> void { throw std::runtime_error("Kaputt"); });
  }
  void FormCreate() override {
    ++created;
    if (throwOnCreate) throw std::runtime_error("Anlegen misslungen");
  }
  void FormDestroy() override { ++destroyed; }

  static inline bool throwOnCreate = false;
  static inline int created = 0;
  static inline int destroyed = 0;
  std::vector<LPARAM> pings;
};

// The MinGW runtime here has no std::thread; the test needs a second thread only while a modal
// dialog holds the first.
class Thread {
 public:
  explicit Thread(std::function<void()> body) : body_(std::move(body)) {
    handle_.reset(::CreateThread(nullptr, 0, &Thread::Run, this, 0, nullptr));
  }
  void Join() { ::WaitForSingleObject(handle_.get(), INFINITE); }

 private:
  static DWORD WINAPI Run(void* self) {
    static_cast<Thread*>(self)->body_();
    return 0;
  }
  std::function<void()> body_;
  gui::UniqueKernelHandle handle_;
};

std::string WindowText(HWND window) {
  char buffer[256] = "";
  ::GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

}  // namespace

TEST(ApplicationTitle, IsTheFileNameBeforeItsFirstDotWithTheRestInLowerCase) {
  EXPECT_EQ(gui::ApplicationTitle(L"C:\\Tools\\TalsekTray.exe"), L"Talsektray");
  EXPECT_EQ(gui::ApplicationTitle(L"TalsekTray.exe"), L"Talsektray");
  EXPECT_EQ(gui::ApplicationTitle(L"C:\\Ordner.mit.Punkt\\Prog.Name.EXE"), L"Prog");
  EXPECT_EQ(gui::ApplicationTitle(L"D:TRAY.EXE"), L"Tray");
  EXPECT_EQ(gui::ApplicationTitle(L"C:\\x\\ohnePUNKT"), L"ohnepunkt");
  EXPECT_EQ(gui::ApplicationTitle(L"C:\\x\\.versteckt"), L"");
  // The first letter keeps its case, the letters after it are lowered, inside the code page and out.
  EXPECT_EQ(gui::ApplicationTitle(L"C:\\x\\\u00C4PFEL\u00D6L.exe"), L"\u00C4pfel\u00F6l");
  EXPECT_EQ(gui::ApplicationTitle(L"C:\\\u0141\u00F3d\u017A\\\u0141\u00D3D\u0179.exe"), L"\u0141\u00F3d\u017A");
}

TEST(Breit, ConvertsUtf8BothWaysAndCodePage1252WithoutBestFit) {
  const std::string utf8 = "C:\\\xC5\x81\xC3\xB3" "d\xC5\xBA\xF0\x9F\x94\x91";  // "C:\\Łódź" and a key emoji
  EXPECT_EQ(gui::Utf8(gui::Breit(utf8)), utf8);
  EXPECT_EQ(gui::Breit(utf8), L"C:\\\u0141\u00F3d\u017A\U0001F511");
  EXPECT_EQ(gui::BreitAus1252("\x80\xC4\xFF"), L"\u20AC\u00C4\u00FF");
  EXPECT_EQ(gui::In1252(L"\u20AC\u0141\u00F3"), "\x80?\xF3");  // "?", not the look-alike "L"
}

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterABytePastTheFullStop) {
  EXPECT_EQ(gui::ErrorBoxText("Ung\xFCltiger Datentyp f\xFCr 'Methode'"), "Ung\xFCltiger Datentyp f\xFCr 'Methode'");
  EXPECT_EQ(gui::ErrorBoxText("Kaputt"), "Kaputt.");
  EXPECT_EQ(gui::ErrorBoxText("Schon fertig."), "Schon fertig.");
  EXPECT_EQ(gui::ErrorBoxText("Pfad/"), "Pfad/.");   // "/" is 47
  EXPECT_EQ(gui::ErrorBoxText("Minus-"), "Minus-");  // "-" is 45
  EXPECT_EQ(gui::ErrorBoxText("Gr\xFC\xDF"), "Gr\xFC\xDF.");
  EXPECT_EQ(gui::ErrorBoxText(""), "");
}

TEST(Application, HasAHiddenWindowCaptionedWithTheTitle) {
  RecordingApplication application;
  EXPECT_EQ(WindowText(application.Handle()), application.Title());
  EXPECT_FALSE(::IsWindowVisible(application.Handle()));
  char className[64] = "";
  ::GetClassNameA(application.Handle(), className, sizeof className);
  EXPECT_EQ(std::string(className), "TApplication");
}

TEST(Form, DeliversTableMessagesAndFallsBackToTheDefaultHandling) {
  RecordingApplication application;
  ProbeForm& form = application.CreateForm<ProbeForm>();
  EXPECT_EQ(::SendMessageA(form.Handle(), kPing, 0, 5), 42);
  EXPECT_EQ(form.pings.size(), 1u);
  EXPECT_EQ(WindowText(form.Handle()), "Probe");
  EXPECT_FALSE(::IsWindowVisible(form.Handle()));
  EXPECT_EQ(::GetWindow(form.Handle(), GW_OWNER), application.Handle());
}

TEST(Form, AReplacedWindowProcedureSeesEveryMessageAndCanPassItOn) {
  RecordingApplication application;
  ProbeForm& form = application.CreateForm<ProbeForm>();
  const gui::TWndMethod normal = form.WindowProc;
  int seen = 0;
  form.WindowProc = [&](gui::TMessage& m) {
    ++seen;
    if (m.Msg == kPing && m.LParam == 1) return;  // swallowed
    normal(m);
  };
  ::SendMessageA(form.Handle(), kPing, 0, 1);
  ::SendMessageA(form.Handle(), kPing, 0, 2);
  EXPECT_EQ(seen, 2);
  EXPECT_EQ(form.pings.size(), 1u);
  EXPECT_EQ(form.pings.empty() ? 0 : form.pings[0], 2);
}

TEST(Form, AnExceptionInAHandlerBecomesTheErrorBoxAndTheFormGoesOn) {
  RecordingApplication application;
  ProbeForm& form = application.CreateForm<ProbeForm>();
  ::SendMessageA(form.Handle(), kThrow, 0, 0);
  EXPECT_EQ(application.boxes.size(), 1u);
  if (application.boxes.size() == 1) {
    const RecordedBox& box = application.boxes[0];
    EXPECT_EQ(box.text, "Kaputt.");
    EXPECT_EQ(box.caption, application.Title());
    EXPECT_EQ(box.flags, static_cast<UINT>(MB_ICONERROR | MB_OK));
    EXPECT_EQ(box.owner, application.Handle());
  }
  EXPECT_EQ(::SendMessageA(form.Handle(), kPing, 0, 3), 42);
}

TEST(Form, CreationHandlerRunsInsideTheProtectionAndTheFormStillBecomesMain) {
  RecordingApplication application;
  ProbeForm::throwOnCreate = true;
  ProbeForm::created = 0;
  ProbeForm& form = application.CreateForm<ProbeForm>();
  ProbeForm::throwOnCreate = false;
  EXPECT_EQ(ProbeForm::created, 1);
  EXPECT_EQ(application.MainForm(), &form);
  EXPECT_EQ(application.boxes.size(), 1u);
  if (!application.boxes.empty()) {
    EXPECT_EQ(application.boxes[0].text, "Anlegen misslungen.");
  }
}

TEST(Form, ClosingTheMainFormPostsQuitWithCodeZeroAndDestructionRunsTheHandler) {
  ProbeForm::destroyed = 0;
  {
    RecordingApplication application;
    ProbeForm& form = application.CreateForm<ProbeForm>();
    ProbeForm& second = application.CreateForm<ProbeForm>();
    second.Close();
    EXPECT_FALSE(PumpMessages());
    ::PostMessageA(form.Handle(), WM_CLOSE, 0, 0);
    WPARAM code = 99;
    EXPECT_TRUE(PumpMessages(&code));
    EXPECT_EQ(code, 0u);
    application.DestroyForms();
    EXPECT_EQ(ProbeForm::destroyed, 2);
    EXPECT_EQ(application.MainForm(), nullptr);
  }
  EXPECT_EQ(ProbeForm::destroyed, 2);
}

TEST(PopupMenu, SettlesAcceleratorsMarksTheDefaultAndHidesStraySeparators) {
  RecordingApplication application;
  gui::TPopupMenu menu;
  menu.Add("N0", "-");
  menu.Add("Start", "Programm starten", {}, true);
  menu.Add("N1", "-");
  menu.Add("N2", "-");
  menu.Add("Ende", "&Beenden");
  menu.Add("N3", "-");
  menu.Rebuild();
  const HMENU handle = menu.Handle();
  EXPECT_EQ(::GetMenuItemCount(handle), 3);
  char caption[64] = "";
  ::GetMenuStringA(handle, 0, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_EQ(std::string(caption), "&Programm starten");
  EXPECT_EQ(::GetMenuState(handle, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
  ::GetMenuStringA(handle, 2, caption, sizeof caption, MF_BYPOSITION);
  EXPECT_EQ(std::string(caption), "&Beenden");
  EXPECT_EQ(::GetMenuDefaultItem(handle, FALSE, 0), gui::TPopupMenu::CommandId(1));
  // The marks stay in the captions: a second opening changes nothing.
  EXPECT_EQ(menu.Items()[1]->Caption, "&Programm starten");
  menu.Rebuild();
  EXPECT_EQ(menu.Items()[1]->Caption, "&Programm starten");
}

TEST(PopupMenu, TheMenuWindowCallsTheChosenItemAndShowsItsException) {
  RecordingApplication application;
  gui::TPopupMenu menu;
  int clicks = 0;
  menu.Add("Eins", "Eins", [&] { ++clicks; });
  menu.Add("Zwei", "Zwei", [] { throw std::runtime_error("Befehl misslungen"); });
  menu.Rebuild();
  ::PostMessageA(menu.WindowHandle(), WM_COMMAND, gui::TPopupMenu::CommandId(0), 0);
  ::PostMessageA(menu.WindowHandle(), WM_COMMAND, gui::TPopupMenu::CommandId(1), 0);
  ::PostMessageA(menu.WindowHandle(), WM_COMMAND, gui::TPopupMenu::CommandId(0), 0);
  PumpMessages();
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(application.boxes.size(), 1u);
  if (!application.boxes.empty()) {
    EXPECT_EQ(application.boxes[0].text, "Befehl misslungen.");
  }
}

TEST(MessageDialog, TemplateHoldsATextAndADefaultOkButtonOnTheStandardDialogClass) {
  const std::vector<WORD> t = gui::MessageDialogTemplate();
  EXPECT_TRUE(t.size() > 20);
  const auto* dialog = reinterpret_cast<const DLGTEMPLATE*>(t.data());
  EXPECT_TRUE((dialog->style & DS_SETFONT) != 0);
  EXPECT_EQ(dialog->cdit, 2);
  // After the fixed part: menu 0, class 0 (the standard "#32770"), empty title.
  EXPECT_EQ(t[9], 0);
  EXPECT_EQ(t[10], 0);
  EXPECT_EQ(t[11], 0);
}

TEST(MessageDialog, ShowsTextAndTitleCentredAndCloseOnCancel) {
  RecordingApplication application;
  std::string caption, text, button;
  bool centred = false;
  bool hasIcon = true;
  Thread watcher([&] {
    HWND dialog = nullptr;
    for (int i = 0; i < 200 && dialog == nullptr; ++i) {
      dialog = ::FindWindowA("#32770", application.Title().c_str());
      if (dialog == nullptr) ::Sleep(25);
    }
    if (dialog == nullptr) return;
    caption = WindowText(dialog);
    text = WindowText(::GetDlgItem(dialog, gui::kMessageDialogTextId));
    button = WindowText(::GetDlgItem(dialog, IDOK));
    hasIcon = ::FindWindowExA(dialog, nullptr, "Static", nullptr) != ::GetDlgItem(dialog, gui::kMessageDialogTextId) ||
              (::GetWindowLongA(::GetDlgItem(dialog, gui::kMessageDialogTextId), GWL_STYLE) & SS_ICON) != 0;
    RECT r;
    ::GetWindowRect(dialog, &r);
    const int dx = (r.left + r.right) / 2 - ::GetSystemMetrics(SM_CXSCREEN) / 2;
    const int dy = (r.top + r.bottom) / 2 - ::GetSystemMetrics(SM_CYSCREEN) / 2;
    centred = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
    ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  gui::ShowMessageDialog(application, texte::kLaeuftBereits);
  watcher.Join();
  EXPECT_EQ(caption, application.Title());
  EXPECT_EQ(text, texte::kLaeuftBereits);
  EXPECT_EQ(button, gui::texte::kOk);
  EXPECT_TRUE(centred);
  EXPECT_FALSE(hasIcon);
}
