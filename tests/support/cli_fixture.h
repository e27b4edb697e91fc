// Runs the built qzreishogi-cli as a user would, in a private scratch folder,
// and writes positions as record files for it to read.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>

#include "model/position.h"
#include "play/history.h"
#include "play/record_file.h"

namespace qz::test {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string Slurp(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

class CliFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    namespace fs = std::filesystem;
    // The tool is built beside the test binary unless QZ_CLI names it.
    const char* cli = std::getenv("QZ_CLI");
    cli_ = cli != nullptr ? fs::path(cli)
                          : fs::read_symlink("/proc/self/exe").parent_path() / "qzreishogi-cli";
    ASSERT_TRUE(fs::exists(cli_)) << cli_;
    dir_ = fs::temp_directory_path() /
           ("qz-cli-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }

  CliRun Cli(const std::string& args) {
    const auto out = dir_ / "out.txt", err = dir_ / "err.txt";
    const std::string cmd =
        "'" + cli_.string() + "' " + args + " >'" + out.string() + "' 2>'" + err.string() + "'";
    CliRun r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = Slurp(out);
    r.err = Slurp(err);
    return r;
  }

  // Writes the positions as entries 1..n of a record file.
  std::string Record(const std::string& name, std::initializer_list<const Position*> positions) {
    auto history = std::make_unique<History>();
    int k = 0;
    for (const Position* p : positions) history->SetEntry(++k, *p);
    const std::string path = (dir_ / name).string();
    RecordHeader header{"test", "COM", "MAN"};
    const RecordResult r = WriteRecord(path, header, *history, k);
    EXPECT_EQ(r.status, RecordStatus::Ok) << r.detail;
    return path;
  }

  std::filesystem::path cli_;
  std::filesystem::path dir_;
};

}  // namespace qz::test
