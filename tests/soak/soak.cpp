// Random-event soak: drives the real game state through its event interface
// with recording ports and checks the game's invariants after every event.
//
//   qz_soak [--events N] [--seed S] [--from-event K]
//
// A failure prints the seed and the event number; rerunning with the same
// seed replays the same events.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/placement.h"
#include "model/rules.h"
#include "play/cp932.h"
#include "shell/game.h"
#include "shell/recording/recording_ports.h"

namespace fs = std::filesystem;

namespace {

struct Failure {
  std::string what;
};

class Soak {
 public:
  Soak(unsigned long seed, fs::path dir) : rng_(seed), dir_(std::move(dir)) {
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"}) {
      std::ofstream(dir_ / name, std::ios::binary) << "RIFF stand-in " << name;
    }
    Start();
  }

  void Step(long n) {
    event_ = n;
    const int kind = Pick(100);
    // Answers for any question the event may ask.
    rp_->dialogs.answers.clear();
    rp_->dialogs.answers.push_back(Pick(2) == 0);
    rp_->dialogs.versionChoices.clear();
    rp_->dialogs.versionChoices.push_back(Pick(4) == 0 ? qz::VersionChoice::HomePage
                                                       : qz::VersionChoice::Ok);
    if (kind < 30) {
      LegalMovePresses();
    } else if (kind < 45) {
      RandomPress();
    } else if (kind < 70) {
      RandomMenu();
    } else if (kind < 80) {
      rp_->time.advance(Pick(4) == 0 ? Pick(20000) : Pick(5) * 0.3);
      game_->TimerTick();
    } else if (kind < 84) {
      game_->TimerTick();
    } else if (kind < 90) {
      SaveRecord();
    } else if (kind < 95) {
      ReadRecord();
    } else if (kind < 97) {
      TypeInPanel();
    } else if (kind < 98) {
      BreakOrRestoreFiles();
    } else {
      Restart(kind);
    }
    Check();
  }

  long events() const { return event_; }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  void Start() {
    rp_ = std::make_unique<qz::RecordingPorts>();
    rp_->canvas.recordOps = false;
    rp_->panel.dirPath = dir_.string();
    rp_->panel.filesPath = dir_.string();
    game_ = std::make_unique<qz::Game>(rp_->ports(), dir_.string());
    game_->Load();
  }

  // Ends the program in one of its three ways and starts it again, which
  // also reads back the settings file.
  void Restart(int kind) {
    if (kind % 3 == 0) {
      game_->Menu(qz::MenuCommand::OWARI);
    } else if (kind % 3 == 1) {
      game_->KeyPress(27);
    } else {
      game_->Close();
    }
    const auto before = game_->checks;
    Start();
    if (!SameOptions(before, game_->checks)) Fail("options not kept across a restart");
  }

  static bool SameOptions(const qz::MenuChecks& a, const qz::MenuChecks& b) {
    return a.MIDORI == b.MIDORI && a.TATAMI == b.TATAMI && a.TAKE == b.TAKE && a.UCHU == b.UCHU &&
           a.RENGA == b.RENGA && a.SIDOU == b.SIDOU && a.KEIKA == b.KEIKA && a.BGM == b.BGM &&
           a.UREI == b.UREI;
  }

  void Press(int button, int x, int y) {
    const int X = 1300 + 615 * x + 1 + Pick(613);
    const int Y = 100 + 690 * y + 1 + Pick(688);
    game_->MouseDown(button, 0, X, Y);
  }

  int RandomButton() {
    const int r = Pick(10);
    return r < 6 ? 1 : (r < 9 ? 2 : 4);
  }

  void RandomPress() {
    const int X = -3 * 615 + Pick(32 * 615);
    const int Y = -2 * 690 + Pick(20 * 690);
    game_->MouseDown(RandomButton(), 0, X, Y);
  }

