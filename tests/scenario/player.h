#pragma once
// One scenario being played on the simulation: a fresh simulated world
// (application folder, desktop, clipboard) and the program, Form1, on top of
// it. The commands are routed and the shared checks made by CommandPlayer;
// this class hands over the world and plays what only the simulation plays.

#include <deque>
#include <memory>

#include "app/form1.h"
#include "platform/sim/sim_platform.h"
#include "tests/scenario/command_player.h"
#include "tests/scenario/folder_paths.h"
#include "tests/scenario/window_expectations.h"

namespace pelorin::scenario {

// The simulation's logs, as the shared checks read them.
class SimDialogLog : public DialogLog {
 public:
  explicit SimDialogLog(std::deque<sim::DialogRecord>& log) : log_(log) {}
  std::size_t Size() const override { return log_.size(); }
  // The two kinds list the same dialogs in the same order (were they not,
  // every scenario that expects a dialog would fail).
  DialogKind KindAt(std::size_t index) const override {
    return static_cast<DialogKind>(log_[index].kind);
  }
  ShownDialog At(std::size_t index) const override;
  // The simulation knows the place in twips, exactly.
  bool PlacedAt(std::size_t index, const Arg& left, const Arg& top) const override {
    return MatchesNumber(left, log_[index].left) && MatchesNumber(top, log_[index].top);
  }
  void Take(std::size_t index) override {
    log_.erase(log_.begin() + static_cast<std::ptrdiff_t>(index));
  }

 private:
  std::deque<sim::DialogRecord>& log_;
};

class SimPasteLog : public PasteLog {
 public:
  explicit SimPasteLog(std::deque<sim::PasteRecord>& log) : log_(log) {}
  bool Empty() const override { return log_.empty(); }
  bool OldestIs(const std::string& title, const std::string& text) const override {
    return log_.front().target == title && log_.front().text == text;
  }
  std::string DescribeOldest() const override;
  void TakeOldest() override { log_.pop_front(); }

 private:
  std::deque<sim::PasteRecord>& log_;
};

class Player : public CommandPlayer {
 public:
  Player() = default;
  // The program goes first, without its shutdown: it may hold the world.
  ~Player() override { form_.reset(); }
  Player(const Player&) = delete;
  Player& operator=(const Player&) = delete;

  // A dialog the scenario did not answer fails the command that opened it.
  StepResult Run(const Command& command) override;

  // The world and the program being played, for a caller that watches them.
  sim::SimPlatform& World() { return sim_; }
  const app::Form1* Program() const { return form_.get(); }

 private:
  static platform::ListId Id(ListName list) { return static_cast<platform::ListId>(list); }
  // An action of the simulated user: a failure says why the user could not.
  StepResult Done(const sim::ActionResult& done) const {
    return done ? Pass() : CannotDo(done.error);
  }

  std::filesystem::path AppFolder() const override { return PathFromUtf8(sim_.AppFolder()); }
  DialogLog& Dialogs() override { return dialogs_; }
  PasteLog& Pastes() override { return pastes_; }
  std::optional<int> PendingAnswerLine() const override;

  StepResult MarkOtherCopyRunning() override;
  StepResult SetClipboard(const std::string& text) override;
  StepResult SetWindows(const std::vector<std::string>& titles) override;
  StepResult SetFault(const Command& command) override;
  StepResult Heal(const Command& command) override;
  StepResult HoldKey(const platform::KeyCombination& key, const Command& command) override;

  StepResult Start() override;
  StepResult Close() override;
  StepResult Restart() override;
  StepResult ExpectEnded() override { return CheckEnded(Started(), sim_.Ended()); }
  StepResult ExpectRunning() override {
    return CheckRunning(Started(), !sim_.Ended(), sim_.IsWindowShown());
  }
  StepResult QueueAnswer(const Answer& answer) override;

  StepResult Click(ListName list, int index, bool twice) override {
    return Done(sim_.Click(Id(list), index, twice));
  }
  StepResult PressKey(ListName list, int code, int mask) override {
    return Done(sim_.Key(Id(list), code, mask));
  }
  StepResult RightClick(ListName list) override { return Done(sim_.RightClick(Id(list))); }
  StepResult Focus(ListName list) override { return Done(sim_.Focus(Id(list))); }
  StepResult ClickMenu(app::MenuItem item, bool openOnly) override {
    return Done(openOnly ? sim_.Open(item) : sim_.Menu(item));
  }
  StepResult Activate(const std::string& title) override { return Done(sim_.Activate(title)); }
  StepResult Resize(double width, double height) override {
    return Done(sim_.Resize(static_cast<float>(width), static_cast<float>(height)));
  }
  StepResult Move(double left, double top) override {
    return Done(sim_.Move(static_cast<float>(left), static_cast<float>(top)));
  }
  StepResult ChangeState(platform::WindowState state) override {
    return Done(sim_.ChangeState(state));
  }
  StepResult PressCallUpKey(const Command&) override { return Done(sim_.PressCallUpKey()); }

  // The window as the checks read it; the simulation can tell them all.
  bool Started() const override { return form_ != nullptr; }
  bool Running() const override { return !sim_.Ended(); }
  std::vector<std::string> ListTexts(ListName list) override { return sim_.ListTexts(Id(list)); }
  int SelectedIndex(ListName list) override { return sim_.ListSelected(Id(list)); }
  std::optional<bool> MenuMark(app::MenuItem item, bool visibility, std::string&) override {
    return visibility ? sim_.MenuVisible(item) : sim_.MenuChecked(item);
  }
  bool Topmost() override { return sim_.IsTopmost(); }
  platform::WindowState State() override { return sim_.GetWindowState(); }
  std::optional<std::string> ToolTip(std::string&) override { return sim_.ToolTip(); }
  std::string ActiveTitle() override { return sim_.ActiveTitle(); }
  std::optional<std::string> ClipboardText() override { return sim_.Clipboard(); }
  std::optional<std::string> MenuCaption(app::MenuItem item, std::string&) override {
    return sim_.MenuCaption(item);
  }
  std::optional<ListName> KeyboardFocus(std::string&) override {
    return static_cast<ListName>(sim_.FocusedList());
  }
  // Geometry and the lists' rectangles in exact twips, and the program's own
  // values: checks only the simulation makes.
  StepResult ExpectGeometry(const Command& command) override;
  StepResult ExpectListRect(const Command& command) override;
  StepResult ExpectValue(const Command& command) override;
  StepResult ExpectBeep(const Command& command) override {
    return CheckBeep(command, sim_.BeepCount(), beepsChecked_);
  }
  StepResult ExpectOpened(const Command& command) override {
    return CheckOpened(command, sim_.AppFolder(), sim_.Opened());
  }

  // Declared first: the program holds a reference to the world.
  sim::SimPlatform sim_;
  std::unique_ptr<app::Form1> form_;
  SimDialogLog dialogs_{sim_.DialogLog()};
  SimPasteLog pastes_{sim_.Pastes()};
  long beepsChecked_ = 0;
};

}  // namespace pelorin::scenario
