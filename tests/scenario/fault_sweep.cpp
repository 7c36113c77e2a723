#include "tests/scenario/fault_sweep.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <thread>

#include "platform/file_system.h"
#include "store/profile_document.h"
#include "store/settings_encoding.h"
#include "tests/scenario/fault_view.h"
#include "tests/scenario/player.h"

namespace pelorin::scenario {

namespace {

constexpr std::size_t kEvery = static_cast<std::size_t>(-1);

// Watches the application folder and its data folder while the program runs
// and notes every file that was written in place or removed without the
// program deleting it: an atomic write goes to a temporary file and then
// takes the target's place in one rename, so at no moment does the target
// hold part of its new bytes, or nothing at all. (Linux: inotify.)
class InPlaceWrites {
 public:
  explicit InPlaceWrites(const std::string& appFolder)
      : folder_(appFolder), watcher_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
    Watch();
  }
  ~InPlaceWrites() {
    if (watcher_ >= 0) ::close(watcher_);
  }
  InPlaceWrites(const InPlaceWrites&) = delete;
  InPlaceWrites& operator=(const InPlaceWrites&) = delete;

  // What happened since the last call ("data/A.txt written in place"),
  // besides the removal of the files named in `deleted` (the program's own
  // deletes) and anything done to temporary files.
  std::set<std::string> Take(const std::set<std::string>& deleted) {
    std::set<std::string> found;
    alignas(inotify_event) char buffer[16384];
    ssize_t size = 0;
    while (watcher_ >= 0 && (size = ::read(watcher_, buffer, sizeof buffer)) > 0) {
      for (ssize_t at = 0; at < size;) {
        inotify_event event;
        std::memcpy(&event, buffer + at, sizeof event);
        const std::string name = event.len > 0 ? buffer + at + sizeof event : "";
        at += static_cast<ssize_t>(sizeof event + event.len);
        const std::string path = (event.wd == data_ ? "data/" : "") + name;
        if (name.empty() || platform::IsTemporaryFileName(name)) continue;
        if ((event.mask & IN_DELETE) && !deleted.contains(path)) {
          found.insert(path + " removed before its replacement was in place");
        } else if (event.mask & (IN_MODIFY | IN_CLOSE_WRITE)) {
          found.insert(path + " written in place");
        }
      }
    }
    Watch();
    return found;
  }

 private:
  // Again after every command: the scenario may have removed and made the
  // data folder anew.
  void Watch() {
    if (watcher_ < 0) return;
    constexpr std::uint32_t kWatched = IN_MODIFY | IN_CLOSE_WRITE | IN_DELETE;
    inotify_add_watch(watcher_, folder_.c_str(), kWatched);
    data_ = inotify_add_watch(watcher_, (folder_ + "/data").c_str(), kWatched);
  }

