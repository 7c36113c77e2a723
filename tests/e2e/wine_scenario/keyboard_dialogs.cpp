#include "tests/e2e/wine_scenario/keyboard_dialogs.h"

#include <commctrl.h>

#include "platform/win32/dialog_controls.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

namespace controls = platform::win32::controls;
using e2e::Ask;

constexpr DWORD kStepTimeoutMs = 3000;

bool HasControl(HWND dialog, int id, const wchar_t* windowClass) {
  HWND control = ::GetDlgItem(dialog, id);
  return control != nullptr && e2e::ClassName(control) == windowClass;
}

HWND FocusOf(DWORD thread) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

int SelectedResult(HWND dialog) {
  return static_cast<int>(Ask(::GetDlgItem(dialog, controls::kSearchResults), LVM_GETNEXTITEM,
                              static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// The characters of the text one by one, a surrogate pair as one.
std::vector<std::wstring> Characters(const std::wstring& text) {
  std::vector<std::wstring> characters;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size();
    characters.push_back(text.substr(i, pair ? 2 : 1));
    if (pair) ++i;
  }
  return characters;
}

}  // namespace

bool IsSearchWindow(HWND dialog) {
  return HasControl(dialog, controls::kSearchResults, WC_LISTVIEWW) &&
         HasControl(dialog, controls::kSearchText, L"Edit");
}

bool IsCallUpKeyDialog(HWND dialog) {
  return HasControl(dialog, controls::kCallUpKeyField, HOTKEY_CLASSW);
}

std::string CallUpKeyPrompt(HWND dialog) {
  return Utf8(e2e::WindowText(::GetDlgItem(dialog, controls::kCallUpKeyPrompt)));
}

std::optional<scenario::SearchStep> ReadSearch(HWND dialog, HWND program, ProbeClient& probe,
                                               std::string* why) {
  scenario::SearchStep step;
  step.text = Utf8(e2e::WindowText(::GetDlgItem(dialog, controls::kSearchText)));
  const std::optional<std::vector<std::string>> rows = probe.SearchRows(program, dialog);
  if (!rows) {
    *why = "the probe could not read the search window's results";
    return std::nullopt;
  }
  step.results = *rows;
  return step;
}

std::optional<std::string> TypeIntoSearch(HWND dialog, HWND program, DWORD programThread,
                                          ProbeClient& probe, const std::string& text,
                                          std::vector<scenario::SearchStep>& steps) {
  HWND field = ::GetDlgItem(dialog, controls::kSearchText);
  e2e::Activate(dialog);
  if (!e2e::WaitUntil([&] { return FocusOf(programThread) == field; }, kStepTimeoutMs)) {
    return std::string("the search window's text field does not have the keyboard focus");
  }
  std::wstring typed = e2e::WindowText(field);
  for (const std::wstring& character : Characters(Wide(text))) {
    typed += character;
    e2e::TypeText(character);
    // The results follow the field within the same message, so once the
    // field holds the text they are the ones for it.
    if (!e2e::WaitUntil([&] { return e2e::WindowText(field) == typed; }, kStepTimeoutMs)) {
      return "the search window's text field holds " + Quoted(Utf8(e2e::WindowText(field))) +
             " after typing " + Quoted(Utf8(typed));
    }
    std::string why;
    const std::optional<scenario::SearchStep> step = ReadSearch(dialog, program, probe, &why);
    if (!step) return why;
    steps.push_back(*step);
  }
  return std::nullopt;
}

std::optional<std::string> ChooseSearchResult(HWND dialog, int result, bool shift) {
  HWND results = ::GetDlgItem(dialog, controls::kSearchResults);
  const auto count = static_cast<int>(Ask(results, LVM_GETITEMCOUNT));
  if (result >= count) {
    return "the search window has no result " + std::to_string(result) + " (it has " +
           std::to_string(count) + ")";
  }
  if (SelectedResult(dialog) != 0) {
    return "the search window's first result is not selected after typing (selected: " +
           std::to_string(SelectedResult(dialog)) + ")";
  }
  for (int at = 1; at <= result; ++at) {
    e2e::PressKey(VK_DOWN);
    if (!e2e::WaitUntil([&] { return SelectedResult(dialog) == at; }, kStepTimeoutMs)) {
      return "Down in the text field did not select result " + std::to_string(at) +
             " (selected: " + std::to_string(SelectedResult(dialog)) + ")";
    }
  }
  if (shift) e2e::KeyDown(VK_SHIFT);
  e2e::PressKey(VK_RETURN);
  if (shift) e2e::KeyUp(VK_SHIFT);
  return std::nullopt;
}

bool EnterCallUpKey(HWND dialog, const platform::KeyCombination& key) {
  HWND field = ::GetDlgItem(dialog, controls::kCallUpKeyField);
  BYTE flags = 0;
  if (key.ctrl) flags |= HOTKEYF_CONTROL;
  if (key.alt) flags |= HOTKEYF_ALT;
  if (key.shift) flags |= HOTKEYF_SHIFT;
  const WORD value = MAKEWORD(static_cast<BYTE>(key.keyCode), flags);
  Ask(field, HKM_SETHOTKEY, value);
  const auto held = static_cast<WORD>(Ask(field, HKM_GETHOTKEY));
  // The extended-key flag is the control's own business.
  return LOBYTE(held) == LOBYTE(value) && (HIBYTE(held) & ~HOTKEYF_EXT) == flags;
}

}  // namespace pelorin::wine_scenario
