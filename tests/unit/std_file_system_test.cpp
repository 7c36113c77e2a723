#include "platform/std_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "temp_folder.h"

namespace pelorin::platform {
namespace {

using testing_support::TempFolder;
namespace fs = std::filesystem;

class StdFileSystemTest : public ::testing::Test {
 protected:
  // Permissions do not stop every user (an administrator reads anything).
  static bool StillReadable(const std::string& path) {
    return static_cast<bool>(std::ifstream(TempFolder::Native(path)));
  }

  TempFolder folder_;
  StdFileSystem files_;
};

TEST_F(StdFileSystemTest, ReadsTheWholeFileByteForByte) {
  const std::string bytes("a\r\nb\0c\xFF\r", 9);
  TempFolder::Put(folder_.Path("f.txt"), bytes);
  ReadResult read = files_.ReadFile(folder_.Path("f.txt"));
  EXPECT_EQ(read.status, ReadStatus::Ok);
  EXPECT_EQ(read.bytes, bytes);
  EXPECT_EQ(read.error, "");
}

TEST_F(StdFileSystemTest, TellsAMissingFileFromAFolder) {
  EXPECT_EQ(files_.ReadFile(folder_.Path("none.txt")).status, ReadStatus::Missing);
  EXPECT_EQ(files_.ReadFile(folder_.Path("no-folder/none.txt")).status, ReadStatus::Missing);

  ReadResult folder = files_.ReadFile(folder_.Path(""));
  EXPECT_EQ(folder.status, ReadStatus::Unreadable);
  EXPECT_NE(folder.error, "");
}

TEST_F(StdFileSystemTest, AFileWithoutReadPermissionIsUnreadable) {
  std::string locked = folder_.Path("locked.txt");
  TempFolder::Put(locked, "x");
  fs::permissions(TempFolder::Native(locked), fs::perms::none);
  if (StillReadable(locked)) GTEST_SKIP() << "this user reads files without permission";
  ReadResult read = files_.ReadFile(locked);
  EXPECT_EQ(read.status, ReadStatus::Unreadable);
  EXPECT_NE(read.error.find("locked.txt"), std::string::npos);
}

TEST_F(StdFileSystemTest, JapaneseNamesAreUtf8OnDisk) {
  ASSERT_TRUE(files_.MakeDirectory(folder_.Path("データ")));
  std::string path = folder_.Path("データ/顔文字.txt");
  ASSERT_TRUE(files_.WriteFileAtomic(path, "x"));
  EXPECT_TRUE(fs::exists(TempFolder::Native(path)));
  EXPECT_TRUE(files_.Exists(path));
  EXPECT_EQ(files_.ReadFile(path).bytes, "x");
}

TEST_F(StdFileSystemTest, AtomicWriteCreatesAndReplacesWithoutLeftovers) {
  std::string path = folder_.Path("設定.ini");
  ASSERT_TRUE(files_.WriteFileAtomic(path, "first\r\n"));
  EXPECT_EQ(TempFolder::Contents(path), "first\r\n");
  ASSERT_TRUE(files_.WriteFileAtomic(path, "second"));
  EXPECT_EQ(TempFolder::Contents(path), "second");
  ASSERT_TRUE(files_.WriteFileAtomic(path, ""));
  EXPECT_TRUE(fs::exists(TempFolder::Native(path)));
  EXPECT_EQ(fs::file_size(TempFolder::Native(path)), 0u);
  EXPECT_EQ(folder_.Listing(), "設定.ini;");
}

TEST_F(StdFileSystemTest, AFailedAtomicWriteNamesTheFileAndLeavesNothing) {
  FileResult missingFolder = files_.WriteFileAtomic(folder_.Path("none/a.txt"), "x");
  EXPECT_FALSE(missingFolder);
  EXPECT_NE(missingFolder.error.find("none/a.txt"), std::string::npos) << missingFolder.error;

  // A folder where the file should be: the temporary file is written, the
  // replacement fails, and the temporary file is removed again.
  ASSERT_TRUE(files_.MakeDirectory(folder_.Path("busy")));
  TempFolder::Put(folder_.Path("busy/inside.txt"), "keep");
  FileResult overFolder = files_.WriteFileAtomic(folder_.Path("busy"), "x");
  EXPECT_FALSE(overFolder);
  EXPECT_NE(overFolder.error.find("busy"), std::string::npos) << overFolder.error;
  EXPECT_EQ(TempFolder::Contents(folder_.Path("busy/inside.txt")), "keep");
  EXPECT_EQ(folder_.Listing(), "busy;");
}

TEST_F(StdFileSystemTest, AReadOnlyFolderKeepsTheOldFile) {
  ASSERT_TRUE(files_.MakeDirectory(folder_.Path("ro")));
  std::string path = folder_.Path("ro/a.txt");
  TempFolder::Put(path, "old");
  fs::permissions(TempFolder::Native(folder_.Path("ro")),
                  fs::perms::owner_read | fs::perms::owner_exec);
  FileResult result = files_.WriteFileAtomic(path, "new");
  bool privileged = static_cast<bool>(result);
  fs::permissions(TempFolder::Native(folder_.Path("ro")), fs::perms::owner_all);
  if (privileged) GTEST_SKIP() << "this user writes without permission";
  EXPECT_NE(result.error, "");
  EXPECT_EQ(TempFolder::Contents(path), "old");
}

TEST_F(StdFileSystemTest, RenameRefusesToOverwriteAnotherFile) {
  TempFolder::Put(folder_.Path("a.txt"), "a");
  TempFolder::Put(folder_.Path("b.txt"), "b");
  FileResult result = files_.RenameFile(folder_.Path("a.txt"), folder_.Path("b.txt"));
  EXPECT_FALSE(result);
  EXPECT_NE(result.error, "");
  EXPECT_EQ(TempFolder::Contents(folder_.Path("a.txt")), "a");
  EXPECT_EQ(TempFolder::Contents(folder_.Path("b.txt")), "b");

  EXPECT_TRUE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("c.txt")));
  EXPECT_FALSE(files_.Exists(folder_.Path("a.txt")));
  EXPECT_EQ(TempFolder::Contents(folder_.Path("c.txt")), "a");
  EXPECT_FALSE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("d.txt")));
}

