#include "tests/scenario/sim_logs.h"

namespace pelorin::scenario {

DialogKind SimDialogLog::KindAt(std::size_t index) const {
  switch (log_[index].kind) {
    case sim::DialogKind::MsgBox:
      return DialogKind::MsgBox;
    case sim::DialogKind::InputBox:
      return DialogKind::InputBox;
    case sim::DialogKind::Search:
      return DialogKind::Search;
    case sim::DialogKind::CallUpKey:
      return DialogKind::CallUpKey;
    case sim::DialogKind::Popup:
      break;
  }
  return DialogKind::Popup;
}

ShownDialog SimDialogLog::At(std::size_t index) const {
  const sim::DialogRecord& record = log_[index];
  std::vector<SearchStep> searched;
  for (const sim::SearchShown& step : record.searched) {
    searched.push_back({step.text, step.results});
  }
  return {KindAt(index),      record.text,  record.caption,      record.flags,
          record.defaultText, record.items, std::move(searched), record.Describe()};
}

bool SimDialogLog::PlacedAt(std::size_t index, const Arg& left, const Arg& top) const {
  return MatchesNumber(left, log_[index].left) && MatchesNumber(top, log_[index].top);
}

void SimDialogLog::Take(std::size_t index) {
  log_.erase(log_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool SimPasteLog::OldestIs(const std::string& title, const std::string& text) const {
  return log_.front().target == title && log_.front().text == text;
}

std::string SimPasteLog::DescribeOldest() const {
  const sim::PasteRecord& paste = log_.front();
  return "Ctrl+V to " + Quoted(paste.target) +
         (paste.text ? " with " + Quoted(*paste.text) : std::string(" with no text"));
}

}  // namespace pelorin::scenario
