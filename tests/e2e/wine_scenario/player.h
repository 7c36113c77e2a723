#pragma once
// One scenario played against the real program under Wine: a fresh
// application folder with a copy of the program, the other windows of the
// desktop, the clipboard; real input where the user acts, and the real
// windows and files read back. Each command runs through Run; a failure
// stops the scenario.

#include <windows.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/wine_scenario/app_folder.h"
#include "tests/e2e/wine_scenario/dialogs.h"
#include "tests/e2e/wine_scenario/paste_targets.h"
#include "tests/e2e/wine_scenario/probe_client.h"
#include "tests/e2e/wine_scenario/program.h"
#include "tests/e2e/wine_scenario/text.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::wine_scenario {

// What every scenario of a run shares.
struct Environment {
  std::filesystem::path exe;         // the program under test (a build with the probe)
  std::filesystem::path workFolder;  // where the application folders are made
  ProbeClient probe;
};

enum class AnswerKind {
  InputText,
  InputOk,
  InputCancel,
  MsgBoxOk,
  MsgBoxCancel,
  PopupItem,
  PopupDismiss
};

struct Answer {
  AnswerKind kind = AnswerKind::MsgBoxOk;
  std::string text;  // typed text, or the item's name
  int item = -1;     // the menu table's index of the item
  int line = 0;
  std::string Describe() const;
};

class Player {
 public:
  Player(Environment& environment, int number);
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  StepResult Run(const scenario::Command& command);
  // The checks at the end of the scenario (no answer left queued), as a
  // failure and the line it belongs to.
  StepResult Finish(int& line);
  // Keeps the application folder for a look at it.
  void KeepFolder() { folder_.Keep(); }

 private:
  // player.cpp: dispatch
  StepResult RunExpectation(const scenario::Command& command);
  bool ProgramRunning() const;
  StepResult CheckLayoutAfter(const scenario::Command& command);

  // player_dialogs.cpp: waiting, and the dialogs met meanwhile
  // Waits until the program waits for input with no dialog open, answering
  // every dialog that opens meanwhile; a failure when a dialog could not be
  // answered or the program never came to rest.
  StepResult Settle(DWORD timeoutMs = 15000);
  StepResult HandleDialog(HWND dialog);
  StepResult AnswerDialog(HWND dialog, const DialogRecord& shown);
  StepResult AnswerMessageBox(HWND dialog, const DialogRecord& shown,
                              const wine_scenario::Answer& answer);
  StepResult AnswerInputBox(HWND dialog, const DialogRecord& shown,
                            const wine_scenario::Answer& answer);
  StepResult AnswerPopup(HWND dialog, const DialogRecord& shown,
                         const wine_scenario::Answer& answer);
  void CloseUnanswered(HWND dialog, DialogKind kind);
  void RememberBeeps();

  // player_setup.cpp
  StepResult RunSetup(const scenario::Command& command);
  StepResult WriteFile(const scenario::Command& command, bool encode);
  StepResult MakeFolder(const scenario::Command& command);
  StepResult RemoveFolder(const scenario::Command& command);
  StepResult HoldOtherCopy();
  StepResult SetWindows(const scenario::Command& command);

  // player_life.cpp
  StepResult Start();
  StepResult Close();
  StepResult Restart();
  StepResult ExpectEnded();
  StepResult ExpectRunning();
  StepResult QueueAnswer(const scenario::Command& command);

  // player_actions.cpp
  StepResult RunAction(const scenario::Command& command);
  StepResult PrepareAction();
  StepResult PrepareListAction(scenario::ListName list);
  StepResult ClickEntry(scenario::ListName list, int index, bool twice);
  // Mouse presses on the program's window, kept apart from the one before.
  enum class Press { Click, DoubleClick, RightClick };
  bool PressAt(Press press, POINT wanted, const RECT& bounds);
  void ParkPointer();
  StepResult PressKey(scenario::ListName list, int code, int mask);
  StepResult RightClick(scenario::ListName list);
  StepResult MoveFocus(scenario::ListName list);
  StepResult Activate(const std::string& title);
  StepResult ResizeOrMove(const scenario::Command& command);
  StepResult ChangeState(UINT command);

  // player_menus.cpp
  StepResult ClickMenu(const scenario::Command& command);
  StepResult OpenBarMenu(int top, HWND* popup);
  StepResult LeaveMenus();
  bool MenuOpen() const;

  // player_expect_window.cpp
  StepResult ExpectList(const scenario::Command& command);
  StepResult ExpectSelected(const scenario::Command& command);
  StepResult ExpectMenu(const scenario::Command& command);
  StepResult ExpectTopmost(const scenario::Command& command);
  StepResult ExpectGeometry(const scenario::Command& command);
  StepResult ExpectState(const scenario::Command& command);
  StepResult ExpectTooltip(const scenario::Command& command);
  StepResult ExpectActive(const scenario::Command& command);

  // player_expect_logs.cpp
  StepResult ExpectMsgBox(const scenario::Command& command);
  StepResult ExpectInputBox(const scenario::Command& command);
  StepResult ExpectPopup(const scenario::Command& command);
  StepResult ExpectNoDialog();
  StepResult ExpectPasted(const scenario::Command& command);
  StepResult ExpectNoPaste();
  StepResult ExpectBeep(const scenario::Command& command);
  StepResult ExpectClipboard(const scenario::Command& command);

  // player_expect_files.cpp
  StepResult ExpectFile(const scenario::Command& command, bool encode);
  StepResult ExpectNoFile(const scenario::Command& command);
  StepResult ExpectIni(const scenario::Command& command);

  StepResult RequireProgram() const;
  // "expected that the user can <the command being played>, found <why>"
  StepResult CannotDo(const std::string& why) const;
  HWND Window() const;
  // The program's window's DPI, or the system's when it has none.
  UINT Dpi() const;
  std::optional<std::filesystem::path> PathOf(const scenario::Arg& arg, StepResult& failure) const;

  Environment& environment_;
  std::string playing_;  // the command being played, as written
  AppFolder folder_;
  std::unique_ptr<Program> program_;
  bool started_ = false;
  PasteTargets targets_;
  std::deque<wine_scenario::Answer> answers_;
  std::deque<DialogRecord> log_;
  // Failures found while the program ran on (an unexpected dialog).
  std::vector<std::string> failures_;
  HANDLE otherCopy_ = nullptr;  // the named mutex of a copy already running
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
