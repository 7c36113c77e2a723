#include "app/menu_table.h"

namespace pelorin::app {
namespace {

using platform::MenuEntry;

constexpr int kBar = -1;

// name, caption, parent, popupOnly, checked, visible, separator
// The two context menus never stand in the menu bar, so they are not visible;
// they open with PopupMenu all the same.
constexpr MenuEntry kMenus[kMenuItemCount] = {
    {"ID_FILE", "ファイル", kBar, false, false, true, false},
    {"ID_EXIT", "終了", ID_FILE, false, false, true, false},
    {"ID_CUST", "設定", kBar, false, false, true, false},
    {"ID_MENU", "メニュー表示", ID_CUST, false, true, true, false},
    {"ID_FLONT", "常に手前に表示", ID_CUST, false, true, true, false},
    // Start-up names the key in force.
    {"ID_HOTKEY", "呼び出しキー", ID_CUST, false, false, true, false},
    {"ID_EDIT", "編集", kBar, false, false, true, false},
    {"ID_FIND", "顔文字の検索", ID_EDIT, false, false, true, false},
    {"ID_KAO_EDIT", "顔文字の編集", ID_EDIT, false, false, true, false},
    {"ID_ADD_K", "顔文字の追加", ID_KAO_EDIT, false, false, true, false},
    {"ID_EDIT_K", "顔文字の書き換え", ID_KAO_EDIT, false, false, true, false},
    {"ID_DEL_K", "顔文字の削除", ID_KAO_EDIT, false, false, true, false},
    {"ID_UP_K", "顔文字を一つ上へ", ID_KAO_EDIT, false, false, true, false},
    {"ID_DOWN_K", "顔文字を一つ下へ", ID_KAO_EDIT, false, false, true, false},
    {"ID_TOP_K", "顔文字を一番上へ", ID_KAO_EDIT, false, false, true, false},
    {"ID_S_EDIT", "種類の編集", ID_EDIT, false, false, true, false},
    {"ID_ADD_S", "種類を追加", ID_S_EDIT, false, false, true, false},
    {"ID_EDIT_S", "種類の書き換え", ID_S_EDIT, false, false, true, false},
    {"ID_DEL_S", "種類の削除", ID_S_EDIT, false, false, true, false},
    {"ID_UP_S", "種類を一つ上へ", ID_S_EDIT, false, false, true, false},
    {"ID_DOWN_S", "種類を一つ下へ", ID_S_EDIT, false, false, true, false},
    {"ID_TOP_S", "種類を一番上へ", ID_S_EDIT, false, false, true, false},
    {"ID_HELP", "ヘルプ", kBar, false, false, true, false},
    {"ID_HELP_F", "ヘルプ", ID_HELP, false, false, true, false},
    {"ID_HP", "サポートページ", ID_HELP, false, false, true, false},
    {"ID_VER", "バージョン情報", ID_HELP, false, false, true, false},
    {"ID_CLICK", "クリック１", kBar, true, false, false, false},
    {"ID_MENU_C", "メニュー表示", ID_CLICK, false, true, true, false},
    {"ID_FLONT_C", "常に手前に表示", ID_CLICK, false, true, true, false},
    {"sep01", "-", ID_CLICK, false, false, true, true},
    {"ID_ADD_S_C", "種類を追加", ID_CLICK, false, false, true, false},
    {"ID_EDIT_S_C", "種類の書き換え", ID_CLICK, false, false, true, false},
    {"ID_DEL_S_C", "種類の削除", ID_CLICK, false, false, true, false},
    {"ID_UP_S_C", "種類を一つ上へ", ID_CLICK, false, false, true, false},
    {"ID_DOWN_S_C", "種類を一つ下へ", ID_CLICK, false, false, true, false},
    {"ID_TOP_S_C", "種類を一番上へ", ID_CLICK, false, false, true, false},
    {"sep02", "-", ID_CLICK, false, false, true, true},
    {"ID_HELP_C", "ヘルプ", ID_CLICK, false, false, true, false},
    {"ID_HP_C", "サポートページ", ID_CLICK, false, false, true, false},
    {"ID_VER_C", "バージョン情報", ID_CLICK, false, false, true, false},
    {"ID_CLICK2", "クリック２", kBar, true, false, false, false},
    {"ID_ADD_K_C", "顔文字の追加", ID_CLICK2, false, false, true, false},
    {"ID_EDIT_K_C", "顔文字の書き換え", ID_CLICK2, false, false, false, false},
    {"ID_DEL_K_C", "顔文字の削除", ID_CLICK2, false, false, false, false},
    {"ID_UP_K_C", "顔文字を一つ上へ", ID_CLICK2, false, false, false, false},
    {"ID_DOWN_K_C", "顔文字を一つ下へ", ID_CLICK2, false, false, false, false},
    {"ID_TOP_K_C", "顔文字を一番上へ", ID_CLICK2, false, false, false, false},
};

}  // namespace

std::span<const platform::MenuEntry> MenuTable() { return kMenus; }

std::optional<MenuItem> FindMenuItem(std::string_view name) {
  for (int i = 0; i < kMenuItemCount; ++i) {
    if (name == kMenus[i].name) return static_cast<MenuItem>(i);
  }
  return std::nullopt;
}

}  // namespace pelorin::app
