// The user's actions on the program's window, as real input: mouse input at
// the entries, keys on the keyboard, the window moved and sized as a drag
// does, the caption's buttons for its states.
#include <algorithm>
#include <cstdlib>

#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

using scenario::NameOf;

namespace {

constexpr DWORD kFocusTimeoutMs = 3000;
constexpr DWORD kPairingMarginMs = 100;

// The middle of the part of a rectangle that is on the screen.
std::optional<POINT> VisibleCenter(RECT rect, RECT within) {
  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT shown{};
  if (!::IntersectRect(&shown, &rect, &within) || !::IntersectRect(&shown, &shown, &screen)) {
    return std::nullopt;
  }
  return e2e::Center(shown);
}

RECT ClientOnScreen(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  ::MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  return client;
}

}  // namespace

// As the user's click on the window does: it becomes the active window, at
// the top of its band.
StepResult Player::PrepareAction() {
  if (!Running()) return CannotDo("the program is not running");
  if (!program_->WindowShown()) return CannotDo("the program's window is not shown");
  if (!e2e::Activate(Window())) return CannotDo("the program's window cannot be activated");
  return Pass();
}

StepResult Player::PrepareListAction(ListName list) {
  if (list == ListName::List1) return CannotDo("List1 is never shown");
  return PrepareAction();
}

StepResult Player::Click(ListName list, int index, bool twice) {
  if (StepResult failure = PrepareListAction(list)) return failure;
  const auto count = static_cast<int>(Ask(program_->ListWindow(list), LB_GETCOUNT));
  if (index < 0 || index >= count) {
    return CannotDo(NameOf(list) + " has no entry " + std::to_string(index) + " (it has " +
                    std::to_string(count) + ")");
  }
  if (program_->IsMinimized()) return CannotDo("the window is minimized");
  program_->ShowEntry(list, index);
  RECT item{};
  if (!program_->ItemRect(list, index, &item))
    return CannotDo(NameOf(list) + " shows no such entry");
  const std::optional<POINT> where =
      VisibleCenter(item, ClientOnScreen(program_->ListWindow(list)));
  if (!where)
    return CannotDo(NameOf(list) + "'s entry " + std::to_string(index) + " is not on the screen");
  if (!PressAt(twice ? e2e::Button::LeftTwice : e2e::Button::Left, *where, item)) {
    return CannotDo("the mouse input was not taken");
  }
  StepResult settled = Settle();
  ParkPointer();
  return settled;
}

// The pointer leaves the lists after a click, as a hand moves on: resting on
// List2 it would call up its tooltip, which may stand over the next entry
// clicked.
void Player::ParkPointer() {
  const POINT corner{::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1};
  HWND under = ::WindowFromPoint(corner);
  const bool program = under != nullptr && program_ != nullptr &&
                       ::GetWindowThreadProcessId(under, nullptr) == program_->ThreadId();
  if (!program) e2e::MoveMouse(corner);
}

StepResult Player::RightClick(ListName list) {
  if (StepResult failure = PrepareListAction(list)) return failure;
  if (program_->IsMinimized()) return CannotDo("the window is minimized");
  const RECT client = ClientOnScreen(program_->ListWindow(list));
  const std::optional<POINT> where = VisibleCenter(client, client);
  if (!where) return CannotDo(NameOf(list) + " is not on the screen");
  if (!PressAt(e2e::Button::Right, *where, client))
    return CannotDo("the mouse input was not taken");
  return Settle();
}

// A press near the last one of the same button and soon after it would make a
// double click of the two, which the scenario did not ask for: the press
// moves a little within its target, or waits when there is no room.
bool Player::PressAt(e2e::Button button, POINT wanted, const RECT& bounds) {
  const bool left = button != e2e::Button::Right;
  const bool lastLeft = lastPress_.button != e2e::Button::Right;
  const DWORD since = ::GetTickCount() - lastPress_.tick;
  const DWORD pairing = ::GetDoubleClickTime() + kPairingMarginMs;
  const int cx = ::GetSystemMetrics(SM_CXDOUBLECLK);
  const int cy = ::GetSystemMetrics(SM_CYDOUBLECLK);
  POINT where = wanted;
  const bool nearLast = std::abs(wanted.x - lastPress_.point.x) <= cx / 2 + 1 &&
                        std::abs(wanted.y - lastPress_.point.y) <= cy / 2 + 1;
  if (left == lastLeft && since < pairing && nearLast) {
    const int step = cx + 2;
    const int offsets[] = {step, -step, 2 * step, -2 * step};
    const auto room = std::ranges::find_if(offsets, [&](int dx) {
      return ::PtInRect(&bounds, {wanted.x + dx, wanted.y}) != FALSE;
    });
    if (room != std::end(offsets)) {
      where.x += *room;
    } else {
      e2e::Pause(pairing - since);
    }
  }
  const bool sent = e2e::Click(where, button);
  lastPress_ = {where, ::GetTickCount(), button};
  return sent;
}

