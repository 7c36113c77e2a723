#include "tests/scenario/menu_item_names.h"

namespace pelorin::scenario {

std::optional<app::MenuItem> NamedMenuItem(const std::string& name, StepResult& failure) {
  std::optional<app::MenuItem> item = app::FindMenuItem(name);
  if (!item) failure = Expected("a menu item name", Quoted(name));
  return item;
}

}  // namespace pelorin::scenario