  // Presses that enter a legal move of the side to move, so that games go on.
  void LegalMovePresses() {
    auto& g = *game_;
    if (g.Turn == qz::NoTurn || g.Winner != qz::NoTurn || g.RecordMode == 1) {
      Press(RandomButton(), 1 + Pick(10), 1 + Pick(10));
      return;
    }
    const bool lower = g.Turn == g.LowerSideToken;
    struct Cand { int fx, fy, tx, ty; };
    std::vector<Cand> cands;
    for (int fx = 1; fx <= 10; ++fx)
      for (int fy = 1; fy <= 10; ++fy) {
        const int c = g.pos.Board[fx][fy];
        if (lower ? c > -10 : c < 10) continue;
        for (int tx = 1; tx <= 10; ++tx)
          for (int ty = 1; ty <= 10; ++ty)
            if (qz::移動チェック(g.pos, fx, fy, tx, ty, c)) cands.push_back({fx, fy, tx, ty});
      }
    if (cands.empty() || Pick(8) == 0) {
      // A drop from the hand of the side to move, if any.
      const qz::Side side = lower ? qz::SITA : qz::UE;
      for (int tries = 0; tries < 9; ++tries) {
        const int i = 1 + Pick(9);
        if (g.pos.Hand[side][i] <= 0) continue;
        if (lower) Press(1, 12, i + 1); else Press(1, -1, 10 - i);
        Press(RandomButton(), 1 + Pick(10), 1 + Pick(10));
        return;
      }
    }
    if (cands.empty()) return;
    const Cand m = cands[static_cast<size_t>(Pick(static_cast<int>(cands.size())))];
    Press(1, m.fx, m.fy);
    Press(Pick(3) == 0 ? 2 : 1, m.tx, m.ty);
  }

  void RandomMenu() {
    using M = qz::MenuCommand;
    static const M all[] = {M::START, M::SENTE, M::GOTE, M::LEVEL1, M::LEVEL2, M::LEVEL3,
                            M::CANCEL, M::REVERSE, M::REPLAY, M::AFTER, M::LBEL_UP,
                            M::LEBEL_DOWN, M::KIFU_READ, M::KIFU_WRITE, M::MIDORI, M::TATAMI,
                            M::TAKE, M::UCHU, M::RENGA, M::SIDOU, M::KEIKA, M::BGM, M::UREI,
                            M::SAREI, M::KAISETU, M::VER, M::OPEN_TAIKYOKU, M::OPEN_STOP,
                            M::OPEN_OPTION};
    const M m = all[Pick(static_cast<int>(std::size(all)))];
    game_->Menu(m);
  }

  void TypeInPanel() {
    static const char* names[] = {"", "対局", "名人戦", "先手太郎", "後手花子", "game",
                                  "a b", "棋譜", "😀", "..", "x/y"};
    rp_->panel.texts[1 + Pick(4)] = names[Pick(static_cast<int>(std::size(names)))];
  }

  void SaveRecord() {
    game_->Menu(qz::MenuCommand::KIFU_WRITE);
    static const char* files[] = {"soak", "試合", "", "sub/deep", "😀", "blocked"};
    rp_->panel.texts[1] = files[Pick(static_cast<int>(std::size(files)))];
    if (Pick(2)) rp_->panel.texts[2] = "対局名";
    game_->Command1Click();
  }

