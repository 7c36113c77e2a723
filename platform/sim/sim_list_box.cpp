#include "platform/sim/sim_list_box.h"

#include <algorithm>
#include <cmath>

#include "platform/sim/sim_metrics.h"

namespace pelorin::sim {

void SimListBox::Insert(int index, const std::string& text) {
  if (index < 0) index = Count();
  if (index > Count()) return;
  entries_.insert(entries_.begin() + index, text);
  if (selected_ >= index) ++selected_;
}

void SimListBox::Remove(int index) {
  if (!Contains(index)) return;
  entries_.erase(entries_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
}

void SimListBox::ReplaceAll(const std::vector<std::string>& texts) {
  entries_ = texts;
  selected_ = -1;
}

void SimListBox::Select(int index) { selected_ = Contains(index) ? index : -1; }

bool SimListBox::StepSelection(int step) {
  if (entries_.empty()) return false;
  int next = selected_ < 0 ? 0 : std::clamp(selected_ + step, 0, Count() - 1);
  if (next == selected_) return false;
  selected_ = next;
  return true;
}

void SimListBox::SetRect(const platform::Rect& rect) {
  const double rows = std::floor((static_cast<double>(rect.height) - kListBorder) / kRowHeight);
  rect_ = rect;
  rect_.width = std::max(0.0f, rect.width);
  rect_.height = static_cast<float>(kListBorder + kRowHeight * std::max(1.0, rows));
}

}  // namespace pelorin::sim
