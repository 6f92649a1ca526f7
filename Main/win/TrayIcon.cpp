#include "Main/win/TrayIcon.h"

#include <cstring>

#include "Main/Texte.h"
#include "gui/win/BaseWindow.h"

NOTIFYICONDATAA TrayIconData(HWND form, HICON icon, std::string_view tip) {
  NOTIFYICONDATAA data;
  std::memset(&data, 0, sizeof data);
  data.cbSize = kTrayIconDataSize;
  data.hWnd = form;
  data.uID = kTrayIconId;
  data.uFlags = kTrayIconFlags;
  data.uCallbackMessage = WM_TASKBAREVENT;
  data.hIcon = icon;
  static_assert(texte::kTip.size() < kTrayTipSize, "the tip and its terminating zero fit");
  tip = tip.substr(0, kTrayTipSize - 1);
  std::memcpy(data.szTip, tip.data(), tip.size());
  return data;
}

gui::UniqueIcon TraySymbolLaden() {
  // Loaded at the exact size, so the shell gets the image drawn for it and scales nothing.
  return gui::UniqueIcon(static_cast<HICON>(::LoadImageA(gui::ModuleInstance(), "MAINICON", IMAGE_ICON,
                                                         ::GetSystemMetrics(SM_CXSMICON),
                                                         ::GetSystemMetrics(SM_CYSMICON), 0)));
}
