#pragma once
// pelorin-scenario --faults: every scenario played again and again, with its
// k-th file operation failing, for every k its fault-free run makes. Each
// such run plays the scenario up to the failing command, then the user's way
// out: every category clicked in turn (each click saves the shown list and
// loads the next), the program closed and started again. Checked against the
// fault-free run:
// - operation k is the one it was in the fault-free run (the same kind, the
//   same file), so the fault hit what it was meant to;
// - nothing lost: what the fault-free run held both before and after the
//   failing command (categories, and kaomoji as multisets of texts, in all
//   and by file) is still held after the way out;
// - nothing torn: after the failing command each kaomoji file holds its old
//   bytes or the new ones and the settings file is one the program's own
//   writer produced; in the fault-free run no file is ever written in place
//   or removed on the way to its replacement;
// - the user is told: a failed write, new folder or read shows a message box
//   in the same command. The program leaves failed renames and deletes (of a
//   renamed or deleted category's file) unreported by design, and so a read
//   that a save makes only to skip writing the same bytes again.
// Scenarios that make faults of their own (fail, heal) are left out.

#include "tests/scenario/scenario_files.h"

namespace pelorin::scenario {

class FaultSweep : public ScenarioPlayback {
 public:
  std::optional<std::string> WhyNotPlayed(const Scenario& scenario) const override;
  std::optional<std::string> ClosingNote() const override;
  ScenarioOutcome Play(const Scenario& scenario, std::ostream* trace) override;

 private:
  long scenarios_ = 0;
  long operations_ = 0;
  long problems_ = 0;
};

}  // namespace pelorin::scenario
