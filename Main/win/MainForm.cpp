#include "Main/win/MainForm.h"

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <string>
#include <utility>

#include "Main/ERegistryException.h"
#include "Main/Einstellungen.h"
#include "Main/OptionenLesen.h"
#include "Main/Optionen.h"
#include "Main/Tastenkuerzel.h"
#include "Main/Texte.h"
#include "Main/win/Advapi32Registry.h"
#include "Main/win/DateiVorhanden.h"
#include "Main/win/TrayIcon.h"
#include "gui/Texte.h"
#include "gui/win/Application.h"
#include "gui/win/Breit.h"

namespace {

// The form's stored description: never shown, so its bounds matter only to the buffer's size.
const gui::TFormDescription kBeschreibung{texte::kFormKlasse.data(), texte::kFormCaption, 231, 493, 151, 75};

// The commands wait for a clipboard held by another program on the GUI thread itself: nothing else
// would run meanwhile anyway, since a command runs from start to end before the next message.
TWartefrist Wartefrist() {
  return {[] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now().time_since_epoch());
          },
          [](std::chrono::milliseconds dauer) { ::Sleep(static_cast<DWORD>(dauer.count())); }};
}

}  // namespace

TMainForm::TMainForm(gui::TApplication& application)
    : TForm(application, kBeschreibung),
      MiniREd(Handle()),
      meldungen_(application),
      kuerzel_(Handle(), meldungen_, belegung_),
      ablage_(Handle()),
      befehle_(Optionen, [this] { OptionenLesen(); }, MiniREd, ablage_, meldungen_, Wartefrist()) {
  ProgrammTalsekstarten = &PopupMenu1.Add("ProgrammTalsekstarten", std::string(texte::kProgrammTalsekStarten),
                                          [this] { ProgrammTalsekstartenClick(); }, true);
  TalsekOptionenaendern = &PopupMenu1.Add("TalsekOptionenaendern", std::string(texte::kTalsekOptionenAendern),
                                          [this] { TalsekOptionenaendernClick(); });
  N2 = &PopupMenu1.Add("N2", std::string(gui::texte::kSeparator));
  Zwischenablageverschluesseln =
      &PopupMenu1.Add("Zwischenablageverschluesseln", std::string(texte::kVerschluesseln),
                      [this] { ZwischenablageverschluesselnClick(); });
  Zwischenablageentschluesseln =
      &PopupMenu1.Add("Zwischenablageentschluesseln", std::string(texte::kEntschluesseln),
                      [this] { ZwischenablageentschluesselnClick(); });
  N1 = &PopupMenu1.Add("N1", std::string(gui::texte::kSeparator));
  Beenden1 = &PopupMenu1.Add("Beenden1", std::string(texte::kBeenden), [this] { Beenden1Click(); });

  AddMessageHandler(WM_TASKBAREVENT, [this](gui::TMessage& message) { TaskbarEvent(message); });
  // In the message table from the start, so that it works in every state: during the start-up
  // box, too, when the form is not yet the main form and WM_CLOSE would only hide it.
  if (const UINT sofortBeenden = ::RegisterWindowMessageA(std::string(texte::kSofortBeenden).c_str())) {
    AddMessageHandler(sofortBeenden, [this](gui::TMessage&) { SofortBeenden(); });
  }
  AddMessageHandler(WM_HOTKEY, [this](gui::TMessage& message) { TastenkuerzelGedrueckt(message); });
  // The options editor's word after it saved: the settings, new shortcuts among them, count at once.
  if (const UINT optionenGespeichert = ::RegisterWindowMessageA(std::string(texte::kOptionenGespeichert).c_str())) {
    AddMessageHandler(optionenGespeichert, [this](gui::TMessage& message) {
      OptionenLesen();
      message.Result = 0;
    });
  }
}

TMainForm::~TMainForm() = default;

void TMainForm::OptionenLesen() {
  Advapi32Registry registry;
  ::OptionenLesen(Optionen, Tastenkuerzel, registry, [] { return gui::ModuleFileName(); });
  KuerzelAnmelden();
}

void TMainForm::FormCreate() {
  Application().ShowMainForm = false;
  try {
    OptionenLesen();
  } catch (const ERegistryException& e) {
    // Leaving FormCreate here would leave the program without icon and so out of the user's
    // reach; after the box it goes on, and every command shows the error until it is mended.
    Application().ShowException(e.what());
  }
  if (!Optionen.RegistryGefunden) {
    meldungen_.ShowMessage(texte::kKeinRegistryEintrag, texte::kInfoCaption, kIconInformation);
  }
  WM_TASKBARCREATED = static_cast<std::int32_t>(::RegisterWindowMessageA(std::string(texte::kTaskbarCreated).c_str()));
  normaleFensterprozedur_ = WindowProc;
  WindowProc = [this](gui::TMessage& message) { MyWindowProc(message); };
  SymbolMelden(NIM_ADD);
}

void TMainForm::Beenden1Click() { Close(); }

