// The test build's answers to the Windows scenario runner (probe_protocol.h).
// Every answer is read from the real window objects of this thread: the menu
// handles as they stand, the tooltip control, a message box's icon control.
// Nothing here changes the program; only the beep count is the program's own
// record, kept where the beep is made.

#include <string>

#include "platform/win32/dialog_controls.h"
#include "platform/win32/probe/probe_protocol.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"

namespace pelorin::platform::win32 {
namespace {

// Where an item stands in a menu: its position, or -1.
int PositionIn(HMENU menu, HMENU itemPopup, UINT itemCommand) {
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    if (itemPopup != nullptr ? ::GetSubMenu(menu, i) == itemPopup
                             : ::GetMenuItemID(menu, i) == itemCommand) {
      return i;
    }
  }
  return -1;
}

bool IsWindowOfThisThread(HWND window) {
  return window != nullptr && ::IsWindow(window) &&
         ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId();
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  const int length = ::GetClassNameW(window, name, 64);
  return std::wstring(name, static_cast<size_t>(length > 0 ? length : 0));
}

void SendText(HWND replyTo, HWND from, const std::wstring& text) {
  COPYDATASTRUCT data{};
  data.dwData = probe::kTextAnswer;
  data.cbData = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(text.data());
  ::SendMessageW(replyTo, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                 reinterpret_cast<LPARAM>(&data));
}

// The icon a message box shows, compared with the system's own icons (the
// message box loads them as shared icons, so the handles are the same).
LRESULT MessageBoxIcon(HWND box) {
  HWND icon = nullptr;
  for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
    if (ClassOf(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON) icon = child;
  }
  if (icon == nullptr) return 0;
  const auto shown = reinterpret_cast<HICON>(::SendMessageW(icon, STM_GETICON, 0, 0));
  if (shown == nullptr) return 0;
  const struct {
    const wchar_t* id;
    LRESULT flags;
  } kIcons[] = {{IDI_HAND, MB_ICONHAND},
                {IDI_QUESTION, MB_ICONQUESTION},
                {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                {IDI_ASTERISK, MB_ICONASTERISK}};
  for (const auto& known : kIcons) {
    if (::LoadIconW(nullptr, known.id) == shown) return known.flags;
  }
  return probe::kUnknown;
}

// A column of a row of a list view, as the list would draw it.
std::wstring RowText(HWND list, int row, int column) {
  std::wstring text(512, L'\0');
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  item.cchTextMax = static_cast<int>(text.size());
  const auto length = ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                     reinterpret_cast<LPARAM>(&item));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

LRESULT DescribeSearchResults(HWND window, HWND replyTo, HWND from) {
  HWND list =
      IsWindowOfThisThread(window) ? ::GetDlgItem(window, controls::kSearchResults) : nullptr;
  if (list == nullptr || ClassOf(list) != WC_LISTVIEWW) return probe::kUnknown;
  const auto rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  std::wstring text;
  for (int row = 0; row < rows; ++row) {
    text += RowText(list, row, 0) + probe::kUnitSeparator + RowText(list, row, 1) +
            probe::kRecordSeparator;
  }
  SendText(replyTo, from, text);
  return 1;
}

}  // namespace

LRESULT Win32Platform::AnswerProbe(WPARAM wParam, LPARAM lParam) {
  const auto argument = probe::ArgumentOf(wParam);
  const HWND replyTo = reinterpret_cast<HWND>(lParam);
  const auto window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(argument));
  switch (probe::QuestionOf(wParam)) {
    case probe::Question::Hello:
      return probe::kHelloAnswer;
    case probe::Question::Idle: {
      // This answer's own window procedure is the only one running.
      const DWORD waiting =
          HIWORD(::GetQueueStatus(QS_KEY | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_HOTKEY));
      return dispatchDepth_ == 1 && waiting == 0 ? 1 : 0;
    }
    case probe::Question::MenuVisible:
      return ProbeMenuItem(static_cast<MenuItemId>(argument), false);
    case probe::Question::MenuChecked:
      return ProbeMenuItem(static_cast<MenuItemId>(argument), true);
    case probe::Question::BarItemRect:
      return ProbeBarItemRect(static_cast<MenuItemId>(argument));
    case probe::Question::DescribePopup:
      return DescribePopupForProbe(window, replyTo);
    case probe::Question::ToolTip:
      SendText(replyTo, window_, ToolTipText());
      return 1;
    case probe::Question::Beeps:
      return beepsMade_;
    case probe::Question::MessageBoxIcon:
      if (!IsWindowOfThisThread(window) || ClassOf(window) != L"#32770") return probe::kUnknown;
      return MessageBoxIcon(window);
    case probe::Question::MenuCaption:
      return ProbeMenuCaption(static_cast<MenuItemId>(argument), replyTo);
    case probe::Question::FocusOnActivation: {
      const std::optional<ListId> list = ListOf(FocusOnActivation());
      return list ? static_cast<LRESULT>(*list) : 0;
    }
    case probe::Question::SearchResults:
      return DescribeSearchResults(window, replyTo, window_);
  }
  return 0;
}

