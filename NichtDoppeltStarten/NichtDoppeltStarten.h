// The single-instance guard: the named mutex "TalsekTray", held until the process ends.
#pragma once

#include <string_view>

#include "gui/win/Handles.h"

namespace gui {
class TApplication;
}

class NichtDoppeltStarten {
 public:
  // Creates the mutex, initially owned; a failed creation leaves the program unprotected.
  explicit NichtDoppeltStarten(std::string_view mutexName);
  // Closing the handle gives the mutex up; it is never released explicitly.
  ~NichtDoppeltStarten() = default;
  NichtDoppeltStarten(const NichtDoppeltStarten&) = delete;
  NichtDoppeltStarten& operator=(const NichtDoppeltStarten&) = delete;

  // Whether the name existed before this instance asked for it.
  bool LaeuftBereits() const { return laeuftBereits_; }
  bool HaeltMutex() const { return static_cast<bool>(mutex_); }

 private:
  gui::UniqueKernelHandle mutex_;
  bool laeuftBereits_;
};

// Start-up's guard step: true when this is a second instance, which has then shown the
// duplicate-instance dialog and must end with exit code 0.
bool ZweiteInstanzAbweisen(const NichtDoppeltStarten& waechter, gui::TApplication& application);
