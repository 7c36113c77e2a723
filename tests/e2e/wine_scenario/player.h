#pragma once
// One scenario played against the real program under Wine: a fresh
// application folder with a copy of the program, the other windows of the
// desktop, the clipboard; real input where the user acts, and the real
// windows and files read back. The commands are routed and the shared checks
// made by scenario::CommandPlayer; this class hands over the real world and
// plays the rest as a user would. A failure stops the scenario.

#include <windows.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/app_folder.h"
#include "tests/e2e/wine_scenario/dialogs.h"
#include "tests/e2e/wine_scenario/paste_targets.h"
#include "tests/e2e/wine_scenario/probe_client.h"
#include "tests/e2e/wine_scenario/program.h"
#include "tests/e2e/wine_scenario/saved_state.h"
#include "tests/e2e/wine_scenario/text.h"
#include "tests/scenario/command_player.h"

namespace pelorin::wine_scenario {

// What every scenario of a run shares.
struct Environment {
  std::filesystem::path exe;         // the program under test (a build with the probe)
  std::filesystem::path workFolder;  // where the application folders are made
  ProbeClient probe;
  // expect value and expect List1 lines passed over in the run
  int passedOver = 0;
};

using scenario::Answer;
using scenario::AnswerKind;
using scenario::ListName;

class Player : public scenario::CommandPlayer {
 public:
  Player(Environment& environment, int number);
  ~Player() override;

  StepResult Run(const scenario::Command& command) override;
  // Keeps the application folder for a look at it.
  void Failed() override { folder_.Keep(); }

 private:
  // player.cpp: what the shared checks read
  std::filesystem::path AppFolder() const override { return folder_.Path(); }
  scenario::ScenarioFolder Folder() const override { return {folder_.Path(), folder_.Reachable()}; }
  const scenario::SavedContentRule& SavedContents() const override { return savedState_; }
  scenario::DialogLog& Dialogs() override { return dialogLog_; }
  scenario::PasteLog& Pastes() override { return targets_; }
  std::optional<int> PendingAnswerLine() const override {
    return answers_.empty() ? std::nullopt : std::optional(answers_.front().line);
  }
  HWND Window() const { return program_ != nullptr ? program_->Window() : nullptr; }
  // The layout's rules on the program's window; nullopt when they hold.
  std::optional<std::string> LayoutBroken();

  // player_dialogs.cpp: waiting, and the dialogs met meanwhile
  // Waits until the program waits for input with no dialog open, answering
  // every dialog that opens meanwhile; a failure when a dialog could not be
  // answered (it fails the command that opened it) or the program never came
  // to rest.
  StepResult Settle();
  StepResult HandleDialog(HWND dialog);
  StepResult AnswerDialog(HWND dialog, DialogRecord& shown);
  // What the user does to give the answer; nullopt when done, else why not.
  std::optional<std::string> GiveAnswer(HWND dialog, DialogRecord& shown, const Answer& answer);
  std::optional<std::string> TypeIntoInputBox(HWND dialog, const std::string& text);
  // Types one character at a time, noting what the window shows after each.
  std::optional<std::string> TypeIntoSearch(HWND dialog, const std::string& text,
                                            std::vector<scenario::SearchStep>& steps);
  // The dialog in front, with the keyboard focus in the field.
  bool FocusIn(HWND dialog, HWND field);
  void CloseUnanswered(HWND dialog, DialogKind kind);

  // player_setup.cpp
  StepResult MarkOtherCopyRunning() override;
  StepResult SetClipboard(const std::string& text) override;
  StepResult SetWindows(const std::vector<std::string>& titles) override;
  StepResult HoldKey(const platform::KeyCombination& key,
                     const scenario::Command& command) override;

  // player_life.cpp
  StepResult Start() override;
  StepResult Close() override;
  StepResult Restart() override;
  StepResult ExpectEnded() override;
  StepResult ExpectRunning() override;
  StepResult QueueAnswer(const Answer& answer) override {
    answers_.push_back(answer);
    return Pass();
  }