// Visible: the item stands in the menu that holds it. Checked: its check mark
// there; a hidden item shows none (kUnknown).
LRESULT Win32Platform::ProbeMenuItem(MenuItemId item, bool checkMark) const {
  const MenuEntry* entry = menus_.Entry(item);
  if (entry == nullptr || entry->separator) return probe::kUnknown;
  if (entry->parent == -1 && entry->popupOnly) {
    // A context menu stands in no menu, so it is never visible there.
    return checkMark ? probe::kUnknown : 0;
  }
  HMENU holder = menus_.MenuHolding(item);
  const int position =
      PositionIn(holder, menus_.PopupOf(item), kFirstMenuCommand + static_cast<UINT>(item));
  if (!checkMark) return position >= 0 ? 1 : 0;
  if (position < 0) return probe::kUnknown;
  const UINT state = ::GetMenuState(holder, static_cast<UINT>(position), MF_BYPOSITION);
  return (state & MF_CHECKED) != 0 ? 1 : 0;
}

LRESULT Win32Platform::ProbeMenuCaption(MenuItemId item, HWND replyTo) const {
  const MenuEntry* entry = menus_.Entry(item);
  if (entry == nullptr || entry->separator || (entry->parent == -1 && entry->popupOnly)) {
    return probe::kUnknown;
  }
  HMENU holder = menus_.MenuHolding(item);
  const int position =
      PositionIn(holder, menus_.PopupOf(item), kFirstMenuCommand + static_cast<UINT>(item));
  if (position < 0) return probe::kUnknown;
  wchar_t caption[256] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STRING;
  info.dwTypeData = caption;
  info.cch = 255;
  if (!::GetMenuItemInfoW(holder, static_cast<UINT>(position), TRUE, &info)) return probe::kUnknown;
  SendText(replyTo, window_, caption);
  return 1;
}

LRESULT Win32Platform::ProbeBarItemRect(MenuItemId item) const {
  if (!menus_.IsBarMenu(item) || window_ == nullptr || ::GetMenu(window_) == nullptr) return 0;
  const int position = PositionIn(menus_.Bar(), menus_.PopupOf(item), 0);
  RECT rect{};
  if (position < 0 ||
      !::GetMenuItemRect(window_, menus_.Bar(), static_cast<UINT>(position), &rect)) {
    return 0;
  }
  return probe::PackRect(rect);
}

std::wstring Win32Platform::ToolTipText() const {
  std::wstring text(1024, L'\0');  // the tooltip copies at most 1023 characters
  if (toolTip_) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(ListWindow(ListId::List2));
    tool.lpszText = text.data();
    ::SendMessageW(toolTip_.get(), TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
  }
  text.resize(text.find(L'\0'));
  return text;
}

// The items of an open popup menu window, as the menu holds them now.
LRESULT Win32Platform::DescribePopupForProbe(HWND popupWindow, HWND replyTo) {
  if (!IsWindowOfThisThread(popupWindow) || ClassOf(popupWindow) != L"#32768") return 0;
  const auto menu = reinterpret_cast<HMENU>(::SendMessageW(popupWindow, MN_GETHMENU, 0, 0));
  if (menu == nullptr) return 0;
  const auto own = menus_.ItemOfPopup(menu);
  std::wstring text = std::to_wstring(own ? *own : -1);
  const int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t caption[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = caption;
    info.cch = 255;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    unsigned flags = 0;
    if (info.fType & MFT_SEPARATOR) flags |= probe::kItemSeparator;
    if (info.fState & MFS_CHECKED) flags |= probe::kItemChecked;
    if (info.fState & MFS_HILITE) flags |= probe::kItemHighlighted;
    std::optional<MenuItemId> id;
    if (info.hSubMenu != nullptr) {
      id = menus_.ItemOfPopup(info.hSubMenu);
    } else if (!(flags & probe::kItemSeparator)) {
      id = menus_.ItemOfCommand(info.wID);
    }
    text += probe::kRecordSeparator;
    text += std::to_wstring(id ? *id : -1) + probe::kUnitSeparator + std::to_wstring(flags) +
            probe::kUnitSeparator + caption;
  }
  SendText(replyTo, window_, text);
  return 1;
}

}  // namespace pelorin::platform::win32
