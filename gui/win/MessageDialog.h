// The GUI layer's own modal message dialog (not the system's MessageBox): no icon, the
// application title as caption, the text, and one "OK" button that is default and cancel.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

namespace gui {

class TApplication;

// The control identifier of the dialog's text.
inline constexpr WORD kMessageDialogTextId = 100;

// The in-memory dialog template: a static text and an OK button on the standard dialog class;
// the texts are set when the dialog starts, so that they stay ANSI.
std::vector<WORD> MessageDialogTemplate();

// Centred on the screen and owned by the application window; returns when it is closed.
void ShowMessageDialog(TApplication& application, std::string_view text);

}  // namespace gui
