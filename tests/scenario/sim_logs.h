#pragma once
// The simulation's logs of dialogs and pastes, as the shared checks read them.

#include <deque>

#include "platform/sim/sim_dialogs.h"
#include "platform/sim/sim_platform.h"
#include "tests/scenario/dialog_expectations.h"
#include "tests/scenario/output_expectations.h"

namespace pelorin::scenario {

class SimDialogLog : public DialogLog {
 public:
  explicit SimDialogLog(std::deque<sim::DialogRecord>& log) : log_(log) {}
  std::size_t Size() const override { return log_.size(); }
  DialogKind KindAt(std::size_t index) const override;
  ShownDialog At(std::size_t index) const override;
  // The simulation knows the place in twips, exactly.
  bool PlacedAt(std::size_t index, const Arg& left, const Arg& top) const override;
  void Take(std::size_t index) override;

 private:
  std::deque<sim::DialogRecord>& log_;
};

class SimPasteLog : public PasteLog {
 public:
  explicit SimPasteLog(std::deque<sim::PasteRecord>& log) : log_(log) {}
  bool Empty() const override { return log_.empty(); }
  bool OldestIs(const std::string& title, const std::string& text) const override;
  std::string DescribeOldest() const override;
  void TakeOldest() override { log_.pop_front(); }

 private:
  std::deque<sim::PasteRecord>& log_;
};

}  // namespace pelorin::scenario
