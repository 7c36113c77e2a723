#include "app/key_names.h"

#include <string>
#include <vector>

#include "store/profile_document.h"
#include "store/profile_syntax.h"

namespace pelorin::app {
namespace {

using platform::KeyCombination;

struct NamedKey {
  const char* name;
  int keyCode;
};

// Every key beyond letters, digits and F1-F24 that a call-up key may use.
// Short on purpose: keys that typing needs (Enter, Tab, Backspace, Esc) and
// keys whose names differ between keyboard layouts are not offered.
constexpr NamedKey kOtherKeys[] = {
    {"Space", 0x20},  {"PageUp", 0x21}, {"PageDown", 0x22}, {"End", 0x23},
    {"Home", 0x24},   {"Left", 0x25},   {"Up", 0x26},       {"Right", 0x27},
    {"Down", 0x28},   {"Insert", 0x2D}, {"Delete", 0x2E},   {"Pause", 0x13},
};

constexpr int kKeyF1 = 0x70;
constexpr int kFunctionKeys = 24;

std::string_view TrimSpaces(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::optional<int> KeyCodeOf(std::string_view name) {
  if (name.size() == 1) {
    const char c = store::FoldAscii(name[0]);
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    return std::nullopt;
  }
  if ((name[0] == 'F' || name[0] == 'f') && name.size() <= 3 && name[1] >= '1' && name[1] <= '9') {
    int number = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return std::nullopt;
      number = number * 10 + (c - '0');
    }
    if (number >= 1 && number <= kFunctionKeys) return kKeyF1 + number - 1;
    return std::nullopt;
  }
  for (const NamedKey& key : kOtherKeys) {
    if (store::EqualsIgnoringAsciiCase(name, key.name)) return key.keyCode;
  }
  return std::nullopt;
}

std::string NameOfKeyCode(int keyCode) {
  if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9')) {
    return std::string(1, static_cast<char>(keyCode));
  }
  if (keyCode >= kKeyF1 && keyCode < kKeyF1 + kFunctionKeys) {
    // Appended, not "F" + number: GCC 12 at -O3 takes the insertion at the
    // front for an overlapping copy (-Wrestrict).
    std::string name = "F";
    name += std::to_string(keyCode - kKeyF1 + 1);
    return name;
  }
  for (const NamedKey& key : kOtherKeys) {
    if (key.keyCode == keyCode) return key.name;
  }
  return {};
}

// Sets the modifier named `piece`; false for an unknown name or a repeat.
bool AddModifier(std::string_view piece, KeyCombination& key) {
  bool* flag = store::EqualsIgnoringAsciiCase(piece, "Ctrl")    ? &key.ctrl
               : store::EqualsIgnoringAsciiCase(piece, "Alt")   ? &key.alt
               : store::EqualsIgnoringAsciiCase(piece, "Shift") ? &key.shift
                                                                : nullptr;
  if (flag == nullptr || *flag) return false;
  *flag = true;
  return true;
}

}  // namespace

std::optional<KeyCombination> ParseKeyName(std::string_view text) {
  std::vector<std::string_view> pieces;
  for (std::size_t at; (at = text.find('+')) != std::string_view::npos;) {
    pieces.push_back(TrimSpaces(text.substr(0, at)));
    text.remove_prefix(at + 1);
  }
  pieces.push_back(TrimSpaces(text));
  KeyCombination key;
  for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
    if (!AddModifier(pieces[i], key)) return std::nullopt;
  }
  if (pieces.back().empty()) return std::nullopt;
  const std::optional<int> code = KeyCodeOf(pieces.back());
  if (!code || (!key.ctrl && !key.alt)) return std::nullopt;
  key.keyCode = *code;
  return key;
}

std::string FormatKeyName(const KeyCombination& key) {
  const std::string name = NameOfKeyCode(key.keyCode);
  if (name.empty() || (!key.ctrl && !key.alt)) return {};
  std::string text;
  if (key.ctrl) text += "Ctrl+";
  if (key.alt) text += "Alt+";
  if (key.shift) text += "Shift+";
  return text + name;
}

}  // namespace pelorin::app