  void ReadRecord() {
    game_->Menu(qz::MenuCommand::KIFU_READ);
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir_, ec)) {
      const auto name = e.path().filename().string();
      if (name.size() > 7 && name.ends_with(".棋譜")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    names.push_back("missing.棋譜");
    const std::string name = names[static_cast<size_t>(Pick(static_cast<int>(names.size())))];
    game_->File1Click(name);
    // A broken record steps through positions no game produced: the piece
    // count means nothing until a new game is set up.
    if (name == "broken.棋譜" && game_->RecordMode == 1) garbage_ = true;
  }

  bool AtStartingPosition() const {
    const auto& g = *game_;
    if (g.hist.MoveCount != 0 || g.pos.HandTotal[0] != 0 || g.pos.HandTotal[1] != 0) return false;
    for (bool right : {false, true}) {
      qz::Position start;
      qz::SetUpStartingPosition(start, right);
      bool same = true;
      for (int x = 1; x <= 10 && same; ++x)
        for (int y = 1; y <= 10 && same; ++y) same = start.Board[x][y] == g.pos.Board[x][y];
      if (same) return true;
    }
    return false;
  }

  // Breaks a record file or puts a directory where a record should be.
  void BreakOrRestoreFiles() {
    const int r = Pick(3);
    if (r == 0) {
      std::ofstream(dir_ / "broken.棋譜", std::ios::binary) << "x\r\n\r\n\r\n  10 -10 zz\n" << Pick(1000);
    } else if (r == 1) {
      std::error_code ec;
      fs::create_directories(dir_ / "blocked.棋譜", ec);
    } else {
      std::error_code ec;
      fs::remove(dir_ / "broken.棋譜", ec);
    }
  }

  void Fail(const std::string& what) { throw Failure{what}; }

  void Check() {
    const auto& g = *game_;
    const auto& p = g.pos;
    if (garbage_ && AtStartingPosition()) garbage_ = false;
    if (garbage_) return CheckFlagsAndFiles();
    int kings = 0, pieces = 0;
    for (int x = 1; x <= 10; ++x)
      for (int y = 1; y <= 10; ++y) {
        const int c = p.Board[x][y];
        if (c == 0) continue;
        if (c > -10 && c < 10) Fail("a square holds an impossible code");
        if (c == 950 || c == -950) ++kings; else ++pieces;
      }
    if (p.Board[0][0] != 0) Fail("Board(0, 0) was written");
    for (int s = 0; s < 2; ++s) {
      int sum = 0;
      for (int i = 1; i <= 9; ++i) {
        if (p.Hand[s][i] < 0) Fail("a negative hand counter");
        sum += p.Hand[s][i];
      }
      if (sum != p.HandTotal[s]) Fail("HandTotal differs from the sum of the hand");
      pieces += sum;
    }
    const int removed = g.HandicapLevel < 0 ? -g.HandicapLevel : g.HandicapLevel;
    if (pieces != 44 - removed) {
      Fail("pieces created or lost: " + std::to_string(pieces) + " besides the kings, handicap " +
           std::to_string(g.HandicapLevel));
    }
    if (kings > 2 || (kings < 2 && g.Winner == qz::NoTurn)) Fail("a king vanished without a winner");
    CheckFlagsAndFiles();
  }

  void CheckFlagsAndFiles() {
    const auto& g = *game_;
    const auto& h = g.hist;
    if (h.MoveCount < 0 || h.MoveCount > qz::History::Capacity) Fail("MoveCount out of range");
    if (h.LastSnapshot < 0 || h.LastSnapshot >= qz::History::Capacity)
      Fail("LastSnapshot out of range");
    if (h.MoveCount > h.LastSnapshot + 1) Fail("MoveCount beyond the stored line of play");
    auto token = [](int t) { return t == 1 || t == -1; };
    if (!(token(g.Turn) || g.Turn == 0)) Fail("Turn");
    if (!(token(g.Winner) || g.Winner == 0)) Fail("Winner");
    if (!token(g.LowerSideToken) || g.UpperSideToken != -g.LowerSideToken) Fail("side tokens");
    if (g.InputState != qz::Idle && g.InputState != qz::PieceSelected) Fail("InputState");
    if (g.checks.UREI == g.checks.SAREI) Fail("placement check marks");
    if (g.checks.LEVEL1 + g.checks.LEVEL2 + g.checks.LEVEL3 != 1) Fail("level check marks");
    CheckSettingsFile();
  }

  void CheckSettingsFile() {
    std::ifstream in(dir_ / qz::SettingsFileName, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const auto text = qz::Cp932ToUtf8(ss.str());
    if (!text) Fail("settings file is not CP932");
    const auto& c = game_->checks;
    std::string expected;
    if (c.MIDORI) expected += "背景画=嶺\r\n";
    else if (c.TAKE) expected += "背景画=竹\r\n";
    else if (c.TATAMI) expected += "背景画=畳\r\n";
    else if (c.UCHU) expected += "背景画=宇宙\r\n";
    else if (c.RENGA) expected += "背景画=煉瓦\r\n";
    expected += c.SIDOU ? "移動指導=ON\r\n" : "移動指導=OFF\r\n";
    expected += c.KEIKA ? "経過時間=ON\r\n" : "経過時間=OFF\r\n";
    expected += c.BGM ? "BGM=ON\r\n" : "BGM=OFF\r\n";
    expected += c.UREI ? "初期配置=右嶺\r\n" : "初期配置=左嶺\r\n";
    if (*text != expected) Fail("settings file does not match the check marks:\n" + *text);
  }

  std::mt19937 rng_;
  fs::path dir_;
  std::unique_ptr<qz::RecordingPorts> rp_;
  std::unique_ptr<qz::Game> game_;
  long event_ = 0;
  bool garbage_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  long events = 100000;
  unsigned long seed = 20261208;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--events") events = std::atol(argv[i + 1]);
    else if (a == "--seed") seed = std::strtoul(argv[i + 1], nullptr, 10);
    else {
      std::fprintf(stderr, "usage: qz_soak [--events N] [--seed S]\n");
      return 2;
    }
  }
  const fs::path dir = fs::temp_directory_path() /
                       ("qz-soak-" + std::to_string(seed) + "-" + std::to_string(std::rand()));
  fs::create_directories(dir);
  int status = 0;
  long n = 0;
  try {
    Soak soak(seed, dir);
    for (n = 1; n <= events; ++n) soak.Step(n);
    std::printf("soak: %ld events, seed %lu: all invariants held\n", events, seed);
  } catch (const Failure& f) {
    std::fprintf(stderr, "soak FAILED at event %ld (seed %lu): %s\n", n, seed, f.what.c_str());
    status = 1;
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return status;
}
