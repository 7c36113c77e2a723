#pragma once
// One scenario being played on the simulation: a fresh simulated world
// (application folder, desktop, clipboard) and the program, Form1, on top of
// it. The commands are routed and the shared checks made by CommandPlayer;
// this class hands over the world and plays what only the simulation plays.

#include <memory>

#include "app/form1.h"
#include "platform/sim/sim_platform.h"
#include "tests/scenario/command_player.h"
#include "tests/scenario/sim_logs.h"

namespace pelorin::scenario {

// The simulation's lists are numbered as the scenario names them.
inline platform::ListId ToListId(ListName list) { return static_cast<platform::ListId>(list); }

class Player : public CommandPlayer {
 public:
  Player();
  ~Player() override;
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  StepResult Run(const Command& command) override;

  // The world and the program being played, for a caller that watches them.
  sim::SimPlatform& World() { return sim_; }
  const app::Form1* Program() const { return form_.get(); }

 private:
  std::filesystem::path AppFolder() const override;
  DialogLog& Dialogs() override { return dialogs_; }
  PasteLog& Pastes() override { return pastes_; }
  std::optional<int> PendingAnswerLine() const override;

  // setup (player_setup.cpp)
  StepResult MarkOtherCopyRunning() override;
  StepResult SetClipboard(const std::string& text) override;
  StepResult SetWindows(const std::vector<std::string>& titles) override;
  StepResult SetFault(const Command& command) override;
  StepResult Heal(const Command& command) override;
  StepResult HoldKey(const platform::KeyCombination& key, const Command& command) override;

  // program life and answers (player_life.cpp)
  StepResult Start() override;
  StepResult Close() override;
  StepResult Restart() override;
  StepResult ExpectEnded() override;
  StepResult ExpectRunning() override;
  StepResult QueueAnswer(const Answer& answer) override;

  // user actions (player_actions.cpp)
  StepResult Click(ListName list, int index, bool twice) override;
  StepResult PressKey(ListName list, int code, int mask) override;
  StepResult RightClick(ListName list) override;
  StepResult Focus(ListName list) override;
  StepResult ClickMenu(app::MenuItem item, bool openOnly) override;
  StepResult Activate(const std::string& title) override;
  StepResult Resize(double width, double height) override;
  StepResult Move(double left, double top) override;
  StepResult ChangeState(platform::WindowState state) override;
  StepResult PressCallUpKey(const Command& command) override;

  // the window as the checks read it (player_expect_window.cpp)
  bool Started() const override { return form_ != nullptr; }
  bool Running() const override { return !sim_.Ended(); }
  std::vector<std::string> ListTexts(ListName list) override;
  int SelectedIndex(ListName list) override;
  std::optional<bool> MenuMark(app::MenuItem item, bool visibility, std::string& why) override;
  bool Topmost() override { return sim_.IsTopmost(); }
  platform::WindowState State() override { return sim_.GetWindowState(); }
  std::optional<std::string> ToolTip(std::string& why) override;
  std::string ActiveTitle() override { return sim_.ActiveTitle(); }
  std::optional<std::string> ClipboardText() override { return sim_.Clipboard(); }
  std::optional<std::string> MenuCaption(app::MenuItem item, std::string& why) override;
  std::optional<ListName> KeyboardFocus(std::string& why) override;
  StepResult ExpectGeometry(const Command& command) override;
  StepResult ExpectListRect(const Command& command) override;
  StepResult ExpectValue(const Command& command) override;

  // what the program sent out (player_expect_logs.cpp)
  StepResult ExpectBeep(const Command& command) override;
  StepResult ExpectOpened(const Command& command) override;

  // An action of the simulated user: a failure says why the user could not.
  StepResult Done(const sim::ActionResult& done) const;

  // Declared first: the program holds a reference to the world.
  sim::SimPlatform sim_;
  std::unique_ptr<app::Form1> form_;
  SimDialogLog dialogs_{sim_.DialogLog()};
  SimPasteLog pastes_{sim_.Pastes()};
  long beepsChecked_ = 0;
};

}  // namespace pelorin::scenario
