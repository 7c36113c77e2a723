#include "tests/scenario/scenario_grammar.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

namespace pelorin::scenario {
namespace {

using K = CommandKind;

struct Entry {
  const char* name;
  CommandKind kind;
  // Slots separated by spaces; alternatives by '|'. Types: text int num list
  // hex (the rest of the line); anything else is a literal keyword. A slot
  // ending in "..." repeats zero or more times, in "+" one or more times. A
  // final "[kw ...]" is optional and starts with the keyword kw.
  std::string_view signature;
};

constexpr Entry kCommands[] = {
    {"file", K::File, "text text"},
    {"bytes", K::Bytes, "text hex"},
    {"mkdir", K::Mkdir, "text"},
    {"rmdir", K::Rmdir, "text"},
    {"running", K::Running, ""},
    {"clipboard", K::Clipboard, "text"},
    {"windows", K::Windows, "text..."},
    {"fail", K::Fail, "write|rename|delete|read *|text"},
    {"hold", K::Hold, "text"},
    {"heal", K::Heal, ""},
    {"start", K::Start, ""},
    {"close", K::Close, ""},
    {"restart", K::Restart, ""},
    {"expect ended", K::ExpectEnded, ""},
    {"expect running", K::ExpectRunning, ""},
    {"click", K::Click, "list int"},
    {"dblclick", K::DoubleClick, "list int"},
    {"key", K::Key, "list int int"},
    {"rclick", K::RightClick, "list"},
    {"menu", K::Menu, "text"},
    {"open", K::Open, "text"},
    {"focus", K::Focus, "list"},
    {"activate", K::Activate, "text"},
    {"resize", K::Resize, "num num"},
    {"move", K::Move, "num num"},
    {"minimize", K::Minimize, ""},
    {"maximize", K::Maximize, ""},
    {"hotkey", K::CallUpKey, ""},
    {"restore", K::Restore, ""},
    {"answer input", K::AnswerInput, "ok|cancel|text"},
    {"answer msgbox", K::AnswerMsgBox, "ok|cancel"},
    {"answer popup", K::AnswerPopup, "dismiss|text"},
    {"answer search", K::AnswerSearch, "text cancel|int [shift]"},
    {"answer hotkey", K::AnswerHotKey, "cancel|none|text"},
    {"expect selected", K::ExpectSelected, "list int"},
    {"expect msgbox", K::ExpectMsgBox, "*|text *|text *|int"},
    {"expect inputbox", K::ExpectInputBox, "*|text *|text *|text [at *|num *|num]"},
    {"expect popup", K::ExpectPopup, "*|text..."},
    {"expect nodialog", K::ExpectNoDialog, ""},
    {"expect visible", K::ExpectVisible, "text yes|no"},
    {"expect checked", K::ExpectChecked, "text yes|no"},
    {"expect topmost", K::ExpectTopmost, "yes|no"},
    {"expect geometry", K::ExpectGeometry, "num num num num"},
    {"expect state", K::ExpectState, "normal|minimized|maximized"},
    {"expect listheight", K::ExpectListHeight, "list num"},
    {"expect listwidth", K::ExpectListWidth, "list num"},
    {"expect listleft", K::ExpectListLeft, "list num"},
    {"expect tooltip", K::ExpectTooltip, "text"},
    {"expect file", K::ExpectFile, "text text"},
    {"expect bytes", K::ExpectBytes, "text hex"},
    {"expect nofile", K::ExpectNoFile, "text"},
    {"expect ini", K::ExpectIni, "text text absent|text [in text]"},
    {"expect clipboard", K::ExpectClipboard, "empty|text"},
    {"expect pasted", K::ExpectPasted, "text text"},
    {"expect nopaste", K::ExpectNoPaste, ""},
    {"expect beep", K::ExpectBeep, "yes|no"},
    {"expect active", K::ExpectActive, "text"},
    {"expect opened", K::ExpectOpened, "text"},
    {"expect value CurrentFile", K::ExpectCurrentFile, "text"},
    {"expect value LastShift", K::ExpectLastShift, "int"},
    {"expect search", K::ExpectSearch, "text empty|text+"},
    {"expect hotkeydialog", K::ExpectCallUpKeyDialog, ""},
    {"expect caption", K::ExpectCaption, "text text"},
    {"expect focus", K::ExpectFocus, "list"},
    // Last, so that every named expectation is tried first.
    {"expect", K::ExpectList, "list empty|text+"},
};

constexpr std::string_view kReserved[] = {"ok",  "cancel", "dismiss", "empty", "absent",
                                          "yes", "no",     "at",      "in",    "*"};

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    const std::size_t at = std::min(text.find(separator), text.size());
    parts.push_back(text.substr(0, at));
    text.remove_prefix(std::min(at + 1, text.size()));
  }
  return parts;
}

