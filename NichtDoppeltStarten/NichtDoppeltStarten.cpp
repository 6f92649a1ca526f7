#include "NichtDoppeltStarten/NichtDoppeltStarten.h"

#include <windows.h>

#include <string>

#include "Main/Texte.h"
#include "gui/win/MessageDialog.h"

NichtDoppeltStarten::NichtDoppeltStarten(std::string_view mutexName) : laeuftBereits_(false) {
  const std::string name(mutexName);
  const HANDLE handle = ::CreateMutexA(nullptr, TRUE, name.c_str());
  // Read at once, before any other call can overwrite it. The handle is kept in either case.
  laeuftBereits_ = ::GetLastError() == ERROR_ALREADY_EXISTS;
  mutex_.reset(handle);
}

bool ZweiteInstanzAbweisen(const NichtDoppeltStarten& waechter, gui::TApplication& application) {
  if (!waechter.LaeuftBereits()) return false;
  // The running instance is neither told nor brought to the front.
  gui::ShowMessageDialog(application, texte::kLaeuftBereits);
  return true;
}
