// The user's actions, handed to the simulated desktop.
#include "app/menu_table.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

using K = CommandKind;

StepResult Player::RunAction(const Command& command) {
  sim::ActionResult done = sim::ActionResult::Ok();
  const std::vector<Arg>& args = command.args;
  switch (command.kind) {
    case K::Click:
      done = sim_.Click(ToListId(args[0].list), args[1].Integer());
      break;
    case K::DoubleClick:
      done = sim_.DoubleClick(ToListId(args[0].list), args[1].Integer());
      break;
    case K::Key:
      done = sim_.Key(ToListId(args[0].list), args[1].Integer(), args[2].Integer());
      break;
    case K::RightClick:
      done = sim_.RightClick(ToListId(args[0].list));
      break;
    case K::Focus:
      done = sim_.Focus(ToListId(args[0].list));
      break;
    case K::Menu:
    case K::Open:
      return ClickMenu(command);
    case K::Activate:
      done = sim_.Activate(args[0].text);
      break;
    case K::Resize:
      done = sim_.Resize(static_cast<float>(args[0].number), static_cast<float>(args[1].number));
      break;
    case K::Move:
      done = sim_.Move(static_cast<float>(args[0].number), static_cast<float>(args[1].number));
      break;
    case K::Minimize:
      done = sim_.Minimize();
      break;
    case K::Maximize:
      done = sim_.Maximize();
      break;
    case K::Restore:
      done = sim_.Restore();
      break;
    default:
      return "the player cannot run '" + command.name + "'";
  }
  if (!done) return Expected("that the user can " + command.source, done.error);
  return Pass();
}

StepResult Player::ClickMenu(const Command& command) {
  std::optional<app::MenuItem> item = app::FindMenuItem(command.args[0].text);
  if (!item) return Expected("a menu item name", Quoted(command.args[0].text));
  sim::ActionResult done = command.kind == K::Menu ? sim_.Menu(*item) : sim_.Open(*item);
  if (!done) return Expected("that the user can " + command.source, done.error);
  return Pass();
}

}  // namespace pelorin::scenario
