// Category names and kaomoji meant to break things, played through the
// program on the simulated window system: path traversal, device names,
// separators, the settings file's own syntax, very long texts, ill-formed
// UTF-8 (a hand-edited file, a lone surrogate from the window system),
// right-to-left marks, NUL. Whatever happens, nothing is written outside the
// folder `data` and 設定.ini, nothing crashes, no stray file stays behind, and
// every refusal shows a message.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "app/form1.h"
#include "store/file_names.h"
#include "tests/unit/hostile_input_fixture.h"

namespace pelorin::hostile {
namespace {

enum class Outcome { Stored, Refused };

struct HostileName {
  const char* label;
  std::string name;
  Outcome add;
};

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

std::vector<HostileName> HostileNames() {
  const std::string escape = kEscapeLeaf;
  return {
      {"parent, backslash", "..\\" + escape, Outcome::Refused},
      {"parent, slash", "../" + escape, Outcome::Refused},
      {"up to the system's temporary folder", "../../../" + escape, Outcome::Refused},
      {"absolute path", "/tmp/" + escape, Outcome::Refused},
      {"drive path", "C:\\" + escape, Outcome::Refused},
      {"dots only", "..", Outcome::Stored},
      {"full-width letters", "\xEF\xBD\x81\xEF\xBD\x82", Outcome::Stored},  // ａｂ
      {"device name", "CON", Outcome::Refused},
      {"device name, lower case, extension", "nul.txt", Outcome::Refused},
      {"device name, trailing space", "COM1 ", Outcome::Refused},
      {"device name, trailing dots", "LPT9..", Outcome::Refused},
      {"comma, the category list's separator", "a,b", Outcome::Refused},
      {"file name characters", "a|b*c?d\"e<f>g", Outcome::Refused},
      {"section syntax", "[LIST]", Outcome::Refused},
      {"comment syntax", ";x", Outcome::Refused},
      {"key syntax", "LIST=x", Outcome::Refused},
      {"line break", "a\r\nb", Outcome::Refused},
      {"NUL inside", std::string("a\0b", 3), Outcome::Refused},
      {"lone surrogate", "(\xED\xA0\x80)", Outcome::Refused},
      {"ill-formed UTF-8", "\x82\xA0\xFF", Outcome::Refused},
      {"right-to-left marks", std::string("\xE2\x80\x8F") + "abc\xE2\x80\xAE", Outcome::Refused},
      {"not in code page 932", "\xE3\x80\x9C", Outcome::Refused},  // U+301C
      {"the longest name, 200 bytes", std::string(200, 'l'), Outcome::Stored},
      {"66 Japanese characters, 198 bytes", Repeated("あ", 66), Outcome::Stored},
      {"201 bytes", std::string(201, 'm'), Outcome::Refused},
      {"10,000 characters", std::string(10000, 'a'), Outcome::Refused},
      {"10,000 Japanese characters", Repeated("あ", 10000), Outcome::Refused},
  };
}

TEST_F(HostileInput, AddCategoryStoresASafeNameOrRefusesWithAMessage) {
  for (const HostileName& hostile : HostileNames()) {
    SCOPED_TRACE(hostile.label);
    const std::vector<std::string> before = Categories();
    const std::vector<std::string> messages = Command(app::ID_ADD_S, hostile.name);
    if (hostile.add == Outcome::Refused) {
      EXPECT_EQ(messages.size(), 1u);
      EXPECT_EQ(Categories(), before);
      continue;
    }
    EXPECT_EQ(messages, std::vector<std::string>{});
    ASSERT_EQ(Categories().size(), before.size() + 1);
    EXPECT_EQ(Categories()[0], hostile.name);
    EXPECT_TRUE(fs::exists(Native(sim_.AppFolder()) / "data" / Native(hostile.name + ".txt")));
  }
  const std::vector<std::string> stored = Categories();
  Close();
  Start();
  EXPECT_EQ(Categories(), stored);
}

TEST_F(HostileInput, RenameCategoryRefusesWithAMessageOrKeepsTheKaomoji) {
  for (const HostileName& hostile : HostileNames()) {
    SCOPED_TRACE(hostile.label);
    ASSERT_TRUE(sim_.Click(ListId::List3, 0).ok);
    const std::string old = Categories()[0];
    const std::vector<std::string> kaomoji = Kaomoji();
    std::vector<std::string> messages = Command(app::ID_EDIT_S, hostile.name);
    if (hostile.add == Outcome::Stored) {
      EXPECT_EQ(messages, std::vector<std::string>{});
      EXPECT_EQ(Categories()[0], hostile.name);
      EXPECT_TRUE(fs::exists(Native(sim_.AppFolder()) / "data" / Native(hostile.name + ".txt")))
          << "the kaomoji file follows the name";
    } else {
      EXPECT_EQ(messages.size(), 1u);
      EXPECT_EQ(Categories()[0], old);
    }
    ASSERT_TRUE(sim_.Click(ListId::List3, 1).ok);
    ASSERT_TRUE(sim_.Click(ListId::List3, 0).ok);
    EXPECT_EQ(Kaomoji(), kaomoji);
    EXPECT_EQ(MessagesShown(), std::vector<std::string>{});
  }
  Close();
}

struct HostileKaomoji {
  const char* label;
  std::string text;
  std::string readBack;  // as the list shows it after a save and a restart
};

std::vector<HostileKaomoji> HostileKaomojiTexts() {
  const std::string longText = Repeated("(\xEF\xBE\x9F\xD0\x94\xEF\xBE\x9F)", 10000);  // (ﾟДﾟ)
  return {
      {"path traversal", "..\\..\\x", "..\\..\\x"},
      {"device name", "CON", "CON"},
      {"settings syntax", "[LIST]\tLIST=;x,", "[LIST]\tLIST=;x,"},
      {"NUL inside", std::string("(\0)", 3), std::string("(\0)", 3)},
      {"right-to-left marks", "\xE2\x80\x8F(\xE2\x80\xAE^_^)", "\xE2\x80\x8F(\xE2\x80\xAE^_^)"},
      {"byte-order mark as text", "\xEF\xBB\xBF(^_^)", "\xEF\xBB\xBF(^_^)"},
      {"half-width kana whose code page 932 bytes are UTF-8", "\xEF\xBE\x83\xEF\xBD\xA9",
       "\xEF\xBE\x83\xEF\xBD\xA9"},
      {"10,000 kaomoji in one", longText, longText},
      // Ill-formed UTF-8 cannot be stored as it is; it is stored as U+FFFD,
      // as a damaged file would show it, and never makes a damaged file.
      {"lone surrogate", "(\xED\xA0\x80)", "(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD)"},
      {"ill-formed UTF-8", "(\x82\xA0)", "(\xEF\xBF\xBD\xEF\xBF\xBD)"},
  };
}

// Each text alone in a category of its own, so that the file's encoding is
// chosen for that text.
TEST_F(HostileInput, AddedKaomojiSurviveASaveAndARestart) {
  const std::vector<HostileKaomoji> texts = HostileKaomojiTexts();
  for (std::size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(texts[i].label);
    EXPECT_EQ(Command(app::ID_ADD_S, "k" + std::to_string(i)), std::vector<std::string>{});
    EXPECT_EQ(Command(app::ID_ADD_K, texts[i].text), std::vector<std::string>{});
    EXPECT_EQ(Kaomoji(), std::vector<std::string>{texts[i].text});
  }
  Close();
  Start();
  for (std::size_t i = 0; i < texts.size(); ++i) {
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

TEST_F(HostileInput, KaomojiWithALineBreakOrBlankAreNotAdded) {
  const std::vector<std::string> kaomoji = Kaomoji();
  for (const char* text : {"a\r\nb", "\n", "(^_^)\r"}) {
    EXPECT_EQ(Command(app::ID_ADD_K, text).size(), 1u) << text;
  }
  for (const char* text : {" ", "\xE3\x80\x80 \xE3\x80\x80", ""}) {
    EXPECT_EQ(Command(app::ID_ADD_K, text), std::vector<std::string>{}) << text;
  }
  EXPECT_EQ(Kaomoji(), kaomoji);
  Close();
}

// A hand-edited settings file whose names and FILE values point outside
// `data`: nothing outside `data` is read or written, and each list is saved
// without a message into a file of its own in `data` (the program is started
// anew for each category).
TEST_F(HostileInput, HandEditedFileValuesNeverLeadOutsideData) {
  Close();
  const std::string escape = kEscapeLeaf;
  const std::vector<std::string> names = {
      "..\\" + escape, "../" + escape, "CON", "../../../" + escape, "A", "B"};
  std::string list = "[LIST]\r\nLIST=";
  std::string files = "[FILE]\r\n";
  for (const std::string& name : names) {
    list += name + ",";
    files += name + "=" + name + ".txt\r\n";
  }
  // Values that would lead outside count as none: A and B keep A.txt, B.txt.
  files += "A=../../" + escape + ".txt\r\nB=/tmp/" + escape + ".txt\r\n";
  Put(Native(sim_.AppFolder()) / Native("設定.ini"), list + "\r\n" + files);
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    SCOPED_TRACE(names[i]);
    Start();
    ASSERT_EQ(Categories(), names);
    ASSERT_TRUE(sim_.Click(ListId::List3, i).ok);
    EXPECT_EQ(Kaomoji(), std::vector<std::string>{});
    EXPECT_EQ(Command(app::ID_ADD_K, "(^_^)"), std::vector<std::string>{});
    ASSERT_TRUE(sim_.Click(ListId::List3, i == 0 ? 1 : 0).ok);
    EXPECT_EQ(MessagesShown(), std::vector<std::string>{});
    Close();
  }
  for (const std::string& name : names) {
    const std::string file = name == "A" || name == "B" ? name + ".txt" : store::ChosenFileName(name);
    EXPECT_EQ(Contents(Native(sim_.AppFolder()) / "data" / Native(file)), "(^_^)\r\n") << name;
  }
}

}  // namespace
}  // namespace pelorin::hostile
