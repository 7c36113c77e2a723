// The three list boxes and the tooltip of List2. The list boxes are the
// model: entries and selection live in the controls only.

#include <algorithm>

#include "platform/win32/twips.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"

namespace pelorin::platform::win32 {
namespace {

// A list box message, handed straight to the list box's own window
// procedure. Both subclasses of the lists (ours in list_input.cpp, and the
// tooltip's TTF_SUBCLASS on List2) pass LB_* and WM_SETREDRAW on untouched,
// but under Wine every message through SetWindowSubclass's chain costs a
// round trip to the wine server (the chain is kept in a window property):
// selecting a category of 10,000 kaomoji took 0.4 to 0.7 s that way, and
// leaving it again (its list read back and saved) 0.7 to 1.3 s; straight to
// the list box, about 20 ms each.
LRESULT Send(HWND list, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  const auto listBoxProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrW(list, GCLP_WNDPROC));
  if (listBoxProc == nullptr) return ::SendMessageW(list, message, wParam, lParam);
  return ::CallWindowProcW(listBoxProc, list, message, wParam, lParam);
}

int Selection(HWND list) {
  const LRESULT selected = Send(list, LB_GETCURSEL);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

// Keeps the selection on the entry it was on, whatever the control does.
void KeepSelection(HWND list, int wanted) {
  if (Selection(list) != wanted) Send(list, LB_SETCURSEL, static_cast<WPARAM>(wanted));
}

// The height of one row and the list box's border: a list box asked to be
// lower cuts itself to no row at all, and then nothing can be clicked.
int OneRowHeight(HWND box) {
  RECT outer{};
  RECT inner{};
  if (!::GetWindowRect(box, &outer) || !::GetClientRect(box, &inner)) return 0;
  const LRESULT row = Send(box, LB_GETITEMHEIGHT, 0);
  if (row == LB_ERR) return 0;
  return static_cast<int>(row) + (outer.bottom - outer.top) - (inner.bottom - inner.top);
}

}  // namespace

int Win32Platform::ListCount(ListId list) const {
  const LRESULT count = Send(ListWindow(list), LB_GETCOUNT);
  return count == LB_ERR ? 0 : static_cast<int>(count);
}

std::string Win32Platform::ListText(ListId list, int index) const {
  HWND window = ListWindow(list);
  const LRESULT length = Send(window, LB_GETTEXTLEN, static_cast<WPARAM>(index));
  if (index < 0 || length == LB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT copied =
      Send(window, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  if (copied == LB_ERR) return {};
  text.resize(static_cast<size_t>(copied));
  return Narrow(text);
}

std::vector<std::string> Win32Platform::ListTexts(ListId list) const {
  std::vector<std::string> texts;
  const int count = ListCount(list);
  texts.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) texts.push_back(ListText(list, i));
  return texts;
}

void Win32Platform::ListInsert(ListId list, int index, const std::string& text) {
  QuietScope quiet(*this);
  HWND window = ListWindow(list);
  const int count = ListCount(list);
  const int at = index < 0 || index >= count ? count : index;
  const int selected = Selection(window);
  const std::wstring wide = Widen(text);
  Send(window, LB_INSERTSTRING, at == count ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(at),
       reinterpret_cast<LPARAM>(wide.c_str()));
  if (selected >= 0) KeepSelection(window, at <= selected ? selected + 1 : selected);
}

void Win32Platform::ListRemove(ListId list, int index) {
  QuietScope quiet(*this);
  HWND window = ListWindow(list);
  if (index < 0 || index >= ListCount(list)) return;
  const int selected = Selection(window);
  Send(window, LB_DELETESTRING, static_cast<WPARAM>(index));
  if (selected == index) {
    KeepSelection(window, -1);
  } else if (selected >= 0) {
    KeepSelection(window, index < selected ? selected - 1 : selected);
  }
}

void Win32Platform::ListReplaceAll(ListId list, const std::vector<std::string>& texts) {
  QuietScope quiet(*this);
  HWND window = ListWindow(list);
  std::vector<std::wstring> wide;
  wide.reserve(texts.size());
  size_t bytes = 0;
  for (const std::string& text : texts) {
    wide.push_back(Widen(text));
    bytes += (wide.back().size() + 1) * sizeof(wchar_t);
  }
  Send(window, WM_SETREDRAW, FALSE);
  Send(window, LB_RESETCONTENT);
  Send(window, LB_INITSTORAGE, wide.size(), static_cast<LPARAM>(bytes));
  for (const std::wstring& text : wide) {
    Send(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  Send(window, WM_SETREDRAW, TRUE);
  ::InvalidateRect(window, nullptr, TRUE);
}

int Win32Platform::ListSelected(ListId list) const { return Selection(ListWindow(list)); }

// LB_SETCURSEL sends no LBN_SELCHANGE: the core runs the click itself.
void Win32Platform::ListSelect(ListId list, int index) {
  QuietScope quiet(*this);
  Send(ListWindow(list), LB_SETCURSEL, static_cast<WPARAM>(index < 0 ? -1 : index));
}

Rect Win32Platform::ListRect(ListId list) const { return ChildRect(ListWindow(list)); }

Rect Win32Platform::ChildRect(HWND child) const {
  RECT rect{};
  if (child == nullptr || !::GetWindowRect(child, &rect)) return {};
  ::MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&rect), 2);
  const UINT dpi = Dpi();
  return {PixelsToTwips(rect.left, dpi), PixelsToTwips(rect.top, dpi),
          PixelsToTwips(rect.right - rect.left, dpi), PixelsToTwips(rect.bottom - rect.top, dpi)};
}

// The list box cuts the height to whole rows itself (no LBS_NOINTEGRALHEIGHT),
// never below one row, as small windows keep a row of each list.
void Win32Platform::SetListRect(ListId list, const Rect& rect) {
  QuietScope quiet(*this);
  const UINT dpi = Dpi();
  HWND box = ListWindow(list);
  const int height = std::max(TwipsToPixels(rect.height, dpi), OneRowHeight(box));
  ::MoveWindow(box, TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
               std::max(0, TwipsToPixels(rect.width, dpi)), height, TRUE);
}

// An empty text shows no tooltip.
void Win32Platform::SetToolTip(const std::string& text) {
  toolTipText_ = text;
  if (!toolTip_) return;
  std::wstring wide = Widen(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS | TTF_TRANSPARENT;
  tool.hwnd = window_;
  tool.uId = reinterpret_cast<UINT_PTR>(ListWindow(ListId::List2));
  tool.lpszText = wide.data();
  ::SendMessageW(toolTip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string Win32Platform::ToolTip() const { return toolTipText_; }

}  // namespace pelorin::platform::win32
