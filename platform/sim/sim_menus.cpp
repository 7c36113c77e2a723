#include "platform/sim/sim_menus.h"

namespace pelorin::sim {

using platform::MenuItemId;

void SimMenus::Reset(std::span<const platform::MenuEntry> table) {
  entries_.assign(table.begin(), table.end());
  captions_.assign(entries_.size(), "");
  for (std::size_t i = 0; i < entries_.size(); ++i) captions_[i] = entries_[i].caption;
}

std::string SimMenus::Caption(MenuItemId item) const {
  return Contains(item) ? captions_[static_cast<std::size_t>(item)] : std::string();
}

void SimMenus::SetVisible(MenuItemId item, bool visible) {
  if (Contains(item)) entries_[static_cast<std::size_t>(item)].visible = visible;
}

void SimMenus::SetChecked(MenuItemId item, bool checked) {
  if (Contains(item)) entries_[static_cast<std::size_t>(item)].checked = checked;
}

void SimMenus::SetCaption(MenuItemId item, const std::string& caption) {
  if (Contains(item)) captions_[static_cast<std::size_t>(item)] = caption;
}

MenuItemId SimMenus::TopMenuOf(MenuItemId item) const {
  // The table has no cycles; the bound only guards against a broken one.
  for (std::size_t depth = 0; depth <= entries_.size() && Contains(item); ++depth) {
    MenuItemId parent = Entry(item).parent;
    if (parent == -1) return item;
    item = parent;
  }
  return -1;
}

bool SimMenus::InContextMenu(MenuItemId item) const {
  MenuItemId top = TopMenuOf(item);
  return Contains(top) && Entry(top).popupOnly;
}

std::optional<std::string> SimMenus::WhyHidden(MenuItemId item) const {
  for (std::size_t depth = 0; depth <= entries_.size() && Contains(item); ++depth) {
    if (!Visible(item)) return std::string(Entry(item).name) + " is hidden";
    // A separator opens nothing, in the bar as in a menu.
    if (Entry(item).separator) return std::string(Entry(item).name) + " is a separator";
    item = Entry(item).parent;
    if (item == -1) return std::nullopt;
  }
  return std::string("no such menu item");
}

std::vector<MenuItemId> SimMenus::VisibleChildren(MenuItemId menu) const {
  std::vector<MenuItemId> children;
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].parent == menu && entries_[i].visible) {
      children.push_back(static_cast<MenuItemId>(i));
    }
  }
  return children;
}

}  // namespace pelorin::sim
