// The list boxes' keyboard and mouse, seen before the list box handles them
// (the lists are subclassed), turned into Form1's list events.

#include "platform/win32/shift_mask.h"
#include "platform/win32/timing/timing.h"
#include "platform/win32/win32_platform.h"
#include "platform/win32/windows_api.h"

namespace pelorin::platform::win32 {
namespace {

int Selection(HWND list) {
  const LRESULT selected = ::SendMessageW(list, LB_GETCURSEL, 0, 0);
  return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

bool PointOnItem(HWND list, int item, LPARAM point) {
  RECT rect{};
  if (item < 0 || ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(item),
                                 reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
    return false;
  }
  const POINT where{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  return ::PtInRect(&rect, where) != FALSE;
}

}  // namespace

LRESULT CALLBACK Win32Platform::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(list, &Win32Platform::ListProc, id);
    return ::DefSubclassProc(list, message, wParam, lParam);
  }
  auto* self = reinterpret_cast<Win32Platform*>(data);
  DispatchScope dispatching(*self);
  return self->HandleListMessage(static_cast<ListId>(id), list, message, wParam, lParam);
}

LRESULT Win32Platform::HandleListMessage(ListId list, HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnListKeyDown(list, window, message, wParam)) return 0;
      break;
    case WM_CHAR:
      // Ctrl+F opens the search (its key-down went to Form1); its character
      // is no letter for the list's own search by first letter.
      if (wParam == 0x06) return 0;
      break;
    case WM_LBUTTONDOWN:
      OnListButtonDown(list, window, false);
      break;
    case WM_LBUTTONDBLCLK:
      OnListButtonDown(list, window, true);
      break;
    case WM_LBUTTONUP:
      OnListButtonUp(list, window, wParam, lParam);
      return 0;
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      if (!Quiet()) events_->OnListMouseUp(list, message == WM_RBUTTONUP ? 2 : 4);
      return result;
    }
    case WM_CAPTURECHANGED: {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      // The press ended without a button-up here (another window took the
      // mouse): what it selected still counts as a click.
      const ClickGesture& gesture = gestures_[static_cast<int>(list) - 1];
      if (gesture.active && !gesture.inButtonUp) FinishClickGesture(list, window, false);
      return result;
    }
    case WM_KILLFOCUS: {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      OnListKillFocus(list, reinterpret_cast<HWND>(wParam));
      return result;
    }
    default:
      break;
  }
  return ::DefSubclassProc(window, message, wParam, lParam);
}

// Returns true when the key was handled here and the list must not see it.
bool Win32Platform::OnListKeyDown(ListId list, HWND window, UINT message, WPARAM key) {
  if (message == WM_KEYDOWN && key == VK_TAB) {
    // Tab moves between the two visible lists, as in a dialog.
    HWND other = ListWindow(list == ListId::List2 ? ListId::List3 : ListId::List2);
    if (other != nullptr) ::SetFocus(other);
    return true;
  }
  bool listHandles = true;
  if (!Quiet()) {
    modifiersAtKeyDown_ = HeldModifiers(false);
    listHandles = events_->OnListKeyDown(list, static_cast<int>(key), ShiftMask());
    modifiersAtKeyDown_ = 0;
  }
  // The handler may have ended the program.
  return !listHandles || !::IsWindow(window);
}

void Win32Platform::OnListButtonDown(ListId list, HWND window, bool doubleClick) {
  ClickGesture& gesture = gestures_[static_cast<int>(list) - 1];
  gesture.active = true;
  gesture.doubleClick = doubleClick;
  gesture.inButtonUp = false;
  gesture.selectionAtStart = Selection(window);
}

void Win32Platform::OnListButtonUp(ListId list, HWND window, WPARAM wParam, LPARAM lParam) {
  const timing::Scope timed("click");  // the benchmark build's: from here to its end
  ClickGesture& gesture = gestures_[static_cast<int>(list) - 1];
  gesture.inButtonUp = true;
  ::DefSubclassProc(window, WM_LBUTTONUP, wParam, lParam);
  gesture.inButtonUp = false;
  FinishClickGesture(list, window, PointOnItem(window, Selection(window), lParam));
  if (!Quiet() && ::IsWindow(window)) events_->OnListMouseUp(list, 1);
}

// One click event per press: when the selection moved, or when the button
// was released on the entry that was already selected (the list box sends
// no LBN_SELCHANGE for that one). The second press of a double click selects
// nothing new and raises no click.
void Win32Platform::FinishClickGesture(ListId list, HWND window, bool releasedOnSelection) {
  ClickGesture& gesture = gestures_[static_cast<int>(list) - 1];
  if (!gesture.active) return;
  gesture.active = false;
  const int selected = Selection(window);
  if (selected < 0 || Quiet() || list == ListId::List1) return;
  const bool moved = selected != gesture.selectionAtStart;
  if (moved || (releasedOnSelection && !gesture.doubleClick)) events_->OnListClick(list);
}

// Lost focus only when the focus goes to another control of this window, not
// when the window itself loses it (to another program, a dialog or a menu).
void Win32Platform::OnListKillFocus(ListId list, HWND next) {
  if (next == nullptr || Quiet() || window_ == nullptr || !::IsChild(window_, next)) return;
  events_->OnListLostFocus(list);
}

}  // namespace pelorin::platform::win32
