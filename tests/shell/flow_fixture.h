// A started game on the recording ports in a fresh temporary folder, with the
// four wave files present so that each sound has its own buffer.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "script/recording_ports.h"
#include "shell/game.h"
#include "shell/grid.h"

namespace qz::flow_test {

inline double Tx(double x) { return grid::TwipsX(x); }
inline double Ty(double y) { return grid::TwipsY(y); }

class FlowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    dir = std::filesystem::temp_directory_path() /
          ("qz_flow_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"})
      writeFile((dir / name).string(), std::string("RIFF-") + name);
    g = std::make_unique<Game>(rp.ports(), dir.string());
    g->Load();
    rp.panel.filesPath = dir.string();
    clearLog();
  }
  void TearDown() override {
    g.reset();
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  void clearLog() {
    rp.dialogs.shown.clear();
    rp.sound.calls.clear();
    rp.canvas.ops.clear();
  }

  // A press in the middle of cell (x, y).
  void press(int x, int y, int button = LeftButton) {
    g->MouseDown(button, 0, static_cast<int>(Tx(x)) + 300, static_cast<int>(Ty(y)) + 300);
  }
  void move(int fx, int fy, int tx, int ty, int button = LeftButton) {
    press(fx, fy);
    press(tx, ty, button);
  }

  // Board and hands emptied, kings at their 右嶺 squares.
  void emptyBoard() {
    for (int x = 0; x <= 10; ++x)
      for (int y = 0; y <= 10; ++y) g->pos.Board[x][y] = EMPTY;
    for (int s = 0; s < 2; ++s) {
      for (int i = 0; i <= 9; ++i) g->pos.Hand[s][i] = 0;
      g->pos.HandTotal[s] = 0;
    }
    g->pos.at(5, 10) = -OU;
    g->pos.at(6, 1) = OU;
  }

  int plays(std::int32_t buffer) const {
    int n = 0;
    for (const auto& c : rp.sound.calls)
      if (c.op == "play" && c.handle == buffer) ++n;
    return n;
  }
  int forbidden() const { return plays(g->sounds.SndForbidden); }
  int pieceSounds() const { return plays(g->sounds.SndPiece); }

  const std::vector<RecordingDialogs::Shown>& shown() const { return rp.dialogs.shown; }
  bool said(const std::string& title, const std::string& text) const {
    for (const auto& s : rp.dialogs.shown)
      if (s.title == title && s.text == text) return true;
    return false;
  }
  bool saidText(const std::string& text) const {
    for (const auto& s : rp.dialogs.shown)
      if (s.text == text) return true;
    return false;
  }

  int outlineAt(double x, double y) {
    auto it = rp.canvas.outlineAt.find({std::lround(Tx(x)), std::lround(Ty(y))});
    return it == rp.canvas.outlineAt.end() ? -9999 : it->second;
  }
  bool paintedPictureAt(double x, double y) const {
    for (const PaintOp& op : rp.canvas.ops)
      if (op.kind == PaintOp::Picture && std::lround(op.x) == std::lround(Tx(x)) &&
          std::lround(op.y) == std::lround(Ty(y)))
        return true;
    return false;
  }
  std::vector<std::string> textsPainted() const {
    std::vector<std::string> t;
    for (const PaintOp& op : rp.canvas.ops)
      if (op.kind == PaintOp::Text) t.push_back(op.text);
    return t;
  }

  void writeFile(const std::string& path, const std::string& bytes) const {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
  }
  std::string readFile(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  std::filesystem::path dir;
  RecordingPorts rp;
  std::unique_ptr<Game> g;
};

// Boards compared whole (rows and columns 1..10).
inline bool SameBoard(const PieceCode a[11][11], const PieceCode b[11][11]) {
  for (int x = 1; x <= 10; ++x)
    for (int y = 1; y <= 10; ++y)
      if (a[x][y] != b[x][y]) return false;
  return true;
}

}  // namespace qz::flow_test
