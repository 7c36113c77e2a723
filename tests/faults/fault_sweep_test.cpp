// The sweep's own parts: numbered faults, the recording of a play, the
// holdings comparison and the checks, each shown to catch what it is for.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sim/sim_platform.h"
#include "tests/faults/fault_checks.h"
#include "tests/faults/fault_sweep.h"
#include "tests/faults/holdings.h"
#include "tests/faults/recording.h"
#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_player.h"

namespace pelorin::faults {
namespace {

// Two categories; a kaomoji added to A (unsaved), then B selected (A saved),
// then the program closed.
constexpr const char* kScenario =
    "scenario add then switch\n"
    "file 設定.ini \"[LIST]\\r\\nLIST=A,B,\\r\\n[FILE]\\r\\nA=A.txt\\r\\nB=B.txt\\r\\n"
    "[DATA]\\r\\nSTATE=0,1200,1200,2710,4805,True,True\\r\\n\"\n"
    "file data/A.txt \"a1\\r\\na2\\r\\n\"\n"
    "file data/B.txt \"b1\\r\\n\"\n"
    "start\n"
    "answer input \"a3\"\n"
    "menu ID_ADD_K\n"
    "expect List2 a3 a1 a2\n"
    "click List3 1\n"
    "close\n";

scenario::Scenario Parse(const std::string& text) {
  scenario::ParseResult parsed = scenario::ParseScenarios(text);
  EXPECT_FALSE(parsed.error);
  return parsed.scenarios.empty() ? scenario::Scenario{} : parsed.scenarios.front();
}

// The number of the first operation of this kind and path in the run, or 0.
long NumberOf(const Recording& run, const std::string& kind, const std::string& path) {
  for (std::size_t i = 0; i < run.operations.size(); ++i) {
    if (run.operations[i].kind == kind && run.operations[i].path == path) {
      return static_cast<long>(i) + 1;
    }
  }
  return 0;
}

TEST(NumberedFaults, FailTheChosenOperationAloneOrWithEveryLaterOne) {
  for (bool andLater : {false, true}) {
    sim::SimPlatform world;
    platform::FileSystem& files = world.Files();
    const std::string a = world.AppFolder() + "/data/A.txt";
    world.Faults().FailOperation(2, andLater);
    EXPECT_TRUE(files.WriteFileAtomic(a, "x").ok);
    EXPECT_EQ(files.ReadFile(a).status, platform::ReadStatus::Unreadable);
    EXPECT_EQ(files.RemoveFile(a).ok, !andLater);
    EXPECT_EQ(files.MakeDirectory(world.AppFolder() + "/data").ok, !andLater);
    const std::vector<sim::OperationRecord>& log = world.Faults().Operations();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_STREQ(log[0].kind, "write");
    EXPECT_EQ(log[0].path, "data/A.txt");
    EXPECT_FALSE(log[0].failed);
    EXPECT_TRUE(log[1].failed);
    EXPECT_STREQ(log[3].kind, "make folder");
    EXPECT_EQ(log[3].failed, andLater);
  }
}

TEST(NumberedFaults, AMessageBoxCarriesTheOperationsMadeBeforeIt) {
  sim::SimPlatform world;
  (void)world.Files().ReadFile(world.AppFolder() + "/設定.ini");
  world.QueueAnswer(sim::Answer{sim::AnswerKind::MsgBoxOk, {}, -1, 0});
  (void)world.MsgBox("m", 0, "");
  EXPECT_EQ(world.DialogLog().back().operationsBefore, 1);
}

TEST(IgnoringExpectations, PlaysOnPastWhatFailsAndSkipsExpectLines) {
  const scenario::Scenario scenario = Parse(
      "scenario s\nstart\nexpect List3 nothing\nclick List3 5\nanswer msgbox ok\nclose\n");
  EXPECT_FALSE(scenario::PlayScenario(scenario).passed);
  scenario::PlayOptions options;
  options.ignoreExpectations = true;
  std::vector<std::string> played;
  options.after = [&](const scenario::Command& command, sim::SimPlatform&, const app::Form1*) {
    played.push_back(command.source);
  };
  EXPECT_TRUE(scenario::PlayScenario(scenario, options).passed);
  EXPECT_EQ(played, (std::vector<std::string>{"start", "click List3 5", "answer msgbox ok",
                                              "close"}));
}

TEST(Recording, NotesEveryCommandWithItsOperationsAndWhatTheUserHas) {
  const Recording run = Record(Parse(kScenario), 0, false);
  ASSERT_TRUE(run.exception.empty()) << run.exception;
  ASSERT_EQ(run.steps.size(), 8u);  // the expect line is not played
  const WorldView& added = run.steps[5].view;
  EXPECT_EQ(added.kaomojiOnScreen, (std::vector<std::string>{"a3", "a1", "a2"}));
  EXPECT_EQ(added.kaomojiFiles.at("A.txt").entries, (std::vector<std::string>{"a1", "a2"}));
  EXPECT_EQ(run.steps[6].view.kaomojiFiles.at("A.txt").entries,
            (std::vector<std::string>{"a3", "a1", "a2"}));
  EXPECT_FALSE(run.steps[7].view.running);
  EXPECT_GT(NumberOf(run, "write", "data/A.txt"), run.steps[5].operations);
}

TEST(Holdings, CountTheShownListAndItsFileOnceAndMissWhatIsGone) {
  WorldView view;
  view.running = true;
  view.categoriesOnScreen = {"A", "B"};
  view.kaomojiOnScreen = {"x", "y", "y"};
  view.shownFile = "A.txt";
  view.fileOfCategory = {{"A", "A.txt"}, {"B", "B.txt"}};
  view.kaomojiFiles["A.txt"].entries = {"x", "z"};
  view.kaomojiFiles["B.txt"].entries = {"y"};
  const Holdings all = HoldingsOf(view);
  EXPECT_EQ(all.kaomoji, (Multiset{{"x", 1}, {"y", 3}, {"z", 1}}));
  EXPECT_EQ(all.kaomojiOfCategory.at("A"), (Multiset{{"x", 1}, {"y", 2}, {"z", 1}}));
  EXPECT_TRUE(Missing(all, all).empty());

  WorldView later = view;
  later.running = false;  // closed without saving the shown list
  later.categoriesOnDisk = {"A"};
  const std::vector<std::string> missing = Missing(all, HoldingsOf(later));
  EXPECT_EQ(missing, (std::vector<std::string>{"category \"B\"", "kaomoji \"y\" (1 of 3)",
                                               "kaomoji \"y\" in category \"A\" (0 of 2)"}));
}

TEST(Holdings, AKaomojiMovedToAnotherCategoryIsMissedInItsOwn) {
  WorldView view;
  view.categoriesOnDisk = {"A", "B"};
  view.fileOfCategory = {{"A", "A.txt"}, {"B", "B.txt"}};
  view.kaomojiFiles["A.txt"].entries = {"x"};
  view.kaomojiFiles["B.txt"].entries = {};
  WorldView moved = view;
  moved.kaomojiFiles["A.txt"].entries = {};
  moved.kaomojiFiles["B.txt"].entries = {"x"};
  EXPECT_EQ(Missing(HoldingsOf(view), HoldingsOf(moved)),
            (std::vector<std::string>{"kaomoji \"x\" in category \"A\" (0 of 1)"}));
}

// A faulted run made from the fault-free one, then spoilt by hand: the
// checks must see each spoiling.
class FaultChecks : public ::testing::Test {
 protected:
  void SetUp() override {
    clean = Record(Parse(kScenario), 0, false);
    k = NumberOf(clean, "write", "data/A.txt");
    ASSERT_GT(k, 0);
    faulted = Record(Parse(kScenario), k, false);
    step = FailingStep(faulted, k);
    ASSERT_EQ(step, 6u);  // click List3 1
  }
  std::vector<std::string> Problems() {
    std::vector<std::string> found;
    for (const Problem& problem : CheckFaultedRun(clean, faulted, k).problems) {
      found.push_back(problem.what);
    }
    return found;
  }

