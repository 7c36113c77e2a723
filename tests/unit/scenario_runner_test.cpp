// The player's own output and exit status, which no scenario can see: one
// line per scenario, the totals, ERROR for a file that does not parse or
// does not exist (the other files are still played), folders searched for
// *.scn files.
#include "tests/scenario/scenario_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "tests/unit/test_files.h"

namespace pelorin::scenario {
namespace {

using namespace testing_support;

std::string RunFiles(const std::vector<std::string>& paths, int expectedStatus) {
  std::ostringstream out;
  EXPECT_EQ(RunScenarioFiles(paths, RunOptions{}, out), expectedStatus);
  return out.str();
}

TEST(ScenarioRunner, PrintsOneLinePerScenarioAndTheTotals) {
  TempFolder folder;
  const std::string a = folder.Path("a.scn");
  const std::string b = folder.Path("b.scn");
  Put(a,
      "scenario passes\nclipboard x\nexpect clipboard x\n"
      "scenario fails\nclipboard x\nexpect clipboard y\nexpect clipboard x\n");
  Put(b, "scenario b\nstart\nexpect running\n");
  EXPECT_EQ(RunFiles({a}, 1), "PASS " + a + ":passes\nFAIL " + a +
                                  ":fails: line 6: expected clipboard \"y\", found \"x\"\n"
                                  "1 passed, 1 failed\n");
  EXPECT_EQ(RunFiles({b}, 0), "PASS " + b + ":b\n1 passed, 0 failed\n");
}

TEST(ScenarioRunner, AFileThatDoesNotParseFailsAloneAndExitsWithTwo) {
  TempFolder folder;
  std::filesystem::create_directories(Native(folder.Path("sub/deeper")));
  Put(folder.Path("sub/deeper/b.scn"), "scenario b\nclipboard x\n");
  Put(folder.Path("sub/a.scn"), "scenario a\nstart\nclick List9 0\n");
  Put(folder.Path("sub/notes.txt"), "not a scenario");
  Put(folder.Path("c.scn"), "scenario c\n");
  const std::string output =
      RunFiles({folder.Path("sub"), folder.Path("c.scn"), folder.Path("missing")}, 2);
  EXPECT_TRUE(output.starts_with("ERROR " + folder.Path("sub/a.scn") + ":3: click: expected List1"))
      << output;
  EXPECT_TRUE(output.ends_with("\nPASS " + folder.Path("sub/deeper/b.scn") + ":b\nPASS " +
                               folder.Path("c.scn") + ":c\nERROR " + folder.Path("missing") +
                               ":0: no such file or folder\n2 passed, 2 failed\n"))
      << output;
}

}  // namespace
}  // namespace pelorin::scenario
