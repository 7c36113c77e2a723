#include "tests/e2e/wine_scenario/dialogs.h"

#include <algorithm>
#include <cstdio>

#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/keyboard_dialogs.h"
#include "tests/e2e/wine_scenario/program.h"
#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

// The program's input box: its prompt and its edit control.
constexpr int kPromptId = 100;
constexpr int kEditId = 101;
constexpr DWORD kStepTimeoutMs = 3000;
constexpr int kMaxMenuSteps = 40;

HWND VisibleItem(HWND dialog, int id) {
  HWND item = ::GetDlgItem(dialog, id);
  return item != nullptr && ::IsWindowVisible(item) ? item : nullptr;
}

// The MsgBox button set of the buttons shown, in the order MsgBox places them.
struct ButtonSet {
  int flags;
  std::vector<int> ids;
};
const ButtonSet kButtonSets[] = {
    {MB_OK, {IDOK}},
    {MB_OKCANCEL, {IDOK, IDCANCEL}},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
    {MB_YESNO, {IDYES, IDNO}},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
    {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}},
};

int DefaultButton(HWND dialog) {
  const LRESULT defId = Ask(dialog, DM_GETDEFID);
  if (defId != LB_ERR && HIWORD(defId) == DC_HASDEFID) return LOWORD(defId);
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
    if (e2e::ClassName(child) == L"Button" && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      return ::GetDlgCtrlID(child);
    }
  }
  return 0;
}

// Buttons, icon and default button as the MsgBox flags that show them; -1
// when the buttons are no set MsgBox makes.
int MessageBoxFlags(HWND dialog, HWND program, ProbeClient& probe) {
  int flags = -1;
  const ButtonSet* shown = nullptr;
  for (const ButtonSet& set : kButtonSets) {
    bool all = true;
    int count = 0;
    for (int id :
         {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE}) {
      const bool inSet = std::find(set.ids.begin(), set.ids.end(), id) != set.ids.end();
      const bool present = VisibleItem(dialog, id) != nullptr;
      all = all && inSet == present;
      count += present ? 1 : 0;
    }
    if (all && count > 0) shown = &set;
  }
  if (shown == nullptr) return flags;
  flags = shown->flags;
  const int defaultId = DefaultButton(dialog);
  for (size_t i = 1; i < shown->ids.size(); ++i) {
    if (shown->ids[i] == defaultId) flags |= static_cast<int>(i) * MB_DEFBUTTON2;
  }
  const auto argument = static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(dialog));
  const std::optional<LRESULT> icon = probe.Ask(program, probe::Question::MessageBoxIcon, argument);
  if (!icon || *icon < 0) return -1;
  return flags | static_cast<int>(*icon);
}

std::string MessageText(HWND dialog) {
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr;
       child = ::GetWindow(child, GW_HWNDNEXT)) {
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
    if (e2e::ClassName(child) == L"Static" && (style & SS_TYPEMASK) != SS_ICON) {
      return Utf8(e2e::WindowText(child));
    }
  }
  return {};
}

POINT Center(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool Typeable(const std::wstring& text) {
  for (wchar_t c : text) {
    if (c < L' ' || c == 0x7F) return false;
  }
  return true;
}

}  // namespace

std::string DialogRecord::Describe() const {
  switch (kind) {
    case DialogKind::MsgBox:
      return "message box " + Quoted(text) + " " + Quoted(caption) + " " + std::to_string(flags);
    case DialogKind::InputBox:
      return "input box " + Quoted(text) + " " + Quoted(caption) + " " + Quoted(defaultText) +
             " at " + FormatNumber(PixelsToTwips(topLeft.x, dpi)) + " " +
             FormatNumber(PixelsToTwips(topLeft.y, dpi));
    case DialogKind::Popup: {
      std::string described = "context menu";
      for (const std::string& item : items) described += " " + (item == "-" ? item : Quoted(item));
      return described;
    }
    case DialogKind::Search: {
      std::string described = "search window " + Quoted(caption);
      if (searched.empty()) return described;
      described += " showing for " + Quoted(searched.back().text) + ":";
      if (searched.back().results.empty()) described += " nothing";
      for (const std::string& word : searched.back().results) described += " " + Quoted(word);
      return described;
    }
    case DialogKind::CallUpKey:
      return "call-up key dialog " + Quoted(text) + " " + Quoted(caption);
  }
  return "a dialog";
}

DialogKind KindOf(HWND dialog) {
  if (e2e::ClassName(dialog) == L"#32768") return DialogKind::Popup;
  if (IsSearchWindow(dialog)) return DialogKind::Search;
  if (IsCallUpKeyDialog(dialog)) return DialogKind::CallUpKey;
  HWND edit = ::GetDlgItem(dialog, kEditId);
  return edit != nullptr && e2e::ClassName(edit) == L"Edit" ? DialogKind::InputBox
                                                            : DialogKind::MsgBox;
}

