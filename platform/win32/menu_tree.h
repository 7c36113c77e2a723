#pragma once
// The HMENUs of the main window, built from the core's menu table. A hidden
// item is really absent from its menu: changing an item's visibility rebuilds
// the menu that holds it. The context menus (popupOnly top items) are popups
// of their own and never part of the bar.

#include <windows.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pelorin::platform::win32 {

class MenuTree {
 public:
  MenuTree() = default;
  ~MenuTree();
  MenuTree(const MenuTree&) = delete;
  MenuTree& operator=(const MenuTree&) = delete;

  // Creates every menu from the table, with the table's first visibility and
  // check marks. The table must outlive the tree.
  void Build(std::span<const MenuEntry> table);

  HMENU Bar() const { return bar_; }
  // True while at least one menu of the bar is visible.
  bool BarHasItems() const;
  // The popup of an item that has children (a bar menu, a submenu, a context menu).
  HMENU PopupOf(MenuItemId item) const;
  std::optional<MenuItemId> ItemOfCommand(UINT command) const;
  std::optional<MenuItemId> ItemOfPopup(HMENU popup) const;
  bool IsBarMenu(MenuItemId item) const;
  // The table's entry of an item; nullptr for an unknown one.
  const MenuEntry* Entry(MenuItemId item) const;
  // The menu an item is shown in when visible: the bar or its parent's popup.
  HMENU MenuHolding(MenuItemId item) const;

  bool Visible(MenuItemId item) const;
  bool Checked(MenuItemId item) const;
  // Rebuilds the menu that holds the item when its visibility changes.
  void SetVisible(MenuItemId item, bool visible);
  void SetChecked(MenuItemId item, bool checked);
  // Rebuilds the menu that holds the item when it is shown.
  void SetCaption(MenuItemId item, const std::string& caption);

 private:
  struct Item {
    HMENU popup = nullptr;  // when the item has children
    bool visible = true;
    bool checked = false;
    std::string caption;  // the table's until the program sets another
  };
  bool Valid(MenuItemId item) const;
  void Rebuild(MenuItemId parent);
  void Append(HMENU menu, MenuItemId item);
  void Clear(HMENU menu);

  std::span<const MenuEntry> table_;
  std::vector<Item> items_;
  HMENU bar_ = nullptr;
};

// Menu item commands are this base plus the item's index in the table.
inline constexpr UINT kFirstMenuCommand = 100;

}  // namespace pelorin::platform::win32
