// The owner of all game state for the whole run, with the game's procedures
// as its operations. Driven by events (presses, menu commands, timer ticks,
// keys, the record panel) and observed through the ports. The state is
// grouped by the chapters of the code (game_state.h); each block of
// procedures below names the file that holds it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/computer_player.h"
#include "model/control_maps.h"
#include "model/game_move.h"
#include "model/make_move.h"
#include "model/position.h"
#include "play/history.h"
#include "shell/constants.h"
#include "shell/game_state.h"
#include "shell/ports.h"

namespace qz {

enum class MenuCommand {
  START,
  SENTE,
  GOTE,
  LEVEL1,
  LEVEL2,
  LEVEL3,
  LEVEL4,
  LEVEL5,
  LEVEL6,
  LEVEL7,
  LEVEL8,
  OWARI,  // 対局
  CANCEL,
  REVERSE,  // 局面
  REPLAY,
  AFTER,
  LBEL_UP,
  LEBEL_DOWN,  // 戻 進 △ ▽
  KIFU_READ,
  KIFU_WRITE,  // 棋譜
  MIDORI,
  TATAMI,
  TAKE,
  UCHU,
  RENGA,
  SIDOU,
  KEIKA,
  BGM,
  UREI,
  SAREI,  // ｵﾌﾟｼｮﾝ
  KAISETU,
  VER,  // その他
  HINT,
  ANALYSIS,  // 検討
  // Opening a top-level menu (hides the record panel).
  OPEN_TAIKYOKU,
  OPEN_STOP,
  OPEN_OPTION,
};

// The menu check marks; the front end mirrors them after every event.
struct MenuChecks {
  bool MIDORI = false, TATAMI = true, TAKE = false, UCHU = false, RENGA = false;
  bool SIDOU = false, KEIKA = false, BGM = false;
  bool UREI = false, SAREI = true;
  bool LEVEL1 = false, LEVEL2 = false, LEVEL3 = false, LEVEL4 = false, LEVEL5 = false;
  bool LEVEL6 = false, LEVEL7 = false, LEVEL8 = false;
  bool ANALYSIS = false;
};

class Game : private MoveView, private SearchObserver {
 public:
  // workDir: the current directory at start-up; the settings file, the wave
  // files and the help page are found there.
  Game(const Ports& ports, std::string workDir);
  ~Game();

  // ---- events (game.cpp) --------------------------------------------------
  void Load();                                          // start-up sequence
  void MouseDown(int button, int shift, int X, int Y);  // Form_MouseDown
  // Returns true when the program must end (終わり).
  bool Menu(MenuCommand command);
  void TimerTick() { Timer1_Timer(); }
  // Returns true when the key ends the program (Esc, 27).
  bool KeyPress(int key);
  void Close() { 終了処理(); }
  void Drive1Change(const std::string& drive);
  void Dir1Change();
  void File1Click(const std::string& fileName);
  void Command1Click();

  // ---- state (public so that the front end, the script runner and tests can
  // observe it; only the game's own operations write it) -------------------
  // The position, its control maps, the computer players and the history;
  // then the groups of game_state.h: flags (commands, input, replay,
  // handicap), input (the move being entered), screen (colours and
  // background), clocks, checks (the menu's marks) and sounds.
  Ports ports;
  std::string StartDir;

  Position pos;
  ControlMaps maps{};
  // The one-ply computer; its Level (1..8) is also the level of the game:
  // 4 to 8 are the deep levels, which think with deep.searcher.
  ComputerPlayer com{pos, maps};
  DeepLevels deep;
  History hist;

  GameFlags flags;
  MoveInput input;
  ScreenOptions screen;
  Clocks clocks;
  MenuChecks checks;
  SoundBuffers sounds;
  HintState hint;
  AnalysisWindowPlace analysisPlace;

  // =======================================================================
  // Presentation: drawing, last-move texts, level captions, clocks,
  // settings, options, sound, handicap.
  // =======================================================================
  // screen.cpp: the grid, pictures, frames, texts, board, hands, captions.
  void 描画_絵(int code, double x, double y);
  void 描画_桝輪郭(int colour, double x, double y);
  void 描画_数値(double x, double y, long value, int colour, int numeralForm, int size);
  void 描画_数値(double x, double y, std::string_view text, int colour, int numeralForm, int size);
  void 描画_文字列(double x, double y, int code, int colour, int size);
  void 描画_背景(int code);
  void 描画_桝_数値();
  void 描画_盤();
  void 描画_敵持盤();
  void 描画_自持盤();
  void 描画_手数(int n);
  void 描画_ハンデレベル(int level);
  void 描画_将棋盤桝();
  void 描画_棋譜読込み部分消去();
  void 消去_思考中();
  void 画面_再描画();
  // TextColour / ShadowColour for the current background.
  void ChooseTextColours(int& textColour, int& shadowColour) const;

