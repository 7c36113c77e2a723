#pragma once
// Module1: the window-listing callback of the paste.

#include "platform/platform.h"

namespace pelorin::app {

class Form1;

// Appends the window's title to the title list List1 (and its handle beside
// it) when the window is visible and has a title.
void CollectWindowTitle(Form1& form, const platform::TopLevelWindow& window);

}  // namespace pelorin::app
