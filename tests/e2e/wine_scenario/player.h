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

#include "tests/e2e/wine_scenario/app_folder.h"
#include "tests/e2e/wine_scenario/dialogs.h"
#include "tests/e2e/wine_scenario/held_key.h"
#include "tests/e2e/wine_scenario/paste_targets.h"
#include "tests/e2e/wine_scenario/probe_client.h"
#include "tests/e2e/wine_scenario/program.h"
#include "tests/e2e/wine_scenario/saved_state.h"
#include "tests/e2e/wine_scenario/shown_logs.h"
#include "tests/e2e/wine_scenario/text.h"
#include "tests/scenario/command_player.h"
#include "tests/scenario/scenario_parser.h"

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
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  StepResult Run(const scenario::Command& command) override;
  // Keeps the application folder for a look at it.
  void Failed() override { folder_.Keep(); }

 private:
  // player.cpp: what the shared checks read
  std::filesystem::path AppFolder() const override { return folder_.Path(); }
  scenario::ScenarioFolder Folder() const override {
    return {folder_.Path(), folder_.Reachable()};
  }
  const scenario::SavedContentRule& SavedContents() const override { return savedState_; }
  scenario::DialogLog& Dialogs() override { return dialogLog_; }
  scenario::PasteLog& Pastes() override { return pasteLog_; }
  std::optional<int> PendingAnswerLine() const override;
  bool ProgramRunning() const;
  StepResult CheckLayoutAfter(const scenario::Command& command);

  // player_dialogs.cpp: waiting, and the dialogs met meanwhile
  // Waits until the program waits for input with no dialog open, answering
  // every dialog that opens meanwhile; a failure when a dialog could not be
  // answered or the program never came to rest.
  StepResult Settle(DWORD timeoutMs = 15000);
  StepResult HandleDialog(HWND dialog);
  StepResult AnswerDialog(HWND dialog, const DialogRecord& shown);
  StepResult AnswerMessageBox(HWND dialog, const DialogRecord& shown, const Answer& answer);
  StepResult AnswerInputBox(HWND dialog, const DialogRecord& shown, const Answer& answer);
  StepResult AnswerPopup(HWND dialog, const DialogRecord& shown, const Answer& answer);
  StepResult AnswerSearch(HWND dialog, const Answer& answer);
  StepResult AnswerCallUpKey(HWND dialog, const DialogRecord& shown, const Answer& answer);
  void CloseUnanswered(HWND dialog, DialogKind kind);
  void RememberBeeps();

  // player_setup.cpp
  StepResult MarkOtherCopyRunning() override;
  StepResult SetClipboard(const std::string& text) override;
  StepResult SetWindows(const std::vector<std::string>& titles) override;
  StepResult HoldKey(const platform::KeyCombination& key, const scenario::Command& command) override;

  // player_life.cpp
  StepResult Start() override;
  StepResult Close() override;
  StepResult Restart() override;
  StepResult ExpectEnded() override;
  StepResult ExpectRunning() override;
  StepResult QueueAnswer(const Answer& answer) override;

  // player_actions.cpp
  StepResult Click(ListName list, int index, bool twice) override;
  StepResult PressKey(ListName list, int code, int mask) override;
  StepResult RightClick(ListName list) override;
  StepResult Focus(ListName list) override;
  StepResult Activate(const std::string& title) override;
  StepResult Resize(double width, double height) override;
  StepResult Move(double left, double top) override;
  StepResult ChangeState(platform::WindowState state) override;
  StepResult PressCallUpKey(const scenario::Command& command) override;
  StepResult PrepareAction();
  StepResult PrepareListAction(ListName list);
  // Mouse presses on the program's window, kept apart from the one before.
  enum class Press { Click, DoubleClick, RightClick };
  bool PressAt(Press press, POINT wanted, const RECT& bounds);
  void ParkPointer();
  StepResult MoveFocus(ListName list);
  // The window's outer rectangle changed as a drag changes it.
  StepResult Drag(double first, double second, bool resize);

  // player_menus.cpp
  StepResult ClickMenu(app::MenuItem item, bool openOnly) override;
  StepResult OpenBarMenu(int top, HWND* popup);
  StepResult LeaveMenus();
  bool MenuOpen() const;

  // player_expect_window.cpp: the real window as the shared checks read it,
  // and the checks made this runner's own way
  bool Started() const override { return started_; }
  bool Running() const override { return ProgramRunning(); }
  std::vector<std::string> ListTexts(ListName list) override;
  int SelectedIndex(ListName list) override;
  std::optional<bool> MenuMark(app::MenuItem item, bool visibility, std::string& why) override;
  bool Topmost() override;
  platform::WindowState State() override;
  std::optional<std::string> ToolTip(std::string& why) override;
  std::string ActiveTitle() override;
  std::optional<std::string> ClipboardText() override;
  std::optional<std::string> MenuCaption(app::MenuItem item, std::string& why) override;
  std::optional<ListName> KeyboardFocus(std::string& why) override;
  StepResult ExpectGeometry(const scenario::Command& command) override;
  StepResult ExpectListRect(const scenario::Command& command) override;
  StepResult ExpectBeep(const scenario::Command& command) override;

  // player_opened.cpp
  StepResult ExpectOpened(const scenario::Command& command) override;
  std::filesystem::path OpenedLogPath() const;
  // Takes the lines written since the last read into opened_.
  void ReadOpened();

  HWND Window() const;
  // The program's window's DPI, or the system's when it has none.
  UINT Dpi() const;

  Environment& environment_;
  wine_scenario::AppFolder folder_;
  std::unique_ptr<Program> program_;
  bool started_ = false;
  PasteTargets targets_;
  std::deque<Answer> answers_;
  std::deque<DialogRecord> log_;
  ShownDialogLog dialogLog_{log_};
  ShownPasteLog pasteLog_{targets_.Log()};
  SavedStateRule savedState_{[this] { return Dpi(); }};
  // Failures found while the program ran on (an unexpected dialog).
  std::vector<std::string> failures_;
  HANDLE otherCopy_ = nullptr;  // the named mutex of a copy already running
  // A call-up key dialog that refused a key and waits for the next answer.
  HWND openCallUpKeyDialog_ = nullptr;
  DialogRecord openCallUpKeyRecord_;
  // Other programs that hold key combinations (hold), until the scenario ends.
  std::vector<HeldKey> heldKeys_;
  std::deque<std::string> opened_;  // asked to be opened, not yet checked
  std::size_t openedRead_ = 0;      // bytes of the log read so far
  long beepsSeen_ = 0;          // the probe's count after the last command
  long beepsChecked_ = 0;
  int list3Width_ = 0;  // List3's width in pixels when the window was first shown
  struct LastPress {
    POINT point{};
    DWORD tick = 0;
    Press press = Press::Click;
  } lastPress_;
};

}  // namespace pelorin::wine_scenario
