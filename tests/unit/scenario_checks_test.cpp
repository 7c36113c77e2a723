// The checks both scenario runners share, on fakes of what a runner hands
// over: the application folder's paths and files under a runner's own rule
// for saved contents, and the logs of dialogs and pastes.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <string>

#include "temp_folder.h"
#include "tests/scenario/dialog_expectations.h"
#include "tests/scenario/file_expectations.h"
#include "tests/scenario/folder_paths.h"
#include "tests/scenario/output_expectations.h"
#include "tests/scenario/scenario_parser.h"

namespace pelorin::scenario {
namespace {

namespace fs = std::filesystem;
using testing_support::TempFolder;

Command One(const std::string& line) {
  ParseResult parsed = ParseScenarios("scenario s\n" + line + "\n");
  EXPECT_FALSE(parsed.error) << parsed.error->why;
  return parsed.scenarios.at(0).commands.at(0);
}

TEST(ScenarioFolderPaths, APathMustStayInsideTheApplicationFolder) {
  const fs::path folder = "/app";
  std::string why;
  for (const char* refused : {"", "/etc/x", "../x", "data/../../x"}) {
    EXPECT_FALSE(ResolvePath(folder, refused, why)) << refused;
    EXPECT_EQ(why, "expected a path inside the application folder, found \"" +
                       std::string(refused) + "\"");
  }
  const std::optional<fs::path> inside = ResolvePath(folder, "data/../顔.txt", why);
  ASSERT_TRUE(inside);
  EXPECT_EQ(Utf8Of(*inside), "/app/data/../顔.txt");
}

TEST(ScenarioFolderPaths, ANameCountsOnlyInItsOwnLetterCase) {
  TempFolder temp;
  const fs::path folder = TempFolder::Native(temp.Path(""));
  fs::create_directories(folder / "data");
  TempFolder::Put(temp.Path("data/A.txt"), "a");
  EXPECT_TRUE(NamedExactly(folder, folder / "data/A.txt"));
  EXPECT_FALSE(NamedExactly(folder, folder / "data/a.txt"));
  EXPECT_FALSE(NamedExactly(folder, folder / "DATA/A.txt"));
  EXPECT_TRUE(NamedExactly(folder, folder / "data/"));
  EXPECT_TRUE(NamedExactly(folder, folder / "./data"));
}

// Lets any STATE line through, as a runner whose window is sized by its frame does.
class AnyStateRule : public SavedContentRule {
 public:
  bool SameFile(std::string_view expected, std::string_view actual) const override {
    return expected.starts_with("STATE=") ? actual.starts_with("STATE=") : expected == actual;
  }
  bool SameSetting(std::string_view section, std::string_view key, std::string_view expected,
                   std::string_view actual) const override {
    return (section == "DATA" && key == "STATE") || expected == actual;
  }
};

TEST(ScenarioFileChecks, TheRunnersRuleDecidesWhatCountsAsTheSameContent) {
  TempFolder temp;
  const fs::path folder = TempFolder::Native(temp.Path(""));
  TempFolder::Put(temp.Path("s.ini"), "[DATA]\r\nSTATE=1,2\r\nOTHER=x\r\n");
  TempFolder::Put(temp.Path("state.txt"), "STATE=9");
  const SavedContentRule exact;
  const AnyStateRule anyState;
  const Command file = One("expect file state.txt \"STATE=1\"");
  EXPECT_EQ(
      CheckFile(folder, file, exact),
      "expected file state.txt holding \"STATE=1\", found \"STATE=9\" (53 54 41 54 45 3D 39)");
  EXPECT_EQ(CheckFile(folder, file, anyState), std::nullopt);
  const Command state = One("expect ini DATA STATE \"3,4\" in s.ini");
  EXPECT_EQ(CheckIni(folder, state, exact),
            "expected [DATA] STATE = \"3,4\" in s.ini, found \"1,2\"");
  EXPECT_EQ(CheckIni(folder, state, anyState), std::nullopt);
  EXPECT_EQ(CheckIni(folder, One("expect ini DATA OTHER \"y\" in s.ini"), anyState),
            "expected [DATA] OTHER = \"y\" in s.ini, found \"x\"");
}

TEST(ScenarioFileChecks, NoFileMeansNothingUnderThatExactName) {
  TempFolder temp;
  const fs::path folder = TempFolder::Native(temp.Path(""));
  fs::create_directories(folder / "data");
  TempFolder::Put(temp.Path("data/A.txt"), "");
  EXPECT_EQ(CheckNoFile(folder, One("expect nofile data/a.txt")), std::nullopt);
  EXPECT_EQ(CheckNoFile(folder, One("expect nofile data/A.txt")),
            "expected no file data/A.txt, found a file holding an empty file");
  EXPECT_EQ(CheckNoFile(folder, One("expect nofile data/")),
            "expected no file data/, found a folder");
  EXPECT_EQ(CheckFile(folder, One("expect bytes data/a.txt \"\""), SavedContentRule{}),
            "expected file data/a.txt holding no bytes, found no file");
}

// A log of dialogs as a runner keeps it; the place is known to the pixel only.
class FakeDialogLog : public DialogLog {
 public:
  std::size_t Size() const override { return shown.size(); }
  DialogKind KindAt(std::size_t index) const override { return shown[index].kind; }
  ShownDialog At(std::size_t index) const override { return shown[index]; }
  bool PlacedAt(std::size_t, const Arg& left, const Arg&) const override {
    return left.IsAny() || left.number == 15;
  }
  void Take(std::size_t index) override {
    shown.erase(shown.begin() + static_cast<std::ptrdiff_t>(index));
  }
  std::deque<ShownDialog> shown;
};

ShownDialog Dialog(DialogKind kind, const std::string& text, const std::string& described) {
  ShownDialog dialog;
  dialog.kind = kind;
  dialog.text = text;
  dialog.caption = "Pelorin";
  dialog.described = described;
  return dialog;
}

TEST(ScenarioDialogChecks, EachCheckTakesTheOldestUncheckedDialogOfItsOwnKind) {
  FakeDialogLog log;
  log.shown = {Dialog(DialogKind::InputBox, "name?", "the input box"),
               Dialog(DialogKind::MsgBox, "first", "the first box"),
               Dialog(DialogKind::MsgBox, "second", "the second box")};
  EXPECT_EQ(CheckMsgBox(log, One("expect msgbox \"second\" * *")),
            "expected message box \"second\" * *, found the first box");
  EXPECT_EQ(CheckMsgBox(log, One("expect msgbox \"first\" \"Pelorin\" 0")), std::nullopt);
  EXPECT_EQ(CheckNoDialog(log), "expected no unchecked dialog, found the input box and 1 more");
  EXPECT_EQ(CheckInputBox(log, One("expect inputbox * * * at 10 *")),
            "expected input box * * * at 10 *, found the input box");
  EXPECT_EQ(CheckInputBox(log, One("expect inputbox \"name?\" * \"\" at 15 *")), std::nullopt);
  EXPECT_EQ(CheckPopup(log, One("expect popup *")),
            "expected context menu *, found no context menu");
  ASSERT_EQ(log.shown.size(), 1u);
  EXPECT_EQ(log.shown.front().text, "second");
}

class FakePasteLog : public PasteLog {
 public:
  bool Empty() const override { return pastes.empty(); }
  // As a runner that also sees what the window received: "x" arrived as "y".
  bool OldestIs(const std::string& title, const std::string& text) const override {
    return pastes.front() == title && text != "x";
  }
  std::string DescribeOldest() const override { return "the paste to " + pastes.front(); }
  void TakeOldest() override { pastes.pop_front(); }
  std::deque<std::string> pastes;
};

TEST(ScenarioPasteChecks, ThePasteMustReachTheWindowAsTheRunnerSeesIt) {
  FakePasteLog log;
  log.pastes = {"Notepad", "Mail"};
  EXPECT_EQ(CheckPasted(log, One("expect pasted Notepad x")),
            "expected Ctrl+V to \"Notepad\" with \"x\", found the paste to Notepad");
  EXPECT_EQ(CheckPasted(log, One("expect pasted Notepad z")), std::nullopt);
  EXPECT_EQ(CheckNoPaste(log), "expected no unchecked paste, found the paste to Mail");
  EXPECT_EQ(CheckPasted(log, One("expect pasted Mail z")), std::nullopt);
  EXPECT_EQ(CheckPasted(log, One("expect pasted Mail z")),
            "expected Ctrl+V to \"Mail\" with \"z\", found no paste");
}

TEST(ScenarioBeepChecks, EachCheckSeesOnlyTheBeepsSinceTheLastOne) {
  long checked = 0;
  EXPECT_EQ(CheckBeep(One("expect beep yes"), 2, checked), std::nullopt);
  EXPECT_EQ(CheckBeep(One("expect beep yes"), 2, checked), "expected beep yes, found no");
  EXPECT_EQ(CheckBeep(One("expect beep no"), 3, checked), "expected beep no, found yes");
}

}  // namespace
}  // namespace pelorin::scenario
