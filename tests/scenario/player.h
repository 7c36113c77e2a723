#pragma once
// One scenario being played: a fresh simulated world (application folder,
// desktop, clipboard) and the program, Form1, on top of it. Each command runs
// through Run; a failure stops the scenario.

#include <memory>

#include "app/form1.h"
#include "platform/sim/sim_platform.h"
#include "platform/std_file_system.h"
#include "tests/scenario/player_support.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::scenario {

class Player {
 public:
  Player();
  ~Player();
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  StepResult Run(const Command& command);
  // The checks at the end of the scenario (no answer left queued), as a
  // failure and the line it belongs to.
  StepResult Finish(int& line);

  // The world and the program being played, for a caller that watches them.
  sim::SimPlatform& World() { return sim_; }
  const app::Form1* Program() const { return form_.get(); }

 private:
  StepResult RunSetup(const Command& command);
  StepResult RunAction(const Command& command);
  StepResult RunExpectation(const Command& command);

  // setup (player_setup.cpp)
  StepResult WriteFile(const Command& command);
  StepResult WriteBytes(const Command& command);
  StepResult MakeFolder(const Command& command);
  StepResult RemoveFolder(const Command& command);
  StepResult SetFault(const Command& command);
  StepResult SetWindows(const Command& command);

  // program life and answers (player_life.cpp)
  StepResult Start();
  StepResult Close();
  StepResult Restart();
  StepResult ExpectEnded();
  StepResult ExpectRunning();
  StepResult QueueAnswer(const Command& command);

  // user actions (player_actions.cpp)
  StepResult Act(const Command& command);
  StepResult ClickMenu(const Command& command);

  // expectations on the window (player_expect_window.cpp)
  StepResult ExpectList(const Command& command);
  StepResult ExpectSelected(const Command& command);
  StepResult ExpectMenu(const Command& command);
  StepResult ExpectTopmost(const Command& command);
  StepResult ExpectGeometry(const Command& command);
  StepResult ExpectState(const Command& command);
  StepResult ExpectListRect(const Command& command);
  StepResult ExpectTooltip(const Command& command);
  StepResult ExpectActive(const Command& command);
  StepResult ExpectValue(const Command& command);

  // expectations on files (player_expect_files.cpp)
  StepResult ExpectFile(const Command& command);
  StepResult ExpectBytes(const Command& command);
  StepResult ExpectNoFile(const Command& command);
  StepResult ExpectIni(const Command& command);

  // expectations on the logs (player_expect_logs.cpp)
  StepResult ExpectMsgBox(const Command& command);
  StepResult ExpectInputBox(const Command& command);
  StepResult ExpectPopup(const Command& command);
  StepResult ExpectNoDialog();
  StepResult ExpectPasted(const Command& command);
  StepResult ExpectNoPaste();
  StepResult ExpectBeep(const Command& command);
  StepResult ExpectOpened(const Command& command);
  StepResult ExpectClipboard(const Command& command);

  // The path of a command's PATH argument, or why it is refused.
  std::optional<std::filesystem::path> PathOf(const Arg& arg, StepResult& failure) const;
  StepResult RequireProgram() const;

  // Declared first: the program holds a reference to the world.
  sim::SimPlatform sim_;
  std::unique_ptr<app::Form1> form_;
  // Files as the user sees them, without the simulated faults.
  platform::StdFileSystem plainFiles_;
  int beepsChecked_ = 0;
};

}  // namespace pelorin::scenario
