#include "gui/win/PopupMenu.h"

#include <stdexcept>

#include "gui/MenuAccelerators.h"
#include "gui/Texte.h"

namespace gui {

namespace {
constexpr char kMenuWindowClass[] = "TPopupMenuWindow";
// TPM_LEFTALIGN (0) + TPM_RIGHTBUTTON (2): top-left corner at the point, either button chooses.
constexpr UINT kTrackFlags = TPM_LEFTALIGN | TPM_RIGHTBUTTON;
}  // namespace

TPopupMenu::TPopupMenu()
    : window_(kMenuWindowClass, "", [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return MenuWindowMessage(window, message, wParam, lParam);
      }) {}

TMenuItem& TPopupMenu::Add(std::string name, std::string caption, std::function<void()> onClick, bool isDefault) {
  items_.push_back(std::make_unique<TMenuItem>(TMenuItem{std::move(name), std::move(caption), isDefault,
                                                         std::move(onClick)}));
  return *items_.back();
}

void TPopupMenu::Rebuild() {
  std::vector<std::string> captions;
  captions.reserve(items_.size());
  for (const auto& item : items_) captions.push_back(item->Caption);
  const std::vector<bool> visible = VisibleItems(captions);
  SettleAccelerators(captions, visible);
  // The settled marks stay with the items, so a later opening finds them in place.
  for (std::size_t i = 0; i < items_.size(); ++i) items_[i]->Caption = captions[i];

  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) throw std::runtime_error("CreatePopupMenu");
  for (std::size_t i = 0; i < items_.size(); ++i) {
    if (!visible[i]) continue;
    const TMenuItem& item = *items_[i];
    if (item.Caption == texte::kSeparator) {
      ::AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    ::AppendMenuA(menu.get(), MF_STRING, CommandId(i), item.Caption.c_str());
    if (item.Default) ::SetMenuDefaultItem(menu.get(), CommandId(i), FALSE);
  }
  menu_ = std::move(menu);
}

void TPopupMenu::Popup(int x, int y) {
  // A tray click served inside the running menu's own loop must neither destroy the menu that
  // is on screen nor start a second one, which TrackPopupMenu refuses anyway.
  if (tracking_) return;
  Rebuild();
  tracking_ = true;
  // Without TPM_RETURNCMD the choice arrives as a posted WM_COMMAND, so the handler runs from
  // the message loop after the menu has gone, not inside the menu's modal loop.
  ::TrackPopupMenu(menu_.get(), kTrackFlags, x, y, 0, window_.Handle(), nullptr);
  tracking_ = false;
}

LRESULT TPopupMenu::MenuWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == 0) {
    const UINT id = LOWORD(wParam);
    if (id >= 1 && id <= items_.size()) {
      // Copied: a handler may rebuild or destroy this menu while it runs.
      const std::function<void()> onClick = items_[id - 1]->OnClick;
      // An exception leaves through the window's trampoline into the application's error box.
      if (onClick) onClick();
      return 0;
    }
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace gui