  // move_text.cpp: each side's last move beside the board.
  void 描画_移動駒種類(double column, double row, std::string_view text, int colour);
  void 描画_移動結果(int sideToken, int toX, int toY, PieceCode code);
  void 消去_移動結果(int sideToken);

  // level.cpp: the level entries, its caption and "思考中".
  void LevelCommand(int n);  // LEVEL1..8
  void レベル_設定(int n);
  void 描画_レベル(int n);
  void 描画_思考中();

  // clock.cpp: the elapsed-time clocks.
  void Timer1_Timer();
  void SetTimer1(bool enabled);
  static double 調査_経過秒(double start, double now);
  void 描画_所有時間(int sideToken, double seconds);
  void 消去_所有時間(int sideToken);
  static std::string 調査_時間秒追加結果(double seconds);
  static std::string 変換_数字から文字(long n);
  void KEIKA_Click();
  double Now();  // time of day in seconds

  // settings.cpp: the settings file.
  void 読込_環境設定ファイル();
  void 書込_環境設定ファイル();

  // options.cpp: backgrounds, guidance, music, help and version box.
  void チェック設定(int code);
  void BackgroundCommand(int code);
  void SIDOU_Click();
  void BGM_Click();
  void KAISETU_Click();
  void VER_Click();
  bool OpenInBrowser(const std::string& address);

  // sound.cpp: the playback library and the wave files.
  void SoundInit();
  std::int32_t LoadWave(const std::string& fileName, std::int32_t flags);
  void SoundTerm();
  void ShowSoundError(std::string_view text);
  void Play(std::int32_t buffer);

  // handicap.cpp.
  void HandicapStep(int direction);  // △ +1, ▽ -1

  // =======================================================================
  // Game flow: new game, placements, input, the computer's turn, commands,
  // replay, records, start-up and shutdown.
  // =======================================================================
  // new_game.cpp: a fresh position, the placements, the refusal box, the
  // record panel's visibility, message boxes.
  void 初期設定();
  void PlacementCommand(bool 右嶺);  // SAREI / UREI
  void 描画_メッセージ(int reason, std::string_view title);
  void 描画_可視(bool drive, bool directory, bool file);
  void 描画_棋譜_IO(int mode);  // 0 shows, anything else empties and hides
  void Message(std::string_view title, std::string_view text);

  // input.cpp: the human's presses, selection, guidance and the move.
  void Form_MouseDown(int button, int shift, int X, int Y);
  void 描画_移動可能桝色(int x, int y, int colour, PieceCode piece);
  void CompleteMove(int button);

  // computer_turn.cpp: the computer's turn, its blink and waits; the
  // turn asks the player of its level (shell/turn_players.h; deep_turn.cpp:
  // the deep levels' thinking).
  void com_ban();
  class LevelTurnPlayer;
  class DeepTurnPlayer;
  void StartDeepGame();
  // The deep levels' search, made on first use with its threads.
  search::Searcher& DeepSearcher();
  void 待ち時間(double seconds);
  void 描画_駒点滅(PieceCode piece, int x, int y, int n);

  // commands.cpp: starting or continuing a game.
  void START_Click();
  void SENTE_Click();
  void GOTE_Click();

  // replay.cpp: 進, 戻, 最初 and 反転.
  void AFTER_Click();
  void REPLAY_Click();
  void CANCEL_Click();
  void REVERSE_Click();

  // record_panel.cpp: saving and reading records.
  void KIFU_READ_Click();
  void KIFU_WRITE_Click();
  void WriteRecordFromPanel();
  void ReadRecordFile(const std::string& fileName);
  static double 取得_棋譜のX座標(std::string_view text);

  // kentou.cpp: the 検討 menu: the hint and the analysis window; choosing
  // a move of the move list.
  void HINT_Click();
  void ANALYSIS_Click();
  void ClearHint();
  // Steps with 戻 or 進 until the position after move `moveIndex` (0: the
  // first position of the line) is on the board; stops at the first refusal.
  void ShowPositionAfterMove(int moveIndex);
  // The analysis window was moved or resized: kept in the settings file.
  // Sizes below 200 x 150 or beyond 20000 are not kept.
  void SetAnalysisWindowPlace(int x, int y, int width, int height);
  // The deep levels and the hint think on this many threads (deep_turn.cpp).
  void SetDeepThreads(int threads);

  void 終了処理();  // game.cpp

 private:
  // MoveView: what 駒移動 repaints.
  void drawHand(Side side) override;
  void drawPicture(PieceCode code, int x, int y) override;
  void drawGridOutline(int x, int y) override;
  // SearchObserver: the clock ticks and the repaint during the search.
  void tick() override;
  void repaint() override;
};

}  // namespace qz
