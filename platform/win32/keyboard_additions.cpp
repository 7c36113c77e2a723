// The call-up key (a hot key of the main window), its dialog, the search
// window, and the keyboard focus and activation they rest on.
#include <windows.h>

#include <utility>

#include "platform/win32/call_up_key_dialog.h"
#include "platform/win32/search_window.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_platform.h"

namespace pelorin::platform::win32 {

void Win32Platform::CallUpKeyDialog(
    const CallUpKeyDialogTexts& texts, const std::optional<KeyCombination>& current,
    const std::function<bool(const std::optional<KeyCombination>&)>& confirm) {
  CallUpKeyDialogRequest request;
  request.caption = Widen(texts.caption);
  request.prompt = Widen(texts.prompt);
  request.noneButton = Widen(texts.noneButton);
  request.current = current;
  request.dpi = Dpi();
  request.confirm = confirm;
  RunCallUpKeyDialog(instance_, window_, request);
}

std::optional<SearchChoice> Win32Platform::SearchWindow(const std::string& caption,
                                                        SearchSource& source) {
  SearchWindowRequest request;
  request.caption = Widen(caption);
  request.source = &source;
  request.dpi = Dpi();
  return RunSearchWindow(instance_, window_, request);
}

// The new key is registered beside the old one first (under the other of two
// IDs), so that a refused key leaves the old one in force.
bool Win32Platform::RegisterCallUpKey(const KeyCombination& key) {
  if (window_ == nullptr) return false;
  if (callUpKey_.Registered() && callUpKey_.Key() == key) return true;
  HotKeyRegistration fresh(window_,
                           callUpKey_.Id() == kCallUpKeyId ? kCallUpKeyId + 1 : kCallUpKeyId, key);
  if (!fresh.Registered()) return false;
  callUpKey_ = std::move(fresh);
  return true;
}

void Win32Platform::UnregisterCallUpKey() { callUpKey_ = HotKeyRegistration(); }

void Win32Platform::OnHotKey(WPARAM id) {
  if (callUpKey_.Registered() && static_cast<int>(id) == callUpKey_.Id() && !Quiet()) {
    events_->OnCallUpKey();
  }
}

ListId Win32Platform::FocusedList() const {
  HWND focus = ::GetFocus();
  if (std::optional<ListId> list = ListOf(focus)) return *list;
  // Outside the window: the list that had the focus last.
  if (std::optional<ListId> list = ListOf(lastFocus_)) return *list;
  return ListId::List2;
}

void Win32Platform::FocusList(ListId list) {
  QuietScope quiet(*this);
  HWND target = ListWindow(list);
  lastFocus_ = target;
  if (::GetForegroundWindow() == window_) ::SetFocus(target);
}

void Win32Platform::BringToFront() {
  QuietScope quiet(*this);
  // A modal dialog of the program is its last active popup.
  HWND front = ::GetLastActivePopup(window_);
  if (front == nullptr || !::IsWindowEnabled(front)) front = window_;
  ::SetForegroundWindow(front);
}

WindowHandle Win32Platform::ActiveWindow() const {
  return static_cast<WindowHandle>(reinterpret_cast<UINT_PTR>(::GetForegroundWindow()));
}

}  // namespace pelorin::platform::win32
