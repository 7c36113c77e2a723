// The menu bar, worked as the user works it: a click on the bar opens the
// menu (the program's click of that menu runs as it opens), the arrow keys
// move through the open menus and Enter chooses the item. What an open menu
// holds is read from its real menu through the probe.
#include <vector>

#include "app/menu_table.h"
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

namespace {

constexpr DWORD kMenuTimeoutMs = 3000;
constexpr int kMaxEscapes = 4;
constexpr int kMaxMenuSteps = 40;

const platform::MenuEntry& EntryOf(int item) { return app::MenuTable()[static_cast<size_t>(item)]; }

std::string NameOf(int item) { return EntryOf(item).name; }

// The item and the menus above it, the top-level menu first.
std::vector<int> PathTo(int item) {
  std::vector<int> path;
  for (int at = item; at != -1 && path.size() <= app::MenuTable().size(); at = EntryOf(at).parent) {
    path.insert(path.begin(), at);
  }
  return path;
}

// Why the user cannot reach the item in the menu bar, whatever is shown now.
std::optional<std::string> NotInBar(bool openOnly, int item, int top) {
  if (openOnly && EntryOf(item).parent != -1) return " is not a menu of the menu bar";
  if (openOnly && EntryOf(top).popupOnly) return " is a context menu";
  if (EntryOf(top).popupOnly) return " is an item of a context menu";
  if (EntryOf(item).separator) return " is a separator";
  return std::nullopt;
}

}  // namespace

StepResult Player::ClickMenu(app::MenuItem found, bool openOnly) {
  if (StepResult failure = PrepareAction()) return failure;
  const int item = found;
  const std::vector<int> path = PathTo(item);
  if (std::optional<std::string> why = NotInBar(openOnly, item, path.front())) {
    return CannotDo(NameOf(item) + *why);
  }
  HWND popup = nullptr;
  if (StepResult failure = OpenBarMenu(path.front(), &popup)) return failure;
  for (size_t level = 1; level < path.size(); ++level) {
    if (!HighlightMenuItem(popup, path[level])) {
      (void)LeaveMenus();
      return CannotDo(NameOf(path[level]) + " is hidden");
    }
    if (level + 1 == path.size()) {
      e2e::PressKey(VK_RETURN);
      // The menus close before the chosen item's command runs; an open menu
      // seen meanwhile is no context menu of the program.
      e2e::WaitUntil([&] { return !MenuOpen(); }, kMenuTimeoutMs);
      return Settle();
    }
    // The arrow opens the submenu with its first item highlighted.
    e2e::PressKey(VK_RIGHT);
    popup = WaitForMenu(path[level]);
    if (popup == nullptr) {
      (void)LeaveMenus();
      return CannotDo(NameOf(path[level]) + " did not open");
    }
  }
  // A menu of the bar alone: opened (its click ran) and closed again.
  return LeaveMenus();
}

StepResult Player::OpenBarMenu(int top, HWND* popup) {
  const std::optional<LRESULT> packed =
      environment_.probe.Ask(Window(), probe::Question::BarItemRect, static_cast<unsigned>(top));
  if (!packed) return CannotDo("the probe does not answer");
  if (*packed == 0) return CannotDo(NameOf(top) + " is hidden");
  const RECT rect = probe::UnpackRect(*packed);
  // A click the pointer's late arrival lost is given once more.
  for (int attempt = 0; attempt < 2; ++attempt) {
    PressAt(e2e::Button::Left, e2e::Center(rect), rect);
    *popup = WaitForMenu(top);
    if (*popup != nullptr) return Pass();
    if (program_->InMenuMode()) (void)LeaveMenus();
  }
  return CannotDo(NameOf(top) + " did not open");
}

HWND Player::WaitForMenu(int menu) {
  HWND found = nullptr;
  e2e::WaitUntil(
      [&] {
        for (HWND window : program_->Dialogs(/*menusOnly=*/true)) {
          const std::optional<PopupView> view = environment_.probe.DescribePopup(Window(), window);
          if (view && view->menu == menu) found = window;
        }
        return found != nullptr;
      },
      kMenuTimeoutMs);
  return found;
}

bool Player::HighlightMenuItem(HWND popup, int item) {
  for (int step = 0; step < kMaxMenuSteps; ++step) {
    const std::optional<PopupView> view = environment_.probe.DescribePopup(Window(), popup);
    const int target = view ? view->SelectablePosition(item) : -1;
    if (target < 0) return false;
    const int highlighted = view->Highlighted();
    const int current = highlighted < 0 ? -1 : view->SelectablePosition(highlighted);
    if (current == target) return true;
    e2e::PressKey(current < target ? VK_DOWN : VK_UP);
    // The key is handled by the menu's own loop after this question.
    e2e::WaitUntil(
        [&] {
          const std::optional<PopupView> now = environment_.probe.DescribePopup(Window(), popup);
          return !now || now->Highlighted() != highlighted;
        },
        kMenuTimeoutMs);
  }
  return false;
}

bool Player::MenuOpen() const {
  return Running() && (!program_->Dialogs(/*menusOnly=*/true).empty() || program_->InMenuMode());
}

// Escape closes the open menus one by one, then leaves the menu bar.
StepResult Player::LeaveMenus() {
  for (int i = 0; i < kMaxEscapes && Running(); ++i) {
    const size_t open = program_->Dialogs().size();
    if (open == 0 && !program_->InMenuMode()) break;
    e2e::PressKey(VK_ESCAPE);
    e2e::WaitUntil(
        [&] { return program_->Dialogs().size() < open || (open == 0 && !program_->InMenuMode()); },
        kMenuTimeoutMs);
  }
  return Settle();
}

}  // namespace pelorin::wine_scenario
