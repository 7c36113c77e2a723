#include "store/profile_index.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/profile_document.h"

namespace pelorin::store {
namespace {

using Names = std::vector<std::pair<std::string, std::string>>;

std::optional<std::string> IndexGet(const std::string& bytes, std::string_view section,
                                    std::string_view key) {
  const ProfileIndex index(bytes);
  std::optional<std::string_view> value = index.Get(section, key);
  if (!value) return std::nullopt;
  return std::string(*value);
}

// The index reads each name as the parsed document does.
void ExpectSameAsDocument(const std::string& bytes, const Names& names) {
  const ProfileIndex index(bytes);
  const ProfileDocument document = ProfileDocument::Parse(bytes);
  for (const auto& [section, key] : names) {
    std::optional<std::string_view> value = index.Get(section, key);
    EXPECT_EQ(value ? std::optional<std::string>(*value) : std::nullopt, document.Get(section, key))
        << "[" << section << "] " << key;
  }
}

TEST(ProfileIndex, ReadsTheExampleFile) {
  const std::string bytes =
      "[LIST]\r\nLIST=A,B,\r\n[FILE]\r\nA=A.txt\r\nB=B.txt\r\n"
      "[DATA]\r\nSTATE=1,300,450,990,975,True,False\r\n";
  const ProfileIndex index(bytes);
  EXPECT_EQ(index.Bytes(), bytes);
  EXPECT_EQ(index.Get("LIST", "LIST"), "A,B,");
  EXPECT_EQ(index.Get("FILE", "B"), "B.txt");
  EXPECT_EQ(index.Get("DATA", "STATE"), "1,300,450,990,975,True,False");
  EXPECT_EQ(index.Get("FILE", "C"), std::nullopt);
  EXPECT_EQ(index.Get("NONE", "A"), std::nullopt);
  EXPECT_EQ(index.Get("LIST", "A"), std::nullopt);
  EXPECT_EQ(ProfileIndex().Get("LIST", "LIST"), std::nullopt);
}

TEST(ProfileIndex, OnlyTheFirstSectionOfANameCounts) {
  // A later [file] neither adds keys nor replaces values, even keys the
  // first section lacks; the first key of a name wins.
  const std::string bytes =
      "k=before any section\r\n[FILE]\r\nA=1\r\nA=2\r\n[LIST]\r\nL=x\r\n[file]\r\nA=3\r\nB=4\r\n"
      "[LIST]\r\nM=y\r\n";
  EXPECT_EQ(IndexGet(bytes, "FILE", "A"), "1");
  EXPECT_EQ(IndexGet(bytes, "FILE", "B"), std::nullopt);
  EXPECT_EQ(IndexGet(bytes, "LIST", "L"), "x");
  EXPECT_EQ(IndexGet(bytes, "LIST", "M"), std::nullopt);
  EXPECT_EQ(IndexGet(bytes, "", "k"), std::nullopt);
  ExpectSameAsDocument(bytes, {{"FILE", "A"}, {"file", "b"}, {"LIST", "M"}, {"", "k"}});
}

TEST(ProfileIndex, FoldsAsciiLettersOnly) {
  const std::string text = "[File]\r\nabc=1\r\nＡ=a\r\n[縁]\r\nk=v\r\n";
  EXPECT_EQ(IndexGet(text, "FILE", "ABC"), "1");
  EXPECT_EQ(IndexGet(text, "file", "aBc"), "1");
  EXPECT_EQ(IndexGet(text, "FILE", "Ａ"), "a");
  EXPECT_EQ(IndexGet(text, "FILE", "ａ"), std::nullopt);
  EXPECT_EQ(IndexGet(text, "縁", "K"), "v");
  ExpectSameAsDocument(text, {{"FILE", "ａ"}, {"file", "Ａ"}, {"縁", "k"}});
}

TEST(ProfileIndex, ReadsLinesAndHeadersAsTheDocumentDoes) {
  const std::string bytes =
      "; top\n[S]\na=1\rb=2\r\n;c=commented\r\n\r\n k = spaced \r\n"
      "  [ LIST ]  trailing text\rLIST=x,\r[unclosed\r\nu=still LIST\r\nv=a=b\r\n"
      "empty=\n[]\n=nameless\nlast=no line end";
  const Names names = {{"S", "a"},    {"S", "b"},       {"S", ";c"},       {"S", "c"},
                       {"S", " k "},  {"S", "k"},       {"LIST", "LIST"},  {" LIST ", "LIST"},
                       {"LIST", "u"}, {"LIST", "v"},    {"LIST", "empty"}, {"", ""},
                       {"", "last"},  {"unclosed", "u"}};
  ExpectSameAsDocument(bytes, names);
  EXPECT_EQ(IndexGet(bytes, "S", "b"), "2");
  EXPECT_EQ(IndexGet(bytes, "S", " k "), " spaced ");
  EXPECT_EQ(IndexGet(bytes, "LIST", "v"), "a=b");
  EXPECT_EQ(IndexGet(bytes, "", ""), "nameless");
  EXPECT_EQ(IndexGet(bytes, "", "last"), "no line end");
}

TEST(ProfileIndex, NamesHoldingALineBreakAreNeverFound) {
  const std::string bytes = "[a]\r\nb=1\r\n[a\r\nb]\r\nc=2\r\n";
  EXPECT_EQ(IndexGet(bytes, "a", "b"), "1");
  EXPECT_EQ(IndexGet(bytes, "a\nb", ""), std::nullopt);
  EXPECT_EQ(IndexGet(bytes, "a", "b\n"), std::nullopt);
  EXPECT_EQ(IndexGet(bytes, "a\r\nb", "c"), std::nullopt);
}

}  // namespace
}  // namespace pelorin::store
