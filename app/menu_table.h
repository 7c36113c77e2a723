#pragma once
// The menu tree of Form1 as one table: names, captions, parents, initial
// check marks and visibility. The platforms build their menus from it.

#include <optional>
#include <span>
#include <string_view>

#include "platform/platform.h"

namespace pelorin::app {

// Positions in MenuTable(); the order is the order of the menus.
enum MenuItem : platform::MenuItemId {
  ID_FILE, ID_EXIT,
  ID_CUST, ID_MENU, ID_FLONT, ID_HOTKEY,
  ID_EDIT, ID_FIND, ID_KAO_EDIT, ID_ADD_K, ID_EDIT_K, ID_DEL_K, ID_UP_K, ID_DOWN_K, ID_TOP_K,
  ID_S_EDIT, ID_ADD_S, ID_EDIT_S, ID_DEL_S, ID_UP_S, ID_DOWN_S, ID_TOP_S,
  ID_HELP, ID_HELP_F, ID_HP, ID_VER,
  ID_CLICK, ID_MENU_C, ID_FLONT_C, sep01, ID_ADD_S_C, ID_EDIT_S_C, ID_DEL_S_C, ID_UP_S_C,
  ID_DOWN_S_C, ID_TOP_S_C, sep02, ID_HELP_C, ID_HP_C, ID_VER_C,
  ID_CLICK2, ID_ADD_K_C, ID_EDIT_K_C, ID_DEL_K_C, ID_UP_K_C, ID_DOWN_K_C, ID_TOP_K_C,
  kMenuItemCount
};

std::span<const platform::MenuEntry> MenuTable();
std::optional<MenuItem> FindMenuItem(std::string_view name);

// The four menus of the menu bar.
inline constexpr MenuItem kBarMenus[] = {ID_FILE, ID_CUST, ID_EDIT, ID_HELP};

}  // namespace pelorin::app
