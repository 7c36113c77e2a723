#include "platform/sim/sim_platform.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/sim/sim_metrics.h"

namespace pelorin::sim {
namespace {

using platform::ListId;
using platform::MenuEntry;
using platform::Rect;
using platform::WindowState;

// A small menu tree of the same shape as the program's: two bar menus, a
// submenu, and a context menu with a separator and a hidden item.
enum : int { kFile, kExit, kEdit, kSub, kAdd, kDel, kPopup, kPopA, kSep, kPopB, kPopHidden };
constexpr MenuEntry kMenus[] = {
    {"M_FILE", "File", -1, false, false, true, false},
    {"M_EXIT", "Exit", kFile, false, false, true, false},
    {"M_EDIT", "Edit", -1, false, false, true, false},
    {"M_SUB", "Sub", kEdit, false, false, true, false},
    {"M_ADD", "Add", kSub, false, false, true, false},
    {"M_DEL", "Delete", kSub, false, false, true, false},
    {"M_POPUP", "Popup", -1, true, false, true, false},
    {"M_POP_A", "A", kPopup, false, true, true, false},
    {"M_SEP", "-", kPopup, false, false, true, true},
    {"M_POP_B", "B", kPopup, false, false, true, false},
    {"M_POP_HIDDEN", "Hidden", kPopup, false, false, false, false},
};

// Records every event as a line of text; hooks let a test act inside one.
class RecordingEvents : public platform::WindowEvents {
 public:
  std::vector<std::string> log;
  std::function<void(platform::MenuItemId)> onMenu;
  std::function<void(ListId, int)> onKey;
  bool unloadResult = true;

  void OnLoad() override { log.push_back("load"); }
  void OnResize() override { log.push_back("resize"); }
  bool OnUnload() override {
    log.push_back("unload");
    return unloadResult;
  }
  void OnListClick(ListId list) override { log.push_back("click " + Name(list)); }
  void OnListDoubleClick(ListId list) override { log.push_back("dblclick " + Name(list)); }
  void OnListKeyDown(ListId list, int key, int shift) override {
    log.push_back("key " + Name(list) + " " + std::to_string(key) + " " + std::to_string(shift));
    if (onKey) onKey(list, key);
  }
  void OnListLostFocus(ListId list) override { log.push_back("lostfocus " + Name(list)); }
  void OnListMouseUp(ListId list, int button) override {
    log.push_back("mouseup " + Name(list) + " " + std::to_string(button));
  }
  void OnMenuClick(platform::MenuItemId item) override {
    log.push_back(std::string("menu ") + kMenus[item].name);
    if (onMenu) onMenu(item);
  }

 private:
  static std::string Name(ListId list) { return "List" + std::to_string(static_cast<int>(list)); }
};

using Log = std::vector<std::string>;

class SimPlatformTest : public ::testing::Test {
 protected:
  // A window created and shown, with an empty event log.
  void Start() {
    sim.CreateMainWindow(kMenus, events);
    sim.ShowWindow();
    events.log.clear();
  }
  void Fill(ListId list, std::vector<std::string> texts) { sim.ListReplaceAll(list, texts); }

