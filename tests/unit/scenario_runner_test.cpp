#include "tests/scenario/scenario_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "temp_folder.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::scenario {
namespace {

using testing_support::TempFolder;

struct RunOutput {
  int status = -1;
  std::string output;
};

RunOutput RunFiles(const std::vector<std::string>& paths) {
  std::ostringstream out;
  RunOutput run;
  run.status = RunScenarioFiles(paths, RunOptions{}, out);
  run.output = out.str();
  return run;
}

TEST(ScenarioRunner, PrintsOneLinePerScenarioAndTheTotals) {
  TempFolder folder;
  TempFolder::Put(folder.Path("a.scn"),
                  "scenario passes\nclipboard x\nexpect clipboard x\n"
                  "scenario fails\nclipboard x\nexpect clipboard y\nexpect clipboard x\n");
  RunOutput run = RunFiles({folder.Path("a.scn")});
  const std::string file = folder.Path("a.scn");
  EXPECT_EQ(run.output, "PASS " + file + ":passes\n" + "FAIL " + file +
                            ":fails: line 6: expected clipboard \"y\", found \"x\"\n" +
                            "1 passed, 1 failed\n");
  EXPECT_EQ(run.status, 1);
}

TEST(ScenarioRunner, AFileThatDoesNotParseFailsAloneAndExitsWithTwo) {
  TempFolder folder;
  std::filesystem::create_directories(TempFolder::Native(folder.Path("sub/deeper")));
  TempFolder::Put(folder.Path("sub/deeper/b.scn"), "scenario b\nclipboard x\n");
  TempFolder::Put(folder.Path("sub/a.scn"), "scenario a\nstart\nclick List9 0\n");
  TempFolder::Put(folder.Path("sub/notes.txt"), "not a scenario");
  TempFolder::Put(folder.Path("c.scn"), "scenario c\n");
  RunOutput run = RunFiles({folder.Path("sub"), folder.Path("c.scn"), folder.Path("missing")});
  std::istringstream lines(run.output);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line.rfind("ERROR " + folder.Path("sub/a.scn") + ":3: click: expected List1", 0), 0u)
      << line;
  std::getline(lines, line);
  EXPECT_EQ(line, "PASS " + folder.Path("sub/deeper/b.scn") + ":b");
  std::getline(lines, line);
  EXPECT_EQ(line, "PASS " + folder.Path("c.scn") + ":c");
  std::getline(lines, line);
  EXPECT_EQ(line, "ERROR " + folder.Path("missing") + ":0: no such file or folder");
  std::getline(lines, line);
  EXPECT_EQ(line, "2 passed, 2 failed");
  EXPECT_EQ(run.status, 2);
}

TEST(ScenarioRunner, ExitsWithZeroWhenAllPass) {
  TempFolder folder;
  TempFolder::Put(folder.Path("a.scn"), "scenario a\nstart\nexpect running\n");
  RunOutput run = RunFiles({folder.Path("a.scn")});
  EXPECT_EQ(run.output.substr(run.output.find('\n') + 1), "1 passed, 0 failed\n");
  EXPECT_EQ(run.status, 0);
}

}  // namespace
}  // namespace pelorin::scenario
