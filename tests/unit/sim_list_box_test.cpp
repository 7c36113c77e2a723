#include "platform/sim/sim_list_box.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_metrics.h"

namespace pelorin::sim {
namespace {

using platform::Rect;

TEST(SimListBox, InsertAtOrAboveTheSelectionMovesItDown) {
  SimListBox list(kList2Design);
  list.ReplaceAll({"a", "b", "c"});
  list.Select(1);
  list.Insert(2, "below");
  EXPECT_EQ(list.Selected(), 1);
  list.Insert(1, "at");
  EXPECT_EQ(list.Selected(), 2);
  list.Insert(0, "above");
  EXPECT_EQ(list.Selected(), 3);
  EXPECT_EQ(list.Text(3), "b");
  list.Insert(list.Count(), "end");
  list.Insert(-1, "end too");
  EXPECT_EQ(list.Texts().back(), "end too");
  list.Insert(list.Count() + 1, "ignored");
  EXPECT_EQ(list.Count(), 8);
}

TEST(SimListBox, RemovingTheSelectedEntryLeavesNoneSelected) {
  SimListBox list(kList2Design);
  list.ReplaceAll({"a", "b", "c", "d"});
  list.Select(2);
  list.Remove(3);
  EXPECT_EQ(list.Selected(), 2);
  list.Remove(0);
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(list.Text(1), "c");
  list.Remove(1);
  EXPECT_EQ(list.Selected(), -1);
  list.Remove(5);
  EXPECT_EQ(list.Texts(), (std::vector<std::string>{"b"}));
}

TEST(SimListBox, SelectingNoEntrySelectsNothing) {
  SimListBox list(kList3Design);
  list.ReplaceAll({"a", "b"});
  list.Select(1);
  list.Select(2);
  EXPECT_EQ(list.Selected(), -1);
  list.Select(0);
  list.ReplaceAll({"x"});
  EXPECT_EQ(list.Selected(), -1);
}

TEST(SimListBox, ArrowKeysStepWithinTheList) {
  SimListBox list(kList2Design);
  EXPECT_FALSE(list.StepSelection(1));
  list.ReplaceAll({"a", "b"});
  EXPECT_TRUE(list.StepSelection(-1));
  EXPECT_EQ(list.Selected(), 0);
  EXPECT_FALSE(list.StepSelection(-1));
  EXPECT_TRUE(list.StepSelection(1));
  EXPECT_FALSE(list.StepSelection(1));
  EXPECT_EQ(list.Selected(), 1);
}

TEST(SimListBox, HeightsAreWholeRowsOfAtLeastOne) {
  EXPECT_EQ(SimListBox::WholeRowHeight(2070), 2010);
  EXPECT_EQ(SimListBox::WholeRowHeight(2010), 2010);
  EXPECT_EQ(SimListBox::WholeRowHeight(2009), 1815);
  EXPECT_EQ(SimListBox::WholeRowHeight(255), 255);
  EXPECT_EQ(SimListBox::WholeRowHeight(1), 255);
  EXPECT_EQ(SimListBox::WholeRowHeight(-400), 255);
  SimListBox list(kList2Design);
  list.SetRect(Rect{3480, 0, -5, 10400});
  EXPECT_EQ(list.Rect().left, 3480);
  EXPECT_EQ(list.Rect().width, 0);
  EXPECT_EQ(list.Rect().height, 10395);
}

}  // namespace
}  // namespace pelorin::sim
