#pragma once
// The world of the hostile-input tests: the program on the simulated window
// system with two categories, and what must stay untouched by it.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/sim/sim_platform.h"

namespace pelorin::hostile {

namespace fs = std::filesystem;
using platform::ListId;

inline fs::path Native(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8(const fs::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

inline std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void Put(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A name that climbs out of `data` ends in this leaf, so that a file it
// created in the system's temporary folder would be found there.
inline constexpr const char* kEscapeLeaf = "pelorin-hostile-escape";

// Everything the program must leave alone, with its bytes: the temporary
// folder that holds the application folder (all but data/ and 設定.ini), and
// what in the system's temporary folder bears the escape leaf's name.
inline std::map<std::string, std::string> Untouchable(const sim::SimPlatform& sim) {
  const fs::path app = Native(sim.AppFolder());
  std::map<std::string, std::string> found;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(app.parent_path())) {
    const fs::path relative = entry.path().lexically_relative(app);
    const std::string name = Utf8(relative);
    if (name == "data" || name.starts_with("data/") || name == "設定.ini") continue;
    found[name] = entry.is_regular_file() ? Contents(entry.path()) : "(folder)";
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(fs::temp_directory_path())) {
    const std::string name = Utf8(entry.path().filename());
    if (name.find(kEscapeLeaf) != name.npos) found["tmp/" + name] = "(escaped)";
  }
  return found;
}

// Files in data that are no kaomoji file: temporary files left behind,
// folders, anything not ending in ".txt".
inline std::vector<std::string> StrayFilesInData(const sim::SimPlatform& sim) {
  std::vector<std::string> stray;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(Native(sim.AppFolder()) / "data")) {
    const std::string name = Utf8(entry.path().filename());
    if (!entry.is_regular_file() || !name.ends_with(".txt") || name.find(".tmp") != name.npos) {
      stray.push_back(name);
    }
  }
  return stray;
}

// "挨拶" with two kaomoji and "動物" with one; 挨拶 is shown.
class HostileInput : public ::testing::Test {
 protected:
  void SetUp() override {
    const fs::path app = Native(sim_.AppFolder());
    const std::string greeting = "\x88\xA5\x8E\x41";  // 挨拶 in code page 932
    const std::string animals = "\x93\xAE\x95\xA8";   // 動物
    Put(app / Native("設定.ini"), "[LIST]\r\nLIST=" + greeting + "," + animals + ",\r\n[FILE]\r\n" +
                                      greeting + "=" + greeting + ".txt\r\n" + animals + "=" +
                                      animals + ".txt\r\n");
    Put(app / "data" / Native("挨拶.txt"), "(\x81\x45\x81\xCD\x81\x45)\r\n(^_^)/\r\n");
    Put(app / "data" / Native("動物.txt"), "(=^.^=)\r\n");
    untouchable_ = Untouchable(sim_);
    Start();
    ASSERT_EQ(Categories(), (std::vector<std::string>{"挨拶", "動物"}));
    ASSERT_TRUE(sim_.Click(ListId::List3, 0).ok);
  }

  void TearDown() override {
    EXPECT_EQ(Untouchable(sim_), untouchable_) << "written outside data and 設定.ini";
    EXPECT_EQ(StrayFilesInData(sim_), std::vector<std::string>{});
  }

  void Start() {
    form_ = std::make_unique<app::Form1>(sim_);
    form_->Create();
    ASSERT_TRUE(sim_.Load().ok);
    ASSERT_TRUE(sim_.ProgramRunning());
  }

  // The close box; a question whether to quit without saving is answered OK.
  void Close() {
    ASSERT_TRUE(sim_.Close().ok);
    if (sim_.ProgramRunning()) {
      sim::Answer ok;
      ok.kind = sim::AnswerKind::MsgBoxOk;
      sim_.QueueAnswer(ok);
      ASSERT_TRUE(sim_.Close().ok);
    }
    ASSERT_FALSE(sim_.ProgramRunning());
  }

  // Runs a menu command whose input box gets `text`; returns the texts of
  // the message boxes it showed (they are closed unanswered, as OK).
  std::vector<std::string> Command(app::MenuItem item, const std::string& text) {
    sim_.DialogLog().clear();
    (void)sim_.TakeFailures();
    sim::Answer answer;
    answer.kind = sim::AnswerKind::InputText;
    answer.text = text;
    sim_.QueueAnswer(answer);
    EXPECT_TRUE(sim_.Menu(item).ok);
    EXPECT_TRUE(sim_.PendingAnswers().empty()) << "no input box was shown";
    return MessagesShown();
  }

  std::vector<std::string> MessagesShown() {
    std::vector<std::string> messages;
    for (const sim::DialogRecord& record : sim_.DialogLog()) {
      if (record.kind == sim::DialogKind::MsgBox) messages.push_back(record.text);
    }
    sim_.DialogLog().clear();
    for (const std::string& failure : sim_.TakeFailures()) {
      EXPECT_TRUE(failure.starts_with("unexpected dialog: message box")) << failure;
    }
    return messages;
  }

  std::vector<std::string> Categories() const { return sim_.ListTexts(ListId::List3); }
  std::vector<std::string> Kaomoji() const { return sim_.ListTexts(ListId::List2); }

  sim::SimPlatform sim_;
  std::unique_ptr<app::Form1> form_;
  std::map<std::string, std::string> untouchable_;
};

}  // namespace pelorin::hostile
