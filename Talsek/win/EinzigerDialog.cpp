#include "Talsek/win/EinzigerDialog.h"

#include <windows.h>

#include <string>

namespace {

// Only a shown dialog counts: a closing one is hidden at once but lives until its process has
// cleaned up, and one that is being created is shown only after its controls are filled.
HWND SichtbarerDialog(const std::string& klasse) {
  for (HWND w = ::FindWindowExA(nullptr, nullptr, klasse.c_str(), nullptr); w != nullptr;
       w = ::FindWindowExA(nullptr, w, klasse.c_str(), nullptr)) {
    if (::IsWindowVisible(w)) return w;
  }
  return nullptr;
}

}  // namespace

TEinzigerDialog::TEinzigerDialog(std::string_view mutexName) {
  const std::string name(mutexName);
  // Not owned on creation: ownership is taken by waiting, which also tells an abandoned mutex
  // (a first instance that ended without giving it up) from one still held.
  mutex_.reset(::CreateMutexA(nullptr, FALSE, name.c_str()));
}

TEinzigerDialog::~TEinzigerDialog() {
  if (besitzt_) ::ReleaseMutex(mutex_.get());
}

bool TEinzigerDialog::Uebernehmen(std::string_view dialogKlasse, std::chrono::milliseconds frist) {
  // Without a mutex there is no telling whether another dialog is open; one too many is better
  // than none.
  if (!mutex_) return true;
  const std::string klasse(dialogKlasse);
  const auto ende = std::chrono::steady_clock::now() + frist;
  for (;;) {
    const DWORD warten = ::WaitForSingleObject(mutex_.get(), 50);
    if (warten == WAIT_OBJECT_0 || warten == WAIT_ABANDONED) {
      besitzt_ = true;
      return true;
    }
    if (const HWND dialog = SichtbarerDialog(klasse); dialog != nullptr) {
      if (::IsIconic(dialog)) ::ShowWindow(dialog, SW_RESTORE);
      // A box that the first instance shows over its dialog is what the user has to answer first.
      ::SetForegroundWindow(::GetLastActivePopup(dialog));
      return false;
    }
    if (std::chrono::steady_clock::now() >= ende) return false;
  }
}
