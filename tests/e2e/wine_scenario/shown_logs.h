#pragma once
// The Windows runner's logs of what the program showed and sent (the dialogs
// read from their real windows, the pastes as the other windows got them),
// as the shared checks read them.

#include <deque>

#include "tests/e2e/wine_scenario/dialogs.h"
#include "tests/e2e/wine_scenario/paste_targets.h"
#include "tests/scenario/dialog_expectations.h"
#include "tests/scenario/output_expectations.h"

namespace pelorin::wine_scenario {

class ShownDialogLog : public scenario::DialogLog {
 public:
  explicit ShownDialogLog(std::deque<DialogRecord>& log) : log_(log) {}
  std::size_t Size() const override { return log_.size(); }
  DialogKind KindAt(std::size_t index) const override { return log_[index].kind; }
  scenario::ShownDialog At(std::size_t index) const override;
  // A real window stands on whole pixels: the place in twips is the same
  // pixel at the window's DPI.
  bool PlacedAt(std::size_t index, const scenario::Arg& left,
                const scenario::Arg& top) const override;
  void Take(std::size_t index) override;

 private:
  std::deque<DialogRecord>& log_;
};

class ShownPasteLog : public scenario::PasteLog {
 public:
  explicit ShownPasteLog(std::deque<PasteRecord>& log) : log_(log) {}
  bool Empty() const override { return log_.empty(); }
  // The window must have received the text, by a Ctrl+V without Shift.
  bool OldestIs(const std::string& title, const std::string& text) const override;
  std::string DescribeOldest() const override { return log_.front().Describe(); }
  void TakeOldest() override { log_.pop_front(); }

 private:
  std::deque<PasteRecord>& log_;
};

}  // namespace pelorin::wine_scenario