void TMainForm::ProgrammTalsekstartenClick() { TalsekStarten(false); }

void TMainForm::TalsekOptionenaendernClick() { TalsekStarten(true); }

void TMainForm::ZwischenablageentschluesselnClick() { befehle_.Entschluesseln(); }

void TMainForm::ZwischenablageverschluesselnClick() { befehle_.Verschluesseln(); }

void TMainForm::MyWindowProc(gui::TMessage& message) {
  // Widened to 64 bits: a negative stored number matches no message.
  if (static_cast<std::int64_t>(message.Msg) == static_cast<std::int64_t>(WM_TASKBARCREATED)) {
    // The shell has (re)started and forgotten our icon; a failure here must not stop the
    // broadcast, and the next one tries again.
    try {
      SymbolMelden(NIM_ADD);
    } catch (...) {
    }
    return;
  }
  normaleFensterprozedur_(message);
}

void TMainForm::TaskbarEvent(gui::TMessage& message) {
  if (message.LParam == WM_LBUTTONDBLCLK) {
    ProgrammTalsekstartenClick();
  }
  if (message.LParam == WM_RBUTTONUP) {
    // A popup menu closes on a click elsewhere only while its owner thread has the foreground;
    // without this the menu of a hidden window would stay open.
    ::SetForegroundWindow(Handle());
    POINT cursor{0, 0};
    ::GetCursorPos(&cursor);
    PopupMenu1.Popup(cursor.x, cursor.y);
  }
  message.Result = 0;
}

void TMainForm::TastenkuerzelGedrueckt(gui::TMessage& message) {
  // The same handlers as the menu's items, with every check they make.
  if (message.WParam == TKuerzelAnmeldung::kVerschluesseln) ZwischenablageverschluesselnClick();
  if (message.WParam == TKuerzelAnmeldung::kEntschluesseln) ZwischenablageentschluesselnClick();
  message.Result = 0;
}

void TMainForm::FormDestroy() {
  try {
    SymbolMelden(NIM_DELETE);
  } catch (...) {
    // The form's destruction goes on whatever the shell says.
  }
}

// For an installer or uninstaller that is about to replace or remove the program's files. A box or
// the menu may be open, each in a message loop of its own, which a closed form would wait for; so
// the program ends here and now, after taking its icon from the tray. Nothing else needs putting
// away: each result was flushed onto the clipboard when it was copied, no registry key is open
// between messages, and the system releases the mutex.
void TMainForm::SofortBeenden() {
  FormDestroy();
  ::ExitProcess(0);
}

void TMainForm::TalsekStarten(bool optionenModus) {
  // Programmpfad ends with its separator; nothing is inserted between folder and file name.
  const std::string datei = Optionen.Programmpfad + std::string(texte::kTalsekExe);
  if (!DateiVorhanden(datei)) {
    // The folder as it is, in whatever letters; the words around it are the program's own.
    Application().MessageBox(gui::BreitAus1252(texte::kNichtImPfadVor) + gui::Breit(Optionen.Programmpfad) +
                                 gui::BreitAus1252(texte::kNichtImPfadNach),
                             gui::BreitAus1252(texte::kFehler), kIconError | MB_OK);
    return;
  }
  std::string argumente;
  if (optionenModus) {
    if (Optionen.RegistryGefunden) {
      argumente = texte::kArgOnlyOption;
    } else {
      meldungen_.ShowMessage(texte::kFirstOptionWarnung, texte::kWarnung, kIconWarning);
      argumente = texte::kArgFirstOption;
    }
  }
  // An empty folder, not Programmpfad: Talsek does not get its own folder as working folder.
  ::ShellExecuteW(nullptr, nullptr, gui::Breit(datei).c_str(), gui::BreitAus1252(argumente).c_str(), L"",
                  SW_SHOWNORMAL);
}

void TMainForm::KuerzelAnmelden() {
  kuerzel_.Abgleichen(Tastenkuerzel);
  // Only a shortcut in effect is shown; without one the caption is the stored one, byte for byte.
  Zwischenablageverschluesseln->Caption =
      MenueBeschriftung(texte::kVerschluesseln, kuerzel_.Name(TKuerzelAnmeldung::kVerschluesseln));
  Zwischenablageentschluesseln->Caption =
      MenueBeschriftung(texte::kEntschluesseln, kuerzel_.Name(TKuerzelAnmeldung::kEntschluesseln));
}

void TMainForm::SymbolMelden(DWORD aktion) {
  // Each add loads the icon afresh: after "TaskbarCreated" the display's scale may be another.
  // The old one is given back only once the shell holds the new one.
  gui::UniqueIcon neu;
  if (aktion == NIM_ADD) neu = TraySymbolLaden();
  NOTIFYICONDATAA daten = TrayIconData(Handle(), aktion == NIM_ADD ? neu.get() : traySymbol_.get());
  ::Shell_NotifyIconA(aktion, &daten);
  if (aktion == NIM_ADD) traySymbol_ = std::move(neu);
}
