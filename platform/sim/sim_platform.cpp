#include "platform/sim/sim_platform.h"

#include <algorithm>
#include <filesystem>

namespace pelorin::sim {

using platform::ListId;
using platform::Rect;
using platform::WindowState;

// A space and Japanese in the folder's name, as on many a real desktop.
SimPlatform::SimPlatform()
    : folder_("顔文字 Pelorin"),
      files_(realFiles_, folder_.Path()),
      lists_{SimListBox(kList1Design), SimListBox(kList2Design), SimListBox(kList3Design)} {
  std::filesystem::create_directory(std::filesystem::path(folder_.Path()) / "data");
}

void SimPlatform::CreateMainWindow(std::span<const platform::MenuEntry> menus,
                                   platform::WindowEvents& events) {
  if (own_ != 0) desktop_.Remove(own_);
  events_ = &events;
  own_ = desktop_.Add(kApplicationTitle);
  shown_ = false;
  ended_ = false;
  normal_ = kFreshWindow;
  state_ = WindowState::Normal;
  menus_.Reset(menus);
  lists_ = {SimListBox(kList1Design), SimListBox(kList2Design), SimListBox(kList3Design)};
  tooltip_.clear();
  focus_ = ListId::List2;
}

Rect SimPlatform::WindowRect() const {
  switch (state_) {
    case WindowState::Maximized:
      return kScreen;
    case WindowState::Minimized:
      return Rect{normal_.left, normal_.top, kMinimizedWidth, kMinimizedHeight};
    case WindowState::Normal:
      break;
  }
  return normal_;
}

void SimPlatform::SetWindowRect(const Rect& rect) {
  // A window has no negative size; the program applies saved values unchecked.
  normal_ = Rect{rect.left, rect.top, std::max(0.0f, rect.width), std::max(0.0f, rect.height)};
}

void SimPlatform::SetTopmost(bool topmost) {
  desktop_.SetTopmost(own_, topmost);
  ShowWindow();  // SetWindowPos with SWP_SHOWWINDOW
}

void SimPlatform::ShowWindow() {
  if (shown_ || ended_ || own_ == 0) return;
  // The first show of a program the user just started brings it to the
  // front with the focus.
  shown_ = true;
  desktop_.Show(own_);
  desktop_.Activate(own_);
}

void SimPlatform::EndProgram() {
  if (ended_) return;
  ended_ = true;
  // The system lets go of a key whose program has ended.
  callUpKey_.reset();
  desktop_.Remove(own_);
}

bool SimPlatform::RegisterCallUpKey(const platform::KeyCombination& key) {
  if (std::find(heldKeys_.begin(), heldKeys_.end(), key) != heldKeys_.end()) return false;
  callUpKey_ = key;
  return true;
}

bool SimPlatform::ClearClipboard() {
  clipboard_.reset();
  return true;
}

bool SimPlatform::SetClipboardText(const std::string& text) {
  clipboard_ = text;
  return true;
}

bool SimPlatform::SendPasteKeystroke() {
  pastes_.push_back({ActiveTitle(), clipboard_});
  return true;
}

}  // namespace pelorin::sim
