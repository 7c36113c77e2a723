// Waiting for the program to come to rest, and the dialogs and context menus
// it opens meanwhile: each is read from its real window, logged, and answered
// with the next queued answer through its controls with real input, as in
// the simulation.
#include <windows.h>
// (commctrl.h needs windows.h first)
#include <commctrl.h>

#include <algorithm>

#include "platform/win32/dialog_controls.h"
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

namespace {

namespace controls = platform::win32::controls;

constexpr DWORD kSettleTimeoutMs = 15000;
constexpr DWORD kStepTimeoutMs = 3000;
constexpr DWORD kDialogCloseTimeoutMs = 5000;

bool Gone(HWND window) { return !::IsWindow(window) || !::IsWindowVisible(window); }

// Clicks the button in its middle, as the user does; why not when it cannot.
std::optional<std::string> ClickButton(HWND dialog, int id, const DialogRecord& shown) {
  HWND button = ::GetDlgItem(dialog, id);
  if (button != nullptr && ::IsWindowVisible(button)) {
    e2e::Activate(dialog);
    RECT rect{};
    ::GetWindowRect(button, &rect);
    const POINT center = e2e::Center(rect);
    if (::WindowFromPoint(center) == button && e2e::Click(center)) return std::nullopt;
  }
  const char* name = id == IDOK ? "OK" : id == IDCANCEL ? "キャンセル" : "なし";
  return std::string("the ") + name + " button of the " + shown.Describe() + " cannot be clicked";
}

// Waits until the field holds what was typed; else why not.
std::optional<std::string> Holds(HWND field, const std::wstring& typed, const char* what) {
  if (e2e::WaitUntil([&] { return e2e::WindowText(field) == typed; }, kStepTimeoutMs)) {
    return std::nullopt;
  }
  return std::string(what) + " holds " + Quoted(Utf8(e2e::WindowText(field))) + " after typing " +
         Quoted(Utf8(typed));
}

// Moves the selection to the result with Down from the first, then presses
// Enter (with Shift held when asked).
std::optional<std::string> ChooseSearchResult(HWND dialog, int result, bool shift) {
  HWND results = ::GetDlgItem(dialog, controls::kSearchResults);
  auto selected = [&] {
    return static_cast<int>(Ask(results, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  };
  const auto count = static_cast<int>(Ask(results, LVM_GETITEMCOUNT));
  if (result >= count) {
    return "the search window has no result " + std::to_string(result) + " (it has " +
           std::to_string(count) + ")";
  }
  if (selected() != 0) {
    return "the search window's first result is not selected after typing (selected: " +
           std::to_string(selected()) + ")";
  }
  for (int at = 1; at <= result; ++at) {
    e2e::PressKey(VK_DOWN);
    if (!e2e::WaitUntil([&] { return selected() == at; }, kStepTimeoutMs)) {
      return "Down in the text field did not select result " + std::to_string(at) +
             " (selected: " + std::to_string(selected()) + ")";
    }
  }
  e2e::PressKeys(shift ? std::vector<WORD>{VK_SHIFT, VK_RETURN} : std::vector<WORD>{VK_RETURN});
  return std::nullopt;
}

// Puts the key into the dialog's hot-key control through the control's own
// message; false when it does not hold it then.
bool EnterCallUpKey(HWND dialog, const platform::KeyCombination& key) {
  HWND field = ::GetDlgItem(dialog, controls::kCallUpKeyField);
  const BYTE flags = (key.ctrl ? HOTKEYF_CONTROL : 0) | (key.alt ? HOTKEYF_ALT : 0) |
                     (key.shift ? HOTKEYF_SHIFT : 0);
  const WORD value = MAKEWORD(static_cast<BYTE>(key.keyCode), flags);
  Ask(field, HKM_SETHOTKEY, value);
  const auto held = static_cast<WORD>(Ask(field, HKM_GETHOTKEY));
  // The extended-key flag is the control's own business.
  return LOBYTE(held) == LOBYTE(value) && (HIBYTE(held) & ~HOTKEYF_EXT) == flags;
}

}  // namespace

StepResult Player::Settle() {
  const DWORD start = ::GetTickCount();
  StepResult failure;
  while (Running()) {
    e2e::Pause(0);  // this thread's windows take their pastes and activations
    const std::vector<HWND> dialogs = program_->Dialogs();
    if (!dialogs.empty()) {
      StepResult handled = HandleDialog(dialogs.front());
      if (handled && !failure) failure = handled;
      // A dialog that does not close would hold the run.
      if (handled && !Gone(dialogs.front())) return failure;
      continue;
    }
    const std::optional<LRESULT> idle = environment_.probe.Ask(Window(), probe::Question::Idle);
    if (idle && *idle == 1 && program_->Dialogs().empty()) {
      e2e::Pause(0);
      Trace("at rest after " + std::to_string(::GetTickCount() - start) + " ms; " +
            DescribeDesktop());
      break;
    }
    if (::GetTickCount() - start > kSettleTimeoutMs) {
      if (!failure) failure = "the program did not come to rest within 15 s";
      return failure;
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  }
  RememberBeeps();
  return failure;
}

StepResult Player::HandleDialog(HWND dialog) {
  DialogRecord* shown = &openCallUpKeyRecord_;
  if (dialog == openCallUpKeyDialog_) {
    // It refused a key and stays open for the next answer; it is logged once.
    openCallUpKeyDialog_ = nullptr;
  } else {
    std::string why;
    const std::optional<DialogRecord> read = ReadDialog(dialog, Window(), environment_.probe, &why);
    if (!read) {
      if (Gone(dialog)) return Pass();  // it closed meanwhile
      CloseUnanswered(dialog, KindOf(dialog));
      return why;
    }
    shown = &dialogLog_.records.emplace_back(*read);
    Trace("shown: " + shown->Describe());
  }
  StepResult failure = AnswerDialog(dialog, *shown);
  if (failure) CloseUnanswered(dialog, shown->kind);
  // A call-up key dialog that refuses the key says so in a message box of its own.
  auto answered = [&] {
    return Gone(dialog) ||
           (shown->kind == DialogKind::CallUpKey &&
            std::ranges::any_of(program_->Dialogs(), [&](HWND other) { return other != dialog; }));
  };
  const bool closed = e2e::WaitUntil(answered, kDialogCloseTimeoutMs);
  if (!closed && !failure) failure = "the " + shown->Describe() + " did not close when answered";
  if (closed && !failure && !Gone(dialog)) {
    openCallUpKeyDialog_ = dialog;
    openCallUpKeyRecord_ = *shown;
  }
  return failure;
}

void Player::CloseUnanswered(HWND dialog, DialogKind kind) {
  if (kind == DialogKind::Popup || kind == DialogKind::Search) {
    if (kind == DialogKind::Search) e2e::Activate(dialog);
    e2e::PressKey(VK_ESCAPE);
  } else if (ClickButton(dialog, IDCANCEL, {})) {
    ClickButton(dialog, IDOK, {});  // a box without a Cancel button
  }
}

// Each dialog takes the next answer, which must be of its kind; without one
// it is closed as cancelled and the command fails, as in the simulation.
StepResult Player::AnswerDialog(HWND dialog, DialogRecord& shown) {
  if (answers_.empty() || !scenario::Fits(answers_.front(), shown.kind)) {
    return "unexpected dialog: " + shown.Describe() +
           (answers_.empty()
                ? ""
                : " (the next answer is " + scenario::Describe(answers_.front()) + ")");
  }
  const Answer answer = answers_.front();
  answers_.pop_front();
  const StepResult why = GiveAnswer(dialog, shown, answer);
  return why ? scenario::Describe(answer) + ": " + *why : Pass();
}

std::optional<std::string> Player::GiveAnswer(HWND dialog, DialogRecord& shown,
                                              const Answer& answer) {
  switch (answer.kind) {
    case AnswerKind::MsgBoxOk:
    case AnswerKind::InputOk:
      return ClickButton(dialog, IDOK, shown);
    case AnswerKind::MsgBoxCancel:
    case AnswerKind::InputCancel:
    case AnswerKind::CallUpKeyCancel:
      return ClickButton(dialog, IDCANCEL, shown);
    case AnswerKind::CallUpKeyNone:
      return ClickButton(dialog, controls::kCallUpKeyNone, shown);
    case AnswerKind::InputText:
      if (std::optional<std::string> why = TypeIntoInputBox(dialog, answer.text)) return why;
      return ClickButton(dialog, IDOK, shown);
    case AnswerKind::CallUpKeyOk:
      if (!EnterCallUpKey(dialog, answer.key))
        return "the key field of the " + shown.Describe() + " does not take it";
      return ClickButton(dialog, IDOK, shown);
    case AnswerKind::SearchChoose:
    case AnswerKind::SearchCancel:
      if (std::optional<std::string> why = TypeIntoSearch(dialog, answer.text, shown.searched)) {
        return why;
      }
      if (answer.kind == AnswerKind::SearchChoose) {
        return ChooseSearchResult(dialog, answer.result, answer.shift);
      }
      break;
    case AnswerKind::PopupItem:
      if (std::ranges::find(shown.itemIds, answer.item) == shown.itemIds.end()) {
        return "not among the visible items of the " + shown.Describe();
      }
      if (!HighlightMenuItem(dialog, answer.item)) {
        return "the arrow keys did not reach it in the " + shown.Describe();
      }
      e2e::PressKey(VK_RETURN);
      return std::nullopt;
    case AnswerKind::PopupDismiss:
      break;
  }
  // A search cancelled, a context menu dismissed.
  e2e::PressKey(VK_ESCAPE);
  return std::nullopt;
}

bool Player::FocusIn(HWND dialog, HWND field) {
  e2e::Activate(dialog);
  return e2e::WaitUntil([&] { return program_->Focus() == field; }, kStepTimeoutMs);
}

std::optional<std::string> Player::TypeIntoInputBox(HWND dialog, const std::string& text) {
  HWND edit = ::GetDlgItem(dialog, kInputBoxEdit);
  if (!FocusIn(dialog, edit)) return "the input box's edit control never had the keyboard focus";
  // Typing replaces the selection, which the box selects whole when it opens.
  Ask(edit, EM_SETSEL, 0, -1);
  const std::wstring wide = Wide(text);
  if (wide.empty()) {
    if (!e2e::WindowText(edit).empty()) e2e::PressKey(VK_DELETE);
  } else if (std::ranges::none_of(wide, [](wchar_t c) { return c < L' ' || c == 0x7F; })) {
    e2e::TypeText(wide);
  } else {
    // No key types a control character or a line break into a one-line edit
    // control; the text goes in as a paste of it would.
    Ask(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  return Holds(edit, wide, "the input box");
}

std::optional<std::string> Player::TypeIntoSearch(HWND dialog, const std::string& text,
                                                  std::vector<scenario::SearchStep>& steps) {
  HWND field = ::GetDlgItem(dialog, controls::kSearchText);
  if (!FocusIn(dialog, field)) {
    return "the search window's text field does not have the keyboard focus";
  }
  std::wstring typed = e2e::WindowText(field);
  const std::wstring wide = Wide(text);
  for (size_t at = 0; at < wide.size();) {
    // One character at a time, a surrogate pair as one.
    const size_t length = wide[at] >= 0xD800 && wide[at] <= 0xDBFF ? 2 : 1;
    typed += wide.substr(at, length);
    e2e::TypeText(wide.substr(at, length));
    at += length;
    // The results follow the field within the same message, so once the
    // field holds the text they are the ones for it.
    if (std::optional<std::string> why = Holds(field, typed, "the search window's text field")) {
      return why;
    }
    std::string why;
    const std::optional<scenario::SearchStep> step =
        ReadSearch(dialog, Window(), environment_.probe, &why);
    if (!step) return why;
    steps.push_back(*step);
  }
  return std::nullopt;
}

}  // namespace pelorin::wine_scenario
