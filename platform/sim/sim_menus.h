#pragma once
// The simulated menu tree, built from the table the core hands to
// CreateMainWindow: visibility, check marks and captions per item, and what
// the user can reach.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace pelorin::sim {

class SimMenus {
 public:
  // Copies the table; visibility, check marks and captions start as it says.
  void Reset(std::span<const platform::MenuEntry> table);

  bool Contains(platform::MenuItemId item) const {
    return item >= 0 && static_cast<std::size_t>(item) < entries_.size();
  }
  // The item's entry, its visibility and check mark as they are now.
  const platform::MenuEntry& Entry(platform::MenuItemId item) const {
    return entries_.at(static_cast<std::size_t>(item));
  }
  // Unknown items read as hidden, unchecked and without caption; changing
  // them does nothing.
  bool Visible(platform::MenuItemId item) const { return Contains(item) && Entry(item).visible; }
  bool Checked(platform::MenuItemId item) const { return Contains(item) && Entry(item).checked; }
  std::string Caption(platform::MenuItemId item) const;
  void SetVisible(platform::MenuItemId item, bool visible);
  void SetChecked(platform::MenuItemId item, bool checked);
  void SetCaption(platform::MenuItemId item, const std::string& caption);

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
  std::vector<std::string> captions_;
};

}  // namespace pelorin::sim