bool IsReserved(std::string_view text) {
  return std::find(std::begin(kReserved), std::end(kReserved), text) != std::end(kReserved);
}

bool ParseNumber(std::string_view text, bool wholeOnly, double& value) {
  if (text.starts_with("+")) text.remove_prefix(1);
  if (text.empty() || !(std::isdigit(static_cast<unsigned char>(text.back())))) return false;
  auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  if (!std::isfinite(value)) return false;
  if (wholeOnly && (value != std::floor(value) || std::fabs(value) > 2147483647.0)) return false;
  return true;
}

std::optional<Arg> MatchAlternative(std::string_view alternative, const Word& word) {
  Arg arg;
  if (alternative == "text") {
    if (!word.quoted && IsReserved(word.text)) return std::nullopt;
    arg.text = word.text;
  } else if (alternative == "int" || alternative == "num") {
    if (!ParseNumber(word.text, alternative == "int", arg.number)) return std::nullopt;
    arg.kind = ArgKind::Number;
  } else if (alternative == "list") {
    if (word.text != "List1" && word.text != "List2" && word.text != "List3") return std::nullopt;
    arg.kind = ArgKind::List;
    arg.list = static_cast<ListName>(word.text.back() - '0');
  } else if (alternative == "*") {
    if (word.quoted || word.text != "*") return std::nullopt;
    arg.kind = ArgKind::Any;
  } else {
    // A literal: the format's keywords count only when bare.
    if (word.text != alternative || (word.quoted && IsReserved(alternative))) return std::nullopt;
    arg.kind = ArgKind::Keyword;
    arg.text = word.text;
  }
  return arg;
}

std::string DescribeSlot(std::string_view slot) {
  const std::vector<std::string_view> alternatives = Split(slot, '|');
  std::string text;
  for (std::size_t i = 0; i < alternatives.size(); ++i) {
    if (i > 0) text += i + 1 == alternatives.size() ? " or " : ", ";
    const std::string_view a = alternatives[i];
    text += a == "text"   ? "a text"
            : a == "int"  ? "a whole number"
            : a == "num"  ? "a number"
            : a == "list" ? "List1, List2 or List3"
                          : std::string(a);
  }
  return text;
}

// Matches one word against a slot's alternatives; returns the error, empty
// on success.
std::string MatchWord(std::string_view slot, const Word& word, std::vector<Arg>& args) {
  for (std::string_view alternative : Split(slot, '|')) {
    if (std::optional<Arg> arg = MatchAlternative(alternative, word)) {
      args.push_back(std::move(*arg));
      return {};
    }
  }
  std::string found = word.quoted ? "\"" + word.text + "\"" : "'" + word.text + "'";
  std::string why = "expected " + DescribeSlot(slot) + ", found " + found;
  if (!word.quoted && IsReserved(word.text)) why += " (a keyword here; quote it for the text)";
  return why;
}

