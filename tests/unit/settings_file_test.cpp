// The settings file's reader and writer on real files, in what no scenario
// reaches: an edit that keeps the file's size and time, a file turning
// unreadable or missing between reads, a folder in its place, text the
// profile syntax cannot hold, and encodings whose bytes look like syntax or
// that no scenario's files hold.
#include "store/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/std_file_system.h"
#include "tests/unit/test_files.h"

namespace pelorin::store {
namespace {

using namespace testing_support;

// Real files, writes counted, reads failing on demand as a locked file's.
class CountingFiles : public platform::StdFileSystem {
 public:
  platform::ReadResult ReadFile(const std::string& path) override {
    if (unreadable) return {platform::ReadStatus::Unreadable, "", "locked"};
    return StdFileSystem::ReadFile(path);
  }
  platform::FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
    ++writes;
    return StdFileSystem::WriteFileAtomic(path, bytes);
  }

  int writes = 0;
  bool unreadable = false;
};

class SettingsFileTest : public ::testing::Test {
 protected:
  std::optional<std::string> Value(const std::string& section, const std::string& key) {
    return settings_.Read(section, key).value;
  }

  TempFolder folder_;
  std::string path_ = folder_.Path(kSettingsFileName);
  CountingFiles files_;
  SettingsFile settings_{files_, path_};
};

TEST_F(SettingsFileTest, AnEditKeepingTheSizeAndTheTimeIsSeenByTheNextRead) {
  Put(path_, "[FILE]\r\nA=a.txt\r\nB=b.txt\r\n");
  EXPECT_EQ(Value("FILE", "A"), "a.txt");
  const auto written = std::filesystem::last_write_time(Native(path_));
  Put(path_, "[FILE]\r\nA=c.txt\r\nB=b.txt\r\n");
  std::filesystem::last_write_time(Native(path_), written);
  EXPECT_EQ(Value("FILE", "A"), "c.txt");
  EXPECT_EQ(Value("FILE", "B"), "b.txt");
  // The same bytes again read the same; a key moved to another section moves.
  Put(path_, "[FILE]\r\nA=c.txt\r\n[LIST]\r\nB=b.txt\r\n");
  EXPECT_EQ(Value("FILE", "A"), "c.txt");
  EXPECT_EQ(Value("FILE", "B"), std::nullopt);
  EXPECT_EQ(Value("LIST", "B"), "b.txt");
}

TEST_F(SettingsFileTest, AFileTurningUnreadableOrMissingOrAFolderIsReportedSoAndNeverWritten) {
  Put(path_, "[LIST]\r\nLIST=A,\r\n");
  EXPECT_EQ(Value("LIST", "LIST"), "A,");
  files_.unreadable = true;
  const SettingsValue locked = settings_.Read("LIST", "LIST");
  EXPECT_FALSE(locked.readable);
  EXPECT_EQ(locked.value, std::nullopt);
  EXPECT_FALSE(settings_.Write("LIST", "LIST", std::nullopt).ok);
  EXPECT_EQ(Contents(path_), "[LIST]\r\nLIST=A,\r\n");
  files_.unreadable = false;
  EXPECT_EQ(Value("LIST", "LIST"), "A,");
  std::filesystem::remove(Native(path_));
  const SettingsValue missing = settings_.Read("LIST", "LIST");
  EXPECT_TRUE(missing.readable);
  EXPECT_EQ(missing.value, std::nullopt);
  // Removing a value from a missing file creates no file.
  EXPECT_TRUE(settings_.Write("LIST", "LIST", std::nullopt).ok);
  EXPECT_FALSE(std::filesystem::exists(Native(path_)));
  Put(path_, "");
  EXPECT_EQ(Value("LIST", "LIST"), std::nullopt);
  Put(path_, "[LIST]\r\nLIST=A,\r\n");
  EXPECT_EQ(Value("LIST", "LIST"), "A,");
  std::filesystem::remove(Native(path_));
  std::filesystem::create_directory(Native(path_));
  EXPECT_FALSE(settings_.Read("LIST", "LIST").readable);
  EXPECT_FALSE(settings_.Write("LIST", "LIST", "A,").ok);
  EXPECT_EQ(files_.writes, 0);
}

TEST_F(SettingsFileTest, RefusesTextTheProfileSyntaxCannotHold) {
  ASSERT_TRUE(settings_.Write("FILE", "A", "A.txt").ok);
  const std::string before = Contents(path_);
  // A key with '=', a value of two lines, a key read as a section, no UTF-8.
  EXPECT_FALSE(settings_.Write("FILE", "a=b", "a=b.txt").ok);
  EXPECT_FALSE(settings_.Write("FILE", "B", "two\r\nlines").ok);
  EXPECT_FALSE(settings_.Write("FILE", "[B]", "[B].txt").ok);
  EXPECT_FALSE(settings_.Write("FILE", "B", "\xFF.txt").ok);
  EXPECT_EQ(Contents(path_), before);
  EXPECT_EQ(files_.writes, 1);
}

TEST_F(SettingsFileTest, CodePage932IsReadByCharacterAndNeverWrittenSoThatItReadsAsUtf8) {
  // 云 is 89 5D (']' second); ア 83 41 and ヂ 83 61 differ in a letter-like byte.
  Put(path_, "[\x89\x5D]\r\n\x83\x41=a\r\nk=v\r\n");
  EXPECT_EQ(Value("云", "K"), "v");
  EXPECT_EQ(Value("云", "ア"), "a");
  EXPECT_EQ(Value("云", "ヂ"), std::nullopt);
  // ﾃｩ is C3 A9 in code page 932, which is é in UTF-8: written as UTF-8 with the mark.
  std::filesystem::remove(Native(path_));
  ASSERT_TRUE(settings_.Write("FILE", "ﾃｩ", "ﾃｩ.txt").ok);
  EXPECT_EQ(Contents(path_), "\xEF\xBB\xBF[FILE]\r\nﾃｩ=ﾃｩ.txt\r\n");
  EXPECT_EQ(Value("FILE", "ﾃｩ"), "ﾃｩ.txt");
}

TEST_F(SettingsFileTest, Utf16StaysUtf16AndBrokenUtf16IsNeitherReadNorWritten) {
  // [S] and 😀=a (U+1F600, the pair D83D DE00) in UTF-16 big-endian.
  const std::string before("\xFE\xFF\0[\0S\0]\0\r\0\n\xD8\x3D\xDE\x00\0=\0a\0\r\0\n", 24);
  Put(path_, before);
  EXPECT_EQ(Value("s", "😀"), "a");
  ASSERT_TRUE(settings_.Write("S", "😀", "a").ok);
  EXPECT_EQ(files_.writes, 0);  // the same bytes: not written
  ASSERT_TRUE(settings_.Write("S", "k", "v").ok);
  EXPECT_EQ(Contents(path_), before + std::string("\0k\0=\0v\0\r\0\n", 10));
  // Unpaired surrogates and odd lengths are valid in no encoding.
  for (const std::string& bytes :
       {std::string("\xFF\xFEk\0=\0\x00\xD8", 8), std::string("\xFE\xFF\0k\0", 5)}) {
    Put(path_, bytes);
    const SettingsValue value = settings_.Read("S", "k");
    EXPECT_TRUE(!value.readable && value.garbled);
    EXPECT_FALSE(settings_.Write("S", "k", "v").ok);
    EXPECT_EQ(Contents(path_), bytes);
  }
  EXPECT_EQ(files_.writes, 1);
}

}  // namespace
}  // namespace pelorin::store
