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
#include <string>
#include <vector>

#include "app/form1.h"
#include "tests/unit/hostile_input_fixture.h"

namespace pelorin::hostile {
namespace {

std::string Repeated(const std::string& text, int times) {
  std::string repeated;
  for (int i = 0; i < times; ++i) repeated += text;
  return repeated;
}

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

std::vector<HostileKaomoji> HostileKaomojiTexts() {
  const std::string longText = Repeated("(\xEF\xBE\x9F\xD0\x94\xEF\xBE\x9F)", 10000);  // (ﾟДﾟ)
  return {
      {"NUL inside", std::string("(\0)", 3), std::string("(\0)", 3)},
      {"byte-order mark as text", "\xEF\xBB\xBF(^_^)", "\xEF\xBB\xBF(^_^)"},
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

}  // namespace
}  // namespace pelorin::hostile
