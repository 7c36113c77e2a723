// Waiting for the program to come to rest, and the dialogs and context menus
// it opens meanwhile: each is read from its real window, logged, and
// answered with the next queued answer, as in the simulation.
#include <algorithm>

#include "platform/win32/dialog_controls.h"
#include "tests/e2e/desktop.h"
#include "tests/e2e/wine_scenario/keyboard_dialogs.h"
#include "tests/e2e/wine_scenario/player.h"

namespace pelorin::wine_scenario {

namespace {

constexpr DWORD kDialogCloseTimeoutMs = 5000;

bool Gone(HWND window) { return !::IsWindow(window) || !::IsWindowVisible(window); }

}  // namespace

StepResult Player::Settle(DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  StepResult failure;
  while (ProgramRunning()) {
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
    if (::GetTickCount() - start > timeoutMs) {
      if (!failure) {
        failure =
            "the program did not come to rest within " + std::to_string(timeoutMs / 1000) + " s";
      }
      return failure;
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
  }
  RememberBeeps();
  return failure;
}

StepResult Player::HandleDialog(HWND dialog) {
  DialogRecord shown;
  if (dialog == openCallUpKeyDialog_) {
    // It refused a key and stays open for the next answer; it is logged once.
    shown = openCallUpKeyRecord_;
    openCallUpKeyDialog_ = nullptr;
  } else {
    std::string why;
    const std::optional<DialogRecord> read = ReadDialog(dialog, Window(), environment_.probe, &why);
    if (!read) {
      if (Gone(dialog)) return Pass();  // it closed meanwhile
      CloseUnanswered(dialog, KindOf(dialog));
      return why;
    }
    shown = *read;
    log_.push_back(shown);
    Trace("shown: " + shown.Describe());
  }
  StepResult failure = AnswerDialog(dialog, shown);
  // A call-up key dialog that refuses the key says so in a message box of its own.
  auto answered = [&] {
    if (Gone(dialog)) return true;
    if (shown.kind != DialogKind::CallUpKey) return false;
    const std::vector<HWND> open = program_->Dialogs();
    return std::any_of(open.begin(), open.end(), [&](HWND other) { return other != dialog; });
  };
  const bool closed = e2e::WaitUntil(answered, kDialogCloseTimeoutMs);
  if (!closed && !failure) failure = "the " + shown.Describe() + " did not close when answered";
  if (closed && !failure && !Gone(dialog)) {
    openCallUpKeyDialog_ = dialog;
    openCallUpKeyRecord_ = shown;
  }
  return failure;
}

void Player::CloseUnanswered(HWND dialog, DialogKind kind) {
  if (kind == DialogKind::Popup) {
    e2e::PressKey(VK_ESCAPE);
  } else if (kind == DialogKind::Search) {
    e2e::Activate(dialog);
    e2e::PressKey(VK_ESCAPE);
  } else if (!PressButton(dialog, IDCANCEL)) {
    PressButton(dialog, IDOK);
  }
}

// Each dialog takes the next answer, which must be of its kind; without one
// it is closed as cancelled and the command fails, as in the simulation.
StepResult Player::AnswerDialog(HWND dialog, const DialogRecord& shown) {
  if (answers_.empty() || !scenario::Fits(answers_.front(), shown.kind)) {
    std::string why = "unexpected dialog: " + shown.Describe();
    if (!answers_.empty()) {
      why += " (the next answer is " + scenario::Describe(answers_.front()) + ")";
    }
    CloseUnanswered(dialog, shown.kind);
    return why;
  }
  const Answer answer = answers_.front();
  answers_.pop_front();
  switch (shown.kind) {
    case DialogKind::MsgBox:
      return AnswerMessageBox(dialog, shown, answer);
    case DialogKind::InputBox:
      return AnswerInputBox(dialog, shown, answer);
    case DialogKind::Search:
      return AnswerSearch(dialog, answer);
    case DialogKind::CallUpKey:
      return AnswerCallUpKey(dialog, shown, answer);
    case DialogKind::Popup:
      break;
  }
  return AnswerPopup(dialog, shown, answer);
}

StepResult Player::AnswerMessageBox(HWND dialog, const DialogRecord& shown, const Answer& answer) {
  if (answer.kind == AnswerKind::MsgBoxCancel) {
    if (HasButton(dialog, IDCANCEL) && PressButton(dialog, IDCANCEL)) return Pass();
    PressButton(dialog, IDOK);
    return "answer msgbox cancel: the " + shown.Describe() + " has no Cancel button";
  }
  if (!PressButton(dialog, IDOK))
    return "the OK button of the " + shown.Describe() + " cannot be clicked";
  return Pass();
}

StepResult Player::AnswerInputBox(HWND dialog, const DialogRecord& shown, const Answer& answer) {
  if (answer.kind == AnswerKind::InputCancel) {
    if (!PressButton(dialog, IDCANCEL)) {
      return "the キャンセル button of the " + shown.Describe() + " cannot be clicked";
    }
    return Pass();
  }
  if (answer.kind == AnswerKind::InputText) {
    if (const std::optional<std::string> why =
            TypeIntoInputBox(dialog, program_->ThreadId(), answer.text)) {
      PressButton(dialog, IDCANCEL);
      return *why;
    }
  }
  if (!PressButton(dialog, IDOK))
    return "the OK button of the " + shown.Describe() + " cannot be clicked";
  return Pass();
}

StepResult Player::AnswerSearch(HWND dialog, const Answer& answer) {
  std::vector<scenario::SearchStep>& searched = log_.back().searched;
  std::optional<std::string> why = TypeIntoSearch(dialog, Window(), program_->ThreadId(),
                                                  environment_.probe, answer.text, searched);
  if (!why && answer.kind == AnswerKind::SearchCancel) {
    e2e::PressKey(VK_ESCAPE);
    return Pass();
  }
  if (!why) why = ChooseSearchResult(dialog, answer.result, answer.shift);
  if (!why) return Pass();
  CloseUnanswered(dialog, DialogKind::Search);
  return scenario::Describe(answer) + ": " + *why;
}

StepResult Player::AnswerCallUpKey(HWND dialog, const DialogRecord& shown, const Answer& answer) {
  int button = IDOK;
  const char* name = "OK";
  if (answer.kind == AnswerKind::CallUpKeyCancel) {
    button = IDCANCEL;
    name = "キャンセル";
  } else if (answer.kind == AnswerKind::CallUpKeyNone) {
    button = platform::win32::controls::kCallUpKeyNone;
    name = "なし";
  } else if (!EnterCallUpKey(dialog, answer.key)) {
    CloseUnanswered(dialog, shown.kind);
    return scenario::Describe(answer) + ": the key field of the " + shown.Describe() +
           " does not take it";
  }
  if (!PressButton(dialog, button)) {
    CloseUnanswered(dialog, shown.kind);
    return std::string("the ") + name + " button of the " + shown.Describe() + " cannot be clicked";
  }
  return Pass();
}

StepResult Player::AnswerPopup(HWND dialog, const DialogRecord& shown, const Answer& answer) {
  if (answer.kind == AnswerKind::PopupDismiss) {
    e2e::PressKey(VK_ESCAPE);
    return Pass();
  }
  if (std::find(shown.itemIds.begin(), shown.itemIds.end(), answer.item) == shown.itemIds.end()) {
    e2e::PressKey(VK_ESCAPE);
    return "answer popup " + answer.text + ": not among the visible items of the " +
           shown.Describe();
  }
  if (!HighlightMenuItem(dialog, Window(), environment_.probe, answer.item)) {
    e2e::PressKey(VK_ESCAPE);
    return "answer popup " + answer.text + ": the arrow keys did not reach it in the " +
           shown.Describe();
  }
  e2e::PressKey(VK_RETURN);
  return Pass();
}

}  // namespace pelorin::wine_scenario
