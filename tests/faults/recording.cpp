#include "tests/faults/recording.h"

#include <algorithm>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "tests/scenario/scenario_player.h"

namespace pelorin::faults {

namespace {

// Notes the message boxes shown since the last call (the log only grows:
// expect lines, which take entries off it, are not played).
void NoteMessages(sim::SimPlatform& world, std::size_t& dialogsSeen, Recording& recording) {
  const std::deque<sim::DialogRecord>& log = world.DialogLog();
  for (; dialogsSeen < log.size(); ++dialogsSeen) {
    const sim::DialogRecord& shown = log[dialogsSeen];
    if (shown.kind == sim::DialogKind::MsgBox) {
      recording.messageStamps.push_back(shown.operationsBefore);
    }
  }
}

Moment MomentOf(int line, std::size_t command, sim::SimPlatform& world,
                const app::Form1* program, const Recording& recording) {
  Moment moment;
  moment.line = line;
  moment.command = command;
  moment.operations = world.Faults().OperationCount();
  moment.messages = recording.messageStamps.size();
  moment.view = TakeView(world, program);
  return moment;
}

scenario::Command Synthetic(scenario::CommandKind kind, const std::string& source, int line) {
  scenario::Command command;
  command.kind = kind;
  command.name = source.substr(0, source.find(' '));
  command.source = source;
  command.line = line;
  return command;
}

}  // namespace

Recording Record(const scenario::Scenario& scenario, long failAt, bool andLater,
                 std::size_t healAfter) {
  Recording recording;
  std::size_t dialogsSeen = 0;
  scenario::PlayOptions options;
  options.ignoreExpectations = true;
  options.before = [&](sim::SimPlatform& world) {
    world.Faults().FailOperation(failAt, andLater);
    recording.start = MomentOf(0, kNever, world, nullptr, recording);
  };
  options.after = [&](const scenario::Command& command, sim::SimPlatform& world,
                      const app::Form1* program) {
    const auto index = static_cast<std::size_t>(&command - scenario.commands.data());
    if (index == healAfter) world.Faults().FailOperation(0);
    NoteMessages(world, dialogsSeen, recording);
    recording.steps.push_back(MomentOf(command.line, index, world, program, recording));
    const std::vector<sim::OperationRecord>& log = world.Faults().Operations();
    recording.operations.insert(recording.operations.end(),
                                log.begin() + static_cast<long>(recording.operations.size()),
                                log.end());
  };
  scenario::ScenarioOutcome outcome = scenario::PlayScenario(scenario, options);
  if (!outcome.passed) recording.exception = outcome.message;
  return recording;
}

scenario::Scenario RecoveryScenario(const scenario::Scenario& scenario, std::size_t last,
                                    int categories) {
  using scenario::CommandKind;
  scenario::Scenario recovery;
  recovery.name = scenario.name;
  recovery.line = scenario.line;
  recovery.commands.assign(scenario.commands.begin(),
                           scenario.commands.begin() + static_cast<long>(last) + 1);
  const int line = scenario.commands[last].line;
  for (int i = 0; i < categories; ++i) {
    scenario::Command click = Synthetic(CommandKind::Click, "click List3 " + std::to_string(i), line);
    scenario::Arg list;
    list.kind = scenario::ArgKind::List;
    list.list = scenario::ListName::List3;
    scenario::Arg index;
    index.kind = scenario::ArgKind::Number;
    index.number = i;
    click.args = {list, index};
    recovery.commands.push_back(click);
  }
  recovery.commands.push_back(Synthetic(CommandKind::Close, "close", line));
  recovery.commands.push_back(Synthetic(CommandKind::Start, "start", line));
  return recovery;
}

bool UsesOwnFaults(const scenario::Scenario& scenario) {
  return std::any_of(scenario.commands.begin(), scenario.commands.end(), [](const auto& command) {
    return command.kind == scenario::CommandKind::Fail ||
           command.kind == scenario::CommandKind::Heal;
  });
}

}  // namespace pelorin::faults
