#include "play/safe_write.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/as_player.h"
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
  test::GiveToPlayer(dir.path());
  ::chmod(dir.path().c_str(), 0555);
  const std::string failed = test::AsPlayer([&]() -> std::string {
    std::string error;
    if (WriteFileAtomically(path, "new contents", &error)) return "written";
    if (error.find("書き込めません") == std::string::npos) return "said: " + error;
    return "";
  });
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(failed, "");
  EXPECT_EQ(ReadBytes(path), "old contents");
  EXPECT_EQ(dir.count(), 1);
}

// Whatever the user could not write in place stays as it is: a file its
// owner made read-only, someone else's file in the user's folder, and the
// file a name holding a NUL byte would be cut down to.
TEST(SafeWrite, WhatCannotBeWrittenInPlaceIsLeftAlone) {
  TempFolder dir;
  const std::string mine = dir.file("mine.棋譜"), theirs = dir.file("theirs.棋譜");
  WriteBytes(mine, "read-only");
  WriteBytes(theirs, "someone else's");
  WriteBytes(dir.file("BGM.wav"), "music");
  test::GiveToPlayer(dir.path());
  ::chmod(mine.c_str(), 0444);
  if (::geteuid() == 0 && ::chown(theirs.c_str(), 0, 0) != 0) FAIL() << "chown";
  ::chmod(theirs.c_str(), ::geteuid() == 0 ? 0644 : 0444);
  const std::string failed = test::AsPlayer([&]() -> std::string {
    const std::string cut = dir.file("BGM.wav") + std::string("\0.棋譜", 8);
    std::string error;
    for (const std::string& path : {mine, theirs, cut}) {
      if (WriteFileAtomically(path, "new", &error)) return "wrote " + path;
      if (path != cut && error.find(path) == std::string::npos) return "unnamed in: " + error;
    }
    return "";
  });
  EXPECT_EQ(failed, "");
  EXPECT_EQ(ReadBytes(mine), "read-only");
  EXPECT_EQ(ReadBytes(theirs), "someone else's");
  EXPECT_EQ(ReadBytes(dir.file("BGM.wav")), "music");
  EXPECT_EQ(dir.count(), 3);
}

// A link is written through, as an in-place write would: its target gets the
// contents (by a rename in the target's folder) and the link stays a link.
TEST(SafeWrite, LinkIsFollowedToTheFileItNames) {
  TempFolder dir;
  std::filesystem::create_directory(dir.file("records"));
  WriteBytes(dir.file("records/real.棋譜"), "old");
  std::filesystem::create_symlink("records/real.棋譜", dir.file("game.棋譜"));
  std::filesystem::create_symlink("records/new.棋譜", dir.file("dangling.棋譜"));
  std::filesystem::create_symlink("loop.棋譜", dir.file("loop.棋譜"));
  ::mkfifo(dir.file("pipe").c_str(), 0644);
  std::filesystem::create_symlink("pipe", dir.file("to-pipe.棋譜"));

  ASSERT_TRUE(WriteFileAtomically(dir.file("game.棋譜"), "through the link", nullptr));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("game.棋譜")));
  EXPECT_EQ(ReadBytes(dir.file("records/real.棋譜")), "through the link");
  ASSERT_TRUE(WriteFileAtomically(dir.file("dangling.棋譜"), "created", nullptr));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.file("dangling.棋譜")));
  EXPECT_EQ(ReadBytes(dir.file("records/new.棋譜")), "created");

  std::string error;
  EXPECT_FALSE(WriteFileAtomically(dir.file("loop.棋譜"), "x", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(WriteFileAtomically(dir.file("to-pipe.棋譜"), "x", &error));
  EXPECT_TRUE(std::filesystem::is_fifo(dir.file("pipe")));
  EXPECT_EQ(dir.count(), 6);
  int inRecords = 0;
  for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(dir.file("records")))
    ++inRecords;
  EXPECT_EQ(inRecords, 2);
}

}  // namespace
}  // namespace qz
