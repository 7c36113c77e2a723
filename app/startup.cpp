// Start-up: one copy only, the saved categories, the saved category shown,
// the saved window state applied, the window shown.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/messages.h"
#include "store/call_up_key_setting.h"
#include "store/leftover_files.h"
#include "store/window_state.h"

namespace pelorin::app {

using platform::Rect;

namespace {

// The fresh-window place and the design client area (4695 x 2070).
constexpr float kFreshLeft = 1200;
constexpr float kFreshTop = 1200;
constexpr float kDesignClientWidth = 4695;
constexpr float kDesignClientHeight = 2070;

bool Intersects(const Rect& a, const Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

}  // namespace

void Form1::StartUp() {
  if (platform_.AnotherCopyRunning()) {
    Message(messages::kSecondCopy);
    platform_.EndProgram();
    return;
  }
  // After the check for another copy, whose saves may be under way.
  store::RemoveLeftoverTemporaryFiles(platform_.Files(), platform_.AppFolder(), DataFolder());
  // Starting with empty lists would let shutdown save over the user's
  // categories: a settings file that cannot be read ends the program untouched.
  // Each read is checked, not only the first: the file can be locked by
  // another program between two of them.
  const std::optional<std::vector<std::string>> categories = ReadCategoryList();
  const store::SettingsValue saved = settings_.Read("DATA", "STATE");
  const store::SettingsValue callUpKey =
      settings_.Read(store::kCallUpKeySection, store::kCallUpKeyName);
  if (!categories || !saved.readable || !callUpKey.readable) {
    const bool garbled = saved.garbled || callUpKey.garbled;
    Message(garbled ? messages::kSettingsGarbled : messages::kSettingsUnreadable);
    platform_.EndProgram();
    return;
  }
  platform_.ListReplaceAll(ListId::List3, *categories);
  // Where the platform does not realise them, the keyboard additions are
  // not offered at all.
  if (!platform_.OffersCallUpKey()) platform_.SetMenuVisible(ID_HOTKEY, false);
  if (!platform_.OffersSearch()) platform_.SetMenuVisible(ID_FIND, false);
  askedAtStart_ = ApplySavedWindowState(saved);
  ShowForm();
  shownAtStart_ = platform_.WindowRect();
  // After the show: a message about the key stands over the window.
  StartCallUpKey(callUpKey.value);
}

Rect Form1::GeometryToSave() const {
  Rect rect = platform_.WindowRect();
  if (!askedAtStart_) return rect;
  if (rect.left == shownAtStart_.left && rect.top == shownAtStart_.top) {
    rect.left = askedAtStart_->left;
    rect.top = askedAtStart_->top;
  }
  if (rect.width == shownAtStart_.width && rect.height == shownAtStart_.height) {
    rect.width = askedAtStart_->width;
    rect.height = askedAtStart_->height;
  }
  return rect;
}

std::optional<Rect> Form1::ApplySavedWindowState(const store::SettingsValue& saved) {
  std::optional<store::WindowStateFields> parsed;
  if (saved.value) parsed = store::ParseWindowState(*saved.value);

  store::WindowStateFields state;  // no selection, bar shown, always on top
  const platform::FrameSizes frame = platform_.GetFrameSizes();
  state.left = kFreshLeft;
  state.top = kFreshTop;
  state.width = kDesignClientWidth + frame.width;
  state.height = kDesignClientHeight + frame.heightWithMenuBar;
  if (parsed) state = *parsed;

  const int count = platform_.ListCount(ListId::List3);
  if (state.selectedCategory >= 0 && state.selectedCategory < count) {
    Select(ListId::List3, state.selectedCategory);
  }

  // The menu bar before the geometry: a window saved without the bar then
  // comes back at the size it was saved with.
  for (MenuItem menu : kBarMenus) SetMenuVisible(menu, state.menuBarShown);
  platform_.SetMenuChecked(ID_MENU, state.menuBarShown);
  platform_.SetMenuChecked(ID_MENU_C, state.menuBarShown);

  Rect rect{state.left, state.top, state.width, state.height};
  const std::vector<Rect> monitors = platform_.Monitors();
  const bool onScreen = std::any_of(monitors.begin(), monitors.end(),
                                    [&](const Rect& m) { return Intersects(rect, m); });
  if (!onScreen && !monitors.empty()) {
    rect.left = kFreshLeft;
    rect.top = kFreshTop;
  }
  Rect current = platform_.WindowRect();
  current.top = rect.top;
  SetWindowRect(current);
  current.left = rect.left;
  SetWindowRect(current);
  current = platform_.WindowRect();
  current.height = rect.height;
  SetWindowRect(current);
  current = platform_.WindowRect();
  current.width = rect.width;
  SetWindowRect(current);

  // ID_FLONT starts checked; its click inverts it, so set the opposite first.
  const bool opposite = platform_.MenuChecked(ID_FLONT) != state.alwaysOnTop;
  platform_.SetMenuChecked(ID_FLONT, opposite);
  platform_.SetMenuChecked(ID_FLONT_C, opposite);
  ClickAlwaysOnTop();
  if (!parsed) return std::nullopt;
  return rect;
}

}  // namespace pelorin::app