  SimPlatform sim;
  RecordingEvents events;
};

TEST_F(SimPlatformTest, AFreshWindowHasTheDesignMetrics) {
  sim.CreateMainWindow(kMenus, events);
  Rect window = sim.WindowRect();
  EXPECT_EQ(window.left, 1200);
  EXPECT_EQ(window.top, 1200);
  EXPECT_EQ(window.width, 4805);
  EXPECT_EQ(window.height, 2710);
  EXPECT_EQ(sim.ListRect(ListId::List2).width, 3495);
  EXPECT_EQ(sim.ListRect(ListId::List3).left, 3480);
  EXPECT_EQ(sim.ListRect(ListId::List1).top, 2040);
  platform::FrameSizes frame = sim.GetFrameSizes();
  EXPECT_EQ(frame.width, 110);
  EXPECT_EQ(frame.heightWithMenuBar, 640);
  EXPECT_EQ(frame.heightWithoutMenuBar, 360);
  ASSERT_EQ(sim.Monitors().size(), 1u);
  EXPECT_EQ(sim.Monitors()[0].width, 15360);
  EXPECT_EQ(sim.FocusedList(), ListId::List2);
  EXPECT_TRUE(std::filesystem::is_directory(sim.AppFolder() + "/data"));
}

TEST_F(SimPlatformTest, WindowStatesShowTheirOwnRectangles) {
  Start();
  sim.SetWindowRect(Rect{300, 400, 5000, 3000});
  ASSERT_TRUE(sim.Maximize());
  Rect maximized = sim.WindowRect();
  EXPECT_EQ(maximized.left, 0);
  EXPECT_EQ(maximized.height, 11040);
  ASSERT_TRUE(sim.Minimize());
  Rect minimized = sim.WindowRect();
  EXPECT_EQ(minimized.left, 300);
  EXPECT_EQ(minimized.top, 400);
  EXPECT_EQ(minimized.width, 2400);
  EXPECT_EQ(minimized.height, 360);
  EXPECT_FALSE(sim.Resize(100, 100));
  ASSERT_TRUE(sim.Restore());
  EXPECT_EQ(sim.WindowRect().width, 5000);
  EXPECT_TRUE(sim.Restore());
  EXPECT_EQ(events.log, (Log{"resize", "resize", "resize"}));
}

TEST_F(SimPlatformTest, TheCoresOwnChangesRaiseNoEvents) {
  Start();
  Fill(ListId::List2, {"a", "b"});
  sim.ListSelect(ListId::List2, 1);
  sim.SetWindowRect(Rect{0, 0, 6000, 4000});
  sim.SetWindowState(WindowState::Maximized);
  sim.SetMenuVisible(kFile, false);
  sim.SetTopmost(true);
  EXPECT_TRUE(events.log.empty());
}

TEST_F(SimPlatformTest, TheMenuBarShowsWhileAnyBarMenuIsVisible) {
  Start();
  EXPECT_TRUE(sim.Menus().BarShown());
  sim.SetMenuVisible(kFile, false);
  EXPECT_TRUE(sim.Menus().BarShown());
  sim.SetMenuVisible(kEdit, false);
  EXPECT_FALSE(sim.Menus().BarShown());
  EXPECT_TRUE(sim.MenuVisible(kPopup));
  EXPECT_TRUE(sim.MenuChecked(kPopA));
}

TEST_F(SimPlatformTest, AClickMovesTheFocusAndRunsTheClickEvenWhenSelectedAlready) {
  Start();
  Fill(ListId::List2, {"a"});
  Fill(ListId::List3, {"x", "y"});
  ASSERT_TRUE(sim.Click(ListId::List3, 1));
  ASSERT_TRUE(sim.Click(ListId::List3, 1));
  ASSERT_TRUE(sim.DoubleClick(ListId::List2, 0));
  EXPECT_EQ(events.log, (Log{"lostfocus List2", "click List3", "click List3", "lostfocus List3",
                             "click List2", "dblclick List2"}));
  EXPECT_EQ(sim.ListSelected(ListId::List3), 1);
  EXPECT_FALSE(sim.Click(ListId::List2, 1));
  EXPECT_FALSE(sim.Click(ListId::List1, 0));
}

TEST_F(SimPlatformTest, ArrowKeysRunTheClickOnlyWhenTheSelectionChanges) {
  Start();
  Fill(ListId::List2, {"a", "b"});
  ASSERT_TRUE(sim.Key(ListId::List2, 40, 0));
  ASSERT_TRUE(sim.Key(ListId::List2, 40, 1));
  ASSERT_TRUE(sim.Key(ListId::List2, 40, 0));
  ASSERT_TRUE(sim.Key(ListId::List2, 13, 2));
  EXPECT_EQ(events.log, (Log{"key List2 40 0", "click List2", "key List2 40 1", "click List2",
                             "key List2 40 0", "key List2 13 2"}));
  EXPECT_EQ(sim.ListSelected(ListId::List2), 1);
}

TEST_F(SimPlatformTest, TheListHandlesTheKeyAfterTheHandlerChangedTheSelection) {
  Start();
  Fill(ListId::List2, {"a", "b", "c"});
  sim.ListSelect(ListId::List2, 2);
  events.onKey = [this](ListId list, int) { sim.ListSelect(list, 0); };
  ASSERT_TRUE(sim.Key(ListId::List2, 38, 1));
  EXPECT_EQ(sim.ListSelected(ListId::List2), 0);
  EXPECT_EQ(events.log, (Log{"key List2 38 1"}));
}

TEST_F(SimPlatformTest, ARightClickKeepsTheSelectionAndTheFocus) {
  Start();
  Fill(ListId::List3, {"x"});
  ASSERT_TRUE(sim.RightClick(ListId::List3));
  EXPECT_EQ(events.log, (Log{"mouseup List3 2"}));
  EXPECT_EQ(sim.FocusedList(), ListId::List2);
  EXPECT_EQ(sim.ListSelected(ListId::List3), -1);
}

TEST_F(SimPlatformTest, AMenuItemIsJudgedAfterItsMenuRanItsClick) {
  Start();
  events.onMenu = [this](platform::MenuItemId item) {
    if (item == kEdit) sim.SetMenuVisible(kDel, false);
  };
  ASSERT_TRUE(sim.Menu(kAdd));
  sim::ActionResult hidden = sim.Menu(kDel);
  EXPECT_FALSE(hidden);
  EXPECT_NE(hidden.error.find("M_DEL is hidden"), std::string::npos);
  EXPECT_EQ(events.log, (Log{"menu M_EDIT", "menu M_ADD", "menu M_EDIT"}));
}

TEST_F(SimPlatformTest, HiddenMenusAndContextMenuItemsCannotBeClicked) {
  Start();
  sim.SetMenuVisible(kSub, false);
  EXPECT_FALSE(sim.Menu(kAdd));
  EXPECT_EQ(events.log, (Log{"menu M_EDIT"}));
  events.log.clear();
  sim.SetMenuVisible(kFile, false);
  EXPECT_FALSE(sim.Menu(kExit));
  EXPECT_FALSE(sim.Open(kFile));
  EXPECT_FALSE(sim.Menu(kPopA));
  EXPECT_FALSE(sim.Open(kPopup));
  EXPECT_FALSE(sim.Open(kSub));
  EXPECT_TRUE(events.log.empty());
  ASSERT_TRUE(sim.Open(kEdit));
  EXPECT_EQ(events.log, (Log{"menu M_EDIT"}));
}

TEST_F(SimPlatformTest, DialogsTakeTheirAnswersInOrderAndAreLogged) {
  Start();
  sim.QueueAnswer({AnswerKind::InputText, "typed", -1, 1});
  sim.QueueAnswer({AnswerKind::InputOk, "", -1, 2});
  sim.QueueAnswer({AnswerKind::MsgBoxCancel, "", -1, 3});
  sim.QueueAnswer({AnswerKind::PopupItem, "M_POP_B", kPopB, 4});
  EXPECT_EQ(sim.InputBox("p", "", "d", 1200, 1300), "typed");
  EXPECT_EQ(sim.InputBox("p", "c", "d", 0, 0), "d");
  EXPECT_EQ(sim.MsgBox("sure?", 1, ""), platform::kMsgBoxCancel);
  EXPECT_EQ(sim.PopupMenu(kPopup), kPopB);
  EXPECT_TRUE(sim.TakeFailures().empty());
  EXPECT_TRUE(sim.PendingAnswers().empty());
  std::deque<DialogRecord>& log = sim.DialogLog();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[0].caption, kApplicationTitle);
  EXPECT_EQ(log[0].top, 1300);
  EXPECT_EQ(log[2].Describe(), "message box \"sure?\" \"Pelorin\" 1");
  EXPECT_EQ(log[3].items, (std::vector<std::string>{"A", "-", "B"}));
}

TEST_F(SimPlatformTest, ADialogWithoutAFittingAnswerIsAFailureNotAnAnswer) {
  Start();
  EXPECT_EQ(sim.InputBox("p", "c", "d", 0, 0), std::nullopt);
  std::vector<std::string> failures = sim.TakeFailures();
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].rfind("unexpected dialog: input box \"p\"", 0), 0u);

  sim.QueueAnswer({AnswerKind::MsgBoxOk, "", -1, 1});
  EXPECT_EQ(sim.PopupMenu(kPopup), std::nullopt);
  EXPECT_EQ(sim.TakeFailures().size(), 1u);
  EXPECT_EQ(sim.PendingAnswers().size(), 1u);  // still waiting for its message box
  EXPECT_EQ(sim.MsgBox("only OK", 0, ""), platform::kMsgBoxOk);

  sim.QueueAnswer({AnswerKind::MsgBoxCancel, "", -1, 2});
  EXPECT_EQ(sim.MsgBox("only OK", 16, ""), platform::kMsgBoxOk);
  sim.QueueAnswer({AnswerKind::PopupItem, "M_POP_HIDDEN", kPopHidden, 3});
  EXPECT_EQ(sim.PopupMenu(kPopup), std::nullopt);
  sim.QueueAnswer({AnswerKind::PopupItem, "M_SEP", kSep, 4});
  EXPECT_EQ(sim.PopupMenu(kPopup), std::nullopt);
  EXPECT_EQ(sim.TakeFailures().size(), 3u);
}

