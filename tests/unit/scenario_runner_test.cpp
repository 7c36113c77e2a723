#include "tests/scenario/scenario_runner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "temp_folder.h"
#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_player.h"

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

// Plays the single scenario of this text.
ScenarioOutcome Play(const std::string& text) {
  ParseResult parsed = ParseScenarios(text);
  EXPECT_FALSE(parsed.error) << parsed.error->why;
  if (parsed.error) return {false, 0, "unparsed"};
  return PlayScenario(parsed.scenarios.front());
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

TEST(ScenarioPlayer, EveryScenarioStartsFromNothing) {
  ParseResult parsed = ParseScenarios(
      "scenario first\nclipboard x\nfile data/A.txt a\nwindows Notepad\nrunning\n"
      "scenario second\nexpect clipboard empty\nexpect nofile data/A.txt\n"
      "expect bytes 設定.ini 00\n");
  ASSERT_FALSE(parsed.error);
  EXPECT_TRUE(PlayScenario(parsed.scenarios[0]).passed);
  ScenarioOutcome second = PlayScenario(parsed.scenarios[1]);
  EXPECT_EQ(second.line, 9);
  EXPECT_EQ(second.message, "expected file 設定.ini holding 00, found no file");
}

TEST(ScenarioPlayer, AnUnansweredDialogFailsTheLineThatOpenedIt) {
  ScenarioOutcome outcome = Play("scenario s\nstart\nmenu ID_ADD_S\nexpect nodialog\n");
  EXPECT_FALSE(outcome.passed);
  EXPECT_EQ(outcome.line, 3);
  EXPECT_EQ(outcome.message.rfind("unexpected dialog: input box \"", 0), 0u) << outcome.message;
}

TEST(ScenarioPlayer, AnAnswerOfTheWrongKindFails) {
  ScenarioOutcome outcome = Play("scenario s\nstart\nanswer msgbox ok\nmenu ID_ADD_S\n");
  EXPECT_EQ(outcome.line, 4);
  EXPECT_NE(outcome.message.find("(the next answer is answer msgbox ok)"), std::string::npos);
}

TEST(ScenarioPlayer, AnAnswerLeftQueuedFailsAtItsOwnLine) {
  ScenarioOutcome outcome =
      Play("scenario s\nstart\nanswer input cancel\nanswer msgbox ok\nmenu ID_ADD_S\n");
  EXPECT_FALSE(outcome.passed);
  EXPECT_EQ(outcome.line, 4);
  EXPECT_NE(outcome.message.find("still queued"), std::string::npos);
}

TEST(ScenarioPlayer, APopupAnswerMustNameAVisibleItem) {
  ScenarioOutcome hidden = Play("scenario s\nstart\nanswer popup ID_DEL_K_C\nrclick List2\n");
  EXPECT_EQ(hidden.line, 4);
  EXPECT_NE(hidden.message.find("not among the visible items"), std::string::npos);
  ScenarioOutcome unknown = Play("scenario s\nanswer popup ID_NOTHING\n");
  EXPECT_EQ(unknown.line, 2);
  EXPECT_EQ(unknown.message, "expected a menu item name, found \"ID_NOTHING\"");
}

TEST(ScenarioPlayer, StopsAtTheFirstFailingLine) {
  ScenarioOutcome outcome = Play(
      "scenario s\nfile data/A.txt \"\\U0001F600\"\nexpect nofile data/B.txt\nexpect clipboard "
      "x\n");
  EXPECT_EQ(outcome.line, 2);
  EXPECT_EQ(outcome.message.rfind("expected a text representable in code page 932", 0), 0u);
}

TEST(ScenarioPlayer, UserActionsNeedARunningProgram) {
  EXPECT_EQ(Play("scenario s\nclick List2 0\n").line, 2);
  EXPECT_EQ(Play("scenario s\nexpect ended\n").message,
            "expected the program ended, found it never started");
  ScenarioOutcome ended = Play("scenario s\nstart\nclose\nexpect ended\nfocus List3\n");
  EXPECT_EQ(ended.line, 5);
  EXPECT_EQ(ended.message,
            "expected that the user can focus List3, found the program is not running");
  EXPECT_EQ(Play("scenario s\nstart\nstart\n").line, 3);
  EXPECT_TRUE(Play("scenario s\nstart\nrestart\nclose\nstart\nexpect running\n").passed);
}

TEST(ScenarioPlayer, WildcardsMatchAnyWordButNotAMissingDialog) {
  EXPECT_TRUE(Play("scenario s\nrunning\nanswer msgbox ok\nstart\nexpect ended\n"
                   "expect msgbox * * *\nexpect nodialog\n")
                  .passed);
  ScenarioOutcome none = Play("scenario s\nstart\nexpect msgbox * * *\n");
  EXPECT_EQ(none.message, "expected message box * * *, found no message box");
}

TEST(ScenarioPlayer, PathsStayInsideTheApplicationFolder) {
  EXPECT_EQ(Play("scenario s\nfile ../x.txt a\n").line, 2);
  EXPECT_EQ(Play("scenario s\nexpect nofile /etc/passwd\n").line, 2);
  EXPECT_EQ(Play("scenario s\nrmdir nothing\n").message,
            "expected a folder \"nothing\", found none");
}

}  // namespace
}  // namespace pelorin::scenario
