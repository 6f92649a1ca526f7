// The hidden main form: owner of the tray icon and the commands' hotkeys, receiver of the shell's
// callbacks, holder of the tray menu.
#pragma once

#include <cstdint>

#include "Main/AblageLeeren.h"
#include "Main/Auswahl.h"
#include "Main/Befehlsfolge.h"
#include "Main/Eigentum.h"
#include "Main/Zwischenablage.h"
#include "Main/win/ApplicationMessageSink.h"
#include "Main/win/KuerzelAnmeldung.h"
#include "Main/win/Win32AuswahlUmgebung.h"
#include "Main/win/Win32ClipboardReader.h"
#include "einstellungen/win/Win32Tastaturbelegung.h"
#include "gui/win/Form.h"
#include "gui/win/Handles.h"
#include "gui/win/PopupMenu.h"

class TMainForm final : public gui::TForm {
 public:
  explicit TMainForm(gui::TApplication& application);
  ~TMainForm() override;

  gui::TPopupMenu PopupMenu1;
  // Items of PopupMenu1, which owns them.
  gui::TMenuItem* Beenden1 = nullptr;
  gui::TMenuItem* N1 = nullptr;
  gui::TMenuItem* Zwischenablageverschluesseln = nullptr;
  gui::TMenuItem* Zwischenablageentschluesseln = nullptr;
  gui::TMenuItem* N2 = nullptr;
  gui::TMenuItem* ProgrammTalsekstarten = nullptr;
  gui::TMenuItem* TalsekOptionenaendern = nullptr;

  void OptionenLesen();
  void FormCreate() override;
  void Beenden1Click();
  void ProgrammTalsekstartenClick();
  void TalsekOptionenaendernClick();
  void ZwischenablageentschluesselnClick();
  void ZwischenablageverschluesselnClick();
  void MyWindowProc(gui::TMessage& message);
  void TaskbarEvent(gui::TMessage& message);
  // The in-place commands, which only their shortcuts start: the menu would take the focus from the
  // window whose selection is meant.
  void AuswahlVerschluesselnClick();
  void AuswahlEntschluesselnClick();
  // WM_HOTKEY: a command's shortcut was pressed.
  void TastenkuerzelGedrueckt(gui::TMessage& message);
  void FormDestroy() override;

  // The number the platform gave for "TaskbarCreated"; 0 until FormCreate registers it.
  std::int32_t WM_TASKBARCREATED = 0;

  // The icon last handed to the shell.
  HICON TraySymbol() const { return traySymbol_.get(); }

 private:
  void TalsekStarten(bool optionenModus);
  void SymbolMelden(DWORD aktion);
  [[noreturn]] void SofortBeenden();
  // Whatever ends the program while an in-place command runs gives the clipboard back first.
  void VorDemEnde();
  // Registers the shortcuts that the last refresh left and shows them in the menu.
  void KuerzelAnmelden();
  // The icon's tip: the program's name, or the time until a decrypted text leaves the clipboard.
  void TipZeigen(const std::string& tip);
  void AuswahlErsetzen(bool verschluesseln);

  // The procedure MyWindowProc replaced, which gets every message but "TaskbarCreated".
  gui::TWndMethod normaleFensterprozedur_;
  ApplicationMessageSink meldungen_;
  Win32Tastaturbelegung belegung_;
  TKuerzelAnmeldung kuerzel_;
  Win32ClipboardReader ablage_;
  TEigentum eigentum_;
  ZwischenablageBefehle befehle_;
  TBefehlsfolge folge_;
  TAblageLeeren leeren_;
  Win32AuswahlUmgebung auswahlUmgebung_;
  TAuswahlBefehl auswahl_;
  std::string tip_;
  gui::UniqueIcon traySymbol_;
};
