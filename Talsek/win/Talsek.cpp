// talsek.exe, the options editor: one dialog that shows the settings the tray program reads and,
// on OK, writes them to the settings key. One dialog at a time.
#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <string>

#include "Talsek/StartModus.h"
#include "Talsek/Texte.h"
#include "Talsek/win/EinzigerDialog.h"
#include "Talsek/win/OptionenDialog.h"
#include "einstellungen/ERegistryException.h"
#include "einstellungen/OptionenLesen.h"
#include "einstellungen/Optionen.h"
#include "einstellungen/Tabelle.h"
#include "einstellungen/win/Advapi32Registry.h"
#include "gui/win/Application.h"
#include "gui/win/Programmstart.h"
#include "verschl/verschl.h"

namespace {

TEinstellungen GespeicherteEinstellungen(gui::TApplication& application, Advapi32Registry& registry) {
  TEinstellungen einstellungen;
  try {
    ::OptionenLesen(einstellungen, registry, [] { return gui::ModuleFileName(); });
  } catch (const ERegistryException& e) {
    // The same box as in the tray program; the dialog still opens with every value that could be
    // read, and saving writes the broken value anew with its proper type.
    application.ShowException(e.what());
  }
  return einstellungen;
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

  Advapi32Registry registry;
  const TEinstellungen einstellungen = GespeicherteEinstellungen(application, registry);
  // The tray program looks for talsek.exe in the stored folder: the one this program runs from.
  TOptionenDialog dialog(application, einstellungen, modus, registry, OrdnerVon(gui::ModuleFileName()));
  dialog.Ausfuehren();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return gui::Programmstart(Programm); }
