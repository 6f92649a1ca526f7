// A popup menu whose items carry captions and handlers. The platform menu is rebuilt at each
// opening; the chosen item's handler runs from the hidden menu window after the menu has closed.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gui/win/BaseWindow.h"
#include "gui/win/Handles.h"

namespace gui {

// A caption "-" makes the item a separator.
struct TMenuItem {
  std::string Name;
  std::string Caption;
  bool Default = false;  // drawn in bold
  std::function<void()> OnClick;
};

class TPopupMenu {
 public:
  TPopupMenu();
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  // The item stays at its address for the menu's lifetime.
  TMenuItem& Add(std::string name, std::string caption, std::function<void()> onClick = {},
                 bool isDefault = false);
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }

  // Settles the accelerators, rebuilds the platform menu and runs it with its top-left corner
  // at (x, y). Returns when the menu has closed; the chosen item's handler runs later, when its
  // WM_COMMAND reaches the menu window through the message loop.
  void Popup(int x, int y);

  // Settles the accelerators and rebuilds the platform menu without showing it.
  void Rebuild();
  HMENU Handle() const { return menu_.get(); }
  HWND WindowHandle() const { return window_.Handle(); }

  // The command identifier of an item in the platform menu.
  static UINT CommandId(std::size_t index) { return static_cast<UINT>(index + 1); }

 private:
  LRESULT MenuWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::vector<std::unique_ptr<TMenuItem>> items_;
  UniqueMenu menu_;
  bool tracking_ = false;
  UtilityWindow window_;
};

}  // namespace gui
