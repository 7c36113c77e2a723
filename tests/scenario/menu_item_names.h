#pragma once
// A menu item as scenario commands name it: by the menu table's name (ID_ADD_S).

#include <optional>
#include <string>

#include "app/menu_table.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

// The item of that name; nullopt with "expected a menu item name, found ..."
// in `failure` when there is none.
std::optional<app::MenuItem> NamedMenuItem(const std::string& name, StepResult& failure);

}  // namespace pelorin::scenario
