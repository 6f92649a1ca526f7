#include "Main/win/MainForm.h"

#include <windows.h>
#include <shellapi.h>

#include <chrono>
#include <string>
#include <utility>

#include "Main/Auswahl.h"
#include "Main/Optionen.h"
#include "Main/Texte.h"
#include "Main/win/DateiVorhanden.h"
#include "Main/win/Win32AuswahlUmgebung.h"
#include "einstellungen/ERegistryException.h"
#include "einstellungen/Namen.h"
#include "einstellungen/OptionenLesen.h"
#include "einstellungen/Tastenkuerzel.h"
#include "einstellungen/win/Advapi32Registry.h"
#include "Main/win/TrayIcon.h"
#include "gui/Texte.h"
#include "gui/win/Application.h"
#include "gui/win/Bedienen.h"
#include "gui/win/Breit.h"

namespace {

// The form's stored description: never shown, so its bounds do not matter.
const gui::TFormDescription kBeschreibung{texte::kFormKlasse.data(), texte::kFormCaption, 231, 493, 151, 75};

// The one timer: a second's tick while a decrypted text waits to leave the clipboard.
constexpr UINT_PTR kLeerenUhr = 1;

// The commands wait for a clipboard held by another program on the GUI thread itself, answering
// only what other programs send it (a reader of our copy waits for us to render it): no other
// message runs meanwhile, since a command runs from start to end before the next one.
TWartefrist Wartefrist() {
  return {[] {
            return std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now().time_since_epoch());
          },
          [](std::chrono::milliseconds dauer) { gui::WartenUndBedienen(static_cast<DWORD>(dauer.count())); }};
}

}  // namespace

TMainForm::TMainForm(gui::TApplication& application)
    : TForm(application, kBeschreibung),
      meldungen_(application),
      kuerzel_(Handle(), belegung_),
      ablage_(Handle()),
      eigentum_(ablage_, Wartefrist()),
      befehle_(Optionen, [this] { OptionenLesen(); }, ablage_, eigentum_, meldungen_, Wartefrist(),
               [this](const verschl::TUtf16& text) { auswahlUmgebung_.Anbieten(text); }),
      folge_([] { ::MessageBeep(MB_OK); }, [] { gui::HandleCallbackException(); }),
      leeren_(
          eigentum_,
          [this](bool an) {
            if (an) {
              ::SetTimer(Handle(), kLeerenUhr, 1000, nullptr);
            } else {
              ::KillTimer(Handle(), kLeerenUhr);
            }
          },
          [this](const std::string& tip) { TipZeigen(tip); }),
      auswahlUmgebung_(),
      auswahl_(auswahlUmgebung_, ablage_, eigentum_, meldungen_),
      tip_(texte::kTip) {
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
  // The options editor's word after it saved: the settings, new shortcuts among them, count at once,
  // or right after a command that runs now.
  if (const UINT optionenGespeichert = ::RegisterWindowMessageA(std::string(texte::kOptionenGespeichert).c_str())) {
    AddMessageHandler(optionenGespeichert, [this](gui::TMessage& message) {
      folge_.Danach([this] { OptionenLesen(); });
      message.Result = 0;
    });
  }
  // An in-place command listens to the clipboard while it waits for its copy: the update wakes its wait.
  AddMessageHandler(WM_CLIPBOARDUPDATE, [](gui::TMessage& message) { message.Result = 0; });
  // The time runs on while a box is open; what the clipboard holds is the owner's to say.
  AddMessageHandler(WM_TIMER, [this](gui::TMessage& message) {
    if (message.WParam == kLeerenUhr) leeren_.Sekunde();
    message.Result = 0;
  });
  // From programs that predate the installer's own message: during an in-place command the same as
  // "Beenden", which waits for the command and so for its give-back; otherwise as always.
  AddMessageHandler(WM_CLOSE, [this](gui::TMessage& message) {
    if (auswahl_.Laeuft()) {
      Beenden1Click();
    } else {
      Close();
    }
    message.Result = 0;
  });
  // A reader asks for the in-place command's result, which the form offered; answered for the paste
  // only. Nothing is made when the form goes with the clipboard still its own: a result there then is
  // one that could not be given back, and no later reader gets it.
  AddMessageHandler(WM_RENDERFORMAT, [this](gui::TMessage& message) {
    auswahl_.Anfrage(static_cast<unsigned>(message.WParam));
    message.Result = 0;
  });
  AddMessageHandler(WM_RENDERALLFORMATS, [](gui::TMessage& message) { message.Result = 0; });
  // The session ends once this returns, whatever a command is doing.
  AddMessageHandler(WM_ENDSESSION, [this](gui::TMessage& message) {
    if (message.WParam != FALSE) VorDemEnde();
    message.Result = 0;
  });
}

TMainForm::~TMainForm() = default;

void TMainForm::OptionenLesen() {
  Advapi32Registry registry;
  ::OptionenLesen(Einstellungen, registry, [] { return gui::ModuleFileName(); });
  KuerzelAnmelden();
}

void TMainForm::FormCreate() {
  Application().ShowMainForm = false;
  // Its boxes count as a command: a hotkey pressed meanwhile starts nothing in their message loop.
  folge_.Ausfuehren([this] {
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
  });
  WM_TASKBARCREATED = static_cast<std::int32_t>(::RegisterWindowMessageA(std::string(texte::kTaskbarCreated).c_str()));
  normaleFensterprozedur_ = WindowProc;
  WindowProc = [this](gui::TMessage& message) { MyWindowProc(message); };
  SymbolMelden(NIM_ADD);
}

