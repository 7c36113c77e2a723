#include "tests/scenario/scenario_grammar.h"

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
  const char* signature;
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

enum class Repeat { One, ZeroOrMore, OneOrMore };

struct Slot {
  std::vector<std::string_view> alternatives;
  Repeat repeat = Repeat::One;
};

struct Signature {
  std::vector<Slot> slots;
  std::vector<Slot> optionalTail;  // its first slot is the keyword that starts it
};

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  while (!text.empty()) {
    std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) break;
    text.remove_prefix(at + 1);
  }
  return parts;
}

Slot ParseSlot(std::string_view token) {
  Slot slot;
  if (token.ends_with("...")) {
    slot.repeat = Repeat::ZeroOrMore;
    token.remove_suffix(3);
  } else if (token.ends_with("+")) {
    slot.repeat = Repeat::OneOrMore;
    token.remove_suffix(1);
  }
  slot.alternatives = Split(token, '|');
  return slot;
}

Signature ParseSignature(std::string_view text) {
  Signature signature;
  bool inTail = false;
  for (std::string_view token : Split(text, ' ')) {
    if (token.starts_with("[")) {
      inTail = true;
      token.remove_prefix(1);
    }
    if (token.ends_with("]")) token.remove_suffix(1);
    (inTail ? signature.optionalTail : signature.slots).push_back(ParseSlot(token));
  }
  return signature;
}

bool IsReserved(std::string_view text) {
  for (std::string_view keyword : kReserved) {
    if (text == keyword) return true;
  }
  return false;
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

std::string Describe(std::string_view alternative) {
  if (alternative == "text") return "a text";
  if (alternative == "int") return "a whole number";
  if (alternative == "num") return "a number";
  if (alternative == "list") return "List1, List2 or List3";
  return std::string(alternative);
}

std::string DescribeSlot(const Slot& slot) {
  std::string text;
  for (std::size_t i = 0; i < slot.alternatives.size(); ++i) {
    if (i > 0) text += i + 1 == slot.alternatives.size() ? " or " : ", ";
    text += Describe(slot.alternatives[i]);
  }
  return text;
}

// Matches one word against a slot; returns the error, empty on success.
std::string MatchWord(const Slot& slot, const Word& word, std::vector<Arg>& args) {
  for (std::string_view alternative : slot.alternatives) {
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

// Decodes the hex words from `first` on into one Bytes argument.
std::string MatchHex(const std::vector<Word>& words, std::size_t first, std::vector<Arg>& args) {
  Arg arg;
  arg.kind = ArgKind::Bytes;
  for (std::size_t i = first; i < words.size(); ++i) {
    std::string_view digits = words[i].text;
    if (digits.size() % 2 != 0)
      return "hex bytes come in pairs of digits, found '" + words[i].text + "'";
    for (std::size_t k = 0; k < digits.size(); k += 2) {
      unsigned value = 0;
      auto [end, error] = std::from_chars(digits.data() + k, digits.data() + k + 2, value, 16);
      if (error != std::errc() || end != digits.data() + k + 2) {
        return "'" + words[i].text + "' is not hex bytes";
      }
      arg.text += static_cast<char>(value);
    }
  }
  args.push_back(std::move(arg));
  return {};
}

std::string MatchSlots(const std::vector<Slot>& slots, const std::vector<Word>& words,
                       std::size_t& pos, std::vector<Arg>& args) {
  for (const Slot& slot : slots) {
    if (slot.alternatives.front() == "hex") {
      std::string why = MatchHex(words, pos, args);
      pos = words.size();
      return why;
    }
    std::size_t matched = 0;
    while (pos < words.size() && (slot.repeat != Repeat::One || matched == 0)) {
      std::string why = MatchWord(slot, words[pos], args);
      if (!why.empty()) return why;
      ++pos;
      ++matched;
    }
    if (matched == 0 && slot.repeat != Repeat::ZeroOrMore) {
      return "missing an argument: expected " + DescribeSlot(slot);
    }
  }
  return {};
}

std::string MatchArguments(const Signature& signature, const std::vector<Word>& words,
                           std::size_t pos, std::vector<Arg>& args) {
  std::string why = MatchSlots(signature.slots, words, pos, args);
  if (!why.empty()) return why;
  if (pos < words.size() && !signature.optionalTail.empty()) {
    why = MatchSlots(signature.optionalTail, words, pos, args);
    if (!why.empty()) return why;
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

std::string CheckListExpectation(const std::vector<Arg>& args) {
  bool empty = false;
  for (const Arg& arg : args) empty = empty || arg.Is("empty");
  if (empty && args.size() != 2) return "'empty' stands alone: quote it for the text";
  return {};
}

// answer search: shift only with a result; expect search: 'empty' alone,
// else the results as pairs of words.
std::string CheckSearchArguments(CommandKind kind, const std::vector<Arg>& args) {
  if (kind == K::AnswerSearch) {
    if (args[1].Is("cancel") && args.size() > 2) return "'shift' goes with a result, not cancel";
    if (!args[1].Is("cancel") && args[1].number < 0) return "a result is 0 or more";
    return {};
  }
  bool empty = false;
  for (std::size_t i = 1; i < args.size(); ++i) empty = empty || args[i].Is("empty");
  if (empty && args.size() != 2) return "'empty' stands alone: quote it for the text";
  if (!empty && (args.size() - 1) % 2 != 0) {
    return "each result is two words, the kaomoji and its category";
  }
  return {};
}

}  // namespace

bool IsReservedKeyword(const Word& word) { return !word.quoted && IsReserved(word.text); }

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
    std::string why =
        MatchArguments(ParseSignature(entry.signature), words, nameLength, command.args);
    if (why.empty() && entry.kind == K::ExpectList) why = CheckListExpectation(command.args);
    if (why.empty() && (entry.kind == K::AnswerSearch || entry.kind == K::ExpectSearch)) {
      why = CheckSearchArguments(entry.kind, command.args);
    }
    return why.empty() ? why : command.name + ": " + why;
  }
  return "unknown command '" + words.front().text + "'";
}

}  // namespace pelorin::scenario
