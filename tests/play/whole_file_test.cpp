// Reading whole files: what every reader of the game (settings, sounds,
// records) gets for the files a player's folder may hold.
#include "play/whole_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>

namespace qz {
namespace {

namespace fs = std::filesystem;

class WholeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("qz-whole-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Write(const std::string& name, const std::string& bytes) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << bytes;
    return p.string();
  }
  fs::path dir_;
};

TEST_F(WholeFileTest, ReadsEveryByteUpToTheCeiling) {
  std::string bytes(200000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  const std::string path = Write("a.wav", bytes);
  WholeFile f = ReadWholeFile(path, bytes.size());
  ASSERT_TRUE(f.bytes.has_value());
  EXPECT_EQ(*f.bytes, bytes);
  f = ReadWholeFile(path, bytes.size() - 1);
  EXPECT_FALSE(f.bytes.has_value());
  EXPECT_EQ(f.problem, ReadProblem::TooLarge);
  EXPECT_EQ(f.error, EFBIG);
  f = ReadWholeFile(Write("empty", ""), 10);
  ASSERT_TRUE(f.bytes.has_value());
  EXPECT_TRUE(f.bytes->empty());
}

TEST_F(WholeFileTest, OnlyRegularFilesAreRead) {
  WholeFile f = ReadWholeFile((dir_ / "none").string(), 100);
  EXPECT_EQ(f.problem, ReadProblem::Missing);
  fs::create_directory(dir_ / "folder");
  f = ReadWholeFile((dir_ / "folder").string(), 100);
  EXPECT_EQ(f.problem, ReadProblem::NotRegular);
  EXPECT_EQ(f.error, EISDIR);
  // A pipe with no writer would block an ordinary open for ever.
  const fs::path fifo = dir_ / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  f = ReadWholeFile(fifo.string(), 100);
  EXPECT_EQ(f.problem, ReadProblem::NotRegular);
  EXPECT_EQ(f.error, EINVAL);
  f = ReadWholeFile("/dev/zero", 100);
  EXPECT_EQ(f.problem, ReadProblem::NotRegular);
  // A link to a regular file is read through.
  const std::string target = Write("target", "abc");
  fs::create_symlink(target, dir_ / "link");
  f = ReadWholeFile((dir_ / "link").string(), 100);
  ASSERT_TRUE(f.bytes.has_value());
  EXPECT_EQ(*f.bytes, "abc");
}

}  // namespace
}  // namespace qz
