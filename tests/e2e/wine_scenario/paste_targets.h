#pragma once
// The other programs' windows of a scenario (`windows TITLE...`): real
// top-level windows of this process, each with a multi-line edit control
// that takes a paste like an editor does. Every Ctrl+V that reaches one is
// logged with what the edit control received. Ctrl+V is read from the keys
// as they were sent (injected_keys.h), not from the window's own key state.

#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/wine_scenario/injected_keys.h"

namespace pelorin::wine_scenario {

// Ctrl+V as it reached a window.
struct PasteRecord {
  std::string target;               // the title of the window that got it
  std::optional<std::string> text;  // the clipboard's text then (nullopt: none)
  std::string received;             // what the edit control gained
  bool shift = false;               // Shift was held at the V

  std::string Describe() const;
};

class PasteTargets {
 public:
  PasteTargets();
  ~PasteTargets();
  PasteTargets(const PasteTargets&) = delete;
  PasteTargets& operator=(const PasteTargets&) = delete;

  // Replaces every window by new ones with these titles, in this order from
  // the top: directly below `below` when it is given, else at the top. Unless
  // `keepActive` (the window `below` stays the active one), the first new
  // window becomes the active window.
  bool Replace(const std::vector<std::string>& titles, HWND below, bool keepActive);
  void Clear();

  std::deque<PasteRecord>& Log() { return log_; }

 private:
  struct Target;
  bool Create(const std::string& title, int number);
  void Stack(HWND below);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
  void Record(Target& target, const std::wstring& before, bool shift);

  std::vector<std::unique_ptr<Target>> targets_;
  std::unique_ptr<InjectedKeys> keys_;  // while there are windows
  std::deque<PasteRecord> log_;
};

// The clipboard's text; nullopt when it holds no text.
std::optional<std::string> ClipboardText(HWND owner);
bool SetClipboardText(HWND owner, const std::optional<std::string>& text);

}  // namespace pelorin::wine_scenario