  std::string folder_;
  int watcher_ = -1;
  int data_ = -1;  // the watch of the data folder
};

struct Step {
  long operations = 0;       // file operations made so far
  std::size_t messages = 0;  // message boxes shown so far
  FaultView view;            // taken where the checks need it
};

struct Run {
  FaultView start;
  std::vector<Step> steps;  // one per command
  std::vector<sim::OperationRecord> operations;
  std::vector<long> messageStamps;       // each message told: the operations made before it
  std::vector<ScenarioOutcome> inPlace;  // watched in the fault-free run only
  std::string exception;
};

// A search window tells of a file it could not read in a line under the
// results, after the count.
bool TellsOfAFailure(const sim::DialogRecord& shown) {
  if (shown.kind == sim::DialogKind::MsgBox) return true;
  return shown.kind == sim::DialogKind::Search && !shown.searched.empty() &&
         shown.searched.front().statusLines.size() > 1;
}

// Plays the commands (expect lines taken out) with operation `failAt` failing
// (0: none, and the folder watched), taking the view after command `viewed`
// and after the last.
Run Record(const Scenario& scenario, long failAt, std::size_t viewed, std::ostream* trace) {
  Run run;
  Player* player = nullptr;
  std::unique_ptr<InPlaceWrites> watch;
  auto makePlayer = [&] {
    auto made = std::make_unique<Player>();
    player = made.get();
    made->World().Faults().FailOperation(failAt);
    run.start = TakeFaultView(made->World(), nullptr);
    if (failAt == 0) watch = std::make_unique<InPlaceWrites>(made->World().AppFolder());
    return made;
  };
  PlaySteps steps{false, trace, {}};
  steps.after = [&](const Command& command) {
    sim::SimPlatform& world = player->World();
    const std::size_t from = run.operations.size();
    run.operations = world.Faults().Operations();
    run.messageStamps.clear();
    for (const sim::DialogRecord& shown : world.DialogLog()) {
      if (TellsOfAFailure(shown)) run.messageStamps.push_back(shown.operationsBefore);
    }
    const std::size_t index = run.steps.size();
    Step& step = run.steps.emplace_back(
        Step{static_cast<long>(run.operations.size()), run.messageStamps.size(), {}});
    if (viewed == kEvery || index == viewed || index + 1 == scenario.commands.size()) {
      step.view = TakeFaultView(world, player->Program());
    }
    if (!watch) return;
    std::set<std::string> deleted;
    for (std::size_t i = from; i < run.operations.size(); ++i) {
      if (run.operations[i].kind == "delete") deleted.insert(run.operations[i].path);
    }
    // In a command without file operations of the program, what happened to
    // the folder was the scenario's own setup.
    for (const std::string& found : watch->Take(deleted)) {
      if (run.operations.size() > from) {
        run.inPlace.push_back({false, command.line, found});
      }
    }
  };
  const ScenarioOutcome outcome = PlayOn(scenario, makePlayer, steps);
  if (!outcome.passed) run.exception = outcome.message;
  return run;
}

bool WrittenByTheProgram(const std::string& settings) {
  const std::optional<store::SettingsText> decoded = store::DecodeSettingsText(settings);
  if (!decoded) return false;
  const std::string text = store::ProfileDocument::Parse(decoded->text).Serialize();
  return store::EncodeSettingsText(text, decoded->encoding) == settings;
}

void CheckWhole(const FaultView& before, const FaultView& after, const FaultView& found,
                std::vector<std::string>& problems) {
  auto holds = [](const FaultView& view, const std::string& name, const std::string& bytes) {
    const auto file = view.kaomojiFiles.find(name);
    return file != view.kaomojiFiles.end() && file->second == bytes;
  };
  for (const auto& [name, bytes] : found.kaomojiFiles) {
    if (!holds(before, name, bytes) && !holds(after, name, bytes)) {
      problems.push_back("data/" + name + " holds neither its old bytes nor the new");
    }
  }
  for (const auto& [name, bytes] : before.kaomojiFiles) {
    if (after.kaomojiFiles.contains(name) && !found.kaomojiFiles.contains(name)) {
      problems.push_back("data/" + name + " vanished");
    }
  }
  const std::string& settings = found.settingsBytes;
  if (settings != before.settingsBytes && settings != after.settingsBytes &&
      (settings.empty() || !WrittenByTheProgram(settings))) {
    problems.push_back("設定.ini is neither as it was nor a file the program wrote");
  }
}

struct Sweep {
  Scenario plain;  // the scenario without its expect lines
  Scenario wayOut;
  Run clean;
};

// The problems of the run with operation k failing during command `command`.
std::vector<std::string> CheckFault(const Sweep& sweep, long k, std::size_t command) {
  const Run& clean = sweep.clean;
  Scenario scenario = sweep.plain;
  scenario.commands.resize(command + 1);
  scenario.commands.insert(scenario.commands.end(), sweep.wayOut.commands.begin(),
                           sweep.wayOut.commands.end());
  const Run run = Record(scenario, k, command, nullptr);
  std::vector<std::string> problems;
  if (!run.exception.empty()) problems.push_back(run.exception);
  const auto failed = static_cast<std::size_t>(k - 1);
  if (run.operations.size() <= failed || run.steps.size() <= command ||
      run.operations[failed].kind != clean.operations[failed].kind ||
      run.operations[failed].path != clean.operations[failed].path) {
    problems.push_back("the run went another way before the fault");
    return problems;
  }

  const FaultView& before = command == 0 ? clean.start : clean.steps[command - 1].view;
  const FaultView& after = clean.steps[command].view;
  // Lost at the failing command is lost for good: the way out looks once.
  const FaultView& end = run.steps.back().view;
  for (const std::string& lost : Lost(before.holdings, after.holdings, end.holdings)) {
    problems.push_back("lost after the way out: " + lost);
  }
  CheckWhole(before, after, run.steps[command].view, problems);

  const sim::OperationRecord& operation = run.operations[failed];
  const bool unreportedByDesign = operation.kind == "rename" || operation.kind == "delete" ||
                                  (operation.kind == "read" && failed + 1 < run.operations.size() &&
                                   run.operations[failed + 1].kind == "write" &&
                                   run.operations[failed + 1].path == operation.path);
  const auto stamps = run.messageStamps.begin();
  const bool told =
      std::any_of(stamps + (command == 0 ? 0 : static_cast<long>(run.steps[command - 1].messages)),
                  stamps + static_cast<long>(run.steps[command].messages),
                  [&](long stamp) { return stamp >= k; });
  if (!unreportedByDesign && !told) problems.push_back("no message after it failed");
  return problems;
}

}  // namespace