TEST_F(SimPlatformTest, TheDesktopKeepsTheStackingOrderAndTheActiveWindow) {
  sim.SetOtherWindows({"Notepad", "Mail"});
  EXPECT_EQ(sim.ActiveTitle(), "Notepad");
  sim.CreateMainWindow(kMenus, events);
  EXPECT_FALSE(sim.TopLevelWindows()[0].visible);
  sim.ShowWindow();
  EXPECT_EQ(sim.ActiveTitle(), kApplicationTitle);
  sim.SetTopmost(true);
  ASSERT_TRUE(sim.Activate("Mail"));
  auto titles = [this] {
    std::vector<std::string> result;
    for (const platform::TopLevelWindow& window : sim.TopLevelWindows()) {
      result.push_back(window.title);
    }
    return result;
  };
  EXPECT_EQ(titles(), (std::vector<std::string>{"Pelorin", "Mail", "Notepad", "Program Manager"}));
  EXPECT_EQ(sim.ActiveTitle(), "Mail");
  sim.SetTopmost(false);
  EXPECT_EQ(titles(), (std::vector<std::string>{"Pelorin", "Mail", "Notepad", "Program Manager"}));
  ASSERT_TRUE(sim.Activate("Notepad"));
  EXPECT_EQ(titles().front(), "Notepad");
  sim.SetTopmost(false);  // not topmost already: nothing moves
  EXPECT_EQ(titles().front(), "Notepad");
  ASSERT_TRUE(sim.Focus(ListId::List3));
  EXPECT_EQ(sim.ActiveTitle(), kApplicationTitle);
  sim.SetOtherWindows({"Editor"});
  EXPECT_EQ(titles(), (std::vector<std::string>{"Pelorin", "Editor", "Program Manager"}));
  EXPECT_EQ(sim.ActiveTitle(), kApplicationTitle);
  EXPECT_FALSE(sim.Activate("Notepad"));
  EXPECT_FALSE(sim.ActivateWindow(12345));
}

