#include "tests/faults/fault_checks.h"

#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/sim/sim_dialogs.h"
#include "store/profile_document.h"
#include "store/settings_encoding.h"
#include "tests/faults/holdings.h"

namespace pelorin::faults {

namespace {

const WorldView& ViewBefore(const Recording& recording, std::size_t step) {
  return step == 0 ? recording.start.view : recording.steps[step - 1].view;
}

long OperationsBefore(const Recording& recording, std::size_t step) {
  return step == 0 ? recording.start.operations : recording.steps[step - 1].operations;
}

std::size_t MessagesBefore(const Recording& recording, std::size_t step) {
  return step == 0 ? recording.start.messages : recording.steps[step - 1].messages;
}

std::string Describe(const sim::OperationRecord& operation) {
  return std::string(operation.kind) + " " + operation.path;
}

// The first difference between the runs up to operation k, or "".
std::string Divergence(const Recording& clean, const Recording& faulted, long k) {
  const auto size = static_cast<std::size_t>(k);
  if (faulted.operations.size() < size) return "operation " + std::to_string(k) + " never came";
  for (std::size_t i = 0; i < size; ++i) {
    const sim::OperationRecord& a = clean.operations[i];
    const sim::OperationRecord& b = faulted.operations[i];
    if (std::strcmp(a.kind, b.kind) != 0 || a.path != b.path) {
      return "operation " + std::to_string(i + 1) + " was " + Describe(b) + ", not " + Describe(a);
    }
  }
  if (!faulted.operations[size - 1].failed) return "operation " + std::to_string(k) + " did not fail";
  return "";
}

void CheckNothingDropped(const Holdings& required, const WorldView& found, int line,
                         const std::string& when, RunCheck& check) {
  for (const std::string& missing : Missing(required, HoldingsOf(found))) {
    check.problems.push_back({line, "lost " + when + ": " + missing});
  }
}

bool WrittenByTheProgram(const std::string& settings) {
  const std::optional<store::SettingsText> decoded = store::DecodeSettingsText(settings);
  if (!decoded) return false;
  const std::string text = store::ProfileDocument::Parse(decoded->text).Serialize();
  return store::EncodeSettingsText(text, decoded->encoding) == settings;
}

// Temporary files the fault-free run has too were put there by the scenario
// (as an earlier, interrupted run would leave them), not by this run.
std::set<std::string> TemporaryFilesOf(const Recording& clean) {
  std::set<std::string> names;
  for (const Moment& moment : clean.steps) {
    names.insert(moment.view.temporaryFiles.begin(), moment.view.temporaryFiles.end());
  }
  return names;
}

void CheckNoUnfinishedWrite(const Moment& moment, const std::set<std::string>& given,
                            RunCheck& check) {
  for (const std::string& name : moment.view.temporaryFiles) {
    if (given.contains(name)) continue;
    check.problems.push_back({moment.line, "an unfinished write left " + name});
  }
}

void CheckFilesWhole(const WorldView& before, const WorldView& after, const WorldView& found,
                     int line, RunCheck& check) {
  for (const auto& [name, file] : found.kaomojiFiles) {
    auto old = before.kaomojiFiles.find(name);
    auto fresh = after.kaomojiFiles.find(name);
    const bool asBefore = old != before.kaomojiFiles.end() && old->second.bytes == file.bytes;
    const bool asAfter = fresh != after.kaomojiFiles.end() && fresh->second.bytes == file.bytes;
    if (!asBefore && !asAfter) {
      check.problems.push_back({line, "data/" + name + " holds neither its old bytes nor the new"});
    }
  }
  for (const auto& [name, file] : before.kaomojiFiles) {
    if (after.kaomojiFiles.contains(name) && !found.kaomojiFiles.contains(name)) {
      check.problems.push_back({line, "data/" + name + " vanished"});
    }
  }
  const std::string& settings = found.settingsBytes;
  if (!before.settingsBytes.empty() && !after.settingsBytes.empty() && settings.empty()) {
    check.problems.push_back({line, "設定.ini vanished or was emptied"});
  }
  if (settings != before.settingsBytes && settings != after.settingsBytes &&
      !WrittenByTheProgram(settings)) {
    check.problems.push_back({line, "設定.ini is not a file the program wrote"});
  }
}

bool MustBeTold(const sim::OperationRecord& operation) {
  return std::strcmp(operation.kind, "rename") != 0 && std::strcmp(operation.kind, "delete") != 0;
}

// Whether a message box of this command came after operation `number`.
bool ToldAfter(const Recording& faulted, std::size_t step, long number) {
  const std::size_t first = MessagesBefore(faulted, step);
  for (std::size_t i = first; i < faulted.steps[step].messages; ++i) {
    if (faulted.messageStamps[i] >= number) return true;
  }
  return false;
}

// Every command from the fault on: failures shown, no unfinished write left.
// One message may stand for every failure of the same file in a command (the
// program reports a failing settings file once per command).
void CheckEachCommand(const Recording& faulted, std::size_t first,
                      const std::set<std::string>& givenTemporaryFiles, RunCheck& check) {
  for (std::size_t step = first; step < faulted.steps.size(); ++step) {
    const Moment& moment = faulted.steps[step];
    const auto from = static_cast<std::size_t>(OperationsBefore(faulted, step));
    const auto to = static_cast<std::size_t>(moment.operations);
    std::set<std::string> reported;
    for (std::size_t i = from; i < to && i < faulted.operations.size(); ++i) {
      const sim::OperationRecord& operation = faulted.operations[i];
      if (!operation.failed) continue;
      ++check.faultsInjected;
      // A save reads the file first to skip writing the same bytes again; when
      // that read fails the save writes anyway, and once the write is done
      // nothing is lost.
      const bool readBeforeWrite =
          std::strcmp(operation.kind, "read") == 0 && i + 1 < faulted.operations.size() &&
          std::strcmp(faulted.operations[i + 1].kind, "write") == 0 &&
          faulted.operations[i + 1].path == operation.path && !faulted.operations[i + 1].failed;
      if (!MustBeTold(operation) || readBeforeWrite) {
        if (!ToldAfter(faulted, step, static_cast<long>(i) + 1)) ++check.unreportedByDesign;
        continue;
      }
      if (!reported.insert(operation.path).second) continue;
      if (!ToldAfter(faulted, step, static_cast<long>(i) + 1)) {
        check.problems.push_back({moment.line, "no message after the failed " + Describe(operation)});
      }
    }
    CheckNoUnfinishedWrite(moment, givenTemporaryFiles, check);
  }
}

// What the user must still hold after the failing command: what the
// fault-free run held both before and after it.
Holdings RequiredAfter(const Recording& clean, std::size_t step) {
  return Common(HoldingsOf(ViewBefore(clean, step)), HoldingsOf(clean.steps[step].view));
}

// Whether the user saw the same window in both runs after every command
// from `step` on.
bool NeverDiverged(const Recording& clean, const Recording& faulted, std::size_t step) {
  for (std::size_t i = step; i < faulted.steps.size() && i < clean.steps.size(); ++i) {
    if (!SameScreen(clean.steps[i].view, faulted.steps[i].view)) return false;
  }
  return true;
}

}  // namespace

std::size_t FailingStep(const Recording& faulted, long k) {
  std::size_t step = 0;
  while (step < faulted.steps.size() && faulted.steps[step].operations < k) ++step;
  return step;
}

RunCheck CheckFaultedRun(const Recording& clean, const Recording& faulted, long k) {
  RunCheck check;
  if (!faulted.exception.empty()) check.problems.push_back({0, faulted.exception});
  if (std::string diverged = Divergence(clean, faulted, k); !diverged.empty()) {
    check.problems.push_back({0, "the run went another way: " + diverged});
    return check;
  }
  const std::size_t step = FailingStep(faulted, k);
  if (step >= faulted.steps.size() || step >= clean.steps.size()) return check;

  const WorldView& found = faulted.steps[step].view;
  Holdings required = RequiredAfter(clean, step);
  CheckNothingDropped(required, found, faulted.steps[step].line, "by the failing command", check);
  CheckFilesWhole(ViewBefore(clean, step), clean.steps[step].view, found, faulted.steps[step].line,
                  check);
  CheckEachCommand(faulted, step, TemporaryFilesOf(clean), check);

  if (!NeverDiverged(clean, faulted, step)) return check;
  for (std::size_t later = step + 1; later < clean.steps.size(); ++later) {
    required = Common(required, HoldingsOf(clean.steps[later].view));
  }
  CheckNothingDropped(required, faulted.steps.back().view, faulted.steps.back().line,
                      "by the end", check);
  return check;
}

RunCheck CheckRecovery(const Recording& clean, const Recording& recovered, std::size_t step) {
  RunCheck check;
  if (!recovered.exception.empty()) check.problems.push_back({0, recovered.exception});
  if (recovered.steps.empty() || step >= clean.steps.size()) return check;
  CheckNothingDropped(RequiredAfter(clean, step), recovered.steps.back().view,
                      recovered.steps.back().line, "after recovering and restarting", check);
  const std::set<std::string> given = TemporaryFilesOf(clean);
  for (const Moment& moment : recovered.steps) CheckNoUnfinishedWrite(moment, given, check);
  return check;
}

}  // namespace pelorin::faults
