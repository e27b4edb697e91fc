// Random-event soak: drives the real game state through its event interface
// with recording ports and checks the game's invariants after every event.
//
//   qz_soak [--events N] [--seed S] [--trace-from K]
//
// A failure prints the seed and the event number; rerunning with the same
// seed replays the same events, and --trace-from K prints each event from
// the K-th on.
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/movegen.h"
#include "model/placement.h"
#include "play/cp932.h"
#include "play/record_file.h"
#include "script/recording_ports.h"
#include "shell/game.h"
#include "shell/grid.h"

namespace fs = std::filesystem;

namespace {

struct Failure {
  std::string what;
};

// Paints nothing and keeps nothing (a recording canvas would grow with every
// text over a long run); counts the computer's thinking notices.
class CountingCanvas : public qz::Canvas {
 public:
  void drawPicture(int, double, double) override {}
  void drawOutline(int, double, double, double, double) override {}
  void drawText(std::string_view text, double, double, int, bool, int) override {
    if (text == "思考中") ++thinkingTexts;
  }
  void refresh() override {}
  long thinkingTexts = 0;  // two per computer turn: shadow and text
};

struct Totals {
  long events = 0, moves = 0, gamesWon = 0, computerTurns = 0;
  long recordsSaved = 0, recordsRead = 0, saveFailures = 0, readFailures = 0;
  long restarts = 0, midnights = 0, strangeMoves = 0;
  long namesRefused = 0, readOnlyKept = 0, linksWritten = 0;
};

class Soak {
 public:
  Soak(unsigned long seed, fs::path dir, long traceFrom)
      : rng_(seed), dir_(std::move(dir)), traceFrom_(traceFrom) {
    for (const char* name : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"}) {
      std::ofstream(dir_ / name, std::ios::binary) << "RIFF stand-in " << name;
    }
    std::ofstream(dir_ / qz::HelpPageName, std::ios::binary) << "<html></html>";
    Start();
  }

  void Step(long n) {
    event_ = n;
    totals_.events = n;
    const int kind = Pick(100);
    // Answers for any question the event may ask.
    rp_->dialogs.answers.clear();
    rp_->dialogs.answers.push_back(Pick(2) == 0);
    rp_->dialogs.versionChoices.clear();
    rp_->dialogs.versionChoices.push_back(Pick(4) == 0 ? qz::VersionChoice::HomePage
                                                       : qz::VersionChoice::Ok);
    rp_->dialogs.shown.clear();
    rp_->sound.calls.clear();
    const int winnerBefore = game_->flags.Winner;
    bool mayMove = false;

    if (kind < 30) {
      Trace("legal-move presses");
      LegalMovePresses();
      mayMove = true;
    } else if (kind < 45) {
      RandomPress();
      mayMove = true;
    } else if (kind < 70) {
      mayMove = RandomMenu();
    } else if (kind < 78) {
      TimePasses();
    } else if (kind < 82) {
      Trace("tick");
      game_->TimerTick();
      // Keys other than Esc do nothing.
      const int key = 1 + Pick(255);
      if (key != 27 && game_->KeyPress(key)) Fail("a key other than Esc ended the program");
    } else if (kind < 88) {
      SaveRecord();
    } else if (kind < 93) {
      ReadRecord();
    } else if (kind < 95) {
      TypeInPanel();
    } else if (kind < 96) {
      ChangeFolder();
    } else if (kind < 98) {
      BreakOrRestoreFiles();
    } else {
      Restart(Pick(3));
    }

    if (mayMove) {
      const int moves = Plays(game_->sounds.SndPiece);
      totals_.moves += moves;
      if (garbage_) totals_.strangeMoves += moves;
    }
    if (winnerBefore == qz::NoTurn && game_->flags.Winner != qz::NoTurn) ++totals_.gamesWon;
    for (const auto& s : rp_->dialogs.shown) {
      if (s.text == "棋譜を書き込みました") ++totals_.recordsSaved;
      if (s.text == " 読み込みました") ++totals_.recordsRead;
    }
    Check();
  }