std::optional<DialogRecord> ReadDialog(HWND dialog, HWND program, ProbeClient& probe,
                                       std::string* why) {
  DialogRecord record;
  record.kind = KindOf(dialog);
  record.dpi = program != nullptr ? ::GetDpiForWindow(program) : 96;
  if (record.dpi == 0) record.dpi = 96;
  if (record.kind == DialogKind::Popup) {
    const std::optional<PopupView> view = probe.DescribePopup(program, dialog);
    if (!view) {
      *why = "the probe could not read the open menu";
      return std::nullopt;
    }
    for (const MenuItemView& item : view->items) {
      record.items.push_back(item.caption);
      record.itemIds.push_back(item.separator ? -1 : item.item);
    }
    return record;
  }
  record.caption = Utf8(e2e::WindowText(dialog));
  if (record.kind == DialogKind::CallUpKey) {
    record.text = CallUpKeyPrompt(dialog);
    return record;
  }
  if (record.kind == DialogKind::Search) {
    // What it shows as it opens, before anything is typed.
    const std::optional<scenario::SearchStep> opened = ReadSearch(dialog, program, probe, why);
    if (!opened) return std::nullopt;
    record.searched.push_back(*opened);
    return record;
  }
  if (record.kind == DialogKind::InputBox) {
    record.text = Utf8(e2e::WindowText(::GetDlgItem(dialog, kPromptId)));
    record.defaultText = Utf8(e2e::WindowText(::GetDlgItem(dialog, kEditId)));
    RECT rect{};
    ::GetWindowRect(dialog, &rect);
    record.topLeft = {rect.left, rect.top};
    return record;
  }
  record.text = MessageText(dialog);
  record.flags = MessageBoxFlags(dialog, program, probe);
  if (record.flags < 0) {
    *why = "a message box whose buttons or icon MsgBox does not make: " + record.Describe();
    return std::nullopt;
  }
  return record;
}

bool HasButton(HWND dialog, int buttonId) { return VisibleItem(dialog, buttonId) != nullptr; }

bool PressButton(HWND dialog, int buttonId) {
  HWND button = VisibleItem(dialog, buttonId);
  if (button == nullptr) return false;
  e2e::Activate(dialog);
  const POINT center = Center(button);
  if (::WindowFromPoint(center) != button) return false;
  return e2e::Click(center);
}

std::optional<std::string> TypeIntoInputBox(HWND dialog, DWORD programThread,
                                            const std::string& text) {
  HWND edit = ::GetDlgItem(dialog, kEditId);
  if (edit == nullptr) return "the input box has no edit control";
  e2e::Activate(dialog);
  auto focus = [programThread] {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    return ::GetGUIThreadInfo(programThread, &info) ? info.hwndFocus : nullptr;
  };
  if (!e2e::WaitUntil([&] { return focus() == edit; }, kStepTimeoutMs)) {
    return std::string("the input box's edit control never had the keyboard focus");
  }
  // Typing replaces the selection, which the box selects whole when it opens.
  DWORD start = 1;
  DWORD end = 0;
  Ask(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::wstring old = e2e::WindowText(edit);
  if (start != 0 || end != old.size()) Ask(edit, EM_SETSEL, 0, -1);
  const std::wstring wide = Wide(text);
  if (wide.empty()) {
    if (!old.empty()) e2e::PressKey(VK_DELETE);
  } else if (Typeable(wide)) {
    e2e::TypeText(wide);
  } else {
    // No key types a control character or a line break into a one-line edit
    // control; the text goes in as a paste of it would.
    Ask(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  if (!e2e::WaitUntil([&] { return e2e::WindowText(edit) == wide; }, kStepTimeoutMs)) {
    return "the input box holds " + Quoted(Utf8(e2e::WindowText(edit))) + " after typing " +
           Quoted(text);
  }
  return std::nullopt;
}

bool HighlightMenuItem(HWND popupWindow, HWND program, ProbeClient& probe, int item) {
  for (int step = 0; step < kMaxMenuSteps; ++step) {
    const std::optional<PopupView> view = probe.DescribePopup(program, popupWindow);
    if (!view) return false;
    const int target = view->SelectablePosition(item);
    if (target < 0) return false;
    const int highlighted = view->Highlighted();
    const int current = highlighted < 0 ? -1 : view->SelectablePosition(highlighted);
    if (current == target) return true;
    e2e::PressKey(current < target ? VK_DOWN : VK_UP);
    // The key is handled by the menu's own loop after this question.
    e2e::WaitUntil(
        [&] {
          const std::optional<PopupView> now = probe.DescribePopup(program, popupWindow);
          return !now || now->Highlighted() != highlighted;
        },
        kStepTimeoutMs);
  }
  return false;
}

HWND FindOpenMenu(const std::vector<HWND>& dialogs, HWND program, ProbeClient& probe, int menu) {
  for (HWND window : dialogs) {
    if (e2e::ClassName(window) != L"#32768") continue;
    const std::optional<PopupView> view = probe.DescribePopup(program, window);
    if (view && view->menu == menu) return window;
  }
  return nullptr;
}

}  // namespace pelorin::wine_scenario
