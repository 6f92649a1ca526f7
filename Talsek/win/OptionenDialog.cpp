#include "Talsek/win/OptionenDialog.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "Talsek/Texte.h"
#include "Talsek/win/SofortBeenden.h"
#include "einstellungen/Namen.h"
#include "einstellungen/Steuerelemente.h"
#include "einstellungen/Tabelle.h"
#include "gui/win/Application.h"
#include "gui/win/BaseWindow.h"
#include "gui/win/Handles.h"

namespace {

std::string Text(HWND dialog, int id) {
  const HWND control = ::GetDlgItem(dialog, id);
  std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetText(HWND dialog, int id, std::string_view text) {
  ::SetDlgItemTextA(dialog, id, std::string(text).c_str());
}

bool Checked(HWND dialog, int id) { return ::IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void SetChecked(HWND dialog, int id, bool checked) {
  ::CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Pfeile(HWND dialog, int id, int min, int max, int wert) {
  const HWND pfeile = ::GetDlgItem(dialog, id);
  ::SendMessageA(pfeile, UDM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
  ::SendMessageA(pfeile, UDM_SETPOS32, 0, static_cast<LPARAM>(wert));
}

std::uint32_t Hotkey(HWND dialog, int id) {
  // HKM_GETHOTKEY answers in the low word: the key, then the HOTKEYF_* flags.
  return static_cast<std::uint32_t>(::SendDlgItemMessageA(dialog, id, HKM_GETHOTKEY, 0, 0)) & 0xFFFF;
}

void SetHotkey(HWND dialog, int id, std::uint32_t kuerzel) {
  ::SendDlgItemMessageA(dialog, id, HKM_SETHOTKEY, kuerzel & 0xFFFF, 0);
}

// A running tray program reads the settings again when it gets this message; none running, nothing
// to tell. Posted: the editor does not wait for the tray program.
void TrayProgrammBenachrichtigen() {
  const HWND form = ::FindWindowA(std::string(texte::kFormKlasse).c_str(), std::string(texte::kFormCaption).c_str());
  const UINT nachricht = ::RegisterWindowMessageA(std::string(texte::kOptionenGespeichert).c_str());
  if (form != nullptr && nachricht != 0) ::PostMessageA(form, nachricht, 0, 0);
}

RECT ClientRect(HWND dialog, HWND control) {
  RECT r;
  ::GetWindowRect(control, &r);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

void OptionenDialogKlasseRegistrieren() {
  const std::string klasse(texte::kOptionenKlasse);
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  // A dialog's own class must leave the dialog manager its procedure and its extra bytes.
  windowClass.lpfnWndProc = &::DefDlgProcA;
  windowClass.cbWndExtra = DLGWINDOWEXTRA;
  windowClass.hInstance = gui::ModuleInstance();
  // Shared icons belong to the system; the class may hold them for the life of the process.
  windowClass.hIcon = static_cast<HICON>(
      ::LoadImageA(gui::ModuleInstance(), "MAINICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  windowClass.hIconSm = static_cast<HICON>(::LoadImageA(gui::ModuleInstance(), "MAINICON", IMAGE_ICON,
                                                        ::GetSystemMetrics(SM_CXSMICON),
                                                        ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.hCursor = ::LoadCursorA(nullptr, gui::IntResource(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  windowClass.lpszClassName = klasse.c_str();
  if (::RegisterClassExA(&windowClass) == 0) throw std::runtime_error("RegisterClassExA " + klasse);
}

TOptionenDialog::TOptionenDialog(gui::TApplication& application, const TEinstellungen& einstellungen,
                                 TStartModus modus, RegistrySchreibApi& registry, std::string programmpfad)
    : application_(application),
      einstellungen_(einstellungen),
      modus_(modus),
      registry_(registry),
      programmpfad_(std::move(programmpfad)) {}

bool TOptionenDialog::Ausfuehren() {
  const INT_PTR ergebnis =
      ::DialogBoxParamA(gui::ModuleInstance(), gui::IntResource(IDD_OPTIONEN), application_.Handle(), &Prozedur,
                        reinterpret_cast<LPARAM>(this));
  if (ergebnis == -1) throw std::runtime_error("DialogBoxParamA " + std::to_string(::GetLastError()));
  return ergebnis == IDOK;
}

INT_PTR CALLBACK TOptionenDialog::Prozedur(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  try {
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<TOptionenDialog*>(lParam);
      ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      self->dialog_ = dialog;
      self->Fuellen();
      return TRUE;  // the dialog manager focuses the first control
    }
    if (IstSofortBeenden(message)) SofortBeenden();
    // Messages before WM_INITDIALOG (WM_SETFONT) find no object yet.
    auto* self = reinterpret_cast<TOptionenDialog*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    if (self != nullptr) return self->Nachricht(message, wParam);
  } catch (...) {
    gui::HandleCallbackException();
  }
  return FALSE;
}

INT_PTR TOptionenDialog::Nachricht(UINT message, WPARAM wParam) {
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      Ok();
      return TRUE;
    case IDCANCEL:  // "Abbrechen", Escape and the close box: nothing is written
      ::EndDialog(dialog_, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

void TOptionenDialog::Fuellen() {
  ::SetWindowTextA(dialog_, std::string(texte::kOptionenCaption).c_str());
  const TDialogEingaben eingaben = EingabenAus(einstellungen_);
  for (std::size_t i = 0; i < kEinstellungen.size(); ++i) {
    const TEinstellung& w = kEinstellungen[i];
    const TEingabe& e = eingaben.Felder[i];
    const int id = w.Steuerelement;
    switch (w.Bedienung) {
      case TBedienung::Methodenliste:
        for (const std::string_view name : texte::kMethodenNamen) {
          ::SendDlgItemMessageA(dialog_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::string(name).c_str()));
        }
        ::SendDlgItemMessageA(dialog_, id, CB_SETCURSEL, static_cast<WPARAM>(e.Wert), 0);
        break;
      case TBedienung::Zahlfeld:
        // The arrows are the next control; the text is set after them, whose position would
        // otherwise rewrite it.
        Pfeile(dialog_, id + 1, w.Min, w.Max, w.Zahl(einstellungen_));
        SetText(dialog_, id, e.Text);
        break;
      case TBedienung::Textfeld:
        SetText(dialog_, id, e.Text);
        break;
      case TBedienung::Kontrollkaestchen:
        SetChecked(dialog_, id, e.Wert != 0);
        break;
      case TBedienung::Tastenkuerzel:
        SetHotkey(dialog_, id, static_cast<std::uint32_t>(e.Wert));
        break;
      case TBedienung::Keine:
        break;
    }
  }
  // Settings that came from the registry are meant to go back there; the first-option start has
  // nothing stored yet and is there precisely to store it.
  const bool ersteOptionen = modus_ == TStartModus::ErsteOptionen;
  SetChecked(dialog_, IDC_SPEICHERN, ersteOptionen || einstellungen_.Optionen.RegistryGefunden);
  HinweisZeigen(ersteOptionen);
  // Started from the tray, this process may take the foreground; the dialog must not open behind.
  ::SetForegroundWindow(dialog_);
}

void TOptionenDialog::HinweisZeigen(bool zeigen) {
  const HWND hinweis = ::GetDlgItem(dialog_, IDC_HINWEIS);
  if (zeigen) {
    SetText(dialog_, IDC_HINWEIS, texte::kErsteOptionenHinweis);
    return;
  }
  // Without the reason its line would stay an empty band: everything below moves up into it.
  const RECT zeile = ClientRect(dialog_, hinweis);
  ::ShowWindow(hinweis, SW_HIDE);
  LONG naechsteOben = -1;
  for (HWND c = ::GetWindow(dialog_, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
    const LONG oben = ClientRect(dialog_, c).top;
    if (c != hinweis && oben > zeile.top && (naechsteOben < 0 || oben < naechsteOben)) naechsteOben = oben;
  }
  if (naechsteOben < 0) return;
  const LONG abstand = naechsteOben - zeile.top;
  for (HWND c = ::GetWindow(dialog_, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT)) {
    if (c == hinweis) continue;
    const RECT r = ClientRect(dialog_, c);
    ::SetWindowPos(c, nullptr, r.left, r.top - abstand, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT fenster;
  ::GetWindowRect(dialog_, &fenster);
  // Half the height down keeps the dialog centred where the template placed it.
  ::SetWindowPos(dialog_, nullptr, fenster.left, fenster.top + abstand / 2, fenster.right - fenster.left,
                 fenster.bottom - fenster.top - abstand, SWP_NOZORDER | SWP_NOACTIVATE);
}

TDialogEingaben TOptionenDialog::Lesen() const {
  TDialogEingaben eingaben;
  for (std::size_t i = 0; i < kEinstellungen.size(); ++i) {
    const TEinstellung& w = kEinstellungen[i];
    TEingabe& e = eingaben.Felder[i];
    const int id = w.Steuerelement;
    switch (w.Bedienung) {
      case TBedienung::Methodenliste:
        e.Wert = static_cast<int>(::SendDlgItemMessageA(dialog_, id, CB_GETCURSEL, 0, 0));
        break;
      case TBedienung::Zahlfeld:
      case TBedienung::Textfeld:
        e.Text = Text(dialog_, id);
        break;
      case TBedienung::Kontrollkaestchen:
        e.Wert = Checked(dialog_, id) ? 1 : 0;
        break;
      case TBedienung::Tastenkuerzel:
        e.Wert = Hotkey(dialog_, id);
        break;
      case TBedienung::Keine:
        break;
    }
  }
  return eingaben;
}

void TOptionenDialog::Ok() {
  const std::string caption(texte::kOptionenCaption);
  const TEingabePruefung pruefung = EingabenPruefen(Lesen(), programmpfad_, belegung_);
  if (!pruefung.Fehler.empty()) {
    // Owned by the dialog, so that it stays modal to it; the dialog stays open for a correction.
    ::MessageBoxA(dialog_, pruefung.Fehler.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
    Fokussieren(pruefung.Steuerelement);
    return;
  }
  if (Checked(dialog_, IDC_SPEICHERN)) {
    try {
      OptionenSpeichern(pruefung.Einstellungen, registry_);
    } catch (const ESpeichernFehler& fehler) {
      // The dialog stays open: the user may try again or cancel, but never loses the failure.
      ::MessageBoxA(dialog_, fehler.what(), caption.c_str(), MB_OK | MB_ICONERROR);
      return;
    }
    // New shortcuts take effect at once, not only at the tray program's next command.
    TrayProgrammBenachrichtigen();
  }
  ::EndDialog(dialog_, IDOK);
}

void TOptionenDialog::Fokussieren(int steuerelement) {
  if (steuerelement == 0) return;
  const HWND control = ::GetDlgItem(dialog_, steuerelement);
  // WM_NEXTDLGCTL, not SetFocus: the dialog manager then also moves the default button's frame.
  ::SendMessageA(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
  // The edits' text is selected, ready to be typed over; the list and the hotkey controls have none.
  for (const TEinstellung& w : kEinstellungen) {
    if (w.Steuerelement == steuerelement &&
        (w.Bedienung == TBedienung::Zahlfeld || w.Bedienung == TBedienung::Textfeld)) {
      ::SendMessageA(control, EM_SETSEL, 0, -1);
    }
  }
}
