// talsek.exe, the options editor: one dialog that shows the settings the tray program reads and,
// on OK, writes them to the settings key. One dialog at a time.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <string>

#include "Main/ERegistryException.h"
#include "Main/OptionenLesen.h"
#include "Main/Optionen.h"
#include "Main/win/Advapi32Registry.h"
#include "Talsek/OptionenSchreiben.h"
#include "Talsek/StartModus.h"
#include "Talsek/Texte.h"
#include "Talsek/win/Advapi32Schreiber.h"
#include "Talsek/win/EinzigerDialog.h"
#include "Talsek/win/OptionenDialog.h"
#include "gui/win/Application.h"
#include "verschl/verschl.h"

namespace {

TOptionen GespeicherteOptionen(gui::TApplication& application, TTastenkuerzel& kuerzel) {
  TOptionen optionen;
  Advapi32Registry registry;
  try {
    ::OptionenLesen(optionen, kuerzel, registry, [] { return gui::ModuleFileName(); });
  } catch (const ERegistryException& e) {
    // The same box as in the tray program; the dialog still opens with every value that could be
    // read, and saving writes the broken value anew with its proper type.
    application.ShowException(e.what());
  }
  return optionen;
}

int Programm() {
  const TStartModus modus = StartModusAus(::GetCommandLineA());
  TEinzigerDialog waechter(texte::kOptionenMutex);
  // The first instance takes its mutex before its dialog exists (it may still be reading the
  // registry) and keeps it a moment after the dialog has closed: a few seconds cover both.
  if (!waechter.Uebernehmen(texte::kOptionenKlasse, std::chrono::seconds(5))) return 0;

  gui::TApplication application;
  INITCOMMONCONTROLSEX steuerelemente{sizeof steuerelemente,
                                      ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_HOTKEY_CLASS};
  ::InitCommonControlsEx(&steuerelemente);
  verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle);
  OptionenDialogKlasseRegistrieren();

  TTastenkuerzel kuerzel;
  const TOptionen optionen = GespeicherteOptionen(application, kuerzel);
  Advapi32Schreiber registry;
  // The tray program looks for talsek.exe in the stored folder: the one this program runs from.
  TOptionenDialog dialog(application, optionen, kuerzel, modus, registry, OrdnerVon(gui::ModuleFileName()));
  dialog.Ausfuehren();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // First of all: every library loaded later by name (the rich edit, what the shell and the common
  // controls pull in) comes from the system folder, never from the program's or the current folder.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  try {
    return Programm();
  } catch (...) {
    gui::HandleCallbackException();
    return 1;
  }
}
