// The user's actions, handed to the simulated desktop.
#include "tests/scenario/player.h"

namespace pelorin::scenario {

StepResult Player::Click(ListName list, int index, bool twice) {
  return Done(twice ? sim_.DoubleClick(ToListId(list), index) : sim_.Click(ToListId(list), index));
}

StepResult Player::PressKey(ListName list, int code, int mask) {
  return Done(sim_.Key(ToListId(list), code, mask));
}

StepResult Player::RightClick(ListName list) { return Done(sim_.RightClick(ToListId(list))); }

StepResult Player::Focus(ListName list) { return Done(sim_.Focus(ToListId(list))); }

StepResult Player::ClickMenu(app::MenuItem item, bool openOnly) {
  return Done(openOnly ? sim_.Open(item) : sim_.Menu(item));
}

StepResult Player::Activate(const std::string& title) { return Done(sim_.Activate(title)); }

StepResult Player::PressCallUpKey(const Command&) { return Done(sim_.PressCallUpKey()); }

StepResult Player::Resize(double width, double height) {
  return Done(sim_.Resize(static_cast<float>(width), static_cast<float>(height)));
}

StepResult Player::Move(double left, double top) {
  return Done(sim_.Move(static_cast<float>(left), static_cast<float>(top)));
}

StepResult Player::ChangeState(platform::WindowState state) {
  switch (state) {
    case platform::WindowState::Minimized:
      return Done(sim_.Minimize());
    case platform::WindowState::Maximized:
      return Done(sim_.Maximize());
    case platform::WindowState::Normal:
      break;
  }
  return Done(sim_.Restore());
}

}  // namespace pelorin::scenario