TEST_F(StdFileSystemTest, RenameToAnotherSpellingOfTheSameFileSucceeds) {
  TempFolder::Put(folder_.Path("a.txt"), "a");
  // Where names ignore letter case "A.txt" names this file; "./a.txt" does
  // everywhere.
  EXPECT_TRUE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("./a.txt")));
  EXPECT_TRUE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("A.txt")));
  EXPECT_EQ(folder_.Listing(), "A.txt;");
  EXPECT_EQ(TempFolder::Contents(folder_.Path("A.txt")), "a");
}

TEST_F(StdFileSystemTest, DeletesFilesOnly) {
  TempFolder::Put(folder_.Path("a.txt"), "a");
  EXPECT_TRUE(files_.RemoveFile(folder_.Path("a.txt")));
  EXPECT_FALSE(files_.Exists(folder_.Path("a.txt")));
  EXPECT_FALSE(files_.RemoveFile(folder_.Path("a.txt")));
  ASSERT_TRUE(files_.MakeDirectory(folder_.Path("data")));
  EXPECT_FALSE(files_.RemoveFile(folder_.Path("data")));
  EXPECT_TRUE(files_.Exists(folder_.Path("data")));
}

TEST_F(StdFileSystemTest, MakesFoldersWithTheirParentsOnce) {
  EXPECT_TRUE(files_.MakeDirectory(folder_.Path("x/y/data")));
  EXPECT_TRUE(fs::is_directory(TempFolder::Native(folder_.Path("x/y/data"))));
  EXPECT_TRUE(files_.MakeDirectory(folder_.Path("x/y/data")));
  TempFolder::Put(folder_.Path("file"), "");
  FileResult overFile = files_.MakeDirectory(folder_.Path("file"));
  EXPECT_FALSE(overFile);
  EXPECT_NE(overFile.error, "");
}

}  // namespace
}  // namespace pelorin::platform
