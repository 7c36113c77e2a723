#include "tests/scenario/scenario_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace pelorin::scenario {
namespace {

// Parses one scenario around the given command lines; fails the test when
// the text does not parse.
std::vector<Command> Commands(std::string_view lines) {
  ParseResult parsed = ParseScenarios("scenario s\n" + std::string(lines));
  EXPECT_FALSE(parsed.error) << parsed.error->line << ": " << parsed.error->why;
  if (parsed.error || parsed.scenarios.empty()) return {};
  return parsed.scenarios.front().commands;
}

Command One(std::string_view line) {
  std::vector<Command> commands = Commands(line);
  EXPECT_EQ(commands.size(), 1u);
  return commands.empty() ? Command{} : commands.front();
}

// The error of a file made of these lines (its line numbers count them all).
ParseError ErrorOf(std::string_view text) {
  ParseResult parsed = ParseScenarios(text);
  EXPECT_TRUE(parsed.error) << "parsed: " << text;
  EXPECT_TRUE(parsed.scenarios.empty());
  return parsed.error.value_or(ParseError{});
}

TEST(ScenarioParser, ResolvesEveryEscapeInsideQuotes) {
  Command command = One(R"(clipboard "a\\b\"c\rd\ne\tf\u3000g\U0001F600")");
  ASSERT_EQ(command.args.size(), 1u);
  EXPECT_EQ(command.args[0].text, "a\\b\"c\rd\ne\tf\xE3\x80\x80g\xF0\x9F\x98\x80");
  EXPECT_EQ(One(R"(clipboard "\u00e9\u00C9")").args[0].text, "\xC3\xA9\xC3\x89");
}

TEST(ScenarioParser, BackslashesOutsideQuotesAreText) {
  EXPECT_EQ(One(R"(clipboard a\nb\)").args[0].text, "a\\nb\\");
}

TEST(ScenarioParser, OnlyAsciiSpacesAndTabsSeparateWords) {
  Command command = One("windows\t顔\u3000文字  \"two words\"\tx");
  ASSERT_EQ(command.args.size(), 3u);
  EXPECT_EQ(command.args[0].text, "顔\u3000文字");
  EXPECT_EQ(command.args[1].text, "two words");
  EXPECT_EQ(command.args[2].text, "x");
}

TEST(ScenarioParser, KeywordsCountOnlyWhenBare) {
  EXPECT_TRUE(One("answer input ok").args[0].Is("ok"));
  Command quoted = One(R"(answer input "ok")");
  EXPECT_EQ(quoted.args[0].kind, ArgKind::Text);
  EXPECT_EQ(quoted.args[0].text, "ok");
  EXPECT_TRUE(One("answer input cancel").args[0].Is("cancel"));
  EXPECT_TRUE(One("answer popup dismiss").args[0].Is("dismiss"));
  EXPECT_EQ(One("answer popup ID_DEL_S_C").args[0].text, "ID_DEL_S_C");
  EXPECT_TRUE(One("expect List2 empty").args[1].Is("empty"));
  EXPECT_EQ(One(R"(expect List2 "empty")").args[1].kind, ArgKind::Text);
  EXPECT_TRUE(One("expect clipboard empty").args[0].Is("empty"));
  EXPECT_EQ(One(R"(expect clipboard "")").args[0].text, "");
  EXPECT_TRUE(One("expect ini FILE A absent").args[2].Is("absent"));
  EXPECT_EQ(One(R"(expect ini "in" "at" "absent")").args[2].text, "absent");
}

TEST(ScenarioParser, ABareKeywordIsNoText) {
  EXPECT_NE(ErrorOf("scenario s\nfile data/A.txt ok\n").why.find("keyword"), std::string::npos);
  ErrorOf("scenario s\nexpect List2 a empty\n");
  ErrorOf("scenario s\nexpect List2 empty empty\n");
  ErrorOf("scenario s\nexpect tooltip *\n");
  ErrorOf("scenario s\nwindows yes\n");
}

TEST(ScenarioParser, WildcardsOnlyWhereTheFormatAllowsThem) {
  Command msgbox = One("expect msgbox * Pelorin *");
  EXPECT_TRUE(msgbox.args[0].IsAny());
  EXPECT_EQ(msgbox.args[1].text, "Pelorin");
  EXPECT_TRUE(msgbox.args[2].IsAny());
  EXPECT_EQ(One(R"(expect msgbox "*" Pelorin 16)").args[0].kind, ArgKind::Text);
  EXPECT_EQ(One("expect msgbox a b 16").args[2].number, 16);
  EXPECT_TRUE(One("fail write *").args[1].IsAny());
  Command popup = One(R"(expect popup "メニュー表示" * - "x")");
  ASSERT_EQ(popup.args.size(), 4u);
  EXPECT_TRUE(popup.args[1].IsAny());
  EXPECT_EQ(popup.args[2].text, "-");
}

TEST(ScenarioParser, CommentsStartAtTheStartOfAWordOutsideQuotes) {
  std::vector<Command> commands = Commands(
      "# a whole line\n"
      "  start # after a command\n"
      "clipboard a#b\n"
      "clipboard \"#x\" # and a comment\n"
      "\n"
      "   \t\n");
  ASSERT_EQ(commands.size(), 3u);
  EXPECT_EQ(commands[0].kind, CommandKind::Start);
  EXPECT_EQ(commands[1].args[0].text, "a#b");
  EXPECT_EQ(commands[2].args[0].text, "#x");
}

TEST(ScenarioParser, ScenariosSplitTheFileWithTheirLines) {
  ParseResult parsed = ParseScenarios(
      "# header\n"
      "scenario  first one  \n"
      "start\n"
      "scenario second \"quoted\" # kept\n"
      "\n"
      "close\n"
      "scenario empty\n");
  ASSERT_FALSE(parsed.error);
  ASSERT_EQ(parsed.scenarios.size(), 3u);
  EXPECT_EQ(parsed.scenarios[0].name, "first one");
  EXPECT_EQ(parsed.scenarios[0].line, 2);
  EXPECT_EQ(parsed.scenarios[1].name, "second \"quoted\" # kept");
  ASSERT_EQ(parsed.scenarios[1].commands.size(), 1u);
  EXPECT_EQ(parsed.scenarios[1].commands[0].line, 6);
  EXPECT_EQ(parsed.scenarios[1].commands[0].source, "close");
  EXPECT_TRUE(parsed.scenarios[2].commands.empty());
}

TEST(ScenarioParser, AcceptsCrLfLinesAndAByteOrderMark) {
  ParseResult parsed = ParseScenarios("\xEF\xBB\xBFscenario s\r\nclipboard \"a\"\r\nstart\r\n");
  ASSERT_FALSE(parsed.error);
  ASSERT_EQ(parsed.scenarios[0].commands.size(), 2u);
  EXPECT_EQ(parsed.scenarios[0].name, "s");
  EXPECT_EQ(parsed.scenarios[0].commands[0].args[0].text, "a");
}

TEST(ScenarioParser, TypesTheArguments) {
  Command click = One("click List3 2");
  EXPECT_EQ(click.kind, CommandKind::Click);
  EXPECT_EQ(click.args[0].list, ListName::List3);
  EXPECT_EQ(click.args[1].Integer(), 2);
  EXPECT_EQ(One("expect selected List2 -1").args[1].Integer(), -1);
  Command resize = One("resize 4805.5 -10");
  EXPECT_EQ(resize.args[0].number, 4805.5);
  EXPECT_EQ(resize.args[1].number, -10);
  EXPECT_EQ(One("key List2 38 1").args[2].Integer(), 1);
  EXPECT_EQ(One("expect value LastShift 3").kind, CommandKind::ExpectLastShift);
  EXPECT_EQ(One("expect value CurrentFile \"A.txt\"").kind, CommandKind::ExpectCurrentFile);
  EXPECT_EQ(One("expect state maximized").args[0].text, "maximized");
  EXPECT_EQ(One("expect List1 \"Pelorin\" Notepad").kind, CommandKind::ExpectList);
  EXPECT_EQ(One("expect listheight List2 1815").kind, CommandKind::ExpectListHeight);
  EXPECT_EQ(One("windows").args.size(), 0u);
}

TEST(ScenarioParser, TakesTheOptionalTails) {
  EXPECT_EQ(One("expect inputbox a b c").args.size(), 3u);
  Command placed = One("expect inputbox a b \"\" at 1200 *");
  ASSERT_EQ(placed.args.size(), 6u);
  EXPECT_TRUE(placed.args[3].Is("at"));
  EXPECT_EQ(placed.args[4].number, 1200);
  EXPECT_TRUE(placed.args[5].IsAny());
  Command ini = One("expect ini LIST LIST absent in \"old/設定.ini\"");
  ASSERT_EQ(ini.args.size(), 5u);
  EXPECT_EQ(ini.args[4].text, "old/設定.ini");
  ErrorOf("scenario s\nexpect inputbox a b c at 1\n");
  ErrorOf("scenario s\nexpect inputbox a b c in 1 2\n");
}

TEST(ScenarioParser, ReadsHexBytesToTheEndOfTheLine) {
  Command bytes = One("bytes data/A.txt EF BB BF 41 0d0A # comment");
  EXPECT_EQ(bytes.args[1].kind, ArgKind::Bytes);
  EXPECT_EQ(bytes.args[1].text, "\xEF\xBB\xBF\x41\r\n");
  EXPECT_EQ(One("bytes data/A.txt").args[1].text, "");
  EXPECT_EQ(One("expect bytes data/A.txt 00 FF").args[1].text, std::string("\0\xFF", 2));
  ErrorOf("scenario s\nbytes data/A.txt EF B\n");
  ErrorOf("scenario s\nbytes data/A.txt GG\n");
}

TEST(ScenarioParser, ReportsTheLineAndTheReasonOfAnError) {
  struct Case {
    const char* line;
    const char* why;
  };
  const Case cases[] = {
      {"frobnicate", "unknown command"},
      {"clipboard \"open", "unterminated string"},
      {"clipboard \"a\\qb\"", "unknown escape \\q"},
      {"clipboard \"\\u12\"", "\\u needs 4 hex digits"},
      {"clipboard \"\\uD800\"", "not a Unicode character"},
      {"clipboard \"\\U00110000\"", "not a Unicode character"},
      {"clipboard ab\"c\"", "double quote inside a word"},
      {"clipboard \"a\"b", "closing quote must end the word"},
      {"click List2", "missing an argument"},
      {"click List4 1", "List1, List2 or List3"},
      {"click List2 1.5", "a whole number"},
      {"resize 1e3 5", "a number"},
      {"start now", "unexpected 'now'"},
      {"expect frobs", "unknown expectation"},
      {"expect state sideways", "normal, minimized or maximized"},
      {"clipboard \xFF", "not valid UTF-8"},
      {"\"start\"", "unknown command"},
  };
  for (const Case& c : cases) {
    ParseError error = ErrorOf(std::string("scenario s\nstart\n") + c.line + "\nclose\n");
    EXPECT_EQ(error.line, 3) << c.line;
    EXPECT_NE(error.why.find(c.why), std::string::npos) << c.line << " -> " << error.why;
  }
}

TEST(ScenarioParser, RefusesCommandsOutsideAScenarioAndEmptyFiles) {
  EXPECT_EQ(ErrorOf("start\nscenario s\n").line, 1);
  EXPECT_EQ(ErrorOf("scenario\n").line, 1);
  EXPECT_NE(ErrorOf("# nothing\n\n").why.find("no scenario"), std::string::npos);
  EXPECT_EQ(ErrorOf("").line, 1);
}

TEST(ScenarioParser, NamesTheCommandsOnlyTheSimulationCanPlay) {
  EXPECT_TRUE(IsSimOnly(One("fail write data/A.txt")));
  EXPECT_TRUE(IsSimOnly(One("heal")));
  EXPECT_TRUE(IsSimOnly(One("expect opened Help.hlp")));
  EXPECT_TRUE(IsSimOnly(One("expect value CurrentFile \"\"")));
  EXPECT_TRUE(IsSimOnly(One("expect value LastShift 0")));
  EXPECT_TRUE(IsSimOnly(One("expect List1 empty")));
  EXPECT_FALSE(IsSimOnly(One("expect List2 empty")));
  EXPECT_FALSE(IsSimOnly(One("expect pasted Notepad x")));

  ParseResult parsed = ParseScenarios("scenario s\nstart\nheal\nfail read x\n");
  ASSERT_FALSE(parsed.error);
  const Command* first = FirstSimOnlyCommand(parsed.scenarios[0]);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->line, 3);
  ParseResult plain = ParseScenarios("scenario s\nstart\n");
  EXPECT_EQ(FirstSimOnlyCommand(plain.scenarios[0]), nullptr);
}

}  // namespace
}  // namespace pelorin::scenario
