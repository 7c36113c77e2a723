// The user's actions on the simulated desktop: the only place where the
// simulation raises the program's events.

#include <algorithm>
#include <string>

#include "platform/sim/sim_platform.h"

namespace pelorin::sim {

using platform::ListId;
using platform::MenuItemId;
using platform::WindowState;

namespace {

constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;
constexpr int kRightButton = 2;

// Resize and Move change the normal window only.
ActionResult NotNormal(WindowState state) {
  return ActionResult::Fail(std::string("the window is ") +
                            (state == WindowState::Minimized ? "minimized" : "maximized"));
}

}  // namespace

ActionResult SimPlatform::Load() {
  if (events_ == nullptr) return ActionResult::Fail("the program created no window");
  if (ended_) return ActionResult::Fail("the program has ended");
  events_->OnLoad();
  return ActionResult::Ok();
}

ActionResult SimPlatform::Close() {
  if (!ProgramRunning()) return ActionResult::Fail("the program is not running");
  if (!shown_) return ActionResult::Fail("the program's window is not shown");
  if (events_->OnUnload()) EndProgram();
  return ActionResult::Ok();
}

ActionResult SimPlatform::PrepareAction(std::optional<ListId> list) {
  if (!ProgramRunning()) return ActionResult::Fail("the program is not running");
  if (!shown_) return ActionResult::Fail("the program's window is not shown");
  if (list == ListId::List1) return ActionResult::Fail("List1 is never shown");
  desktop_.Activate(own_);
  return ActionResult::Ok();
}

void SimPlatform::MoveFocus(ListId list) {
  if (focus_ == list) return;
  ListId losing = focus_;
  focus_ = list;
  events_->OnListLostFocus(losing);
}

ActionResult SimPlatform::Click(ListId list, int index, bool twice) {
  if (ActionResult ready = PrepareAction(list); !ready) return ready;
  if (!List(list).Contains(index)) {
    return ActionResult::Fail("List" + std::to_string(static_cast<int>(list)) + " has no entry " +
                              std::to_string(index) + " (it has " +
                              std::to_string(List(list).Count()) + ")");
  }
  MoveFocus(list);
  if (ended_) return ActionResult::Ok();
  List(list).Select(index);
  events_->OnListClick(list);
  if (twice && !ended_) events_->OnListDoubleClick(list);
  return ActionResult::Ok();
}

ActionResult SimPlatform::Key(ListId list, int keyCode, int shift) {
  if (ActionResult ready = PrepareAction(list); !ready) return ready;
  MoveFocus(list);
  const bool listHandles = !ended_ && events_->OnListKeyDown(list, keyCode, shift);
  if (!listHandles || ended_ || (keyCode != kKeyUp && keyCode != kKeyDown)) {
    return ActionResult::Ok();
  }
  if (List(list).StepSelection(keyCode == kKeyUp ? -1 : 1)) events_->OnListClick(list);
  return ActionResult::Ok();
}

ActionResult SimPlatform::RightClick(ListId list) {
  if (ActionResult ready = PrepareAction(list); !ready) return ready;
  events_->OnListMouseUp(list, kRightButton);
  return ActionResult::Ok();
}

ActionResult SimPlatform::Menu(MenuItemId item) {
  if (ActionResult ready = PrepareAction(); !ready) return ready;
  if (!menus_.Contains(item)) return ActionResult::Fail("no such menu item");
  std::string name = menus_.Entry(item).name;
  if (menus_.InContextMenu(item)) return ActionResult::Fail(name + " is an item of a context menu");
  MenuItemId top = menus_.TopMenuOf(item);
  if (std::optional<std::string> why = menus_.WhyHidden(top)) return ActionResult::Fail(*why);
  if (menus_.Entry(item).separator) return ActionResult::Fail(name + " is a separator");
  // Opening a menu runs its click, which may change what it shows.
  events_->OnMenuClick(top);
  if (item == top || ended_) return ActionResult::Ok();
  if (std::optional<std::string> why = menus_.WhyHidden(item)) return ActionResult::Fail(*why);
  events_->OnMenuClick(item);
  return ActionResult::Ok();
}

ActionResult SimPlatform::Open(MenuItemId topMenu) {
  if (ActionResult ready = PrepareAction(); !ready) return ready;
  if (!menus_.Contains(topMenu)) return ActionResult::Fail("no such menu item");
  const platform::MenuEntry& entry = menus_.Entry(topMenu);
  std::string name = entry.name;
  if (entry.parent != -1) return ActionResult::Fail(name + " is not a menu of the menu bar");
  if (entry.popupOnly) return ActionResult::Fail(name + " is a context menu");
  if (std::optional<std::string> why = menus_.WhyHidden(topMenu)) return ActionResult::Fail(*why);
  events_->OnMenuClick(topMenu);
  return ActionResult::Ok();
}

ActionResult SimPlatform::Focus(ListId list) {
  if (ActionResult ready = PrepareAction(list); !ready) return ready;
  MoveFocus(list);
  return ActionResult::Ok();
}

ActionResult SimPlatform::Resize(float width, float height) {
  if (ActionResult ready = PrepareAction(); !ready) return ready;
  if (state_ != WindowState::Normal) return NotNormal(state_);
  normal_.width = std::max(0.0f, width);
  normal_.height = std::max(0.0f, height);
  events_->OnResize();
  return ActionResult::Ok();
}

ActionResult SimPlatform::Move(float left, float top) {
  if (ActionResult ready = PrepareAction(); !ready) return ready;
  if (state_ != WindowState::Normal) return NotNormal(state_);
  normal_.left = left;
  normal_.top = top;
  return ActionResult::Ok();
}

ActionResult SimPlatform::ChangeState(WindowState state) {
  if (ActionResult ready = PrepareAction(); !ready) return ready;
  if (state_ == state) return ActionResult::Ok();
  state_ = state;
  events_->OnResize();
  return ActionResult::Ok();
}

ActionResult SimPlatform::PressCallUpKey() {
  if (ProgramRunning() && callUpKey_) events_->OnCallUpKey();
  return ActionResult::Ok();
}

ActionResult SimPlatform::Activate(const std::string& title) {
  std::optional<platform::WindowHandle> window = desktop_.Find(title, own_);
  if (!window) return ActionResult::Fail("no window titled \"" + title + "\"");
  desktop_.Activate(*window);
  return ActionResult::Ok();
}

}  // namespace pelorin::sim
