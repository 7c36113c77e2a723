#pragma once
// One scenario's commands as both runners play them. Dispatch routes each
// command once for both: the checks that read the application folder and the
// logs are made here, through what the runner hands over; the rest goes to
// the runner's handler below, with the arguments its signature gives.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/menu_table.h"
#include "platform/platform.h"
#include "tests/scenario/dialog_expectations.h"
#include "tests/scenario/file_expectations.h"
#include "tests/scenario/output_expectations.h"
#include "tests/scenario/scenario_answers.h"
#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_text.h"

namespace pelorin::scenario {

class CommandPlayer {
 public:
  virtual ~CommandPlayer() = default;

  // One command; a failure stops the scenario.
  virtual StepResult Run(const Command& command) { return Dispatch(command); }
  // The checks at the end of the scenario (no answer left queued), as a
  // failure and the line it belongs to.
  StepResult Finish(int& line);
  // Called when the scenario failed, before the player goes.
  virtual void Failed() {}

 protected:
  StepResult Dispatch(const Command& command);
  // "expected that the user can <the command being played>, found <why>"
  StepResult CannotDo(const std::string& why) const;
  // A started program that has not ended, as the window's checks need it.
  StepResult RequireProgram() const;

  // What the shared checks read.
  virtual std::filesystem::path AppFolder() const = 0;
  // Where PATHs may lead; only the application folder unless a runner says more.
  virtual ScenarioFolder Folder() const { return {AppFolder(), AppFolder()}; }
  virtual const SavedContentRule& SavedContents() const;
  virtual DialogLog& Dialogs() = 0;
  virtual PasteLog& Pastes() = 0;
  // The line of the first answer still queued.
  virtual std::optional<int> PendingAnswerLine() const = 0;

  // setup
  virtual StepResult MarkOtherCopyRunning() = 0;
  virtual StepResult SetClipboard(const std::string& text) = 0;
  virtual StepResult SetWindows(const std::vector<std::string>& titles) = 0;
  virtual StepResult SetFault(const Command& command) { return SimulationOnly(command); }
  virtual StepResult Heal(const Command& command) { return SimulationOnly(command); }
  // hold KEYS: another program holds the key combination from now on.
  virtual StepResult HoldKey(const platform::KeyCombination& key, const Command& command) = 0;

  // the program's life and the answers for its dialogs
  virtual StepResult Start() = 0;
  virtual StepResult Close() = 0;
  virtual StepResult Restart() = 0;
  virtual StepResult ExpectEnded() = 0;
  virtual StepResult ExpectRunning() = 0;
  virtual StepResult QueueAnswer(const Answer& answer) = 0;

  // the user's actions
  virtual StepResult Click(ListName list, int index, bool twice) = 0;
  virtual StepResult PressKey(ListName list, int code, int mask) = 0;
  virtual StepResult RightClick(ListName list) = 0;
  virtual StepResult Focus(ListName list) = 0;
  // menu ITEM, or open ITEM (`openOnly`: a menu of the bar is opened, no more)
  virtual StepResult ClickMenu(app::MenuItem item, bool openOnly) = 0;
  virtual StepResult Activate(const std::string& title) = 0;
  virtual StepResult Resize(double width, double height) = 0;
  virtual StepResult Move(double left, double top) = 0;
  virtual StepResult ChangeState(platform::WindowState state) = 0;
  virtual StepResult PressCallUpKey(const Command& command) = 0;

  // what the window shows, for the shared checks; each is read only with the
  // program there
  virtual bool Started() const = 0;
  virtual bool Running() const = 0;
  virtual std::vector<std::string> ListTexts(ListName list) = 0;
  virtual int SelectedIndex(ListName list) = 0;
  // nullopt when the mark cannot be told (why)
  virtual std::optional<bool> MenuMark(app::MenuItem item, bool visibility, std::string& why) = 0;
  virtual bool Topmost() = 0;
  virtual platform::WindowState State() = 0;
  virtual std::optional<std::string> ToolTip(std::string& why) = 0;
  virtual std::string ActiveTitle() = 0;
  virtual std::optional<std::string> ClipboardText() = 0;
  // nullopt when it cannot be told (why)
  virtual std::optional<std::string> MenuCaption(app::MenuItem item, std::string& why) = 0;
  virtual std::optional<ListName> KeyboardFocus(std::string& why) = 0;

  // expectations each runner checks its own way
  virtual StepResult ExpectGeometry(const Command& command) = 0;
  virtual StepResult ExpectListRect(const Command& command) = 0;
  virtual StepResult ExpectBeep(const Command& command) = 0;
  virtual StepResult ExpectOpened(const Command& command) { return SimulationOnly(command); }
  virtual StepResult ExpectValue(const Command& command) { return SimulationOnly(command); }

 private:
  static StepResult SimulationOnly(const Command& command);

  std::string playing_;  // the command being played, as written
};

}  // namespace pelorin::scenario
