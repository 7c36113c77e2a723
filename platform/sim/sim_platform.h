#pragma once
// The simulated window system: platform::Platform in memory, except files,
// which are real files in a fresh temporary application folder (holding an
// empty folder "data"), reached through a fault-injecting layer.
//
// One SimPlatform is one world: desktop, clipboard, files, queued answers
// and the logs of what the program did. The program's window lives from
// CreateMainWindow until the program ends; a later CreateMainWindow (a new
// start) gets a fresh window in the same world.
//
// As platform.h requires, the operations the core calls raise no events.
// Only the user actions below call WindowEvents; each action on the
// program's window first makes it the active window, at the top of its band.
// After the program has ended no event is delivered.

#include <array>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sim/fault_injecting_file_system.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_list_box.h"
#include "platform/sim/sim_menus.h"
#include "platform/sim/sim_metrics.h"
#include "platform/sim/temp_folder.h"
#include "platform/std_file_system.h"

namespace pelorin::sim {

struct [[nodiscard]] ActionResult {
  bool ok = true;
  std::string error;  // why the user could not do it
  explicit operator bool() const { return ok; }
  static ActionResult Ok() { return {}; }
  static ActionResult Fail(std::string why) { return {false, std::move(why)}; }
};

// Ctrl+V as it reached a window.
struct PasteRecord {
  std::string target;               // the title of the window that got it
  std::optional<std::string> text;  // the clipboard's text then (nullopt: none)
};

class SimPlatform : public platform::Platform {
 public:
  // Creates the application folder; throws std::system_error when it cannot.
  SimPlatform();
  SimPlatform(const SimPlatform&) = delete;
  SimPlatform& operator=(const SimPlatform&) = delete;

  // --- platform::Platform -------------------------------------------------
  void CreateMainWindow(std::span<const platform::MenuEntry> menus,
                        platform::WindowEvents& events) override;
  platform::Rect WindowRect() const override;
  void SetWindowRect(const platform::Rect& rect) override;
  platform::WindowState GetWindowState() const override { return state_; }
  void SetWindowState(platform::WindowState state) override { state_ = state; }
  void SetTopmost(bool topmost) override;
  bool IsTopmost() const override { return desktop_.IsTopmost(own_); }
  void ShowWindow() override;
  bool IsWindowShown() const override { return shown_; }
  platform::FrameSizes GetFrameSizes() const override { return kFrameSizes; }
  std::vector<platform::Rect> Monitors() const override { return {kScreen}; }
  platform::WindowHandle OwnWindow() const override { return own_; }
  void EndProgram() override;

  int ListCount(platform::ListId list) const override { return List(list).Count(); }
  std::string ListText(platform::ListId list, int index) const override {
    return List(list).Text(index);
  }
  std::vector<std::string> ListTexts(platform::ListId list) const override {
    return List(list).Texts();
  }
  void ListInsert(platform::ListId list, int index, const std::string& text) override {
    List(list).Insert(index, text);
  }
  void ListRemove(platform::ListId list, int index) override { List(list).Remove(index); }
  void ListReplaceAll(platform::ListId list, const std::vector<std::string>& texts) override {
    List(list).ReplaceAll(texts);
  }
  int ListSelected(platform::ListId list) const override { return List(list).Selected(); }
  void ListSelect(platform::ListId list, int index) override { List(list).Select(index); }
  platform::Rect ListRect(platform::ListId list) const override { return List(list).Rect(); }
  void SetListRect(platform::ListId list, const platform::Rect& rect) override {
    List(list).SetRect(rect);
  }
  void SetToolTip(const std::string& text) override { tooltip_ = text; }
  std::string ToolTip() const override { return tooltip_; }

