#pragma once
// One simulated list box: single selection, unsorted, whole rows only.
// Keeps the three list-box rules the core relies on: an insert at or above
// the selection moves it down with its entry; removing the selected entry
// leaves nothing selected (removing one above it moves it up); setting the
// selection raises nothing (events are the caller's business).

#include <string>
#include <vector>

#include "platform/platform.h"

namespace pelorin::sim {

class SimListBox {
 public:
  explicit SimListBox(const platform::Rect& designRect) : rect_(designRect) {}

  int Count() const { return static_cast<int>(entries_.size()); }
  bool Contains(int index) const { return index >= 0 && index < Count(); }
  // "" for a position that holds no entry.
  std::string Text(int index) const {
    return Contains(index) ? entries_[static_cast<std::size_t>(index)] : std::string();
  }
  const std::vector<std::string>& Texts() const { return entries_; }

  // As LB_INSERTSTRING: index == Count() (or -1) appends; a larger index is
  // ignored.
  void Insert(int index, const std::string& text);
  // A position that holds no entry is ignored.
  void Remove(int index);
  void ReplaceAll(const std::vector<std::string>& texts);

  int Selected() const { return selected_; }
  // As LB_SETCURSEL: a position that holds no entry selects nothing.
  void Select(int index);
  // The list's own Up (-1) and Down (+1) key handling: one entry up or down,
  // the first entry from nothing selected, never past either end. Returns
  // true when the selection changed.
  bool StepSelection(int step);

  platform::Rect Rect() const { return rect_; }
  // The height is reduced to whole rows (at least one); a negative width
  // becomes 0.
  void SetRect(const platform::Rect& rect);

 private:
  std::vector<std::string> entries_;
  int selected_ = -1;
  platform::Rect rect_;
};

}  // namespace pelorin::sim
