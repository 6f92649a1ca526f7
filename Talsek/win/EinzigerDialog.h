// One options dialog at a time: the named mutex "TalsekOptionen", owned while this process shows
// its dialog. A second start either brings the first dialog to the front and ends, or, when the
// first instance is just ending, takes over.
#pragma once

#include <chrono>
#include <string_view>

#include "gui/win/Handles.h"

class TEinzigerDialog {
 public:
  explicit TEinzigerDialog(std::string_view mutexName);
  // Gives the mutex up at once, so that a start in the next moment need not wait for this
  // process's end.
  ~TEinzigerDialog();
  TEinzigerDialog(const TEinzigerDialog&) = delete;
  TEinzigerDialog& operator=(const TEinzigerDialog&) = delete;

  // True when this process may show its dialog. False when another instance's dialog (found by
  // its window class) was brought to the front, or when that instance neither shows its dialog
  // nor ends within the time (it may be showing a box before its dialog).
  bool Uebernehmen(std::string_view dialogKlasse, std::chrono::milliseconds frist);

 private:
  gui::UniqueKernelHandle mutex_;
  bool besitzt_ = false;
};