StepResult Player::Focus(ListName list) {
  if (StepResult failure = MoveFocus(list)) return failure;
  return Settle();
}

// The keyboard focus goes to the list by the Tab key, which moves it between
// the two lists without raising any key event of the program.
StepResult Player::MoveFocus(ListName list) {
  if (StepResult failure = PrepareListAction(list)) return failure;
  HWND target = program_->ListWindow(list);
  HWND other = program_->ListWindow(list == ListName::List2 ? ListName::List3 : ListName::List2);
  // Activation gives the focus to the window first and to its list a moment later.
  e2e::WaitUntil([&] { return program_->Focus() == target || program_->Focus() == other; },
                 kFocusTimeoutMs);
  if (program_->Focus() == target) return Pass();
  if (program_->Focus() != other) return CannotDo("the keyboard focus is in neither list");
  e2e::PressKey(VK_TAB);
  if (!e2e::WaitUntil([&] { return program_->Focus() == target; }, kFocusTimeoutMs)) {
    return CannotDo("the Tab key did not move the keyboard focus to " + NameOf(list));
  }
  return Pass();
}

StepResult Player::PressKey(ListName list, int code, int mask) {
  if (StepResult failure = MoveFocus(list)) return failure;
  return PressChord(code, mask);
}

// The modifiers of the mask go down first and up last, as a hand presses them.
StepResult Player::PressChord(int code, int mask) {
  std::vector<WORD> keys;
  const std::pair<int, WORD> modifiers[] = {{1, VK_SHIFT}, {2, VK_CONTROL}, {4, VK_MENU}};
  for (const auto& [bit, key] : modifiers) {
    if (mask & bit) keys.push_back(key);
  }
  if (std::ranges::find(keys, code) == keys.end()) keys.push_back(static_cast<WORD>(code));
  e2e::PressKeys(keys);
  return Settle();
}

StepResult Player::Activate(const std::string& title) {
  const std::vector<HWND> windows = e2e::TopLevelWindowsOf(0);
  const auto found = std::ranges::find_if(windows, [&](HWND window) {
    return window != Window() && Utf8(e2e::WindowText(window)) == title;
  });
  if (found == windows.end()) {
    return Expected("that the user can activate " + Quoted(title),
                    "no window titled " + Quoted(title));
  }
  if (!e2e::Activate(*found)) return Expected("the window " + Quoted(title) + " active", "it not");
  return Running() ? Settle() : Pass();
}

// What a drag does: the window's outer rectangle changes, and the program's
// window procedure sees the move or the size as from the frame.
StepResult Player::Drag(double first, double second, bool resize) {
  if (StepResult failure = PrepareAction()) return failure;
  if (program_->IsMinimized()) return CannotDo("the window is minimized");
  if (program_->IsMaximized()) return CannotDo("the window is maximized");
  const int x = TwipsToPixels(first, program_->Dpi());
  const int y = TwipsToPixels(second, program_->Dpi());
  // One pair of the two counts: the new size, or the new top-left corner.
  ::SetWindowPos(Window(), nullptr, x, y, std::max(0, x), std::max(0, y),
                 SWP_NOZORDER | SWP_NOACTIVATE | (resize ? SWP_NOMOVE : SWP_NOSIZE));
  return Settle();
}

// The caption's buttons send these commands; nothing changes when the window
// is in that state already.
StepResult Player::ChangeState(platform::WindowState state) {
  using platform::WindowState;
  if (StepResult failure = PrepareAction()) return failure;
  if (state == State()) return Pass();
  const UINT command = state == WindowState::Minimized   ? SC_MINIMIZE
                       : state == WindowState::Maximized ? SC_MAXIMIZE
                                                         : SC_RESTORE;
  ::PostMessageW(Window(), WM_SYSCOMMAND, command, 0);
  return Settle();
}

}  // namespace pelorin::wine_scenario
