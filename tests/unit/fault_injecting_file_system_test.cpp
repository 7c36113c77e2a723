#include "platform/sim/fault_injecting_file_system.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/std_file_system.h"
#include "temp_folder.h"

namespace pelorin::sim {
namespace {

class FaultInjectingFileSystemTest : public ::testing::Test {
 protected:
  FaultInjectingFileSystemTest() { EXPECT_TRUE(real.MakeDirectory(root + "/data")); }

  testing_support::TempFolder folder;
  const std::string root = folder.Path("app");
  platform::StdFileSystem real;
  FaultInjectingFileSystem files{real, root};
};

TEST_F(FaultInjectingFileSystemTest, FaultsFailTheNamedPathsUntilHealed) {
  const std::string a = root + "/data/A.txt";
  const std::string b = root + "/data/B.txt";
  ASSERT_TRUE(files.WriteFileAtomic(a, "a"));
  files.Fail(FileOp::Write, "data/B.txt");
  EXPECT_FALSE(files.WriteFileAtomic(b, "b"));
  EXPECT_FALSE(files.RenameFile(a, b));
  EXPECT_FALSE(files.Exists(b));
  EXPECT_TRUE(files.WriteFileAtomic(a, "a2"));
  files.Fail(FileOp::Read, "data/A.txt");
  EXPECT_EQ(files.ReadFile(a).status, platform::ReadStatus::Unreadable);
  files.Fail(FileOp::Delete, "data/A.txt");
  EXPECT_FALSE(files.RemoveFile(a));
  files.Heal();
  platform::ReadResult read = files.ReadFile(a);
  EXPECT_EQ(read.status, platform::ReadStatus::Ok);
  EXPECT_EQ(read.bytes, "a2");
  EXPECT_TRUE(files.RenameFile(a, b));
  files.Fail(FileOp::Rename, "data/B.txt");
  EXPECT_FALSE(files.RenameFile(b, a));
  files.Heal();
  files.Fail(FileOp::Write, "*");
  EXPECT_FALSE(files.WriteFileAtomic(root + "/設定.ini", "x"));
  EXPECT_TRUE(files.MakeDirectory(root + "/data"));
  EXPECT_FALSE(files.MakeDirectory(root + "/new"));
}

TEST_F(FaultInjectingFileSystemTest, AChosenOperationFailsByItsNumber) {
  const std::string a = root + "/data/A.txt";
  long before = files.OperationCount();
  files.FailOperation(before + 2);
  EXPECT_TRUE(files.WriteFileAtomic(a, "a"));
  EXPECT_EQ(files.ReadFile(a).status, platform::ReadStatus::Unreadable);
  EXPECT_EQ(files.ReadFile(a).status, platform::ReadStatus::Ok);
  EXPECT_EQ(files.OperationCount(), before + 3);
}

TEST_F(FaultInjectingFileSystemTest, ComparesPathsRelativeToTheRoot) {
  EXPECT_EQ(files.Relative(root + "/data/A.txt"), "data/A.txt");
  EXPECT_EQ(files.Relative(root + "/data/../設定.ini"), "設定.ini");
  EXPECT_EQ(files.Relative("/elsewhere/x"), "/elsewhere/x");
  files.Fail(FileOp::Write, "./data//A.txt");
  EXPECT_FALSE(files.WriteFileAtomic(root + "/data/A.txt", "a"));
  EXPECT_TRUE(files.WriteFileAtomic(root + "/data/a.txt", "a"));
}

}  // namespace
}  // namespace pelorin::sim
