// What ships beside Pelorin.exe (the folder dist). The starter collection:
// every file is read and written back by the program's own code and must
// come out byte for byte as it went in, so the first exit after unpacking
// changes nothing the user did not change. The help document and the
// README: they quote the program's own messages, captions and addresses.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/menu_table.h"
#include "app/messages.h"
#include "categories/category_messages.h"
#include "categories/category_names.h"
#include "help/help_info.h"
#include "kaomoji/kaomoji_messages.h"
#include "platform/sim/sim_platform.h"
#include "platform/text_codec.h"
#include "store/file_names.h"
#include "store/kaomoji_file.h"
#include "store/profile_index.h"
#include "store/window_state.h"
#include "tests/unit/test_files.h"

namespace pelorin {
namespace {

using namespace testing_support;
using platform::ListId;

constexpr int kLeastKaomoji = 150;
constexpr int kLeastCategories = 8;
const std::string kDist = PELORIN_DIST;

// The kaomoji files in dist/data, by file name, with their bytes.
std::map<std::string, std::string> DataFiles() {
  std::map<std::string, std::string> files;
  for (const std::string& name : Listing(kDist + "/data")) {
    files[name] = Contents(kDist + "/data/" + name);
  }
  return files;
}

std::vector<std::string> CategoryNames() {
  const store::ProfileIndex settings(
      platform::DecodeCp932(Contents(kDist + "/設定.ini")).value_or(""));
  const std::optional<std::string_view> list = settings.Get("LIST", "LIST");
  return list ? store::ParseCategoryList(std::string(*list)) : std::vector<std::string>{};
}

// Every entry is one the program can keep and show as written, every name
// passes the program's own checks, and there is enough to start with.
TEST(StarterCollection, HoldsKaomojiAndNamesTheProgramCanKeep) {
  const std::vector<std::string> names = CategoryNames();
  EXPECT_GE(static_cast<int>(names.size()), kLeastCategories);
  int kaomoji = 0;
  std::set<store::KaomojiEncoding> encodings;
  for (const auto& [name, bytes] : DataFiles()) {
    SCOPED_TRACE(name);
    const store::KaomojiFileContent content = store::ParseKaomojiFile(bytes);
    EXPECT_FALSE(content.entries.empty());
    encodings.insert(content.encoding);
    std::set<std::string> seen;
    for (const std::string& entry : content.entries) {
      EXPECT_FALSE(categories::IsBlank(entry)) << "blank entry";
      EXPECT_EQ(entry.find('\\'), std::string::npos) << entry << " (shows as a yen sign)";
      EXPECT_TRUE(seen.insert(entry).second) << entry << " twice";
    }
    kaomoji += static_cast<int>(content.entries.size());
  }
  EXPECT_GE(kaomoji, kLeastKaomoji);
  // The collection shows both forms the program writes.
  EXPECT_EQ(encodings, (std::set<store::KaomojiEncoding>{store::KaomojiEncoding::Cp932,
                                                         store::KaomojiEncoding::Utf8WithMark}));
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::vector<std::string> others = names;
    others.erase(others.begin() + static_cast<std::ptrdiff_t>(i));
    EXPECT_EQ(categories::RefusalOf(names[i], others), std::nullopt) << names[i];
  }
  // The start-up read of the list is 254 bytes on the program's first platform.
  const std::optional<std::string> joined = store::JoinCategoryList(names);
  ASSERT_TRUE(joined.has_value());
  EXPECT_LE(platform::EncodeCp932(*joined).value_or("").size(), 254u);
}

// The program itself, on the simulated window system, started on a copy of
// the collection: it opens with the first category shown, every category
// loads from the file its name gives, and an exit after looking at each of
// them leaves every file as it was, byte for byte (each selection saves the
// list shown before it, so a file that did not read back exactly would be
// rewritten).
TEST(StarterCollection, ProgramOpensItAndLeavesItUnchangedAfterShowingEveryCategory) {
  sim::SimPlatform sim;
  const std::string folder = sim.AppFolder();
  const std::string settings = Contents(kDist + "/設定.ini");
  Put(folder + "/設定.ini", settings);
  const std::map<std::string, std::string> files = DataFiles();
  for (const auto& [name, bytes] : files) Put(folder + "/data/" + name, bytes);

  app::Form1 form(sim);
  form.Create();
  ASSERT_TRUE(sim.Load().ok);
  const std::vector<std::string> names = CategoryNames();
  ASSERT_EQ(sim.ListTexts(ListId::List3), names);
  EXPECT_EQ(sim.ListSelected(ListId::List3), 0);
  // The saved height is one the layout keeps: 12 whole rows.
  EXPECT_EQ(sim.WindowRect().height, 3040.0f);

  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    ASSERT_TRUE(sim.Click(ListId::List3, i).ok);
    EXPECT_EQ(sim.ListTexts(ListId::List2),
              store::ParseKaomojiFile(files.at(names[i] + ".txt")).entries)
        << names[i];
  }
  ASSERT_TRUE(sim.Click(ListId::List3, 0).ok);
  ASSERT_TRUE(sim.Close().ok);
  EXPECT_TRUE(sim.TakeFailures().empty());

