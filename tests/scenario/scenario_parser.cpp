#include "tests/scenario/scenario_parser.h"

#include <fstream>
#include <sstream>

#include "store/profile_syntax.h"
#include "store/unicode_text.h"
#include "tests/scenario/scenario_grammar.h"
#include "tests/scenario/scenario_lexer.h"

namespace pelorin::scenario {
namespace {

// Handles one line; returns the error, empty when the line is fine.
std::string ParseLine(std::string_view line, int lineNumber, std::vector<Scenario>& scenarios) {
  bool nonAscii = false;
  if (!store::IsValidUtf8(line, &nonAscii)) return "the line is not valid UTF-8";
  LexResult lexed = SplitWords(line);
  if (!lexed.ok()) return lexed.error;
  if (lexed.words.empty()) return {};
  const Word& first = lexed.words.front();
  if (!first.quoted && first.text == "scenario") {
    // The name is the rest of the line as written, quotes and '#' included.
    std::string_view name = store::TrimBlanks(line.substr(first.end));
    if (name.empty()) return "scenario: missing the name";
    scenarios.push_back(Scenario{std::string(name), lineNumber, {}});
    return {};
  }
  Command command;
  std::string why = MatchCommand(lexed.words, command);
  if (!why.empty()) return why;
  if (scenarios.empty()) return "'" + command.name + "' before the first scenario line";
  command.line = lineNumber;
  command.source = std::string(store::TrimBlanks(line));
  scenarios.back().commands.push_back(std::move(command));
  return {};
}

}  // namespace

ParseResult ParseScenarios(std::string_view text) {
  ParseResult result;
  if (text.starts_with(store::kUtf8Mark)) text.remove_prefix(store::kUtf8Mark.size());
  int lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    std::string why = ParseLine(line, lineNumber, result.scenarios);
    if (!why.empty()) {
      result.error = ParseError{lineNumber, std::move(why)};
      result.scenarios.clear();
      return result;
    }
  }
  if (result.scenarios.empty())
    result.error = ParseError{lineNumber > 0 ? lineNumber : 1, "no scenario in the file"};
  return result;
}

ParseResult ParseScenarioFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return ParseResult{{}, ParseError{0, "cannot read the file"}};
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return ParseResult{{}, ParseError{0, "cannot read the file"}};
  return ParseScenarios(bytes.str());
}

bool IsSimOnly(const Command& command) {
  return command.kind == CommandKind::Fail || command.kind == CommandKind::Heal;
}

bool IsSimOnlyObservation(const Command& command) {
  switch (command.kind) {
    case CommandKind::ExpectCurrentFile:
    case CommandKind::ExpectLastShift:
      return true;
    case CommandKind::ExpectList:
      return command.args.front().list == ListName::List1;
    default:
      return false;
  }
}

const Command* FirstSimOnlyCommand(const Scenario& scenario) {
  for (const Command& command : scenario.commands) {
    if (IsSimOnly(command)) return &command;
  }
  return nullptr;
}

}  // namespace pelorin::scenario
