#pragma once
// Scenario files (*.scn) -> scenarios -> typed commands. Standard library
// only: the Windows runner builds this with MinGW and reuses it.
//
// Every command is checked against its signature (the table in
// scenario_grammar.cpp) when the file is parsed, so a player can rely on its
// arguments without checking them again: a "text" slot gives a Text argument,
// "int" and "num" a Number (int: a whole one), "list" a List, "*" Any, "hex"
// one Bytes argument for the rest of the line, a literal word a Keyword; an
// optional "[...]" tail is there in full or not at all.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pelorin::scenario {

enum class ListName { List1 = 1, List2 = 2, List3 = 3 };

enum class CommandKind {
  // setup
  File,
  Bytes,
  Mkdir,
  Rmdir,
  Running,
  Clipboard,
  Windows,
  Fail,
  Hold,
  Heal,
  // program life
  Start,
  Close,
  Restart,
  ExpectEnded,
  ExpectRunning,
  // user actions
  Click,
  DoubleClick,
  Key,
  RightClick,
  Menu,
  Open,
  Focus,
  Activate,
  Resize,
  Move,
  Minimize,
  Maximize,
  CallUpKey,
  Restore,
  // answers
  AnswerInput,
  AnswerMsgBox,
  AnswerPopup,
  AnswerSearch,
  AnswerHotKey,
  // expectations
  ExpectList,
  ExpectSelected,
  ExpectMsgBox,
  ExpectInputBox,
  ExpectPopup,
  ExpectNoDialog,
  ExpectVisible,
  ExpectChecked,
  ExpectTopmost,
  ExpectGeometry,
  ExpectState,
  ExpectListHeight,
  ExpectListWidth,
  ExpectListLeft,
  ExpectTooltip,
  ExpectFile,
  ExpectBytes,
  ExpectNoFile,
  ExpectIni,
  ExpectClipboard,
  ExpectPasted,
  ExpectNoPaste,
  ExpectBeep,
  ExpectActive,
  ExpectOpened,
  ExpectCurrentFile,
  ExpectLastShift,
  ExpectSearch,
  ExpectCallUpKeyDialog,
  ExpectCaption,
  ExpectFocus,  // the last expectation: players test the range
};

enum class ArgKind {
  Text,     // a string (quoted, or a bare word that is no keyword)
  Number,   // a decimal number
  List,     // List1, List2 or List3
  Keyword,  // a keyword of the command's signature, in text
  Any,      // a bare *
  Bytes,    // the bytes of a hex argument, in text
};

struct Arg {
  ArgKind kind = ArgKind::Text;
  std::string text;
  double number = 0;
  ListName list = ListName::List1;

  bool Is(std::string_view keyword) const { return kind == ArgKind::Keyword && text == keyword; }
  bool IsAny() const { return kind == ArgKind::Any; }
  int Integer() const { return static_cast<int>(number); }
};

struct Command {
  CommandKind kind = CommandKind::Start;
  std::string name;    // the command's own words: "expect msgbox"
  int line = 0;        // 1-based line in its file
  std::string source;  // the line as written, without surrounding blanks
  std::vector<Arg> args;
};

struct Scenario {
  std::string name;
  int line = 0;
  std::vector<Command> commands;
};

struct ParseError {
  int line = 0;  // 0: the file as a whole (it could not be read)
  std::string why;
};

struct [[nodiscard]] ParseResult {
  std::vector<Scenario> scenarios;
  std::optional<ParseError> error;  // set: the file does not parse, nothing of it plays
};

// Parses the text of a whole scenario file (UTF-8; a leading byte-order mark
// is skipped; LF or CR LF line ends).
ParseResult ParseScenarios(std::string_view text);

// Reads and parses a file (a path, so that a name outside ASCII opens on
// Windows too, where the Windows runner builds this).
ParseResult ParseScenarioFile(const std::filesystem::path& path);

// Commands that change what happens and that only the simulated runner can
// play: fail and heal. The Windows runner skips a scenario that uses one.
bool IsSimOnly(const Command& command);
// Observations of the program's own state that only the simulation can make:
// expect value, expect List1. The Windows runner passes over them and plays
// the rest of the scenario.
bool IsSimOnlyObservation(const Command& command);
// The first command of the scenario that is sim only; nullptr when none is.
const Command* FirstSimOnlyCommand(const Scenario& scenario);

}  // namespace pelorin::scenario
