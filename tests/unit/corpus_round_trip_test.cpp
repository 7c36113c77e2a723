// Every kaomoji of a real public collection survives adding, saving, a restart
// and the paste unchanged, nearly half of them beyond code page 932.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/scenario/scenario_parser.h"
#include "tests/scenario/scenario_player.h"

namespace pelorin {
namespace {

std::vector<std::string> ReadCorpus() {
  std::ifstream in(PELORIN_CORPUS, std::ios::binary);
  std::vector<std::string> entries;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) entries.push_back(line);
  }
  return entries;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// A scenario that adds every entry, restarts, checks the list and pastes
// each entry into another window.
std::string CorpusScenario(const std::vector<std::string>& entries) {
  std::ostringstream scn;
  scn << "scenario the whole corpus survives\nwindows メモ帳\nstart\n"
      << "answer input 顔\nmenu ID_ADD_S\nexpect inputbox * * *\n";
  for (const std::string& entry : entries) {
    scn << "answer input " << Quoted(entry) << "\nmenu ID_ADD_K\nexpect inputbox * * *\n";
  }
  scn << "restart\nexpect List2";
  // Each add inserts at the top: the list holds the corpus in reverse.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) scn << ' ' << Quoted(*it);
  scn << '\n';
  for (size_t i = 0; i < entries.size(); ++i) {
    scn << "dblclick List2 " << i << "\nexpect pasted メモ帳 "
        << Quoted(entries[entries.size() - 1 - i]) << '\n';
  }
  scn << "expect nopaste\nexpect beep no\n";
  return scn.str();
}

TEST(CorpusRoundTrip, EveryEntrySurvivesAddSaveRestartAndPaste) {
  const std::vector<std::string> entries = ReadCorpus();
  ASSERT_EQ(entries.size(), 1562u) << "corpus at " << PELORIN_CORPUS;
  const scenario::ParseResult parsed = scenario::ParseScenarios(CorpusScenario(entries));
  ASSERT_FALSE(parsed.error.has_value()) << parsed.error->why << " at line " << parsed.error->line;
  ASSERT_EQ(parsed.scenarios.size(), 1u);
  const scenario::ScenarioOutcome outcome = scenario::PlayScenario(parsed.scenarios[0]);
  EXPECT_TRUE(outcome.passed) << "line " << outcome.line << ": " << outcome.message;
}

}  // namespace
}  // namespace pelorin