// Every command runs through the folge: one chosen in a box's or the menu's message loop while
// another runs is dropped, and the end waits for the running one.
void TMainForm::Beenden1Click() {
  folge_.Beenden([this] { Close(); });
}

void TMainForm::ProgrammTalsekstartenClick() {
  folge_.Ausfuehren([this] { TalsekStarten(false); });
}

void TMainForm::TalsekOptionenaendernClick() {
  folge_.Ausfuehren([this] { TalsekStarten(true); });
}

void TMainForm::ZwischenablageentschluesselnClick() {
  folge_.Ausfuehren([this] {
    if (befehle_.Entschluesseln()) leeren_.NachEntschluesseln(Optionen.ZwischenablageLeerenNach);
  });
}

void TMainForm::ZwischenablageverschluesselnClick() {
  folge_.Ausfuehren([this] {
    // The decrypted text that was waiting to leave is gone already: the ciphertext took its place.
    if (befehle_.Verschluesseln()) leeren_.Abbrechen();
  });
}

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
  message.Result = 0;
  // The menu would take the front from the window whose selection is being replaced.
  if (auswahl_.Laeuft()) {
    if (message.LParam == WM_LBUTTONDBLCLK || message.LParam == WM_RBUTTONUP) ::MessageBeep(MB_OK);
    return;
  }
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
}

void TMainForm::TastenkuerzelGedrueckt(gui::TMessage& message) {
  // The same handlers as the menu's items, with every check they make.
  if (message.WParam == TKuerzelAnmeldung::kVerschluesseln) ZwischenablageverschluesselnClick();
  if (message.WParam == TKuerzelAnmeldung::kEntschluesseln) ZwischenablageentschluesselnClick();
  if (message.WParam == TKuerzelAnmeldung::kAuswahlVerschluesseln) AuswahlVerschluesselnClick();
  if (message.WParam == TKuerzelAnmeldung::kAuswahlEntschluesseln) AuswahlEntschluesselnClick();
  message.Result = 0;
}

void TMainForm::AuswahlVerschluesselnClick() {
  folge_.Ausfuehren([this] { AuswahlErsetzen(true); });
}

void TMainForm::AuswahlEntschluesselnClick() {
  folge_.Ausfuehren([this] { AuswahlErsetzen(false); });
}

void TMainForm::AuswahlErsetzen(bool verschluesseln) {
  // Listening only while a command waits: at idle no clipboard update wakes the program.
  struct Lauschen {
    HWND fenster;
    explicit Lauschen(HWND f) : fenster(f) { ::AddClipboardFormatListener(fenster); }
    ~Lauschen() { ::RemoveClipboardFormatListener(fenster); }
    Lauschen(const Lauschen&) = delete;
    Lauschen& operator=(const Lauschen&) = delete;
  } const lauschen(Handle());
  // A decrypted text that the command takes off the clipboard may come back with its give-back.
  struct Aufschub {
    TAblageLeeren& leeren;
    explicit Aufschub(TAblageLeeren& l) : leeren(l) { leeren.Aufschieben(); }
    ~Aufschub() { leeren.Fortsetzen(); }
    Aufschub(const Aufschub&) = delete;
    Aufschub& operator=(const Aufschub&) = delete;
  } const aufschub(leeren_);
  auswahl_.Ersetzen([this, verschluesseln] {
    return verschluesseln ? befehle_.AuswahlVerschluesseln() : befehle_.AuswahlEntschluesseln();
  });
}

void TMainForm::VorDemEnde() {
  try {
    auswahl_.Notfall();
  } catch (...) {
  }
  try {
    // A decrypted text that was still to leave the clipboard leaves it now, if it is still there.
    leeren_.Sofort();
  } catch (...) {
  }
}

void TMainForm::FormDestroy() {
  VorDemEnde();
  try {
    SymbolMelden(NIM_DELETE);
  } catch (...) {
    // The form's destruction goes on whatever the shell says.
  }
}

// For an installer or uninstaller that is about to replace or remove the program's files. A box or
// the menu may be open, each in a message loop of its own, which a closed form would wait for; so
// the program ends here and now, after giving the clipboard back from an in-place command that runs
// and taking its icon from the tray. Nothing else needs putting away: each result was flushed onto
// the clipboard when it was copied, no registry key is open between messages, and the system
// releases the mutex.
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
  // A warning waits for the command whose refresh found it: in its middle, the box's message loop
  // would let the next command in.
  for (const std::string& warnung : kuerzel_.Abgleichen(Tastenkuerzel)) {
    folge_.Danach([this, warnung] { meldungen_.ShowMessage(warnung, texte::kWarnung, kIconWarning); });
  }
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
  NOTIFYICONDATAA daten = TrayIconData(Handle(), aktion == NIM_ADD ? neu.get() : traySymbol_.get(), tip_);
  ::Shell_NotifyIconA(aktion, &daten);
  if (aktion == NIM_ADD) traySymbol_ = std::move(neu);
}

void TMainForm::TipZeigen(const std::string& tip) {
  tip_ = tip;
  SymbolMelden(NIM_MODIFY);
}
