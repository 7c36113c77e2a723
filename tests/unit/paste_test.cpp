// The paste brings the program's own window to the top before it looks for
// the window below it, so that the window right below is the one the user
// came from. No scenario can show this: every user action in a scenario
// raises the program's window first, on either runner. Here the key reaches
// the program while another window stands above it.
#include <gtest/gtest.h>

#include "app/form1.h"
#include "platform/sim/sim_platform.h"
#include "tests/unit/test_files.h"

namespace pelorin {
namespace {

using platform::ListId;
using testing_support::Put;

TEST(Paste, RaisesItsOwnWindowBeforeLookingBelowIt) {
  sim::SimPlatform sim;
  Put(sim.AppFolder() + "/data/A.txt", "(^_^)\r\n");
  Put(sim.AppFolder() + "/設定.ini",
      "[LIST]\r\nLIST=A,\r\n[DATA]\r\nSTATE=0,1200,1200,2650,4805,True,False\r\n");
  app::Form1 form(sim);
  form.Create();
  sim.SetOtherWindows({"A", "B"});
  ASSERT_TRUE(sim.Load().ok);
  ASSERT_TRUE(sim.Click(ListId::List2, 0).ok);
  ASSERT_TRUE(sim.Activate("B").ok);  // B above the program, A below it

  form.OnListKeyDown(ListId::List2, 13, 0);

  ASSERT_EQ(sim.Pastes().size(), 1u);
  EXPECT_EQ(sim.Pastes().front().target, "B");
  EXPECT_EQ(sim.Pastes().front().text, "(^_^)");
}

}  // namespace
}  // namespace pelorin
