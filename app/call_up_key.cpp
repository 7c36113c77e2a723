// The call-up key: one system-wide key that calls the window up from any
// program, and sends the focus back when the window is already in front.
// Chosen in its dialog (ID_HOTKEY); kept in 設定.ini only once the user
// confirms a choice.
#include "app/form1.h"
#include "app/key_names.h"
#include "app/messages.h"
#include "store/call_up_key_setting.h"

namespace pelorin::app {

using platform::KeyCombination;

namespace {

constexpr KeyCombination kDefaultCallUpKey{true, true, false, 'K'};

}  // namespace

void Form1::StartCallUpKey(const std::optional<std::string>& stored) {
  if (!platform_.OffersCallUpKey()) return;
  std::optional<KeyCombination> wanted = kDefaultCallUpKey;
  if (stored) wanted = ParseKeyName(*stored);
  if (wanted && platform_.RegisterCallUpKey(*wanted)) callUpKey_ = wanted;
  ShowCallUpKeyCaption();
  // The default key held by another program is no news to a user who never
  // chose a key; a key the user chose is.
  if (wanted && !callUpKey_ && stored) {
    Message(messages::CallUpKeyTakenAtStart(*stored), messages::kWarning);
  }
}

void Form1::StopCallUpKey() {
  if (callUpKey_) platform_.UnregisterCallUpKey();
  callUpKey_.reset();
}

void Form1::ShowCallUpKeyCaption() {
  const std::string name = callUpKey_ ? FormatKeyName(*callUpKey_) : kNoKeyName;
  platform_.SetMenuCaption(ID_HOTKEY, messages::kCallUpKeyCaptionPrefix + name);
}

void Form1::ChooseCallUpKey() {
  if (!platform_.OffersCallUpKey()) return;
  const platform::CallUpKeyDialogTexts texts{messages::kCallUpKeyDialogCaption,
                                             messages::kCallUpKeyDialogPrompt,
                                             messages::kCallUpKeyNoneButton};
  ModalScope modal(*this);
  platform_.CallUpKeyDialog(texts, callUpKey_, [this](const std::optional<KeyCombination>& key) {
    return ConfirmCallUpKey(key);
  });
}

bool Form1::ConfirmCallUpKey(const std::optional<KeyCombination>& key) {
  // A combination the settings file could not give back is no call-up key.
  if (key && FormatKeyName(*key).empty()) return false;
  if (key && key != callUpKey_) {
    if (!platform_.RegisterCallUpKey(*key)) {
      Message(messages::kCallUpKeyTaken, messages::kWarning);
      return false;
    }
  } else if (!key) {
    StopCallUpKey();
  }
  callUpKey_ = key;
  ShowCallUpKeyCaption();
  ReportSettingsWrite(settings_.Write(store::kCallUpKeySection, store::kCallUpKeyName,
                                      key ? FormatKeyName(*key) : std::string(kNoKeyName)));
  return true;
}

void Form1::CallUpKeyPressed() {
  if (!platform_.IsWindowShown()) return;
  if (modalDepth_ > 0) {
    platform_.BringToFront();
    return;
  }
  if (platform_.ActiveWindow() == platform_.OwnWindow()) {
    // Back to where the user was typing; nothing is pasted.
    const std::optional<platform::WindowHandle> target = FindPasteTarget();
    if (!target || !platform_.ActivateWindow(*target)) platform_.Beep();
    return;
  }
  if (platform_.GetWindowState() == platform::WindowState::Minimized) {
    SetWindowState(stateBeforeMinimize_);
  }
  platform_.BringToFront();
  FocusList(ListId::List2);
  if (platform_.ListCount(ListId::List2) > 0 && platform_.ListSelected(ListId::List2) < 0) {
    Select(ListId::List2, 0);
  }
}

}  // namespace pelorin::app
