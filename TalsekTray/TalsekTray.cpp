// The program's entry: the start-up sequence, the message loop and the end.
#include <windows.h>

#include "Main/Texte.h"
#include "Main/win/MainForm.h"
#include "NichtDoppeltStarten/NichtDoppeltStarten.h"
#include "gui/win/Application.h"
#include "gui/win/Programmstart.h"
#include "verschl/verschl.h"

namespace {

int Programm() {
  gui::TApplication application;
  // Declared after the application object, so it closes its handle before the application goes.
  const NichtDoppeltStarten waechter(texte::kMutexName);
  if (ZweiteInstanzAbweisen(waechter, application)) return 0;

  verschl::VigenereTabelleAufbauen(verschl::VigenereTabelle);
  try {
    application.CreateForm<TMainForm>();
  } catch (...) {
    // Without its form (no rich edit library, no window) the program has nothing to offer.
    gui::HandleCallbackException();
    return 1;
  }
  application.Run();
  // The form's destruction handler removes the tray icon.
  application.DestroyForms();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return gui::Programmstart(Programm); }
