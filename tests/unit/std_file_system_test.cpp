// The program's file code on real files where no scenario reaches it: the
// scenarios' failures are injected above it, so these are the failures of
// the real file system (a folder in a file's place, a file in a folder's, a
// missing folder, no permission), and renames between spellings of one file.
#include "platform/std_file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/unit/test_files.h"

namespace pelorin::platform {
namespace {

using namespace testing_support;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class StdFileSystemTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  StdFileSystem files_;
};

TEST_F(StdFileSystemTest, AFailedAtomicWriteLeavesNothingBehind) {
  EXPECT_FALSE(files_.WriteFileAtomic(folder_.Path("none/a.txt"), "x"));
  // A folder where the file should be: the temporary file is written, the
  // replacement fails, and the temporary file is removed again.
  ASSERT_TRUE(files_.MakeDirectory(folder_.Path("busy")));
  Put(folder_.Path("busy/inside.txt"), "keep");
  const FileResult overFolder = files_.WriteFileAtomic(folder_.Path("busy"), "x");
  EXPECT_FALSE(overFolder);
  EXPECT_NE(overFolder.error.find("busy"), std::string::npos) << overFolder.error;
  EXPECT_EQ(Contents(folder_.Path("busy/inside.txt")), "keep");
  EXPECT_EQ(Listing(folder_.Path()), Names{"busy"});
}

// Permissions do not stop every user (an administrator reads anything).
TEST_F(StdFileSystemTest, WithoutPermissionAFileIsUnreadableAndTheOldFileStays) {
  ASSERT_TRUE(files_.MakeDirectory(folder_.Path("ro")));
  const std::string path = folder_.Path("ro/a.txt");
  Put(path, "old");
  fs::permissions(Native(path), fs::perms::none);
  fs::permissions(Native(folder_.Path("ro")), fs::perms::owner_read | fs::perms::owner_exec);
  const bool privileged = static_cast<bool>(std::ifstream(Native(path)));
  const ReadResult read = files_.ReadFile(path);
  const FileResult written = files_.WriteFileAtomic(path, "new");
  fs::permissions(Native(folder_.Path("ro")), fs::perms::owner_all);
  fs::permissions(Native(path), fs::perms::owner_all);
  if (privileged) GTEST_SKIP() << "this user reads and writes without permission";
  EXPECT_EQ(read.status, ReadStatus::Unreadable);
  EXPECT_FALSE(written);
  EXPECT_EQ(Contents(path), "old");
}

TEST_F(StdFileSystemTest, RenameRefusesToOverwriteAnotherFile) {
  Put(folder_.Path("a.txt"), "a");
  Put(folder_.Path("b.txt"), "b");
  EXPECT_FALSE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("b.txt")));
  EXPECT_EQ(Contents(folder_.Path("a.txt")), "a");
  EXPECT_EQ(Contents(folder_.Path("b.txt")), "b");
  EXPECT_TRUE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("c.txt")));
  EXPECT_EQ(Listing(folder_.Path()), (Names{"b.txt", "c.txt"}));
  EXPECT_EQ(Contents(folder_.Path("c.txt")), "a");
  EXPECT_FALSE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("d.txt")));
}

TEST_F(StdFileSystemTest, RenameToAnotherSpellingOfTheSameFileSucceeds) {
  Put(folder_.Path("a.txt"), "a");
  // Where names ignore letter case "A.txt" names this file; "./a.txt" does
  // everywhere.
  EXPECT_TRUE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("./a.txt")));
  EXPECT_TRUE(files_.RenameFile(folder_.Path("a.txt"), folder_.Path("A.txt")));
  EXPECT_EQ(Listing(folder_.Path()), Names{"A.txt"});
  EXPECT_EQ(Contents(folder_.Path("A.txt")), "a");
}

TEST_F(StdFileSystemTest, DeletesFilesOnlyAndMakesFoldersOnlyWhereNoFileIs) {
  Put(folder_.Path("a.txt"), "a");
  EXPECT_TRUE(files_.RemoveFile(folder_.Path("a.txt")));
  EXPECT_FALSE(files_.RemoveFile(folder_.Path("a.txt")));
  EXPECT_TRUE(files_.MakeDirectory(folder_.Path("x/y/data")));
  EXPECT_TRUE(files_.MakeDirectory(folder_.Path("x/y/data")));
  EXPECT_FALSE(files_.RemoveFile(folder_.Path("x/y/data")));
  EXPECT_TRUE(fs::is_directory(Native(folder_.Path("x/y/data"))));
  Put(folder_.Path("file"), "");
  EXPECT_FALSE(files_.MakeDirectory(folder_.Path("file")));
  EXPECT_EQ(Listing(folder_.Path()), (Names{"file", "x"}));
}

}  // namespace
}  // namespace pelorin::platform
