#include "platform/sim/sim_platform.h"

#include <algorithm>
#include <filesystem>

#include "platform/sim/sim_metrics.h"

namespace pelorin::sim {

using platform::ListId;
using platform::Rect;
using platform::WindowState;

namespace {
// A space and Japanese in the folder's name, as on many a real desktop.
constexpr const char* kFolderLeaf = "顔文字 Pelorin";
}  // namespace

SimPlatform::SimPlatform()
    : folder_(kFolderLeaf),
      files_(realFiles_, folder_.Path()),
      lists_{SimListBox(kList1Design), SimListBox(kList2Design), SimListBox(kList3Design)} {
  std::filesystem::create_directory(std::filesystem::path(folder_.Path()) / "data");
}

SimPlatform::~SimPlatform() = default;

void SimPlatform::CreateMainWindow(std::span<const platform::MenuEntry> menus,
                                   platform::WindowEvents& events) {
  if (own_ != 0) desktop_.Remove(own_);
  events_ = &events;
  own_ = desktop_.Add(kApplicationTitle, false);
  shown_ = false;
  ended_ = false;
  normal_ = kFreshWindow;
  state_ = WindowState::Normal;
  menus_.Reset(menus);
  lists_ = {SimListBox(kList1Design), SimListBox(kList2Design), SimListBox(kList3Design)};
  tooltip_.clear();
  focus_ = ListId::List2;
}

Rect SimPlatform::WindowRect() const {
  switch (state_) {
    case WindowState::Maximized:
      return kScreen;
    case WindowState::Minimized:
      return Rect{normal_.left, normal_.top, kMinimizedWidth, kMinimizedHeight};
    case WindowState::Normal:
      break;
  }
  return normal_;
}

void SimPlatform::SetWindowRect(const Rect& rect) {
  // A window has no negative size; the program applies saved values unchecked.
  normal_ = Rect{rect.left, rect.top, std::max(0.0f, rect.width), std::max(0.0f, rect.height)};
}

void SimPlatform::SetTopmost(bool topmost) {
  desktop_.SetTopmost(own_, topmost);
  ShowWindow();  // SetWindowPos with SWP_SHOWWINDOW
}

void SimPlatform::ShowWindow() {
  if (shown_ || ended_ || own_ == 0) return;
  // The first show of a program the user just started brings it to the
  // front with the focus.
  shown_ = true;
  desktop_.SetVisible(own_, true);
  desktop_.Activate(own_);
}

platform::FrameSizes SimPlatform::GetFrameSizes() const { return kFrameSizes; }

std::vector<Rect> SimPlatform::Monitors() const { return {kScreen}; }

void SimPlatform::EndProgram() {
  if (ended_) return;
  ended_ = true;
  // The system lets go of a key whose program has ended.
  callUpKey_.reset();
  desktop_.Remove(own_);
}

const SimListBox& SimPlatform::List(ListId list) const {
  return lists_.at(static_cast<std::size_t>(list) - 1);
}

SimListBox& SimPlatform::MutableList(ListId list) {
  return lists_.at(static_cast<std::size_t>(list) - 1);
}

std::string SimPlatform::ListText(ListId list, int index) const { return List(list).Text(index); }

std::vector<std::string> SimPlatform::ListTexts(ListId list) const { return List(list).Texts(); }

void SimPlatform::ListInsert(ListId list, int index, const std::string& text) {
  MutableList(list).Insert(index, text);
}

void SimPlatform::ListRemove(ListId list, int index) { MutableList(list).Remove(index); }

void SimPlatform::ListReplaceAll(ListId list, const std::vector<std::string>& texts) {
  MutableList(list).ReplaceAll(texts);
}

void SimPlatform::ListSelect(ListId list, int index) { MutableList(list).Select(index); }

void SimPlatform::SetListRect(ListId list, const Rect& rect) { MutableList(list).SetRect(rect); }

void SimPlatform::SetMenuVisible(platform::MenuItemId item, bool visible) {
  menus_.SetVisible(item, visible);
}

void SimPlatform::SetMenuChecked(platform::MenuItemId item, bool checked) {
  menus_.SetChecked(item, checked);
}

int SimPlatform::MsgBox(const std::string& text, int flags, const std::string& caption) {
  const int answer = dialogs_.MsgBox(text, flags, caption);
  dialogs_.Log().back().operationsBefore = files_.OperationCount();
  return answer;
}

std::optional<std::string> SimPlatform::InputBox(const std::string& prompt,
                                                 const std::string& caption,
                                                 const std::string& defaultText, float left,
                                                 float top) {
  return dialogs_.InputBox(prompt, caption, defaultText, left, top);
}

std::optional<platform::MenuItemId> SimPlatform::PopupMenu(platform::MenuItemId popup) {
  return dialogs_.Popup(popup, menus_);
}

void SimPlatform::CallUpKeyDialog(
    const platform::CallUpKeyDialogTexts& texts, const std::optional<platform::KeyCombination>&,
    const std::function<bool(const std::optional<platform::KeyCombination>&)>& confirm) {
  dialogs_.CallUpKey(texts, confirm);
}

std::optional<platform::SearchChoice> SimPlatform::SearchWindow(const std::string& caption,
                                                                platform::SearchSource& source) {
  const long operations = files_.OperationCount();
  std::optional<platform::SearchChoice> choice = dialogs_.Search(caption, source);
  dialogs_.Log().back().operationsBefore = operations;
  return choice;
}

bool SimPlatform::RegisterCallUpKey(const platform::KeyCombination& key) {
  if (std::find(heldKeys_.begin(), heldKeys_.end(), key) != heldKeys_.end()) return false;
  callUpKey_ = key;
  return true;
}

void SimPlatform::BringToFront() {
  // No dialog stays open between two actions of a scenario: the window itself.
  desktop_.Activate(own_);
}

std::vector<platform::TopLevelWindow> SimPlatform::TopLevelWindows() const {
  return desktop_.Windows();
}

bool SimPlatform::ActivateWindow(platform::WindowHandle window) {
  return desktop_.Activate(window);
}

bool SimPlatform::ClearClipboard() {
  clipboard_.reset();
  return true;
}

bool SimPlatform::SetClipboardText(const std::string& text) {
  clipboard_ = text;
  return true;
}

bool SimPlatform::SendPasteKeystroke() {
  pastes_.push_back({ActiveTitle(), clipboard_});
  return true;
}

void SimPlatform::SetOtherWindows(const std::vector<std::string>& titles) {
  desktop_.ReplaceOthers(titles, ProgramRunning() ? own_ : 0);
}

}  // namespace pelorin::sim
