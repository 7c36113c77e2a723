#pragma once
// The invariants of a run in which file operation k failed, checked against
// the fault-free run of the same scenario. "The failing command" is the
// command during which operation k was made.
//
// - Nothing silently dropped: every category and kaomoji that the fault-free
//   run held both before and after the failing command is still held after
//   it (on the screen or on disk; kaomoji as multisets of texts, in all and
//   per category). Later losses are looked for in two ways. The played-on
//   run: while the user sees the same window as in the fault-free run (so
//   every later click lands where it did there), whatever the fault-free run
//   still holds at the end is held at the end. The recovery run: the
//   scenario up to the failing command, the fault over, then every category
//   clicked in turn, the program closed and started again: everything
//   required after the failing command is still there.
// - Nothing torn: after the failing command each kaomoji file holds the
//   bytes it had before it or the bytes the fault-free command left; the
//   settings file is one the program's own writer produced (or untouched); no
//   file of an unfinished write is left behind at any point.
// - The user is told: a command in which a write, a new folder or a read
//   failed shows a message box. Renames and deletes whose failure the program
//   leaves unreported by design (the kaomoji file of a renamed or deleted
//   category) are counted, not reported.
// - Every operation before the fault was made exactly as in the fault-free
//   run, and no run ends in an exception.

#include <string>
#include <vector>

#include "tests/faults/recording.h"

namespace pelorin::faults {

struct Problem {
  int line = 0;  // the scenario line of the command where it showed
  std::string what;
};

struct RunCheck {
  std::vector<Problem> problems;
  long faultsInjected = 0;  // operations that failed in the run
  long unreportedByDesign = 0;  // failed renames and deletes without a message
};

// The played-on run.
RunCheck CheckFaultedRun(const Recording& clean, const Recording& faulted, long k);

// The index of the failing command in `faulted`'s steps (steps.size() when
// operation k never came).
std::size_t FailingStep(const Recording& faulted, long k);

// The recovery run (RecoveryScenario from the failing command) against the
// fault-free run.
RunCheck CheckRecovery(const Recording& clean, const Recording& recovered, std::size_t step);

}  // namespace pelorin::faults
