#pragma once
// The simulated menu tree, built from the table the core hands to
// CreateMainWindow: visibility and check marks per item, the menu bar, and
// what the user can reach.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pelorin::sim {

class SimMenus {
 public:
  // Copies the table; visibility and check marks start as the table says.
  void Reset(std::span<const platform::MenuEntry> table);

  bool Contains(platform::MenuItemId item) const;
  const platform::MenuEntry& Entry(platform::MenuItemId item) const;
  // Unknown items read as hidden and unchecked; changing them does nothing.
  bool Visible(platform::MenuItemId item) const;
  void SetVisible(platform::MenuItemId item, bool visible);
  bool Checked(platform::MenuItemId item) const;
  void SetChecked(platform::MenuItemId item, bool checked);
  // As shown: the table's caption until the program sets another.
  std::string Caption(platform::MenuItemId item) const;
  void SetCaption(platform::MenuItemId item, const std::string& caption);

  // The menu bar shows while any top-level menu that is not a context menu
  // is visible.
  bool BarShown() const;
  // The top-level menu above an item (the item itself for a top-level one).
  platform::MenuItemId TopMenuOf(platform::MenuItemId item) const;
  bool InContextMenu(platform::MenuItemId item) const;
  // Why the user cannot click the item in the menu bar now; nullopt when the
  // item and every menu above it are visible and none is a separator.
  std::optional<std::string> WhyHidden(platform::MenuItemId item) const;
  // The visible direct children of a menu, in table order.
  std::vector<platform::MenuItemId> VisibleChildren(platform::MenuItemId menu) const;

 private:
  std::vector<platform::MenuEntry> entries_;
  std::vector<bool> visible_;
  std::vector<bool> checked_;
  std::vector<std::string> captions_;
};

}  // namespace pelorin::sim