std::optional<std::string> FaultSweep::WhyNotPlayed(const Scenario& scenario) const {
  const Command* own = FirstSimOnlyCommand(scenario);
  if (!own) return std::nullopt;
  return "line " + std::to_string(own->line) + ": it makes faults of its own";
}

std::optional<std::string> FaultSweep::ClosingNote() const {
  return "fault sweep: " + std::to_string(scenarios_) + " scenarios swept, " +
         std::to_string(operations_) + " file operations made to fail one at a time, " +
         std::to_string(problems_) + " problems";
}

ScenarioOutcome FaultSweep::Play(const Scenario& scenario, std::ostream* trace) {
  ++scenarios_;
  Sweep sweep;
  sweep.plain = scenario;
  std::erase_if(sweep.plain.commands, [](const Command& c) { return IsExpectation(c.kind); });
  sweep.clean = Record(sweep.plain, 0, kEvery, trace);
  const Run& clean = sweep.clean;
  if (!clean.exception.empty()) {
    return {false, scenario.line, "the fault-free run failed: " + clean.exception};
  }
  if (!clean.inPlace.empty()) {
    problems_ += static_cast<long>(clean.inPlace.size());
    return clean.inPlace.front();
  }
  std::size_t categories = 0;
  for (const Step& step : clean.steps) {
    categories = std::max(categories, step.view.categories);
  }
  std::string wayOut = "scenario the way out of a fault\n";
  for (std::size_t i = 0; i < categories; ++i) wayOut += "click List3 " + std::to_string(i) + "\n";
  sweep.wayOut = ParseScenarios(wayOut + "close\nstart\n").scenarios.at(0);

  // Every k, on every core; the first problem in the order of k is shown.
  std::vector<std::vector<std::string>> problems(clean.operations.size());
  std::vector<int> lines(problems.size());
  std::atomic<std::size_t> next{0};
  auto work = [&] {
    for (std::size_t at = next++; at < problems.size(); at = next++) {
      std::size_t command = 0;
      while (clean.steps[command].operations <= static_cast<long>(at)) ++command;
      problems[at] = CheckFault(sweep, static_cast<long>(at) + 1, command);
      lines[at] = sweep.plain.commands[command].line;
    }
  };
  std::vector<std::jthread> workers(std::max(1U, std::thread::hardware_concurrency()) - 1);
  for (std::jthread& worker : workers) worker = std::jthread(work);
  work();
  workers.clear();

  operations_ += static_cast<long>(problems.size());
  long count = 0;
  for (const std::vector<std::string>& found : problems) count += static_cast<long>(found.size());
  problems_ += count;
  for (std::size_t at = 0; at < problems.size(); ++at) {
    if (problems[at].empty()) continue;
    return {false, lines[at],
            "with operation " + std::to_string(at + 1) + " (" +
                std::string(clean.operations[at].kind) + " " + clean.operations[at].path +
                ") failing: " + problems[at].front() +
                (count > 1 ? " (" + std::to_string(count) + " problems in all)" : "")};
  }
  return {};
}

}  // namespace pelorin::scenario