  bool MenuVisible(platform::MenuItemId item) const override { return menus_.Visible(item); }
  void SetMenuVisible(platform::MenuItemId item, bool visible) override {
    menus_.SetVisible(item, visible);
  }
  bool MenuChecked(platform::MenuItemId item) const override { return menus_.Checked(item); }
  void SetMenuChecked(platform::MenuItemId item, bool checked) override {
    menus_.SetChecked(item, checked);
  }
  void SetMenuCaption(platform::MenuItemId item, const std::string& caption) override {
    menus_.SetCaption(item, caption);
  }

  // The dialogs (sim_dialogs.cpp) take the queued answers.
  int MsgBox(const std::string& text, int flags, const std::string& caption) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& caption,
                                      const std::string& defaultText, float left,
                                      float top) override;
  std::optional<platform::MenuItemId> PopupMenu(platform::MenuItemId popup) override;
  void CallUpKeyDialog(
      const platform::CallUpKeyDialogTexts& texts,
      const std::optional<platform::KeyCombination>& current,
      const std::function<bool(const std::optional<platform::KeyCombination>&)>& confirm) override;
  std::optional<platform::SearchChoice> SearchWindow(const std::string& caption,
                                                     platform::SearchSource& source) override;

  bool OffersCallUpKey() const override { return true; }
  bool OffersSearch() const override { return true; }
  bool RegisterCallUpKey(const platform::KeyCombination& key) override;
  void UnregisterCallUpKey() override { callUpKey_.reset(); }
  platform::ListId FocusedList() const override { return focus_; }
  void FocusList(platform::ListId list) override { focus_ = list; }
  // No dialog stays open between two actions of a scenario: the window itself.
  void BringToFront() override { desktop_.Activate(own_); }

  std::vector<platform::TopLevelWindow> TopLevelWindows() const override {
    return desktop_.Windows();
  }
  platform::WindowHandle ActiveWindow() const override { return desktop_.Active(); }
  bool ActivateWindow(platform::WindowHandle window) override { return desktop_.Activate(window); }
  void Beep() override { ++beeps_; }

  bool ClearClipboard() override;
  bool SetClipboardText(const std::string& text) override;
  bool SendPasteKeystroke() override;

  void ShellOpen(const std::string& target) override { opened_.push_back(target); }
  std::string AppFolder() const override { return folder_.Path(); }
  bool AnotherCopyRunning() override { return anotherCopy_; }
  platform::FileSystem& Files() override { return files_; }

  // --- the world ------------------------------------------------------------
  void SetAnotherCopyRunning(bool running) { anotherCopy_ = running; }
  // The other windows, top first, all visible: above the desktop before the
  // program's window exists, directly below it afterwards (see SimDesktop).
  void SetOtherWindows(const std::vector<std::string>& titles) {
    desktop_.ReplaceOthers(titles, ProgramRunning() ? own_ : 0);
  }
  void SetClipboard(const std::optional<std::string>& text) { clipboard_ = text; }
  FaultInjectingFileSystem& Faults() { return files_; }
  void QueueAnswer(const Answer& answer) { answers_.push_back(answer); }
  // Another program holds this key system-wide from now on.
  void HoldKey(const platform::KeyCombination& key) { heldKeys_.push_back(key); }

  // --- the program's life ---------------------------------------------------
  bool Ended() const { return ended_; }
  // Created, not ended.
  bool ProgramRunning() const { return events_ != nullptr && !ended_; }
  // Raises the load event of the created window.
  ActionResult Load();
  // The close box: the unload event; the program ends when it returns true.
  ActionResult Close();

