// The 検討 menu in scripts: the hint, the analysis window's switch and its
// move list, as the transcript shows them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "model/rules.h"
#include "script/script_runner.h"

namespace qz {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> After(const std::vector<std::string>& lines, const std::string& step) {
  auto it = std::find(lines.begin(), lines.end(), step);
  if (it == lines.end()) return {};
  std::vector<std::string> out;
  for (++it; it != lines.end() && !it->starts_with("> "); ++it) out.push_back(*it);
  return out;
}

class KentouScript : public ::testing::Test {
 protected:
  void SetUp() override {
    static std::atomic<int> serial{0};
    dir = fs::temp_directory_path() /
          ("qz_kentou_" + std::to_string(::getpid()) + "_" + std::to_string(serial++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"})
      std::ofstream(dir / name, std::ios::binary) << "RIFF";
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(dir, ec);
  }
  std::string Run(const std::string& script) {
    std::ostringstream out;
    EXPECT_EQ(RunScript(script, dir.string(), out), 0) << out.str();
    return out.str();
  }
  fs::path dir;
};

const std::regex kHint(R"(hint (-?\d+) (-?\d+) (\d+) (\d+) (-?\d+) score (-?M?\d+))");

TEST_F(KentouScript, HintIsRefusedOutsideTheHumansTurn) {
  const auto lines =
      Lines(Run("menu ヒント\nmenu SENTE\npress left 5 8\npress left 5 7\n"
                "menu REPLAY\nmenu HINT\n"));
  EXPECT_EQ(
      After(lines, "> menu ヒント"),
      (std::vector<std::string>{"sound 禁止.wav", "message ヒント | 「対局」で始めて下さい"}));
  // One move taken back: the computer's army is to move.
  const auto refused = After(lines, "> menu HINT");
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_EQ(refused[1], "message ヒント | COMの番です");
}

TEST_F(KentouScript, HintNamesALegalMoveFramesItAndRepeats) {
  const std::string script =
      "menu SENTE\nmenu HINT\nshow paint\npress left 1 1\nshow paint\n"
      "menu ANALYSIS\nmenu HINT\nshow checks\nmenu 検討ウィンドウ\n";
  const std::string transcript = Run(script);
  const auto lines = Lines(transcript);
  const auto hinted = After(lines, "> menu HINT");
  ASSERT_EQ(hinted.size(), 2u) << transcript;
  std::smatch m;
  ASSERT_TRUE(std::regex_match(hinted[0], m, kHint)) << hinted[0];
  const int fx = std::stoi(m[1]), fy = std::stoi(m[2]), tx = std::stoi(m[3]), ty = std::stoi(m[4]),
            code = std::stoi(m[5]);
  EXPECT_LT(code, 0);  // the human's (lower) army
  EXPECT_GE(tx, 1);
  EXPECT_LE(ty, 10);
  // The box tells the move in the notation and its evaluation.
  EXPECT_TRUE(hinted[1].starts_with("message ヒント | ▲")) << hinted[1];
  EXPECT_NE(hinted[1].find("\\r評価値 " + m[6].str() + "（▲の勝率 "), std::string::npos)
      << hinted[1];

  // Origin and target framed in the hint's colour; the next press puts the
  // grid's colour back first.
  const auto painted = After(lines, "> show paint");
  const std::string origin = std::to_string(fx) + "," + std::to_string(fy);
  const std::string target = std::to_string(tx) + "," + std::to_string(ty);
  EXPECT_NE(std::find(painted.begin(), painted.end(), "paint outline 14 at " + origin),
            painted.end())
      << transcript;
  EXPECT_NE(std::find(painted.begin(), painted.end(), "paint outline 14 at " + target),
            painted.end());
  // The second trace: what the press painted.
  std::vector<std::string> second;
  int seen = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i] == "> show paint") ++seen;
    if (seen == 2 && lines[i].starts_with("paint ")) second.push_back(lines[i]);
  }
  ASSERT_GE(second.size(), 2u) << transcript;
  EXPECT_EQ(second[0], "paint outline 2 at " + origin);
  EXPECT_EQ(second[1], "paint outline 2 at " + target);

  // With the analysis window open the hint goes there, without a box.
  EXPECT_EQ(After(lines, "> menu ANALYSIS"), std::vector<std::string>{"analysis window shown"});
  EXPECT_NE(std::find(lines.begin(), lines.end(), "checks MIDORI KEIKA BGM UREI LEVEL3 ANALYSIS"),
            lines.end())
      << transcript;
  EXPECT_EQ(After(lines, "> menu 検討ウィンドウ"),
            std::vector<std::string>{"analysis window hidden"});
  int boxes = 0, hints = 0;
  for (const std::string& l : lines) {
    boxes += l.starts_with("message ヒント");
    hints += l.starts_with("hint ");
  }
  EXPECT_EQ(hints, 2);
  EXPECT_EQ(boxes, 1);
  // A fixed node budget: the same transcript on every run.
  EXPECT_EQ(Run(script), transcript);
}

TEST_F(KentouScript, HintFollowsTheSideToMoveBetweenTwoPlayersAndCanBePlayed) {
  const auto lines =
      Lines(Run("menu START\npress left 5 8\npress left 5 7\nmenu HINT\nshow board\n"));
  const auto hinted = After(lines, "> menu HINT");
  ASSERT_FALSE(hinted.empty());
  std::smatch m;
  ASSERT_TRUE(std::regex_match(hinted[0], m, kHint)) << hinted[0];
  EXPECT_GT(std::stoi(m[5]), 0);  // the upper army is to move
  // Played by its presses, the hinted move is accepted.
  const int fx = std::stoi(m[1]), fy = std::stoi(m[2]), tx = std::stoi(m[3]), ty = std::stoi(m[4]);
  const int pressY = fx == -1 ? 10 - fy : fy;  // the upper hand runs upwards
  const std::string play = "menu START\npress left 5 8\npress left 5 7\npress left " +
                           std::to_string(fx) + " " + std::to_string(pressY) + "\npress left " +
                           std::to_string(tx) + " " + std::to_string(ty) + "\nshow flags\n";
  const std::string played = Run(play);
  EXPECT_NE(played.find("MoveCount=2"), std::string::npos) << played;
}

TEST_F(KentouScript, ShowMovesListsTheLineAndMarksThePositionOnTheBoard) {
  const auto lines =
      Lines(Run("menu START\npress left 5 8\npress left 5 7\npress left 5 3\npress left 5 4\n"
                "press left 5 7\npress left 5 6\nshow moves\nmenu REPLAY\nshow moves\n"));
  const auto atEnd = After(lines, "> show moves");
  EXPECT_EQ(atEnd, (std::vector<std::string>{"moves 3", "  1 ▲６七歩(68)", "  2 △６四歩(63)",
                                             "* 3 ▲６六歩(67)"}));
  // One move back: the list still holds the three moves, the second marked.
  std::vector<std::string> back;
  bool second = false;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i] == "> show moves") {
      if (second) {
        for (std::size_t j = i + 1; j < lines.size() && !lines[j].starts_with("> "); ++j)
          back.push_back(lines[j]);
      }
      second = true;
    }
  EXPECT_EQ(back, (std::vector<std::string>{"moves 3", "  1 ▲６七歩(68)", "* 2 △６四歩(63)",
                                            "  3 ▲６六歩(67)"}));
}

}  // namespace
}  // namespace qz
