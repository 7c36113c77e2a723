#include "store/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/std_file_system.h"
#include "temp_folder.h"

namespace pelorin::store {
namespace {

using testing_support::TempFolder;

// Real files, with every call counted and faults on demand.
class CountingFiles : public platform::StdFileSystem {
 public:
  platform::ReadResult ReadFile(const std::string& path) override {
    ++reads;
    if (unreadable) return {platform::ReadStatus::Unreadable, "", "locked"};
    return StdFileSystem::ReadFile(path);
  }
  platform::FileResult WriteFileAtomic(const std::string& path, const std::string& bytes) override {
    ++writes;
    if (failWrites) return platform::FileResult::Fail("disk full");
    return StdFileSystem::WriteFileAtomic(path, bytes);
  }

  int reads = 0;
  int writes = 0;
  bool unreadable = false;
  bool failWrites = false;
};

class SettingsFileTest : public ::testing::Test {
 protected:
  std::string Disk() const { return TempFolder::Contents(path_); }

  TempFolder folder_;
  std::string path_ = folder_.Path(kSettingsFileName);
  CountingFiles files_;
  SettingsFile settings_{files_, path_};
};

TEST_F(SettingsFileTest, AMissingFileReadsAsNoValueAndTheFirstWriteCreatesIt) {
  SettingsValue missing = settings_.Read("LIST", "LIST");
  EXPECT_TRUE(missing.readable);
  EXPECT_EQ(missing.value, std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(TempFolder::Native(path_)));

  EXPECT_TRUE(settings_.Write("LIST", "LIST", "A,").ok);
  EXPECT_EQ(Disk(), "[LIST]\r\nLIST=A,\r\n");
  EXPECT_EQ(settings_.Read("LIST", "LIST").value, "A,");
}

TEST_F(SettingsFileTest, EveryReadReadsTheFileOnceAndEveryChangeReadsAndWritesOnce) {
  ASSERT_TRUE(settings_.Write("FILE", "A", "A.txt").ok);
  EXPECT_EQ(files_.reads, 1);
  EXPECT_EQ(files_.writes, 1);
  // The file is read anew: a change made behind the program's back is seen.
  TempFolder::Put(path_, "[FILE]\r\nA=edited.txt\r\n");
  EXPECT_EQ(settings_.Read("FILE", "A").value, "edited.txt");
  EXPECT_EQ(files_.reads, 2);
  EXPECT_EQ(files_.writes, 1);
}

TEST_F(SettingsFileTest, AnEditKeepingTheSizeAndTheTimeIsSeenByTheNextRead) {
  TempFolder::Put(path_, "[FILE]\r\nA=a.txt\r\nB=b.txt\r\n");
  EXPECT_EQ(settings_.Read("FILE", "A").value, "a.txt");
  const auto written = std::filesystem::last_write_time(TempFolder::Native(path_));
  TempFolder::Put(path_, "[FILE]\r\nA=c.txt\r\nB=b.txt\r\n");
  std::filesystem::last_write_time(TempFolder::Native(path_), written);
  EXPECT_EQ(settings_.Read("FILE", "A").value, "c.txt");
  EXPECT_EQ(settings_.Read("FILE", "B").value, "b.txt");
  // The same bytes again read the same; a key moved to another section moves.
  TempFolder::Put(path_, "[FILE]\r\nA=c.txt\r\n[LIST]\r\nB=b.txt\r\n");
  EXPECT_EQ(settings_.Read("FILE", "A").value, "c.txt");
  EXPECT_EQ(settings_.Read("FILE", "B").value, std::nullopt);
  EXPECT_EQ(settings_.Read("LIST", "B").value, "b.txt");
  EXPECT_EQ(files_.reads, 6);
}

TEST_F(SettingsFileTest, AFileTurningUnreadableOrMissingAfterAReadIsReportedSo) {
  TempFolder::Put(path_, "[LIST]\r\nLIST=A,\r\n");
  EXPECT_EQ(settings_.Read("LIST", "LIST").value, "A,");
  files_.unreadable = true;
  SettingsValue locked = settings_.Read("LIST", "LIST");
  EXPECT_FALSE(locked.readable);
  EXPECT_EQ(locked.value, std::nullopt);
  EXPECT_EQ(locked.error, "locked");
  files_.unreadable = false;
  EXPECT_EQ(settings_.Read("LIST", "LIST").value, "A,");
  std::filesystem::remove(TempFolder::Native(path_));
  SettingsValue missing = settings_.Read("LIST", "LIST");
  EXPECT_TRUE(missing.readable);
  EXPECT_EQ(missing.value, std::nullopt);
  TempFolder::Put(path_, "");
  EXPECT_EQ(settings_.Read("LIST", "LIST").value, std::nullopt);
  TempFolder::Put(path_, "[LIST]\r\nLIST=A,\r\n");
  EXPECT_EQ(settings_.Read("LIST", "LIST").value, "A,");
}

TEST_F(SettingsFileTest, RemovingFromAMissingFileCreatesNoFile) {
  EXPECT_TRUE(settings_.Write("LIST", "LIST", std::nullopt).ok);
  EXPECT_FALSE(std::filesystem::exists(TempFolder::Native(path_)));
  EXPECT_EQ(files_.writes, 0);
}

TEST_F(SettingsFileTest, AnUnreadableFileIsReportedAndNeverWritten) {
  TempFolder::Put(path_, "[LIST]\r\nLIST=A,\r\n");
  files_.unreadable = true;
  SettingsValue value = settings_.Read("LIST", "LIST");
  EXPECT_FALSE(value.readable);
  EXPECT_EQ(value.error, "locked");
  SettingsWrite write = settings_.Write("LIST", "LIST", std::nullopt);
  EXPECT_FALSE(write.ok);
  EXPECT_NE(write.error.find("locked"), std::string::npos);
  EXPECT_EQ(files_.writes, 0);
  EXPECT_EQ(Disk(), "[LIST]\r\nLIST=A,\r\n");
}

TEST_F(SettingsFileTest, AFolderInTheFilesPlaceIsUnreadable) {
  std::filesystem::create_directory(TempFolder::Native(path_));
  EXPECT_FALSE(settings_.Read("LIST", "LIST").readable);
  EXPECT_FALSE(settings_.Write("LIST", "LIST", "A,").ok);
  EXPECT_EQ(files_.writes, 0);
}

TEST_F(SettingsFileTest, AFailedWriteIsReportedWithItsReason) {
  files_.failWrites = true;
  SettingsWrite write = settings_.Write("LIST", "LIST", "A,");
  EXPECT_FALSE(write.ok);
  EXPECT_EQ(write.error, "disk full");
}

TEST_F(SettingsFileTest, RefusesTextTheProfileSyntaxCannotHold) {
  ASSERT_TRUE(settings_.Write("FILE", "A", "A.txt").ok);
  const std::string before = Disk();
  EXPECT_FALSE(settings_.Write("FILE", "a=b", "a=b.txt").ok);
  EXPECT_FALSE(settings_.Write("FILE", "B", "two\r\nlines").ok);
  EXPECT_FALSE(settings_.Write("FILE", "[B]", "[B].txt").ok);
  EXPECT_FALSE(settings_.Write("FILE", "B", "\xFF.txt").ok);  // not UTF-8
  EXPECT_EQ(Disk(), before);
  EXPECT_EQ(files_.writes, 1);
}

TEST_F(SettingsFileTest, CodePage932BytesThatWouldReadAsUtf8AreWrittenAsUtf8WithTheMark) {
  // ﾃｩ is C3 A9 in code page 932, which is é in UTF-8.
  ASSERT_TRUE(settings_.Write("FILE", "ﾃｩ", "ﾃｩ.txt").ok);
  EXPECT_EQ(Disk(), "\xEF\xBB\xBF[FILE]\r\nﾃｩ=ﾃｩ.txt\r\n");
  EXPECT_EQ(settings_.Read("FILE", "ﾃｩ").value, "ﾃｩ.txt");
}

TEST_F(SettingsFileTest, ReadsCodePage932WhoseSecondBytesLookLikeSyntax) {
  // 云 is 89 5D (']' second); ア 83 41 and ヂ 83 61 differ in a letter-like byte.
  TempFolder::Put(path_, "[\x89\x5D]\r\n\x83\x41=a\r\nk=v\r\n");
  EXPECT_EQ(settings_.Read("云", "K").value, "v");
  EXPECT_EQ(settings_.Read("云", "ア").value, "a");
  EXPECT_EQ(settings_.Read("云", "ヂ").value, std::nullopt);
}

TEST_F(SettingsFileTest, Utf16BigEndianWithACharacterBeyondTheBasicPlaneStaysSo) {
  // [S] and 😀=a (U+1F600, the pair D83D DE00) in UTF-16 big-endian.
  const std::string before("\xFE\xFF\0[\0S\0]\0\r\0\n\xD8\x3D\xDE\x00\0=\0a\0\r\0\n", 24);
  TempFolder::Put(path_, before);
  EXPECT_EQ(settings_.Read("s", "😀").value, "a");
  ASSERT_TRUE(settings_.Write("S", "😀", "a").ok);
  EXPECT_EQ(files_.writes, 0);  // the same bytes: not written
  ASSERT_TRUE(settings_.Write("S", "k", "v").ok);
  EXPECT_EQ(Disk(), before + std::string("\0k\0=\0v\0\r\0\n", 10));
}

TEST_F(SettingsFileTest, UnpairedSurrogatesAndOddLengthsInUtf16AreValidInNoEncoding) {
  for (const std::string& bytes : {std::string("\xFF\xFEk\0=\0\x00\xD8", 8),
                                  std::string("\xFE\xFF\0k\0", 5)}) {
    TempFolder::Put(path_, bytes);
    const SettingsValue value = settings_.Read("S", "k");
    EXPECT_FALSE(value.readable);
    EXPECT_TRUE(value.garbled);
      EXPECT_FALSE(settings_.Write("S", "k", "v").ok);
    EXPECT_EQ(Disk(), bytes);
  }
  EXPECT_EQ(files_.writes, 0);
}

}  // namespace
}  // namespace pelorin::store
