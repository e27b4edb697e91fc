// A game wired to the recording ports in a fresh temporary folder, with
// helpers to find what was painted where.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "script/recording_ports.h"
#include "shell/game.h"
#include "shell/grid.h"

namespace qz::present_test {

inline double Tx(double x) { return grid::TwipsX(x); }
inline double Ty(double y) { return grid::TwipsY(y); }

class PresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    dir = std::filesystem::temp_directory_path() /
          ("qz_present_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    g = std::make_unique<Game>(rp.ports(), dir.string());
  }
  void TearDown() override {
    g.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  std::vector<PaintOp>& ops() { return rp.canvas.ops; }

  // Painted texts, in order, whose main corner is exactly at cell (x, y).
  std::vector<PaintOp> textsAt(double x, double y) {
    std::vector<PaintOp> found;
    for (const PaintOp& op : rp.canvas.ops) {
      if (op.kind == PaintOp::Text && std::abs(op.x - Tx(x)) < 0.01 &&
          std::abs(op.y - Ty(y)) < 0.01) {
        found.push_back(op);
      }
    }
    return found;
  }

  // The one text painted at (x, y); fails the test unless exactly one was.
  PaintOp textAt(double x, double y) {
    std::vector<PaintOp> found = textsAt(x, y);
    EXPECT_EQ(found.size(), 1u) << "texts at (" << x << ", " << y << ")";
    return found.empty() ? PaintOp{} : found.back();
  }

  int pictureAt(double x, double y) {
    auto it = rp.canvas.pictureAt.find({std::lround(Tx(x)), std::lround(Ty(y))});
    return it == rp.canvas.pictureAt.end() ? -9999 : it->second;
  }

  int outlineAt(double x, double y) {
    auto it = rp.canvas.outlineAt.find({std::lround(Tx(x)), std::lround(Ty(y))});
    return it == rp.canvas.outlineAt.end() ? -9999 : it->second;
  }

  std::string settingsPath() const { return (dir / SettingsFileName).string(); }

  std::string readFile(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  void writeFile(const std::string& path, const std::string& bytes) const {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }

  std::filesystem::path dir;
  RecordingPorts rp;
  std::unique_ptr<Game> g;
};

}  // namespace qz::present_test
