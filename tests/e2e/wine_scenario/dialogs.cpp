#include "tests/e2e/wine_scenario/dialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/win32/dialog_controls.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/text.h"

namespace pelorin::wine_scenario {
namespace {

namespace controls = platform::win32::controls;

constexpr int kInputBoxPrompt = 100;

// The MsgBox button sets, each in the order MsgBox places its buttons.
const std::pair<int, std::vector<int>> kButtonSets[] = {
    {MB_OK, {IDOK}},
    {MB_OKCANCEL, {IDOK, IDCANCEL}},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
    {MB_YESNO, {IDYES, IDNO}},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
    {MB_CANCELTRYCONTINUE, {IDCANCEL, IDTRYAGAIN, IDCONTINUE}},
};

bool HasControl(HWND dialog, int id, const wchar_t* windowClass) {
  HWND control = ::GetDlgItem(dialog, id);
  return control != nullptr && e2e::ClassName(control) == windowClass;
}

std::string ControlText(HWND dialog, int id) {
  return Utf8(e2e::WindowText(::GetDlgItem(dialog, id)));
}

// Buttons, icon and default button as the MsgBox flags that show them; -1
// when the buttons are no set MsgBox makes.
int MessageBoxFlags(HWND dialog, HWND program, ProbeClient& probe) {
  std::vector<int> shown;
  for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE}) {
    HWND button = ::GetDlgItem(dialog, id);
    if (button != nullptr && ::IsWindowVisible(button)) shown.push_back(id);
  }
  for (const auto& [flags, ids] : kButtonSets) {
    if (!std::ranges::is_permutation(ids, shown)) continue;
    const LRESULT defId = e2e::Ask(dialog, DM_GETDEFID);
    const int defaultId = defId != LB_ERR && HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : 0;
    const auto position = std::ranges::find(ids, defaultId) - ids.begin();
    const int defaultButton = position < std::ssize(ids) ? static_cast<int>(position) : 0;
    const std::optional<LRESULT> icon =
        probe.Ask(program, probe::Question::MessageBoxIcon, reinterpret_cast<UINT_PTR>(dialog));
    if (!icon || *icon < 0) return -1;
    return flags | defaultButton * MB_DEFBUTTON2 | static_cast<int>(*icon);
  }
  return -1;
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
      const std::vector<std::string>& results = searched.back().results;
      described += " showing for " + Quoted(searched.back().text) + ": ";
      return described + (results.empty() ? "nothing" : scenario::DescribeEntries(results));
    }
    case DialogKind::CallUpKey:
      return "call-up key dialog " + Quoted(text) + " " + Quoted(caption);
  }
  return "a dialog";
}

DialogKind KindOf(HWND dialog) {
  if (e2e::ClassName(dialog) == L"#32768") return DialogKind::Popup;
  if (HasControl(dialog, controls::kSearchResults, WC_LISTVIEWW)) return DialogKind::Search;
  if (HasControl(dialog, controls::kCallUpKeyField, HOTKEY_CLASSW)) return DialogKind::CallUpKey;
  return HasControl(dialog, kInputBoxEdit, L"Edit") ? DialogKind::InputBox : DialogKind::MsgBox;
}

std::optional<DialogRecord> ReadDialog(HWND dialog, HWND program, ProbeClient& probe,
                                       std::string* why) {
  DialogRecord record;
  record.kind = KindOf(dialog);
  const UINT dpi = program != nullptr ? ::GetDpiForWindow(program) : 0;
  record.dpi = dpi != 0 ? dpi : 96;
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
  switch (record.kind) {
    case DialogKind::CallUpKey:
      record.text = ControlText(dialog, controls::kCallUpKeyPrompt);
      break;
    case DialogKind::Search: {
      // What it shows as it opens, before anything is typed.
      const std::optional<scenario::SearchStep> opened = ReadSearch(dialog, program, probe, why);
      if (!opened) return std::nullopt;
      record.searched.push_back(*opened);
      break;
    }
    case DialogKind::InputBox: {
      record.text = ControlText(dialog, kInputBoxPrompt);
      record.defaultText = ControlText(dialog, kInputBoxEdit);
      RECT rect{};
      ::GetWindowRect(dialog, &rect);
      record.topLeft = {rect.left, rect.top};
      break;
    }
    default:
      record.text = MessageText(dialog);
      record.flags = MessageBoxFlags(dialog, program, probe);
      if (record.flags < 0) {
        *why = "a message box whose buttons or icon MsgBox does not make: " + record.Describe();
        return std::nullopt;
      }
  }
  return record;
}

std::optional<scenario::SearchStep> ReadSearch(HWND dialog, HWND program, ProbeClient& probe,
                                               std::string* why) {
  const std::optional<std::vector<std::string>> rows = probe.SearchRows(program, dialog);
  if (!rows) {
    *why = "the probe could not read the search window's results";
    return std::nullopt;
  }
  return scenario::SearchStep{ControlText(dialog, controls::kSearchText), *rows};
}

scenario::ShownDialog ShownDialogLog::At(std::size_t index) const {
  scenario::ShownDialog shown = records[index];
  shown.described = records[index].Describe();
  return shown;
}

bool ShownDialogLog::PlacedAt(std::size_t index, const scenario::Arg& left,
                              const scenario::Arg& top) const {
  const DialogRecord& record = records[index];
  auto at = [&](const scenario::Arg& wanted, int pixels) {
    return wanted.IsAny() || TwipsToPixels(wanted.number, record.dpi) == pixels;
  };
  return at(left, record.topLeft.x) && at(top, record.topLeft.y);
}

}  // namespace pelorin::wine_scenario