  // player_actions.cpp
  StepResult Click(ListName list, int index, bool twice) override;
  StepResult PressKey(ListName list, int code, int mask) override;
  StepResult RightClick(ListName list) override;
  StepResult Focus(ListName list) override;
  StepResult Activate(const std::string& title) override;
  StepResult Resize(double width, double height) override { return Drag(width, height, true); }
  StepResult Move(double left, double top) override { return Drag(left, top, false); }
  StepResult ChangeState(platform::WindowState state) override;
  StepResult PrepareAction();
  StepResult PrepareListAction(ListName list);
  // Mouse presses on the program's window, kept apart from the one before.
  bool PressAt(e2e::Button button, POINT wanted, const RECT& bounds);
  void ParkPointer();
  // As PrepareListAction, then the keyboard focus into the list.
  StepResult MoveFocus(ListName list);
  StepResult PressChord(int code, int mask);
  // The window's outer rectangle changed as a drag changes it.
  StepResult Drag(double first, double second, bool resize);

  // player_menus.cpp
  StepResult ClickMenu(app::MenuItem item, bool openOnly) override;
  StepResult OpenBarMenu(int top, HWND* popup);
  // The open popup window of the menu (its table index), waited for a while.
  HWND WaitForMenu(int menu);
  // Moves the highlight of an open menu to the item by the arrow keys (real
  // input); false when it cannot be reached.
  bool HighlightMenuItem(HWND popup, int item);
  StepResult LeaveMenus();
  bool MenuOpen() const;

  // player_keyboard.cpp: the call-up key and what the window shows of it
  StepResult PressCallUpKey(const scenario::Command& command) override;
  std::optional<std::string> MenuCaption(app::MenuItem item, std::string& why) override;
  std::optional<ListName> KeyboardFocus(std::string& why) override;

  // player_expect_window.cpp: the real window as the shared checks read it,
  // and the checks made this runner's own way
  bool Started() const override { return started_; }
  bool Running() const override { return program_ != nullptr && program_->Running(); }
  std::vector<std::string> ListTexts(ListName list) override { return program_->Texts(list); }
  int SelectedIndex(ListName list) override { return program_->Selected(list); }
  std::optional<bool> MenuMark(app::MenuItem item, bool visibility, std::string& why) override;
  bool Topmost() override;
  platform::WindowState State() override;
  std::optional<std::string> ToolTip(std::string& why) override;
  std::string ActiveTitle() override;
  std::optional<std::string> ClipboardText() override;
  StepResult ExpectGeometry(const scenario::Command& command) override;
  // The real rows and frame decide the lists' rectangles; the layout's rules
  // are checked after every action instead.
  StepResult ExpectListRect(const scenario::Command&) override { return Pass(); }
  StepResult ExpectBeep(const scenario::Command& command) override;
  void RememberBeeps();
  StepResult ExpectOpened(const scenario::Command& command) override;
  std::filesystem::path OpenedLogPath() const { return folder_.Reachable() / L"opened.txt"; }

  Environment& environment_;
  wine_scenario::AppFolder folder_;
  PasteTargets targets_;
  std::unique_ptr<Program> program_;
  bool started_ = false;
  std::deque<Answer> answers_;
  ShownDialogLog dialogLog_;
  // At the DPI of the program's window, or the system's when it has none.
  SavedStateRule savedState_{
      [this] { return program_ != nullptr ? program_->Dpi() : ::GetDpiForSystem(); }};
  platform::win32::UniqueHandle otherCopy_;  // the named mutex of a copy already running
  // A call-up key dialog that refused a key and waits for the next answer.
  HWND openCallUpKeyDialog_ = nullptr;
  DialogRecord openCallUpKeyRecord_;
  // Other programs that hold key combinations (hold), until the scenario ends.
  std::vector<std::unique_ptr<Program>> keyHolders_;
  std::deque<std::string> opened_;  // asked to be opened, not yet checked
  std::size_t openedRead_ = 0;      // bytes of the log read so far
  long beepsSeen_ = 0;              // the probe's count after the last command
  long beepsChecked_ = 0;
  int list3Width_ = 0;  // List3's width in pixels when the window was first shown
  struct LastPress {
    POINT point{};
    DWORD tick = 0;
    e2e::Button button = e2e::Button::Left;
  } lastPress_;
};

}  // namespace pelorin::wine_scenario