  // --- user actions on the program's window ---------------------------------
  // The focus moves to the list (the list that loses it gets its lost-focus
  // event), entry `index` is selected and the click event runs, also when it
  // was selected already; `twice`: then the double-click event.
  ActionResult Click(platform::ListId list, int index, bool twice = false);
  // Focus, key-down event, then the list's own handling: Up (38) and Down
  // (40) move the selection by one (from nothing: to the first entry); a
  // change runs the click event. Other keys have no handling of their own.
  ActionResult Key(platform::ListId list, int keyCode, int shift);
  // Right button released over the list: mouse-up event with button 2; the
  // selection and the focus stay.
  ActionResult RightClick(platform::ListId list);
  // Opens the item's top-level menu (its click event runs, as opening any
  // menu does), then clicks the item. Fails when a menu on the way or the
  // item is hidden, or the item belongs to a context menu.
  ActionResult Menu(platform::MenuItemId item);
  // Opens a top-level menu of the bar (its click event runs) and closes it.
  ActionResult Open(platform::MenuItemId topMenu);
  ActionResult Focus(platform::ListId list);
  // Normal state only: the outer size changes, the resize event runs.
  ActionResult Resize(float width, float height);
  // Normal state only: the outer top-left corner moves; no event.
  ActionResult Move(float left, float top);
  // The state changes and the resize event runs (nothing when it is the
  // state already). Normal returns to the normal rectangle.
  ActionResult ChangeState(platform::WindowState state);
  // Another program's window (or the desktop) by exact title: to the top of
  // the ordinary band, active.
  ActionResult Activate(const std::string& title);
  // The user presses the call-up key, wherever the focus is: the program's
  // event when it holds the key; nothing reaches it otherwise.
  ActionResult PressCallUpKey();

  // --- what happened ----------------------------------------------------------
  const std::optional<std::string>& Clipboard() const { return clipboard_; }
  int BeepCount() const { return beeps_; }
  std::string ActiveTitle() const { return desktop_.Title(desktop_.Active()); }
  std::string MenuCaption(platform::MenuItemId item) const { return menus_.Caption(item); }
  std::deque<PasteRecord>& Pastes() { return pastes_; }
  // ShellOpen targets, as the program passed them.
  std::deque<std::string>& Opened() { return opened_; }
  std::deque<DialogRecord>& DialogLog() { return dialogs_; }
  const std::deque<Answer>& PendingAnswers() const { return answers_; }
  // Failures (unexpected dialogs, unusable answers) since the last call.
  std::vector<std::string> TakeFailures() { return std::exchange(failures_, {}); }

 private:
  const SimListBox& List(platform::ListId list) const {
    return lists_.at(static_cast<std::size_t>(list) - 1);
  }
  SimListBox& List(platform::ListId list) { return lists_.at(static_cast<std::size_t>(list) - 1); }
  // Checks that the user can act on the window (a shown list for a list
  // action), then activates it.
  ActionResult PrepareAction(std::optional<platform::ListId> list = std::nullopt);
  void MoveFocus(platform::ListId list);
  // A dialog shown: logged, with the caption as shown.
  DialogRecord& Show(DialogKind kind, const std::string& text, const std::string& caption);
  // The next answer when it is of a kind from first to last; else a failure.
  std::optional<Answer> TakeAnswer(const DialogRecord& shown, AnswerKind first, AnswerKind last);

  TempFolder folder_;
  platform::StdFileSystem realFiles_;
  FaultInjectingFileSystem files_;
  SimDesktop desktop_;
  std::deque<Answer> answers_;
  std::deque<DialogRecord> dialogs_;
  std::vector<std::string> failures_;
  std::optional<std::string> clipboard_;
  bool anotherCopy_ = false;
  int beeps_ = 0;
  std::deque<PasteRecord> pastes_;
  std::deque<std::string> opened_;

  // The program's window.
  platform::WindowEvents* events_ = nullptr;
  platform::WindowHandle own_ = 0;
  bool shown_ = false;
  bool ended_ = false;
  platform::Rect normal_;
  platform::WindowState state_ = platform::WindowState::Normal;
  SimMenus menus_;
  std::array<SimListBox, 3> lists_;
  std::string tooltip_;
  platform::ListId focus_ = platform::ListId::List2;
  std::optional<platform::KeyCombination> callUpKey_;
  std::vector<platform::KeyCombination> heldKeys_;
};

}  // namespace pelorin::sim