  Totals totals() {
    totals_.computerTurns = canvas_.thinkingTexts / 2;
    return totals_;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

  void Trace(const std::string& what) {
    if (event_ < traceFrom_) return;
    const auto& g = *game_;
    std::fprintf(stderr,
                 "[%ld] %s  turn=%d mode=%d winner=%d rec=%d moves=%d/%d hands=%d/%d hc=%d/%d\n",
                 event_, what.c_str(), g.flags.Turn, g.flags.GameMode, g.flags.Winner,
                 g.flags.RecordMode, g.hist.MoveCount, g.hist.LastSnapshot, g.pos.HandTotal[0],
                 g.pos.HandTotal[1], g.flags.HandicapLevel, g.flags.HandicapSet);
  }

  int Plays(std::int32_t buffer) const {
    if (buffer == 0) return 0;
    int n = 0;
    for (const auto& c : rp_->sound.calls) n += c.op == "play" && c.handle == buffer;
    return n;
  }

  void Start() {
    rp_ = std::make_unique<qz::RecordingPorts>();
    rp_->panel.dirPath = dir_.string();
    rp_->panel.filesPath = dir_.string();
    rp_->panel.notReadyDrives = {"/no-drive"};
    qz::Ports ports = rp_->ports();
    ports.canvas = &canvas_;
    game_ = std::make_unique<qz::Game>(ports, dir_.string());
    // The deep levels think a few hundred nodes with a small table here: the
    // soak is about the turn around the search, not its strength.
    game_->deep.NodeLimit = 400;
    game_->deep.HashMegabytes = 1;
    game_->Load();
  }

  // Ends the program in one of its three ways and starts it again, which
  // also reads back the settings file.
  void Restart(int way) {
    Trace("restart " + std::to_string(way));
    if (way == 0) {
      if (!game_->Menu(qz::MenuCommand::OWARI)) Fail("終わり did not end the program");
    } else if (way == 1) {
      if (!game_->KeyPress(27)) Fail("Esc did not end the program");
    } else {
      game_->Close();
    }
    const auto before = game_->checks;
    Start();
    ++totals_.restarts;
    garbage_ = false;
    if (!SameOptions(before, game_->checks)) Fail("options not kept across a restart");
  }

  static bool SameOptions(const qz::MenuChecks& a, const qz::MenuChecks& b) {
    return a.MIDORI == b.MIDORI && a.TATAMI == b.TATAMI && a.TAKE == b.TAKE && a.UCHU == b.UCHU &&
           a.RENGA == b.RENGA && a.SIDOU == b.SIDOU && a.KEIKA == b.KEIKA && a.BGM == b.BGM &&
           a.UREI == b.UREI;
  }

  void Press(int button, int x, int y) {
    const int X = static_cast<int>(qz::grid::TwipsX(x)) + 1 + Pick(613);
    const int Y = static_cast<int>(qz::grid::TwipsY(y)) + 1 + Pick(688);
    game_->MouseDown(button, 0, X, Y);
  }

  // Left mostly, right often, and now and then the middle or an odd button.
  int RandomButton() {
    const int r = Pick(20);
    return r < 12 ? 1 : r < 18 ? 2 : r < 19 ? 4 : Pick(256);
  }

  // Anywhere over the window and somewhat beyond it, at any twip.
  void RandomPress() {
    const int X = -3 * 615 + Pick(32 * 615);
    const int Y = -2 * 690 + Pick(20 * 690);
    const int button = RandomButton();
    Trace("press " + std::to_string(button) + " @" + std::to_string(X) + "," + std::to_string(Y));
    game_->MouseDown(button, Pick(8), X, Y);
  }

  // Presses that enter a legal move of the side to move, so that games go on:
  // a board move mostly, a drop now and then. The right button promotes; now
  // and then any button is used, which also tries the refusals.
  void LegalMovePresses() {
    auto& g = *game_;
    if (g.flags.Turn == qz::NoTurn || g.flags.Winner != qz::NoTurn || g.flags.RecordMode == 1) {
      Press(RandomButton(), 1 + Pick(10), 1 + Pick(10));
      return;
    }
    const qz::Side side = g.flags.Turn == g.flags.LowerSideToken ? qz::SITA : qz::UE;
    const int n = qz::ListMoves(g.pos, side, moves_.data());
    int boardMoves = 0;
    for (int i = 0; i < n; ++i)
      if (!qz::IsDropOrigin(moves_[static_cast<size_t>(i)].fromX))
        std::swap(moves_[static_cast<size_t>(i)], moves_[static_cast<size_t>(boardMoves++)]);
    if (n == 0) {
      Press(RandomButton(), 1 + Pick(10), 1 + Pick(10));
      return;
    }
    const bool drop = boardMoves == 0 || (boardMoves < n && Pick(8) == 0);
    const int k = drop ? boardMoves + Pick(n - boardMoves) : Pick(boardMoves);
    const qz::GameMove m = moves_[static_cast<size_t>(k)];
    bool promotes = false;
    if (drop) {
      const int i = qz::HandIndexOfDropOrigin(m.fromX, m.fromY);
      if (side == qz::SITA)
        Press(1, 12, i + 1);
      else
        Press(1, -1, 10 - i);
    } else {
      promotes = m.code != g.pos.Board[m.fromX][m.fromY];
      Press(1, m.fromX, m.fromY);
    }
    Press(Pick(8) == 0 ? RandomButton() : promotes ? 2 : 1, m.toX, m.toY);
  }

  // Every menu command but 終わり (see Restart). True for the commands that
  // may make a move.
  bool RandomMenu() {
    using M = qz::MenuCommand;
    static const M all[] = {
        M::START,      M::SENTE,         M::GOTE,      M::LEVEL1,      M::LEVEL2,     M::LEVEL3,
        M::LEVEL4,     M::LEVEL5,        M::LEVEL6,    M::LEVEL7,      M::LEVEL8,     M::CANCEL,
        M::REVERSE,    M::REPLAY,        M::AFTER,     M::LBEL_UP,     M::LEBEL_DOWN, M::KIFU_READ,
        M::KIFU_WRITE, M::MIDORI,        M::TATAMI,    M::TAKE,        M::UCHU,       M::RENGA,
        M::SIDOU,      M::KEIKA,         M::BGM,       M::UREI,        M::SAREI,      M::KAISETU,
        M::VER,        M::OPEN_TAIKYOKU, M::OPEN_STOP, M::OPEN_OPTION, M::HINT,       M::ANALYSIS};
    const M m = all[Pick(static_cast<int>(std::size(all)))];
    Trace("menu " + std::to_string(static_cast<int>(m)));
    rp_->browser.available = Pick(4) != 0;
    if (game_->Menu(m)) Fail("a menu command other than 終わり ended the program");
    return m == M::START || m == M::SENTE || m == M::GOTE;
  }

  // Ticks of the clock after some time has passed: a fraction of a second,
  // hours, or across midnight.
  void TimePasses() {
    auto& t = rp_->time;
    const int r = Pick(10);
    if (r == 0) {
      t.now = 86400.0 - 0.01 * (1 + Pick(300));  // just before midnight
      Trace("time just before midnight");
      game_->TimerTick();
      t.advance(0.05 * (1 + Pick(200)));
      ++totals_.midnights;
    } else if (r < 3) {
      t.advance(Pick(20000));
    } else {
      t.advance(Pick(5) * 0.3);
    }
    Trace("tick after time passed");
    game_->TimerTick();
    if (!(t.now >= 0.0 && t.now < 86400.0)) Fail("time of day out of range");
  }

  void TypeInPanel() {
    static const char* names[] = {"",     "対局", "名人戦", "先手太郎", "後手花子", "game", "a b",
                                  "棋譜", "😀",    "..",     "x/y",      "ｶﾀｶﾅ",     "\t"};
    rp_->panel.texts[1 + Pick(4)] = names[Pick(static_cast<int>(std::size(names)))];
  }

  // The record panel's drive and folder lists: the soak folder, a folder
  // that does not exist, or a drive that is not ready.
  void ChangeFolder() {
    const int r = Pick(4);
    Trace("folder " + std::to_string(r));
    if (r == 0) {
      game_->Drive1Change("/no-drive");
    } else if (r == 1) {
      rp_->panel.dirPath = (dir_ / "no-such-folder").string();
      game_->Dir1Change();
    } else {
      game_->Drive1Change(dir_.string());
    }
  }

  bool SaidSaved() const {
    for (const auto& s : rp_->dialogs.shown)
      if (s.text == "棋譜を書き込みました") return true;
    return false;
  }

  // The record a name reaches: a link is written through to its target.
  std::string RecordBehind(const std::string& file) const {
    std::error_code ec;
    return file == "linked.棋譜" && fs::is_symlink(dir_ / file, ec) ? "soak.棋譜" : file;
  }

  bool Said(const std::string& text) const {
    for (const auto& s : rp_->dialogs.shown)
      if (s.text == text) return true;
    return false;
  }

  // Header names the record file can hold.
  bool HeadersFit() const {
    for (int box = 2; box <= 4; ++box) {
      const std::string& t = rp_->panel.texts[box];
      if (t.find_first_of("\r\n") != std::string::npos || !qz::Utf8ToCp932(t)) return false;
    }
    return true;
  }

  std::string Contents(const std::string& file) const {
    std::ifstream in(dir_ / file, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  void SaveRecord() {
    game_->Menu(qz::MenuCommand::KIFU_WRITE);
    // Names a player may type (up to the longest the file system takes),
    // and names that are no file name: they hold control characters or
    // separators, or would reach the wave files or the settings file.
    static const std::string files[] = {"soak",
                                        "試合",
                                        "",
                                        "sub/deep",
                                        "😀",
                                        "blocked",
                                        std::string(300, 'x'),
                                        std::string(255 - 7, 'n'),
                                        std::string(256 - 7, 'n'),
                                        "linked",
                                        "dangling",
                                        std::string("BGM.wav\0x", 9),
                                        std::string("QZ嶺将棋.ini\0", 16),
                                        "a\\b",
                                        "tab\tname",
                                        "\x7f",
                                        "../soak"};
    const std::string name = files[Pick(static_cast<int>(std::size(files)))];
    Trace("save " + name + (garbage_ ? " (garbage)" : ""));
    rp_->panel.texts[1] = name;
    if (Pick(2)) rp_->panel.texts[2] = "対局名";
    const bool inSoakFolder = rp_->panel.filesPath == dir_.string();
    // The button exists only on the open panel; a refused 棋譜書込 leaves it hidden.
    if (!rp_->panel.ioVisible) return;
    const std::string file = name + ".棋譜";
    const bool validName = qz::IsRecordFileName(name);
    const bool hasData = game_->hist.LastSnapshot >= 1;
    // A record its owner made read-only, which this user cannot write.
    const bool locked = validName && inSoakFolder && ::access((dir_ / file).c_str(), F_OK) == 0 &&
                        ::access((dir_ / file).c_str(), W_OK) != 0;
    const std::string before = locked ? Contents(file) : "";
    std::error_code ec;
    const bool link = validName && fs::is_symlink(dir_ / file, ec);
    game_->Command1Click();

    if (!name.empty() && !validName && hasData) {
      if (!Said("ﾌｧｲﾙ名に使えない文字があります"))
        Fail("a name that is no file name was not refused");
      ++totals_.namesRefused;
    }
    if (SaidSaved()) {
      if (!inSoakFolder) Fail("a record was saved into a folder that does not exist");
      if (!validName) Fail("a record was saved under a name that is no file name");
      if (locked) Fail("a read-only record was replaced");
      // A record written from positions no game produced reads back as such.
      if (garbage_)
        tainted_.insert(RecordBehind(file));
      else
        tainted_.erase(RecordBehind(file));
      if (link) {
        if (!fs::is_symlink(dir_ / file, ec)) Fail("saving through a link replaced the link");
        ++totals_.linksWritten;
      }
      Trace("saved " + file);
    } else {
      if (!rp_->dialogs.shown.empty()) ++totals_.saveFailures;
      // Every name the file system takes is saved where nothing stands in the way.
      const bool fits = name.size() + 7 <= 255;
      if (validName && fits && hasData && inSoakFolder && HeadersFit() && !locked &&
          name != "blocked" && name != "dangling")
        Fail("a record named " + std::to_string(name.size()) + " bytes long was not saved");
    }
    if (locked) {
      if (Contents(file) != before) Fail("a read-only record changed");
      ++totals_.readOnlyKept;
    }
    for (const char* wave : {"その他.wav", "禁止.wav", "駒打音.wav", "BGM.wav"})
      if (Contents(wave) != std::string("RIFF stand-in ") + wave)
        Fail("a save reached a wave file");
  }

  void ReadRecord() {
    game_->Menu(qz::MenuCommand::KIFU_READ);
    names_.clear();
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir_, ec)) {
      const auto name = e.path().filename().string();
      if (name.size() > 7 && name.ends_with(".棋譜")) names_.push_back(name);
    }
    std::sort(names_.begin(), names_.end());
    names_.push_back("missing.棋譜");
    const std::string name = names_[static_cast<size_t>(Pick(static_cast<int>(names_.size())))];
    Trace("read " + name);
    game_->File1Click(name);
    bool refused = false;
    for (const auto& s : rp_->dialogs.shown)
      refused = refused || s.text.starts_with("棋譜ﾌｧｲﾙを読み込めません");
    if (refused) {
      ++totals_.readFailures;  // the game on the board stays as it was
    } else if (game_->flags.RecordMode == 1) {
      garbage_ = name == "broken.棋譜" || tainted_.count(RecordBehind(name)) != 0;
    }
  }

  // Breaks a record file or puts a directory where a record should be; makes
  // a record read-only or writable again; lays links to records.
  void BreakOrRestoreFiles() {
    const int r = Pick(6);
    Trace("files " + std::to_string(r));
    std::error_code ec;
    if (r == 0) {
      std::ofstream(dir_ / "broken.棋譜", std::ios::binary) << "x\r\n\r\n\r\n  10 -10 zz\n"
                                                            << Pick(1000);
    } else if (r == 3) {
      WriteStrangeRecord();
    } else if (r == 1) {
      fs::create_directories(dir_ / "blocked.棋譜", ec);
    } else if (r == 4) {
      struct stat st {};
      if (::stat((dir_ / "試合.棋譜").c_str(), &st) == 0)
        ::chmod((dir_ / "試合.棋譜").c_str(), (st.st_mode & 0222) != 0 ? 0444 : 0644);
    } else if (r == 5) {
      // A save before the link was laid left a plain record of that name.
      if (!fs::is_symlink(dir_ / "linked.棋譜", ec)) {
        fs::remove(dir_ / "linked.棋譜", ec);
        tainted_.erase("linked.棋譜");
        fs::create_symlink("soak.棋譜", dir_ / "linked.棋譜", ec);
      }
      if (!fs::is_symlink(dir_ / "dangling.棋譜", ec))
        fs::create_symlink("gone/none.棋譜", dir_ / "dangling.棋譜", ec);
    } else {
      fs::remove(dir_ / "broken.棋譜", ec);
    }
  }

  // A record of positions no game reaches, to be stepped through and played
  // on: pieces on any square (also where they could never move again), no
  // king or several, crowded hands, clocks negative or past a day.
  void WriteStrangeRecord() {
    static const int kinds[] = {10,  11,  20,  21,  30,  31,  40,  41,  100,
                                101, 110, 210, 211, 800, 801, 900, 901, 950};
    std::string text = "strange\r\n\r\n\r\n";
    const int entries = 1 + Pick(6);
    const int density = 2 + Pick(60);
    for (int k = 0; k < entries; ++k) {
      char field[16];
      for (int i = 0; i < 100; ++i) {
        int code = 0;
        if (Pick(100) < density) {
          code = kinds[Pick(static_cast<int>(std::size(kinds)))];
          if (Pick(2)) code = -code;
        }
        std::snprintf(field, sizeof field, "%4d", code);
        text += field;
      }
      int hands[18];
      for (int& h : hands) h = Pick(3) == 0 ? Pick(Pick(5) == 0 ? 40 : 4) : 0;
      for (int h : hands) text += static_cast<char>('0' + std::min(h, 9));
      int clocks[4];
      for (int& c : clocks) c = Pick(10) == 0 ? Pick(200000) - 9999 : Pick(3600);
      for (int c : clocks) {
        std::snprintf(field, sizeof field, "%5d", std::min(c, 99999));
        text += field;
      }
      text += ";H=";
      for (int i = 0; i < 18; ++i) {
        if (i) text += ',';
        text += std::to_string(hands[i]);
      }
      text += ";T=";
      for (int i = 0; i < 4; ++i) {
        if (i) text += ',';
        text += std::to_string(clocks[i]);
      }
      text += "\r\n";
    }
    std::ofstream(dir_ / "broken.棋譜", std::ios::binary) << text;
  }

  void Fail(const std::string& what) { throw Failure{what}; }

  // A fresh game: the starting position of either placement with nothing
  // stored beyond it. Only then do positions read from a broken record stop
  // mattering.
  bool FreshStart() const {
    const auto& g = *game_;
    if (g.hist.MoveCount != 0 || g.hist.LastSnapshot != 0) return false;
    if (g.pos.HandTotal[0] != 0 || g.pos.HandTotal[1] != 0) return false;
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

  void Check() {
    const auto& g = *game_;
    const auto& p = g.pos;
    if (garbage_ && g.flags.RecordMode == 0 && FreshStart()) garbage_ = false;
    if (garbage_) return CheckFlagsAndFiles();
    int kings = 0, pieces = 0;
    for (int x = 1; x <= 10; ++x)
      for (int y = 1; y <= 10; ++y) {
        const int c = p.Board[x][y];
        if (c == 0) continue;
        if (c > -10 && c < 10) Fail("a square holds an impossible code");
        if (c == 950 || c == -950)
          ++kings;
        else
          ++pieces;
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
    const int removed = g.flags.HandicapLevel < 0 ? -g.flags.HandicapLevel : g.flags.HandicapLevel;
    if (pieces != 44 - removed) {
      Fail("pieces created or lost: " + std::to_string(pieces) + " besides the kings, handicap " +
           std::to_string(g.flags.HandicapLevel));
    }
    if (kings > 2 || (kings < 2 && g.flags.Winner == qz::NoTurn))
      Fail("a king vanished without a winner");
    CheckHistory(44 - removed);
    CheckFlagsAndFiles();
  }

  // Every stored position holds the same pieces.
  void CheckHistory(int expected) {
    const auto& h = game_->hist;
    for (int k = h.LastSnapshot > 0 ? 0 : 1; k <= h.LastSnapshot; ++k) {
      const auto& e = h.entries[k];
      int pieces = 0;
      for (int x = 1; x <= 10; ++x)
        for (int y = 1; y <= 10; ++y)
          pieces += e.Board[x][y] != 0 && e.Board[x][y] != 950 && e.Board[x][y] != -950;
      for (int s = 0; s < 2; ++s)
        for (int i = 1; i <= 9; ++i) pieces += e.Hand[s][i];
      if (pieces != expected)
        Fail("history entry " + std::to_string(k) + " holds " + std::to_string(pieces) +
             " pieces besides the kings");
    }
  }

  void CheckFlagsAndFiles() {
    const auto& g = *game_;
    const auto& h = g.hist;
    if (h.MoveCount < 0 || h.MoveCount > qz::History::Capacity) Fail("MoveCount out of range");
    if (h.LastSnapshot < 0 || h.LastSnapshot >= qz::History::Capacity)
      Fail("LastSnapshot out of range");
    if (h.MoveCount > h.LastSnapshot + 1) Fail("MoveCount beyond the stored line of play");
    auto token = [](int t) { return t == 1 || t == -1; };
    if (!(token(g.flags.Turn) || g.flags.Turn == 0)) Fail("Turn");
    if (!(token(g.flags.Winner) || g.flags.Winner == 0)) Fail("Winner");
    if (!token(g.flags.LowerSideToken) || g.flags.UpperSideToken != -g.flags.LowerSideToken)
      Fail("side tokens");
    if (g.input.InputState != qz::Idle && g.input.InputState != qz::PieceSelected)
      Fail("InputState");
    if (g.checks.UREI == g.checks.SAREI) Fail("placement check marks");
    if (g.checks.LEVEL1 + g.checks.LEVEL2 + g.checks.LEVEL3 + g.checks.LEVEL4 + g.checks.LEVEL5 +
            g.checks.LEVEL6 + g.checks.LEVEL7 + g.checks.LEVEL8 !=
        1)
      Fail("level check marks");
    if (!(g.clocks.LowerClock >= 0 && g.clocks.UpperClock >= 0 && g.clocks.TurnElapsed >= 0))
      Fail("a clock ran backwards");
    CheckSettingsFile();
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(dir_, ec))
      if (e.path().filename().string().ends_with(".tmp")) Fail("a temporary file was left behind");
  }

  void CheckSettingsFile() {
    std::ifstream in(dir_ / qz::SettingsFileName, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    const auto text = qz::Cp932ToUtf8(ss.str());
    if (!text) Fail("settings file is not CP932");
    const auto& c = game_->checks;
    std::string expected;
    if (c.MIDORI)
      expected += "背景画=嶺\r\n";
    else if (c.TAKE)
      expected += "背景画=竹\r\n";
    else if (c.TATAMI)
      expected += "背景画=畳\r\n";
    else if (c.UCHU)
      expected += "背景画=宇宙\r\n";
    else if (c.RENGA)
      expected += "背景画=煉瓦\r\n";
    expected += c.SIDOU ? "移動指導=ON\r\n" : "移動指導=OFF\r\n";
    expected += c.KEIKA ? "経過時間=ON\r\n" : "経過時間=OFF\r\n";
    expected += c.BGM ? "BGM=ON\r\n" : "BGM=OFF\r\n";
    expected += c.UREI ? "初期配置=右嶺\r\n" : "初期配置=左嶺\r\n";
    if (*text != expected) Fail("settings file does not match the check marks:\n" + *text);
  }

  std::mt19937 rng_;
  fs::path dir_;
  long traceFrom_;
  CountingCanvas canvas_;
  std::unique_ptr<qz::RecordingPorts> rp_;
  std::unique_ptr<qz::Game> game_;
  long event_ = 0;
  bool garbage_ = false;
  std::set<std::string> tainted_;
  std::array<qz::GameMove, qz::kMaxMoves> moves_{};
  std::vector<std::string> names_;
  Totals totals_;
};

// Plays as a player would: root writes through any file mode, so as root the
// soak hands its folder to "nobody" and becomes that user.
void BecomePlayer(const fs::path& dir) {
  if (::geteuid() != 0) return;
  const passwd* nobody = ::getpwnam("nobody");
  const uid_t uid = nobody ? nobody->pw_uid : 65534;
  const gid_t gid = nobody ? nobody->pw_gid : 65534;
  if (::chown(dir.c_str(), uid, gid) != 0 || ::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 ||
      ::setuid(uid) != 0)
    std::fprintf(stderr,
                 "soak: playing as root (cannot become nobody): read-only files are written\n");
}

}  // namespace

int main(int argc, char** argv) {
  long events = 100000;
  unsigned long seed = 20261208;
  long traceFrom = 1L << 62;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string a = argv[i];
    if (a == "--events")
      events = std::atol(argv[i + 1]);
    else if (a == "--seed")
      seed = std::strtoul(argv[i + 1], nullptr, 10);
    else if (a == "--trace-from")
      traceFrom = std::atol(argv[i + 1]);
    else {
      std::fprintf(stderr, "usage: qz_soak [--events N] [--seed S] [--trace-from K]\n");
      return 2;
    }
  }
  if (argc % 2 == 0) {
    std::fprintf(stderr, "usage: qz_soak [--events N] [--seed S] [--trace-from K]\n");
    return 2;
  }
  const fs::path dir = fs::temp_directory_path() /
                       ("qz-soak-" + std::to_string(seed) + "-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  BecomePlayer(dir);
  const auto started = std::chrono::steady_clock::now();
  int status = 0;
  long n = 0;
  try {
    Soak soak(seed, dir, traceFrom);
    for (n = 1; n <= events; ++n) soak.Step(n);
    const Totals t = soak.totals();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("soak: %ld events, seed %lu: all invariants held (%.1f s)\n", t.events, seed,
                seconds);
    std::printf("  moves made %ld (%ld from broken records), games won %ld, computer turns %ld\n",
                t.moves, t.strangeMoves, t.gamesWon, t.computerTurns);
    std::printf("  records saved %ld, read %ld; refused saves %ld, refused reads %ld\n",
                t.recordsSaved, t.recordsRead, t.saveFailures, t.readFailures);
    std::printf("  names refused %ld, read-only records kept %ld, saves through a link %ld\n",
                t.namesRefused, t.readOnlyKept, t.linksWritten);
    std::printf("  restarts %ld, clock runs across midnight %ld\n", t.restarts, t.midnights);
  } catch (const Failure& f) {
    std::fprintf(stderr, "soak FAILED at event %ld (seed %lu): %s\n", n, seed, f.what.c_str());
    std::fprintf(stderr, "  replay: qz_soak --events %ld --seed %lu --trace-from %ld\n", n, seed,
                 n > 20 ? n - 20 : 1);
    status = 1;
  }
  std::error_code ec;
  if (std::getenv("QZ_SOAK_KEEP"))
    std::fprintf(stderr, "kept %s\n", dir.c_str());
  else
    fs::remove_all(dir, ec);
  return status;
}