  EXPECT_EQ(Contents(folder + "/設定.ini"), settings);
  for (const auto& [name, bytes] : files) {
    EXPECT_EQ(Contents(folder + "/data/" + name), bytes) << name;
  }
  EXPECT_EQ(Listing(folder + "/data").size(), files.size()) << "stray files in data";
}

// The help document's text with the entities it uses replaced, and the
// message boxes' CR LF as the document writes them (one line end).
std::string HelpText() {
  std::string text = Contents(kDist + "/Help.html");
  const std::pair<std::string, std::string> entities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
  for (const auto& [entity, character] : entities) {
    for (std::size_t at = text.find(entity); at != std::string::npos;
         at = text.find(entity, at + character.size())) {
      text.replace(at, entity.size(), character);
    }
  }
  return text;
}

std::string OneLineEnd(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

TEST(HelpDocument, QuotesEveryMessageTheProgramShows) {
  // The document writes 種類 where the program puts the category's name.
  const std::string name = "種類";
  const std::string file = name + ".txt";
  const std::string messages[] = {app::messages::kSecondCopy,
                                  app::messages::kDuplicateCategory,
                                  app::messages::kAddCategoryFirst,
                                  app::messages::kWarningCaption,
                                  app::messages::kDeleteQuestion,
                                  app::messages::kSettingsUnreadable,
                                  app::messages::kSettingsNotWritten,
                                  app::messages::kSettingsNotReadNow,
                                  app::messages::KaomojiFileUnreadable(name, file),
                                  app::messages::KaomojiFileDamaged(name, file),
                                  app::messages::KaomojiNotSaved(name, file),
                                  app::messages::KaomojiNotSavedQuit(name, file),
                                  categories::kAddPrompt,
                                  categories::kAddCaption,
                                  categories::kRenamePrompt,
                                  categories::kRenameCaption,
                                  categories::kDeleteCaption,
                                  categories::kNameBadCharacter,
                                  categories::kNameBadForSettings,
                                  categories::kNameReserved,
                                  categories::kNameTooLong,
                                  categories::kNameNotCp932,
                                  categories::kNameDiffersOnlyInCase,
                                  categories::FileAlreadyThere(file),
                                  categories::FileNotCreated(file),
                                  kaomoji::kAddPrompt,
                                  kaomoji::kAddCaption,
                                  kaomoji::kRewritePrompt,
                                  kaomoji::kRewriteCaption,
                                  kaomoji::kDeleteCaption,
                                  kaomoji::kLineBreakRefused,
                                  help::kVersionCaption};
  const std::string help = HelpText();
  for (const std::string& message : messages) {
    EXPECT_NE(help.find(OneLineEnd(message)), std::string::npos) << message;
  }
}

TEST(HelpDocument, NamesEveryMenuItemByItsCaption) {
  const std::string help = HelpText();
  for (const platform::MenuEntry& entry : app::MenuTable()) {
    // Separators and the two context menus' own captions are never seen.
    if (entry.separator || entry.popupOnly) continue;
    EXPECT_NE(help.find(entry.caption), std::string::npos) << entry.name;
  }
}

TEST(HelpDocument, HelpAndReadmeGiveTheVersionAndTheAddressesOfTheVersionBox) {
  const std::string version = "Pelorin " + std::to_string(PELORIN_VERSION_MAJOR) + "." +
                              std::to_string(PELORIN_VERSION_MINOR) + "." +
                              std::to_string(PELORIN_VERSION_PATCH);
  const std::optional<std::string> readme = platform::DecodeCp932(Contents(kDist + "/README.txt"));
  ASSERT_TRUE(readme.has_value()) << "README.txt is not code page 932";
  for (const std::string& text : {HelpText(), *readme}) {
    EXPECT_NE(text.find(version), std::string::npos) << version;
    EXPECT_NE(text.find(help::kSupportAddress), std::string::npos);
    EXPECT_NE(text.find(help::kMailAddress), std::string::npos);
    EXPECT_NE(text.find(help::kRightsNotice), std::string::npos);
  }
}

TEST(HelpDocument, ReadmeEndsEveryLineWithCrLf) {
  const std::string readme = Contents(kDist + "/README.txt");
  const std::string lineFeeds = OneLineEnd(readme);
  EXPECT_TRUE(readme.ends_with("\r\n"));
  EXPECT_EQ(lineFeeds.find('\r'), std::string::npos) << "a bare CR";
  EXPECT_EQ(std::count(lineFeeds.begin(), lineFeeds.end(), '\n'),
            static_cast<std::ptrdiff_t>(readme.size() - lineFeeds.size()))
      << "a bare LF";
}

}  // namespace
}  // namespace pelorin
