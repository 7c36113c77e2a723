#pragma once
// The other programs' windows of a scenario (`windows TITLE...`): real
// top-level windows of this process, each with a multi-line edit control
// that takes a paste like an editor does. Every Ctrl+V that reaches one is
// logged with what the edit control received, for expect pasted. Ctrl+V is
// read from the keys as they were sent, not from the window's own key state
// (paste_targets.cpp says why).

#include <windows.h>

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/unique.h"
#include "tests/scenario/output_expectations.h"

namespace pelorin::wine_scenario {

class PasteTargets : public scenario::PasteLog {
 public:
  PasteTargets();
  ~PasteTargets() override;
  PasteTargets(const PasteTargets&) = delete;
  PasteTargets& operator=(const PasteTargets&) = delete;

  // Replaces every window by new ones with these titles, in this order from
  // the top: directly below `below` when it is given, else at the top. Unless
  // `keepActive` (the window `below` stays the active one), the first new
  // window becomes the active window.
  bool Replace(const std::vector<std::string>& titles, HWND below, bool keepActive);

  // The log as expect pasted reads it: the window must have received the
  // text, by a Ctrl+V without Shift.
  bool Empty() const override { return log_.empty(); }
  bool OldestIs(const std::string& title, const std::string& text) const override;
  std::string DescribeOldest() const override { return log_.front().Describe(); }
  void TakeOldest() override { log_.pop_front(); }

 private:
  // Ctrl+V as it reached a window.
  struct Paste {
    std::string target;               // the title of the window that got it
    std::optional<std::string> text;  // the clipboard's text then (nullopt: none)
    std::string received;             // what the edit control gained
    bool shift = false;               // Shift was held at the V
    std::string Describe() const;
  };
  // A V pressed, as the keys were sent.
  struct VPress {
    HWND foreground = nullptr;  // the window in the foreground then
    bool ctrl = false;
    bool shift = false;
  };
  struct Target;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data);
  static LRESULT CALLBACK KeyHook(int code, WPARAM wParam, LPARAM lParam);

  std::vector<std::unique_ptr<Target>> targets_;
  // The low-level keyboard hook, while there are windows; a hook has no
  // context argument, so it finds this through `hooked`.
  platform::win32::Unique<HHOOK, &::UnhookWindowsHookEx> hook_;
  static inline PasteTargets* hooked = nullptr;
  bool ctrl_ = false;  // held by the injected keys now
  bool shift_ = false;
  std::deque<VPress> presses_;  // not yet taken by a window
  std::deque<Paste> log_;
};

// The clipboard's text; nullopt when it holds no text.
std::optional<std::string> ClipboardText(HWND owner);
bool SetClipboardText(HWND owner, const std::optional<std::string>& text);

}  // namespace pelorin::wine_scenario
