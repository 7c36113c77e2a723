#include "app/form1.h"

#include <algorithm>

#include "app/messages.h"
#include "app/key_codes.h"

namespace pelorin::app {

using platform::Rect;
using platform::WindowState;

Form1::Form1(platform::Platform& platform)
    : platform_(platform),
      settings_(platform.Files(), platform.AppFolder() + "/" + store::kSettingsFileName) {}

void Form1::Create() { platform_.CreateMainWindow(MenuTable(), *this); }

// --- helpers: a program-made change runs its event handler exactly once -----

void Form1::Select(ListId list, int index) {
  // Load-bearing: the platform raises no click for a program-made selection,
  // so the handler runs here, inside the command, as a user's click would.
  platform_.ListSelect(list, index);
  if (index < 0) return;
  if (list == ListId::List3) SelectCategory();
  if (list == ListId::List2) KaomojiClick();
}

void Form1::SetWindowRect(const Rect& rect) {
  const Rect before = platform_.WindowRect();
  platform_.SetWindowRect(rect);
  const Rect after = platform_.WindowRect();
  if (after.width != before.width || after.height != before.height) OnResize();
}

void Form1::SetWindowState(WindowState state) {
  if (platform_.GetWindowState() == state) return;
  platform_.SetWindowState(state);
  OnResize();
}

bool Form1::MenuBarShown() const { return platform_.MenuVisible(ID_FILE); }

void Form1::SetMenuVisible(MenuItem item, bool visible) {
  auto barPresent = [this] {
    return std::ranges::any_of(kBarMenus,
                               [this](MenuItem menu) { return platform_.MenuVisible(menu); });
  };
  const bool before = barPresent();
  platform_.SetMenuVisible(item, visible);
  // The bar appearing or going changes the client area: a resize.
  if (barPresent() != before) OnResize();
}

void Form1::ShowForm() {
  platform_.ShowWindow();
  // The first show of a window raises its resize event.
  if (!windowShownOnce_) {
    windowShownOnce_ = true;
    OnResize();
  }
}

std::string Form1::DataFolder() const { return platform_.AppFolder() + "/data"; }

std::string Form1::DataPath(const std::string& fileName) const {
  return DataFolder() + "/" + fileName;
}

int Form1::Message(const std::string& text, int flags, const std::string& caption) {
  ModalScope modal(*this);
  return platform_.MsgBox(text, flags, caption.empty() ? kAppTitle : caption);
}

std::optional<std::string> Form1::AskInput(const std::string& prompt, const std::string& caption,
                                           const std::string& defaultText, float left, float top) {
  ModalScope modal(*this);
  return platform_.InputBox(prompt, caption, defaultText, left, top);
}

std::optional<platform::MenuItemId> Form1::ShowPopup(MenuItem popup) {
  ModalScope modal(*this);
  return platform_.PopupMenu(popup);
}

void Form1::FocusList(ListId list) {
  const ListId losing = platform_.FocusedList();
  if (losing == list) return;
  // Load-bearing: a program-made focus change raises no event.
  platform_.FocusList(list);
  OnListLostFocus(losing);
}

void Form1::ReportSettingsWrite(const store::SettingsWrite& result) {
  if (result.ok || settingsFailureReported_) return;
  settingsFailureReported_ = true;
  Message(messages::kSettingsNotWritten, messages::kWarning);
}

// --- event routing -------------------------------------------------------------

void Form1::OnLoad() {
  settingsFailureReported_ = false;
  StartUp();
}

void Form1::OnResize() {
  // The layout sets the window height from inside its own resize; the second
  // pass finds the lists at whole rows. The guard only stops a platform whose
  // rounding would never settle.
  const WindowState state = platform_.GetWindowState();
  if (state != WindowState::Minimized) stateBeforeMinimize_ = state;
  if (layoutDepth_ > 3) return;
  ++layoutDepth_;
  Layout();
  --layoutDepth_;
}

bool Form1::OnUnload() {
  settingsFailureReported_ = false;
  return ShutDown();
}

void Form1::OnListClick(ListId list) {
  settingsFailureReported_ = false;
  if (list == ListId::List3) SelectCategory();
  if (list == ListId::List2) KaomojiClick();
}

void Form1::OnListDoubleClick(ListId list) {
  if (list == ListId::List2) Paste();
}

bool Form1::OnListKeyDown(ListId list, int keyCode, int shift) {
  settingsFailureReported_ = false;
  if (list == ListId::List3) CategoryKeyDown(keyCode, shift);
  if (list == ListId::List2) KaomojiKeyDown(keyCode, shift);
  // Ctrl+F: the list's own key handling above ran as for any key; the
  // letter goes no further.
  if (keyCode == kKeyF && shift == kCtrlOnly && platform_.OffersSearch()) {
    OpenSearch();
    return false;
  }
  return true;
}

void Form1::OnListLostFocus(ListId list) {
  if (list == ListId::List2) KaomojiLostFocus();
}

void Form1::OnListMouseUp(ListId list, int button) {
  settingsFailureReported_ = false;
  if (list == ListId::List3) CategoryMouseUp(button);
  if (list == ListId::List2) KaomojiMouseUp(button);
}

void Form1::OnMenuClick(platform::MenuItemId item) {
  settingsFailureReported_ = false;
  if (item < 0 || item >= kMenuItemCount) return;
  RunMenuCommand(static_cast<MenuItem>(item));
}

void Form1::OnCallUpKey() {
  settingsFailureReported_ = false;
  CallUpKeyPressed();
}

void Form1::RunMenuCommand(MenuItem item) {
  switch (item) {
    case ID_EXIT: return ClickExit();
    case ID_MENU: return ClickMenuOption();
    case ID_MENU_C: return ClickMenuOptionTwin();
    case ID_FLONT: return ClickAlwaysOnTop();
    case ID_FLONT_C: return ClickAlwaysOnTopTwin();
    case ID_HOTKEY: return ChooseCallUpKey();
    case ID_EDIT: return OpenEditMenu();
    case ID_FIND: return OpenSearch();
    case ID_ADD_K: case ID_ADD_K_C: return AddKaomoji();
    case ID_EDIT_K: case ID_EDIT_K_C: return RewriteKaomoji();
    case ID_DEL_K: case ID_DEL_K_C: return DeleteKaomoji();
    case ID_UP_K: case ID_UP_K_C: return MoveKaomojiUp();
    case ID_DOWN_K: case ID_DOWN_K_C: return MoveKaomojiDown();
    case ID_TOP_K: case ID_TOP_K_C: return MoveKaomojiToTop();
    case ID_ADD_S: case ID_ADD_S_C: return AddCategory();
    case ID_EDIT_S: case ID_EDIT_S_C: return RenameCategory();
    case ID_DEL_S: case ID_DEL_S_C: return DeleteCategory();
    case ID_UP_S: case ID_UP_S_C: return MoveCategoryUp();
    case ID_DOWN_S: case ID_DOWN_S_C: return MoveCategoryDown();
    case ID_TOP_S: case ID_TOP_S_C: return MoveCategoryToTop();
    case ID_HELP_F: case ID_HELP_C: return OpenHelp();
    case ID_HP: case ID_HP_C: return OpenSupportPage();
    case ID_VER: case ID_VER_C: return ShowVersion();
    default: return;  // menus that only open, and separators
  }
}

}  // namespace pelorin::app
