#include "store/profile_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace pelorin::store {
namespace {

// The example file of two categories A and B, B selected.
constexpr char kExample[] =
    "[LIST]\r\n"
    "LIST=A,B,\r\n"
    "[FILE]\r\n"
    "A=A.txt\r\n"
    "B=B.txt\r\n"
    "[DATA]\r\n"
    "STATE=1,300,450,990,975,True,False\r\n";

TEST(ProfileDocument, ReadsTheExampleFile) {
  ProfileDocument document = ProfileDocument::Parse(kExample);
  EXPECT_EQ(document.Get("LIST", "LIST"), "A,B,");
  EXPECT_EQ(document.Get("FILE", "A"), "A.txt");
  EXPECT_EQ(document.Get("FILE", "B"), "B.txt");
  EXPECT_EQ(document.Get("DATA", "STATE"), "1,300,450,990,975,True,False");
  EXPECT_EQ(document.Get("FILE", "C"), std::nullopt);
  EXPECT_EQ(document.Get("NONE", "A"), std::nullopt);
  EXPECT_EQ(document.Serialize(), kExample);
}

TEST(ProfileDocument, SplitsLinesAtCrLfCrOrLf) {
  ProfileDocument document = ProfileDocument::Parse("[S]\na=1\rb=2\r\nc=3");
  EXPECT_EQ(document.Get("S", "a"), "1");
  EXPECT_EQ(document.Get("S", "b"), "2");
  EXPECT_EQ(document.Get("S", "c"), "3");
  EXPECT_EQ(document.Serialize(), "[S]\r\na=1\r\nb=2\r\nc=3\r\n");
  EXPECT_EQ(ProfileDocument::Parse("").Serialize(), "");
  EXPECT_EQ(ProfileDocument::Parse("\n\n").Serialize(), "\r\n\r\n");
}

TEST(ProfileDocument, MatchesNamesIgnoringAsciiCaseOnly) {
  ProfileDocument document = ProfileDocument::Parse("[File]\r\nabc=1\r\n");
  EXPECT_EQ(document.Get("FILE", "ABC"), "1");
  EXPECT_EQ(document.Get("file", "aBc"), "1");
  // Full-width letters are other characters, as Windows keeps them apart.
  document = ProfileDocument::Parse("[FILE]\r\nＡ=a\r\n");
  EXPECT_EQ(document.Get("FILE", "Ａ"), "a");
  EXPECT_EQ(document.Get("FILE", "ａ"), std::nullopt);
  EXPECT_TRUE(EqualsIgnoringAsciiCase("aアz", "AアZ"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("ア", "ァ"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("ab", "abc"));
}

TEST(ProfileDocument, KeepsKeysAndValuesExactlyWithTheirSpaces) {
  ProfileDocument document;
  document.Set("FILE", " A", " A.txt ");
  document.Set("FILE", "A", "A.txt");
  document.Set("FILE", "A ", "\"A \".txt");
  EXPECT_EQ(document.Get("FILE", " A"), " A.txt ");
  EXPECT_EQ(document.Get("FILE", "A"), "A.txt");
  EXPECT_EQ(document.Get("FILE", "A "), "\"A \".txt");
  EXPECT_EQ(document.Serialize(), "[FILE]\r\n A= A.txt \r\nA=A.txt\r\nA =\"A \".txt\r\n");
  ProfileDocument reread = ProfileDocument::Parse(document.Serialize());
  EXPECT_EQ(reread.Get("FILE", " A"), " A.txt ");
  EXPECT_EQ(reread.Get("FILE", "A"), "A.txt");
}

TEST(ProfileDocument, ValueIsEverythingAfterTheFirstEqualsSign) {
  ProfileDocument document = ProfileDocument::Parse("[S]\r\nk=a=b\r\nempty=\r\n");
  EXPECT_EQ(document.Get("S", "k"), "a=b");
  EXPECT_EQ(document.Get("S", "empty"), "");
}

TEST(ProfileDocument, ReadsSectionHeadersAsWindowsDoes) {
  ProfileDocument document = ProfileDocument::Parse(
      "k=before any section\r\n"
      "  [ LIST ]  trailing text\r\n"
      "LIST=x,\r\n"
      "[unclosed\r\n"
      "k=still LIST\r\n");
  EXPECT_EQ(document.Get("LIST", "LIST"), "x,");
  EXPECT_EQ(document.Get("LIST", "k"), "still LIST");
  EXPECT_EQ(document.Get("", "k"), std::nullopt);
}

TEST(ProfileDocument, CommentsAndBlankLinesAreKeptAndNeverKeys) {
  constexpr char kText[] = "; top comment\r\n[S]\r\n;k=commented\r\n\r\nk=real\r\n  \r\n";
  ProfileDocument document = ProfileDocument::Parse(kText);
  EXPECT_EQ(document.Get("S", ";k"), std::nullopt);
  EXPECT_EQ(document.Get("S", "k"), "real");
  EXPECT_EQ(document.Serialize(), kText);
}

TEST(ProfileDocument, TheFirstSectionAndTheFirstKeyWin) {
  ProfileDocument document =
      ProfileDocument::Parse("[S]\r\nk=1\r\nk=2\r\n[T]\r\n[s]\r\nk=3\r\nj=4\r\n");
  EXPECT_EQ(document.Get("S", "k"), "1");
  EXPECT_EQ(document.Get("S", "j"), std::nullopt);
  document.Set("S", "k", "5");
  EXPECT_EQ(document.Serialize(), "[S]\r\nk=5\r\nk=2\r\n[T]\r\n[s]\r\nk=3\r\nj=4\r\n");
}

TEST(ProfileDocument, ReplacingAValueKeepsItsPlaceAndTheKeysSpelling) {
  ProfileDocument document = ProfileDocument::Parse(kExample);
  document.Set("file", "a", "Z.txt");
  EXPECT_EQ(document.Serialize(),
            "[LIST]\r\nLIST=A,B,\r\n[FILE]\r\na=Z.txt\r\nB=B.txt\r\n"
            "[DATA]\r\nSTATE=1,300,450,990,975,True,False\r\n");
}

TEST(ProfileDocument, ANewKeyGoesAfterTheLastLineOfItsSection) {
  ProfileDocument document = ProfileDocument::Parse("[FILE]\r\nA=A.txt\r\n\r\n[DATA]\r\nS=1\r\n");
  document.Set("FILE", "C", "C.txt");
  EXPECT_EQ(document.Serialize(), "[FILE]\r\nA=A.txt\r\nC=C.txt\r\n\r\n[DATA]\r\nS=1\r\n");
  document = ProfileDocument::Parse("[EMPTY]\r\n[DATA]\r\n");
  document.Set("EMPTY", "k", "v");
  EXPECT_EQ(document.Serialize(), "[EMPTY]\r\nk=v\r\n[DATA]\r\n");
}

TEST(ProfileDocument, ANewSectionGoesAtTheEndOfTheFile) {
  ProfileDocument document = ProfileDocument::Parse("[LIST]\r\nLIST=A,\r\n");
  document.Set("DATA", "STATE", "-1,0,0,0,0,True,True");
  EXPECT_EQ(document.Serialize(), "[LIST]\r\nLIST=A,\r\n[DATA]\r\nSTATE=-1,0,0,0,0,True,True\r\n");
  ProfileDocument empty;
  empty.Set("LIST", "LIST", "A,");
  EXPECT_EQ(empty.Serialize(), "[LIST]\r\nLIST=A,\r\n");
}

TEST(ProfileDocument, RemovingTheLastKeyKeepsTheSection) {
  ProfileDocument document = ProfileDocument::Parse("[LIST]\r\nLIST=A,\r\n[FILE]\r\nA=A.txt\r\n");
  document.Set("LIST", "list", std::nullopt);
  EXPECT_EQ(document.Get("LIST", "LIST"), std::nullopt);
  EXPECT_EQ(document.Serialize(), "[LIST]\r\n[FILE]\r\nA=A.txt\r\n");
  document.Set("FILE", "missing", std::nullopt);
  document.Set("MISSING", "A", std::nullopt);
  EXPECT_EQ(document.Serialize(), "[LIST]\r\n[FILE]\r\nA=A.txt\r\n");
}

TEST(ProfileDocument, KeepsALongValueWhole) {
  std::string names;
  for (int i = 0; i < 60; ++i) names += "\x83\x4A\x83\x65" + std::to_string(i) + ",";
  ASSERT_GT(names.size(), 255u);
  ProfileDocument document;
  document.Set("LIST", "LIST", names);
  EXPECT_EQ(ProfileDocument::Parse(document.Serialize()).Get("LIST", "LIST"), names);
}

TEST(ProfileDocument, RoundTripsThroughChangesAndRereading) {
  ProfileDocument document =
      ProfileDocument::Parse("; kept\n[LIST]\nLIST=A,B,\n[FILE]\nA=A.txt\nB=B.txt\n");
  document.Set("FILE", "A", std::nullopt);
  document.Set("FILE", "\x83\x4A", "\x83\x4A.txt");
  document.Set("LIST", "LIST", "B,\x83\x4A,");
  document.Set("DATA", "STATE", "0,1,2,3,4,False,True");
  ProfileDocument reread = ProfileDocument::Parse(document.Serialize());
  EXPECT_EQ(reread.Get("FILE", "A"), std::nullopt);
  EXPECT_EQ(reread.Get("FILE", "B"), "B.txt");
  EXPECT_EQ(reread.Get("FILE", "\x83\x4A"), "\x83\x4A.txt");
  EXPECT_EQ(reread.Get("LIST", "LIST"), "B,\x83\x4A,");
  EXPECT_EQ(reread.Get("DATA", "STATE"), "0,1,2,3,4,False,True");
  EXPECT_EQ(reread.Serialize(), document.Serialize());
}

TEST(ProfileDocument, TellsWhichNamesAndValuesCanBeStored) {
  EXPECT_TRUE(IsStorableKey(" A "));
  EXPECT_TRUE(IsStorableKey("a]b[c"));
  EXPECT_TRUE(IsStorableKey("縁"));
  EXPECT_FALSE(IsStorableKey("a=b"));
  EXPECT_FALSE(IsStorableKey(";a"));
  EXPECT_FALSE(IsStorableKey("[a"));
  EXPECT_FALSE(IsStorableKey("  [a]"));
  EXPECT_FALSE(IsStorableKey("a\nb"));
  EXPECT_FALSE(IsStorableKey("a\rb"));
  EXPECT_TRUE(IsStorableValue("a=b;[c]"));
  EXPECT_FALSE(IsStorableValue("a\r\nb"));
  EXPECT_TRUE(IsStorableSection("LIST"));
  EXPECT_TRUE(IsStorableSection("縁"));
  EXPECT_FALSE(IsStorableSection("a]b"));
  EXPECT_FALSE(IsStorableSection(" LIST"));
  EXPECT_FALSE(IsStorableSection("LI\nST"));
}

}  // namespace
}  // namespace pelorin::store
