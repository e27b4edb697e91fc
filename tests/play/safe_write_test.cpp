#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "play/safe_write.h"
#include "temp_folder.h"

namespace qz {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

TEST(SafeWrite, CreatesAndReplacesWithoutLeavingTemporaries) {
  TempFolder dir;
  const std::string path = dir.file("game.棋譜");
  std::string error = "stale";
  ASSERT_TRUE(WriteFileAtomically(path, std::string("a\0b\r\n", 5), &error));
  EXPECT_EQ(ReadBytes(path), std::string("a\0b\r\n", 5));
  EXPECT_TRUE(error.empty());

  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(path, "second", nullptr));
  EXPECT_EQ(ReadBytes(path), "second");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // a replaced file keeps its permissions

  ASSERT_TRUE(WriteFileAtomically(path, "", nullptr));
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_EQ(dir.count(), 1);
}

TEST(SafeWrite, DirectoryWhereTheFileShouldBeIsReported) {
  TempFolder dir;
  const std::string path = dir.file("taken");
  std::filesystem::create_directory(path);
  WriteBytes(dir.file("taken/inside"), "keep");
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(path, "new", &error));
  EXPECT_NE(error.find("フォルダ"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(ReadBytes(dir.file("taken/inside")), "keep");
  EXPECT_EQ(dir.count(), 1);
}

TEST(SafeWrite, MissingFolderIsReported) {
  TempFolder dir;
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir.file("no/such/game.棋譜"), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(WriteFileAtomically("", "x", &error));
  EXPECT_EQ(dir.count(), 0);
}

TEST(SafeWrite, ReadOnlyFolderLeavesTheOldFileUntouched) {
  TempFolder dir;
  const std::string path = dir.file("old.棋譜");
  WriteBytes(path, "old contents");
  ::chmod(dir.path().c_str(), 0555);
  // Root writes through any mode bits; this case cannot be staged then.
  if (::access(dir.path().c_str(), W_OK) == 0) {
    ::chmod(dir.path().c_str(), 0755);
    GTEST_SKIP() << "permissions do not stop writes for this user";
  }
  std::string error;
  EXPECT_FALSE(WriteFileAtomically(path, "new contents", &error));
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_NE(error.find("書き込めません"), std::string::npos) << error;
  EXPECT_EQ(ReadBytes(path), "old contents");
  EXPECT_EQ(dir.count(), 1);
}

}  // namespace
}  // namespace qz
