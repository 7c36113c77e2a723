// The call-up key as the user presses it, and what the window shows of the
// keyboard additions: menu captions and the keyboard focus.
#include <string_view>

#include "app/key_names.h"
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

namespace {

// What the user reads off the menu: "呼び出しキー: KEYS".
constexpr std::string_view kCaptionPrefix = "呼び出しキー: ";
// Pressed when the menu names no call-up key: the one the program would take
// by default, which must then do nothing.
constexpr platform::KeyCombination kDefaultKey{true, true, false, 'K'};

}  // namespace

// The key the menu names, pressed wherever the focus is.
StepResult Player::PressCallUpKey(const scenario::Command&) {
  if (!Running()) return CannotDo("the program is not running");
  std::string why;
  const std::optional<std::string> caption = MenuCaption(app::ID_HOTKEY, why);
  if (!caption) return CannotDo("read the call-up key off its menu item: " + why);
  std::optional<platform::KeyCombination> key;
  if (caption->starts_with(kCaptionPrefix)) {
    key = app::ParseKeyName(std::string_view(*caption).substr(kCaptionPrefix.size()));
  }
  const platform::KeyCombination pressed = key.value_or(kDefaultKey);
  Trace("pressing " + app::FormatKeyName(pressed));
  return PressChord(pressed.keyCode,
                    (pressed.shift ? 1 : 0) | (pressed.ctrl ? 2 : 0) | (pressed.alt ? 4 : 0));
}

std::optional<std::string> Player::MenuCaption(app::MenuItem item, std::string& why) {
  const std::optional<std::string> caption = environment_.probe.MenuCaption(Window(), item);
  if (!caption) why = "the item is not in its menu, or the probe gave no answer";
  return caption;
}

// In the active window, where the focus is; in a window that is not active
// (another program is in front), where activating it puts the focus back.
std::optional<ListName> Player::KeyboardFocus(std::string& why) {
  HWND focus = program_->Focus();
  if (focus == nullptr) {
    const std::optional<LRESULT> list =
        environment_.probe.Ask(Window(), probe::Question::FocusOnActivation);
    if (list && *list >= 1 && *list <= 3) return static_cast<ListName>(*list);
    why = list ? "no list gets it when the window is activated" : "no answer from the probe";
    return std::nullopt;
  }
  for (ListName list : {ListName::List1, ListName::List2, ListName::List3}) {
    if (focus == program_->ListWindow(list)) return list;
  }
  why =
      "it in a " + Utf8(e2e::ClassName(focus)) + " window " + Quoted(Utf8(e2e::WindowText(focus)));
  return std::nullopt;
}

}  // namespace pelorin::wine_scenario
