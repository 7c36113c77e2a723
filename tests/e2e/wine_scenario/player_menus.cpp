// The menu bar, worked as the user works it: a click on the bar opens the
// menu (the program's click of that menu runs as it opens), the arrow keys
// move through the open menus and Enter chooses the item. What an open menu
// holds is read from its real menu through the probe.
#include <vector>

#include "app/menu_table.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

namespace {

constexpr DWORD kMenuTimeoutMs = 3000;
constexpr int kMaxEscapes = 4;

const platform::MenuEntry& EntryOf(int item) { return app::MenuTable()[static_cast<size_t>(item)]; }

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

bool InMenuMode(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE) != 0;
}

}  // namespace

StepResult Player::ClickMenu(app::MenuItem found, bool openOnly) {
  if (StepResult failure = PrepareAction()) return failure;
  const int item = found;
  const std::string name = EntryOf(item).name;
  const std::vector<int> path = PathTo(item);
  if (std::optional<std::string> why = NotInBar(openOnly, item, path.front())) {
    return CannotDo(name + *why);
  }
  HWND popup = nullptr;
  if (StepResult failure = OpenBarMenu(path.front(), &popup)) return failure;
  for (size_t level = 1; level < path.size(); ++level) {
    if (!HighlightMenuItem(popup, Window(), environment_.probe, path[level])) {
      (void)LeaveMenus();
      return CannotDo(std::string(EntryOf(path[level]).name) + " is hidden");
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
    const int submenu = path[level];
    if (!e2e::WaitUntil(
            [&] {
              popup = FindOpenMenu(program_->Dialogs(), Window(), environment_.probe, submenu);
              return popup != nullptr;
            },
            kMenuTimeoutMs)) {
      (void)LeaveMenus();
      return CannotDo(std::string(EntryOf(submenu).name) + " did not open");
    }
  }
  // A menu of the bar alone: opened (its click ran) and closed again.
  return LeaveMenus();
}

StepResult Player::OpenBarMenu(int top, HWND* popup) {
  const std::optional<LRESULT> packed =
      environment_.probe.Ask(Window(), probe::Question::BarItemRect, static_cast<unsigned>(top));
  if (!packed) return CannotDo("the probe does not answer");
  if (*packed == 0) return CannotDo(std::string(EntryOf(top).name) + " is hidden");
  const RECT rect = probe::UnpackRect(*packed);
  const POINT center{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  // A click the pointer's late arrival lost is given once more.
  for (int attempt = 0; attempt < 2; ++attempt) {
    PressAt(Press::Click, center, rect);
    if (e2e::WaitUntil(
            [&] {
              *popup = FindOpenMenu(program_->Dialogs(), Window(), environment_.probe, top);
              return *popup != nullptr;
            },
            kMenuTimeoutMs)) {
      return Pass();
    }
    if (InMenuMode(program_->ThreadId())) (void)LeaveMenus();
  }
  return CannotDo(std::string(EntryOf(top).name) + " did not open");
}

bool Player::MenuOpen() const {
  if (!ProgramRunning()) return false;
  for (HWND window : program_->Dialogs()) {
    if (e2e::ClassName(window) == L"#32768") return true;
  }
  return InMenuMode(program_->ThreadId());
}

// Escape closes the open menus one by one, then leaves the menu bar.
StepResult Player::LeaveMenus() {
  for (int i = 0; i < kMaxEscapes && ProgramRunning(); ++i) {
    if (program_->Dialogs().empty() && !InMenuMode(program_->ThreadId())) break;
    const size_t open = program_->Dialogs().size();
    e2e::PressKey(VK_ESCAPE);
    e2e::WaitUntil(
        [&] {
          return program_->Dialogs().size() < open ||
                 (open == 0 && !InMenuMode(program_->ThreadId()));
        },
        kMenuTimeoutMs);
  }
  return Settle();
}

}  // namespace pelorin::wine_scenario