// Decodes the hex words from `pos` on into one Bytes argument.
std::string MatchHex(const std::vector<Word>& words, std::size_t pos, std::vector<Arg>& args) {
  Arg& arg = args.emplace_back();
  arg.kind = ArgKind::Bytes;
  for (; pos < words.size(); ++pos) {
    std::string_view digits = words[pos].text;
    if (digits.size() % 2 != 0)
      return "hex bytes come in pairs of digits, found '" + words[pos].text + "'";
    for (std::size_t k = 0; k < digits.size(); k += 2) {
      unsigned value = 0;
      auto [end, error] = std::from_chars(digits.data() + k, digits.data() + k + 2, value, 16);
      if (error != std::errc() || end != digits.data() + k + 2) {
        return "'" + words[pos].text + "' is not hex bytes";
      }
      arg.text += static_cast<char>(value);
    }
  }
  return {};
}

std::string MatchArguments(std::string_view signature, const std::vector<Word>& words,
                           std::size_t pos, std::vector<Arg>& args) {
  for (std::string_view slot : Split(signature, ' ')) {
    if (slot.starts_with('[')) {
      if (pos == words.size()) return {};  // the optional tail left out
      slot.remove_prefix(1);
    }
    if (slot.ends_with(']')) slot.remove_suffix(1);
    if (slot == "hex") return MatchHex(words, pos, args);
    const bool optional = slot.ends_with("...");
    const bool repeats = optional || slot.ends_with('+');
    slot = slot.substr(0, slot.find_first_of(".+"));
    std::size_t matched = 0;
    for (; pos < words.size() && (repeats || matched == 0); ++pos, ++matched) {
      if (std::string why = MatchWord(slot, words[pos], args); !why.empty()) return why;
    }
    if (matched == 0 && !optional) return "missing an argument: expected " + DescribeSlot(slot);
  }
  if (pos < words.size()) return "unexpected '" + words[pos].text + "' after the arguments";
  return {};
}

// How many of the leading words spell the entry's name (0: they do not).
std::size_t NameLength(const Entry& entry, const std::vector<Word>& words) {
  std::vector<std::string_view> parts = Split(entry.name, ' ');
  if (parts.size() > words.size()) return 0;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (words[i].quoted || words[i].text != parts[i]) return 0;
  }
  return parts.size();
}

// What the signatures cannot say: 'empty' stands alone in the expected
// entries or results, search results are pairs of words, and shift goes with
// a chosen result.
std::string CheckCombination(CommandKind kind, const std::vector<Arg>& args) {
  if (kind == K::AnswerSearch) {
    if (args[1].Is("cancel") && args.size() > 2) return "'shift' goes with a result, not cancel";
    if (!args[1].Is("cancel") && args[1].number < 0) return "a result is 0 or more";
    return {};
  }
  if (kind != K::ExpectList && kind != K::ExpectSearch) return {};
  const bool empty =
      std::any_of(args.begin() + 1, args.end(), [](const Arg& arg) { return arg.Is("empty"); });
  if (empty && args.size() != 2) return "'empty' stands alone: quote it for the text";
  if (kind == K::ExpectSearch && !empty && (args.size() - 1) % 2 != 0) {
    return "each result is two words, the kaomoji and its category";
  }
  return {};
}

}  // namespace

std::string MatchCommand(const std::vector<Word>& words, Command& command) {
  for (const Entry& entry : kCommands) {
    std::size_t nameLength = NameLength(entry, words);
    if (nameLength == 0) continue;
    if (entry.kind == K::ExpectList && (words.size() < 2 || !MatchAlternative("list", words[1]))) {
      if (words.size() < 2) return "expect: missing the expectation";
      return "unknown expectation 'expect " + words[1].text + "'";
    }
    command.kind = entry.kind;
    command.name = entry.name;
    command.args.clear();
    std::string why = MatchArguments(entry.signature, words, nameLength, command.args);
    if (why.empty()) why = CheckCombination(entry.kind, command.args);
    return why.empty() ? why : command.name + ": " + why;
  }
  return "unknown command '" + words.front().text + "'";
}

}  // namespace pelorin::scenario
