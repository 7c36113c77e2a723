#include "platform/win32/menu_tree.h"

#include <string>

#include "platform/win32/wide.h"

namespace pelorin::platform::win32 {
namespace {

constexpr MenuItemId kBar = -1;

// '&' marks a mnemonic in a menu caption; the table's captions are literal.
std::wstring MenuCaption(const std::string& caption) {
  std::wstring result;
  for (wchar_t c : Widen(caption)) {
    if (c == L'&') result += L'&';
    result += c;
  }
  return result;
}

}  // namespace

MenuTree::~MenuTree() {
  // Load-bearing: DestroyMenu also destroys the submenus inserted in it, and a
  // hidden submenu is inserted nowhere. Taking every menu apart first lets each
  // one be destroyed exactly once.
  for (const Item& item : items_) {
    if (item.popup != nullptr) Clear(item.popup);
  }
  if (bar_ != nullptr) {
    Clear(bar_);
    ::DestroyMenu(bar_);
  }
  for (const Item& item : items_) {
    if (item.popup != nullptr) ::DestroyMenu(item.popup);
  }
}

void MenuTree::Build(std::span<const MenuEntry> table) {
  table_ = table;
  items_.assign(table.size(), Item{});
  for (size_t i = 0; i < table.size(); ++i) {
    items_[i].visible = table[i].visible;
    items_[i].checked = table[i].checked;
    items_[i].caption = table[i].caption;
  }
  for (const MenuEntry& entry : table) {
    if (entry.parent != kBar && items_[entry.parent].popup == nullptr) {
      items_[entry.parent].popup = ::CreatePopupMenu();
    }
  }
  bar_ = ::CreateMenu();
  Rebuild(kBar);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].popup != nullptr) Rebuild(static_cast<MenuItemId>(i));
  }
}

bool MenuTree::BarHasItems() const { return ::GetMenuItemCount(bar_) > 0; }

HMENU MenuTree::PopupOf(MenuItemId item) const {
  return Valid(item) ? items_[item].popup : nullptr;
}

std::optional<MenuItemId> MenuTree::ItemOfCommand(UINT command) const {
  if (command < kFirstMenuCommand) return std::nullopt;
  const auto item = static_cast<MenuItemId>(command - kFirstMenuCommand);
  if (!Valid(item)) return std::nullopt;
  return item;
}

std::optional<MenuItemId> MenuTree::ItemOfPopup(HMENU popup) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].popup == popup) return static_cast<MenuItemId>(i);
  }
  return std::nullopt;
}

bool MenuTree::IsBarMenu(MenuItemId item) const {
  return Valid(item) && table_[item].parent == kBar && !table_[item].popupOnly;
}

const MenuEntry* MenuTree::Entry(MenuItemId item) const {
  return Valid(item) ? &table_[item] : nullptr;
}

bool MenuTree::Visible(MenuItemId item) const { return Valid(item) && items_[item].visible; }

bool MenuTree::Checked(MenuItemId item) const { return Valid(item) && items_[item].checked; }

void MenuTree::SetVisible(MenuItemId item, bool visible) {
  if (!Valid(item) || items_[item].visible == visible) return;
  items_[item].visible = visible;
  // A context menu is never in the bar, so its own visibility changes nothing.
  if (table_[item].parent == kBar && table_[item].popupOnly) return;
  Rebuild(table_[item].parent);
}

void MenuTree::SetChecked(MenuItemId item, bool checked) {
  if (!Valid(item)) return;
  items_[item].checked = checked;
  if (HMENU menu = MenuHolding(item); menu != nullptr && items_[item].visible) {
    ::CheckMenuItem(menu, kFirstMenuCommand + static_cast<UINT>(item),
                    MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void MenuTree::SetCaption(MenuItemId item, const std::string& caption) {
  if (!Valid(item) || items_[item].caption == caption) return;
  items_[item].caption = caption;
  if (items_[item].visible && !(table_[item].parent == kBar && table_[item].popupOnly)) {
    Rebuild(table_[item].parent);
  }
}

bool MenuTree::Valid(MenuItemId item) const {
  return item >= 0 && static_cast<size_t>(item) < items_.size();
}

HMENU MenuTree::MenuHolding(MenuItemId item) const {
  if (!Valid(item)) return nullptr;
  const MenuItemId parent = table_[item].parent;
  return parent == kBar ? bar_ : items_[parent].popup;
}

void MenuTree::Rebuild(MenuItemId parent) {
  HMENU menu = parent == kBar ? bar_ : items_[parent].popup;
  Clear(menu);
  for (size_t i = 0; i < table_.size(); ++i) {
    const MenuEntry& entry = table_[i];
    if (entry.parent != parent || !items_[i].visible) continue;
    if (parent == kBar && entry.popupOnly) continue;
    Append(menu, static_cast<MenuItemId>(i));
  }
}

void MenuTree::Append(HMENU menu, MenuItemId item) {
  const MenuEntry& entry = table_[item];
  if (entry.separator) {
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    return;
  }
  const std::wstring caption = MenuCaption(items_[item].caption);
  if (items_[item].popup != nullptr) {
    ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(items_[item].popup),
                  caption.c_str());
    return;
  }
  const UINT flags = MF_STRING | (items_[item].checked ? MF_CHECKED : MF_UNCHECKED);
  ::AppendMenuW(menu, flags, kFirstMenuCommand + static_cast<UINT>(item), caption.c_str());
}

// RemoveMenu, unlike DeleteMenu, leaves a removed submenu alive for later.
void MenuTree::Clear(HMENU menu) {
  while (::GetMenuItemCount(menu) > 0) ::RemoveMenu(menu, 0, MF_BYPOSITION);
}

}  // namespace pelorin::platform::win32