  Recording clean;
  Recording faulted;
  long k = 0;
  std::size_t step = 0;
};

TEST_F(FaultChecks, TheProgramAsItIsKeepsEverythingAndTellsTheUser) {
  EXPECT_TRUE(Problems().empty());
  const WorldView& found = faulted.steps[step].view;
  EXPECT_EQ(found.kaomojiOnScreen, (std::vector<std::string>{"a3", "a1", "a2"}));
  EXPECT_EQ(found.selectedCategory, 0);
}

TEST_F(FaultChecks, ASaveThatFailedSilentlyIsReported) {
  faulted.messageStamps.resize(faulted.steps[step - 1].messages);
  for (std::size_t i = step; i < faulted.steps.size(); ++i) {
    faulted.steps[i].messages = faulted.messageStamps.size();
  }
  EXPECT_EQ(Problems(), std::vector<std::string>{"no message after the failed write data/A.txt"});
}

TEST_F(FaultChecks, AKaomojiDroppedFromScreenAndDiskIsReported) {
  WorldView& found = faulted.steps[step].view;
  found.kaomojiOnScreen = {"a1", "a2"};
  const std::vector<std::string> problems = Problems();
  ASSERT_FALSE(problems.empty());
  EXPECT_EQ(problems.front(), "lost by the failing command: kaomoji \"a3\" (0 of 1)");
}

TEST_F(FaultChecks, AFileWithNeitherItsOldNorItsNewBytesIsTorn) {
  faulted.steps[step].view.kaomojiFiles["A.txt"].bytes = "a3\r\na1\r\n";
  EXPECT_EQ(Problems(), std::vector<std::string>{
                            "data/A.txt holds neither its old bytes nor the new"});
}

TEST_F(FaultChecks, ALeftoverTemporaryFileIsReported) {
  faulted.steps.back().view.temporaryFiles = {"A.txt.tmp-0123"};
  EXPECT_EQ(Problems(), std::vector<std::string>{"an unfinished write left A.txt.tmp-0123"});
}

TEST_F(FaultChecks, ARunThatWentAnotherWayBeforeItsFaultIsReported) {
  faulted.operations[0].path = "elsewhere";
  const std::vector<std::string> problems = Problems();
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_TRUE(problems[0].starts_with("the run went another way: operation 1 was read elsewhere"));
}

TEST_F(FaultChecks, RecoveryFindsAListThatNoLaterSaveReached) {
  const Recording recovered =
      Record(RecoveryScenario(Parse(kScenario), faulted.steps[step].command, 2), k, false,
             faulted.steps[step].command);
  EXPECT_TRUE(CheckRecovery(clean, recovered, step).problems.empty());
  Recording spoilt = recovered;
  spoilt.steps.back().view.kaomojiFiles["A.txt"].entries = {"a1", "a2"};
  spoilt.steps.back().view.kaomojiOnScreen = {"a1", "a2"};
  EXPECT_FALSE(CheckRecovery(clean, spoilt, step).problems.empty());
}

// Start-up reads the category list and the window state: a file that a
// scanner or a sync tool locks between the two reads must not let the
// program start with no categories, which its shutdown would then save.
TEST(StartUp, ASettingsFileLockedAtEitherOfItsReadsEndsTheProgramUntouched) {
  const Recording clean = Record(Parse(kScenario), 0, false);
  const std::size_t start = 3;
  for (long k : {1, 2}) {  // LIST, then STATE
    const Recording run = Record(Parse(kScenario), k, false);
    EXPECT_EQ(run.operations[static_cast<std::size_t>(k - 1)].path, "設定.ini");
    EXPECT_FALSE(run.steps[start].view.running) << "k=" << k;
    EXPECT_EQ(run.steps[start].messages, 1u) << "k=" << k;
    EXPECT_EQ(run.steps.back().view.settingsBytes, clean.steps[start - 1].view.settingsBytes)
        << "k=" << k;
  }
}

TEST(FaultSweep, SweepsEveryOperationInBothWaysAndFindsNothingLost) {
  SweepOptions options;
  const ScenarioSweep sweep = SweepScenario(Parse(kScenario), options);
  EXPECT_FALSE(sweep.skipped);
  EXPECT_GE(sweep.operations, 8);
  EXPECT_EQ(sweep.runs, 2 * sweep.operations);
  EXPECT_EQ(sweep.recoveryRuns, sweep.runs);
  EXPECT_GE(sweep.faultsInjected, sweep.runs);
  for (const Finding& finding : sweep.findings) ADD_FAILURE() << finding.problem.what;
}

TEST(FaultSweep, LeavesOutScenariosThatMakeTheirOwnFaults) {
  const ScenarioSweep sweep =
      SweepScenario(Parse("scenario s\nfail write *\nstart\nclose\n"), SweepOptions{});
  EXPECT_TRUE(sweep.skipped);
  EXPECT_EQ(sweep.runs, 0);
}

}  // namespace
}  // namespace pelorin::faults
