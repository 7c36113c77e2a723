// The run over scenario files that both runners share: the lines it prints
// for a runner that skips scenarios, and the closing line.
#include "tests/scenario/scenario_files.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace pelorin::scenario {
namespace {

using testing_support::TempFolder;

// Skips scenarios named "skip...", passes those named "pass...", fails the rest.
class ScriptedPlayback : public ScenarioPlayback {
 public:
  std::optional<std::string> WhyNotPlayed(const Scenario& scenario) const override {
    if (scenario.name.starts_with("skip")) return "line " + std::to_string(scenario.line) + ": no";
    return std::nullopt;
  }
  ScenarioOutcome Play(const Scenario& scenario, std::ostream* trace) override {
    played.push_back(scenario.name);
    if (trace) *trace << "  traced\n";
    if (scenario.name.starts_with("pass")) return {};
    return {false, scenario.commands.back().line, "it failed"};
  }
  std::vector<std::string> played;
};

std::string PlayAll(const std::vector<std::filesystem::path>& paths, ScenarioPlayback& playback,
                    bool verbose, int* status) {
  std::ostringstream out;
  RunOptions options;
  options.verbose = verbose;
  *status = PlayScenarioFiles(paths, playback, options, out);
  return out.str();
}

TEST(ScenarioFiles, ASkippedScenarioIsNeitherPlayedNorCountedAsPassed) {
  TempFolder folder;
  TempFolder::Put(
      folder.Path("a.scn"),
      "scenario pass one\nstart\nscenario skip two\nstart\nscenario pass three\nstart\n");
  ScriptedPlayback playback;
  int status = -1;
  const std::string file = folder.Path("a.scn");
  EXPECT_EQ(PlayAll({TempFolder::Native(file)}, playback, false, &status),
            "PASS " + file + ":pass one\nSKIP " + file + ":skip two: line 3: no\nPASS " + file +
                ":pass three\n2 passed, 0 failed, 1 skipped\n");
  EXPECT_EQ(playback.played, (std::vector<std::string>{"pass one", "pass three"}));
  EXPECT_EQ(status, 0);
}

TEST(ScenarioFiles, TheClosingLineCountsFailuresAndSkipsAndTheStatusSaysWhichWorst) {
  TempFolder folder;
  TempFolder::Put(folder.Path("b.scn"), "scenario fails\nstart\nclose\nscenario skip\nstart\n");
  TempFolder::Put(folder.Path("a.scn"), "scenario pass\nstart\n");
  ScriptedPlayback playback;
  int status = -1;
  const std::string output =
      PlayAll({TempFolder::Native(folder.Path(""))}, playback, true, &status);
  EXPECT_EQ(output, "RUN " + folder.Path("a.scn") + ":pass\n  traced\nPASS " +
                        folder.Path("a.scn") + ":pass\nRUN " + folder.Path("b.scn") +
                        ":fails\n  traced\nFAIL " + folder.Path("b.scn") +
                        ":fails: line 3: it failed\nSKIP " + folder.Path("b.scn") +
                        ":skip: line 4: no\n1 passed, 1 failed, 1 skipped\n");
  EXPECT_EQ(status, 1);
  TempFolder::Put(folder.Path("c.scn"), "scenario c\nclick List9 0\n");
  PlayAll({TempFolder::Native(folder.Path("c.scn")), TempFolder::Native(folder.Path("gone"))},
          playback, false, &status);
  EXPECT_EQ(status, 2);
}

TEST(ScenarioFiles, FoldersAreSearchedDeepAndSortedByTheirUtf8Names) {
  TempFolder folder;
  std::filesystem::create_directories(TempFolder::Native(folder.Path("顔/b")));
  TempFolder::Put(folder.Path("顔/b/z.scn"), "");
  TempFolder::Put(folder.Path("顔/a.scn"), "");
  TempFolder::Put(folder.Path("顔/c.txt"), "");
  TempFolder::Put(folder.Path("B.scn"), "");
  std::vector<std::filesystem::path> missing;
  const std::vector<std::filesystem::path> found = FindScenarioFiles(
      {TempFolder::Native(folder.Path("")), TempFolder::Native(folder.Path("none"))}, missing);
  std::vector<std::string> names;
  for (const auto& path : found) {
    const std::u8string name =
        path.lexically_relative(TempFolder::Native(folder.Path(""))).generic_u8string();
    names.emplace_back(name.begin(), name.end());
  }
  EXPECT_EQ(names, (std::vector<std::string>{"B.scn", "顔/a.scn", "顔/b/z.scn"}));
  ASSERT_EQ(missing.size(), 1u);
}

}  // namespace
}  // namespace pelorin::scenario
