// Category names and kaomoji that no scenario can type, played through the
// program on the simulated window system: text with NUL, lone surrogates
// from the window system and ill-formed UTF-8, and texts of ten thousand
// characters. Whatever happens, nothing is written outside the folder
// `data` and 設定.ini, nothing crashes, no stray file stays behind (the
// fixture checks), every refused name shows a message, and every kaomoji
// comes back after a save and a restart as the list showed it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/form1.h"
#include "platform/sim/sim_platform.h"
#include "tests/unit/test_files.h"

namespace pelorin {
namespace {

namespace fs = std::filesystem;
using namespace testing_support;
using platform::ListId;

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

// "挨拶" with two kaomoji and "動物" with one; 挨拶 is shown.
class HostileInput : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string greeting = "\x88\xA5\x8E\x41";  // 挨拶 in code page 932
    const std::string animals = "\x93\xAE\x95\xA8";   // 動物
    Put(app_ + "/設定.ini", "[LIST]\r\nLIST=" + greeting + "," + animals + ",\r\n[FILE]\r\n" +
                                greeting + "=" + greeting + ".txt\r\n" + animals + "=" + animals +
                                ".txt\r\n");
    Put(app_ + "/data/挨拶.txt", "(\x81\x45\x81\xCD\x81\x45)\r\n(^_^)/\r\n");
    Put(app_ + "/data/動物.txt", "(=^.^=)\r\n");
    untouchable_ = Untouchable();
    Start();
    ASSERT_EQ(Categories(), (std::vector<std::string>{"挨拶", "動物"}));
    ASSERT_TRUE(sim_.Click(ListId::List3, 0).ok);
  }

  void TearDown() override {
    EXPECT_EQ(Untouchable(), untouchable_) << "written outside data/*.txt and 設定.ini";
  }

  // Everything in the temporary folder that holds the application folder,
  // with its bytes, but the kaomoji files and 設定.ini: a file written
  // outside them, a folder made, a temporary file left behind shows here.
  std::map<std::string, std::string> Untouchable() const {
    const fs::path app = Native(app_);
    std::map<std::string, std::string> found;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(app.parent_path())) {
      const std::string name = Utf8(entry.path().lexically_relative(app));
      const bool kaomojiFile = name.starts_with("data/") && name.ends_with(".txt") &&
                               name.find(".tmp") == name.npos && entry.is_regular_file();
      if (kaomojiFile || name == "設定.ini") continue;
      found[name] = entry.is_regular_file() ? Contents(Utf8(entry.path())) : "(folder)";
    }
    return found;
  }

  void Start() {
    form_ = std::make_unique<app::Form1>(sim_);
    form_->Create();
    ASSERT_TRUE(sim_.Load().ok);
  }

  void Close() {
    ASSERT_TRUE(sim_.Close().ok);
    ASSERT_FALSE(sim_.ProgramRunning());
  }

  // Runs a menu command whose input box gets `text`; returns the texts of
  // the message boxes it showed (they are closed unanswered, as OK).
  std::vector<std::string> Command(app::MenuItem item, const std::string& text) {
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
  const std::string app_ = sim_.AppFolder();
  std::unique_ptr<app::Form1> form_;
  std::map<std::string, std::string> untouchable_;
};

TEST_F(HostileInput, NamesNoScenarioCanTypeAreRefusedWithAMessage) {
  const std::vector<std::string> before = Categories();
  for (const std::string& name :
       {std::string("a\0b", 3), std::string("(\xED\xA0\x80)"), std::string("\x82\xA0\xFF"),
        std::string(10000, 'a'), Repeated("あ", 10000)}) {
    EXPECT_EQ(Command(app::ID_ADD_S, name).size(), 1u) << name.substr(0, 8);
    EXPECT_EQ(Categories(), before);
  }
  Close();
}

struct HostileKaomoji {
  const char* label;
  std::string text;
  std::string readBack;  // as the list shows it after a save and a restart
};

// Each text alone in a category of its own, so that the file's encoding is
// chosen for that text.
TEST_F(HostileInput, AddedKaomojiSurviveASaveAndARestart) {
  const std::string longText = Repeated("(\xEF\xBE\x9F\xD0\x94\xEF\xBE\x9F)", 10000);  // (ﾟДﾟ)
  const HostileKaomoji texts[] = {
      {"NUL inside", std::string("(\0)", 3), std::string("(\0)", 3)},
      {"byte-order mark as text", "\xEF\xBB\xBF(^_^)", "\xEF\xBB\xBF(^_^)"},
      {"10,000 kaomoji in one", longText, longText},
      // Ill-formed UTF-8 cannot be stored as it is; it is stored as U+FFFD,
      // as a damaged file would show it, and never makes a damaged file.
      {"lone surrogate", "(\xED\xA0\x80)", "(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD)"},
      {"ill-formed UTF-8", "(\x82\xA0)", "(\xEF\xBF\xBD\xEF\xBF\xBD)"},
  };
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    SCOPED_TRACE(texts[i].label);
    EXPECT_EQ(Command(app::ID_ADD_S, "k" + std::to_string(i)), std::vector<std::string>{});
    EXPECT_EQ(Command(app::ID_ADD_K, texts[i].text), std::vector<std::string>{});
    EXPECT_EQ(Kaomoji(), std::vector<std::string>{texts[i].text});
  }
  Close();
  Start();
  for (std::size_t i = 0; i < std::size(texts); ++i) {
    SCOPED_TRACE(texts[i].label);
    const std::vector<std::string> names = Categories();
    const auto found = std::find(names.begin(), names.end(), "k" + std::to_string(i));
    ASSERT_NE(found, names.end());
    ASSERT_TRUE(sim_.Click(ListId::List3, static_cast<int>(found - names.begin())).ok);
    EXPECT_EQ(Kaomoji(), std::vector<std::string>{texts[i].readBack});
    EXPECT_EQ(MessagesShown(), std::vector<std::string>{}) << "the file must not read as damaged";
  }
  Close();
}

}  // namespace
}  // namespace pelorin
