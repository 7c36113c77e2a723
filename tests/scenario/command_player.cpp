#include "tests/scenario/command_player.h"

#include "app/key_names.h"
#include "tests/scenario/folder_setup.h"
#include "tests/scenario/menu_item_names.h"
#include "tests/scenario/window_expectations.h"

namespace pelorin::scenario {

using K = CommandKind;

StepResult CommandPlayer::Finish(int& line) {
  const std::optional<int> pending = PendingAnswerLine();
  if (!pending) return Pass();
  line = *pending;
  return Expected("every answer taken by a dialog",
                  "an answer still queued at the end of the scenario");
}

StepResult CommandPlayer::CannotDo(const std::string& why) const {
  return Expected("that the user can " + playing_, why);
}

StepResult CommandPlayer::RequireProgram() const { return CheckProgramThere(Started(), Running()); }

const SavedContentRule& CommandPlayer::SavedContents() const {
  static const SavedContentRule exact;
  return exact;
}

StepResult CommandPlayer::SimulationOnly(const Command& command) {
  return "'" + command.name + "' is played only on the simulation";
}

StepResult CommandPlayer::Dispatch(const Command& command) {
  playing_ = command.source;
  const std::vector<Arg>& args = command.args;
  StepResult failure;
  std::string why;
  switch (command.kind) {
    case K::File:
    case K::Bytes:
      return PlayFileCommand(Folder(), command);
    case K::Mkdir:
      return PlayMkdir(Folder(), command);
    case K::Rmdir:
      return PlayRmdir(Folder(), command);
    case K::Running:
      return MarkOtherCopyRunning();
    case K::Clipboard:
      return SetClipboard(args[0].text);
    case K::Windows: {
      std::vector<std::string> titles;
      for (const Arg& arg : args) titles.push_back(arg.text);
      return SetWindows(titles);
    }
    case K::Fail:
      return SetFault(command);
    case K::Heal:
      return Heal(command);
    case K::Hold: {
      const std::optional<platform::KeyCombination> key = app::ParseKeyName(args[0].text);
      if (!key || app::FormatKeyName(*key) != args[0].text) {
        return Expected("a key as the menu caption writes it (Ctrl+Alt+J)", Quoted(args[0].text));
      }
      return HoldKey(*key, command);
    }
    case K::Start:
      return Start();
    case K::Close:
      return Close();
    case K::Restart:
      return Restart();
    case K::ExpectEnded:
      return ExpectEnded();
    case K::ExpectRunning:
      return ExpectRunning();
    case K::AnswerInput:
    case K::AnswerMsgBox:
    case K::AnswerPopup:
    case K::AnswerSearch:
    case K::AnswerHotKey: {
      const std::optional<Answer> answer = AnswerOf(command, failure);
      return answer ? QueueAnswer(*answer) : failure;
    }
    case K::Click:
    case K::DoubleClick:
      return Click(args[0].list, args[1].Integer(), command.kind == K::DoubleClick);
    case K::Key:
      return PressKey(args[0].list, args[1].Integer(), args[2].Integer());
    case K::RightClick:
      return RightClick(args[0].list);
    case K::Focus:
      return Focus(args[0].list);
    case K::Menu:
    case K::Open: {
      const std::optional<app::MenuItem> item = NamedMenuItem(args[0].text, failure);
      return item ? ClickMenu(*item, command.kind == K::Open) : failure;
    }
    case K::Activate:
      return Activate(args[0].text);
    case K::Resize:
      return Resize(args[0].number, args[1].number);
    case K::Move:
      return Move(args[0].number, args[1].number);
    case K::Minimize:
      return ChangeState(platform::WindowState::Minimized);
    case K::Maximize:
      return ChangeState(platform::WindowState::Maximized);
    case K::Restore:
      return ChangeState(platform::WindowState::Normal);
    case K::CallUpKey:
      return PressCallUpKey(command);
    case K::ExpectFile:
    case K::ExpectBytes:
      return CheckFile(Folder(), command, SavedContents());
    case K::ExpectNoFile:
      return CheckNoFile(Folder(), command);
    case K::ExpectIni:
      return CheckIni(Folder(), command, SavedContents());
    case K::ExpectMsgBox:
      return CheckMsgBox(Dialogs(), command);
    case K::ExpectInputBox:
      return CheckInputBox(Dialogs(), command);
    case K::ExpectPopup:
      return CheckPopup(Dialogs(), command);
    case K::ExpectNoDialog:
      return CheckNoDialog(Dialogs());
    case K::ExpectSearch:
      return CheckSearch(Dialogs(), command);
    case K::ExpectCallUpKeyDialog:
      return CheckCallUpKeyDialog(Dialogs());
    case K::ExpectPasted:
      return CheckPasted(Pastes(), command);
    case K::ExpectNoPaste:
      return CheckNoPaste(Pastes());
    case K::ExpectBeep:
      return ExpectBeep(command);
    case K::ExpectClipboard:
      return CheckClipboard(command, ClipboardText());
    case K::ExpectActive:
      return CheckActive(command, ActiveTitle());
    case K::ExpectOpened:
      return ExpectOpened(command);
    default:
      break;
  }
  // The rest read the program's window.
  if ((failure = RequireProgram())) return failure;
  switch (command.kind) {
    case K::ExpectList:
      return CheckList(command, ListTexts(args[0].list));
    case K::ExpectSelected:
      return CheckSelected(command, SelectedIndex(args[0].list));
    case K::ExpectVisible:
    case K::ExpectChecked:
    case K::ExpectCaption: {
      const std::optional<app::MenuItem> item = NamedMenuItem(args[0].text, failure);
      if (!item) return failure;
      // The checks read `why` only once the value has been read.
      if (command.kind == K::ExpectCaption)
        return CheckCaption(command, MenuCaption(*item, why), why);
      return CheckMenuMark(command, MenuMark(*item, command.kind == K::ExpectVisible, why), why);
    }
    case K::ExpectTopmost:
      return CheckTopmost(command, Topmost());
    case K::ExpectGeometry:
      return ExpectGeometry(command);
    case K::ExpectState:
      return CheckState(command, State());
    case K::ExpectListHeight:
    case K::ExpectListWidth:
    case K::ExpectListLeft:
      return ExpectListRect(command);
    case K::ExpectTooltip:
      return CheckTooltip(command, ToolTip(why), why);
    case K::ExpectFocus:
      return CheckFocus(command, KeyboardFocus(why), why);
    default:
      break;
  }
  return ExpectValue(command);
}

}  // namespace pelorin::scenario