TEST_F(SimPlatformTest, APasteGoesToTheActiveWindowWithTheClipboardText) {
  sim.SetOtherWindows({"Notepad"});
  Start();
  std::vector<platform::TopLevelWindow> windows = sim.TopLevelWindows();
  ASSERT_TRUE(sim.ActivateWindow(windows[1].handle));
  ASSERT_TRUE(sim.SetClipboardText("(^_^)"));
  ASSERT_TRUE(sim.SendPasteKeystroke());
  ASSERT_TRUE(sim.ClearClipboard());
  ASSERT_TRUE(sim.SendPasteKeystroke());
  ASSERT_EQ(sim.Pastes().size(), 2u);
  EXPECT_EQ(sim.Pastes()[0].target, "Notepad");
  EXPECT_EQ(sim.Pastes()[0].text, "(^_^)");
  EXPECT_EQ(sim.Pastes()[1].text, std::nullopt);
}

TEST_F(SimPlatformTest, AnEndedProgramLeavesTheDesktopAndGetsNoEvents) {
  sim.SetOtherWindows({"Notepad"});
  Start();
  Fill(ListId::List2, {"a"});
  events.unloadResult = false;
  ASSERT_TRUE(sim.Close());
  EXPECT_TRUE(sim.ProgramRunning());
  events.unloadResult = true;
  ASSERT_TRUE(sim.Close());
  EXPECT_TRUE(sim.Ended());
  EXPECT_EQ(sim.ActiveTitle(), "Notepad");
  EXPECT_EQ(sim.TopLevelWindows().size(), 2u);
  EXPECT_FALSE(sim.Click(ListId::List2, 0));
  EXPECT_EQ(events.log, (Log{"unload", "unload"}));
}

}  // namespace
}  // namespace pelorin::sim
