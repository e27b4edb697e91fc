// Construction, start-up, shutdown and the dispatch of the window's events.
#include "shell/game.h"

#include <utility>

#include "search/searcher.h"

namespace qz {

Game::Game(const Ports& p, std::string workDir) : ports(p), StartDir(std::move(workDir)) {}

void Game::Load() {
  SoundInit();
  sounds.SndOther = LoadWave("その他.wav", 3);
  sounds.SndForbidden = LoadWave("禁止.wav", 3);
  sounds.SndPiece = LoadWave("駒打音.wav", 3);
  sounds.SndBgm = LoadWave("BGM.wav", 1);

  flags.RecordMode = 0;
  flags.GuidanceOn = 0;
  hist.LastSnapshot = 0;
  レベル_設定(3);
  screen.GridColour = ColourGreen;
  screen.EraseColour = screen.GridColour;
  screen.GuidanceColour = screen.EraseColour;
  flags.UpperSideToken = TurnSente;
  flags.LowerSideToken = TurnGote;
  screen.CurrentBackground = 0;

  読込_環境設定ファイル();
  初期設定();
}

void Game::MouseDown(int button, int shift, int X, int Y) {
  ClearHint();
  Form_MouseDown(button, shift, X, Y);
}

bool Game::Menu(MenuCommand command) {
  switch (command) {
    case MenuCommand::START: START_Click(); break;
    case MenuCommand::SENTE: SENTE_Click(); break;
    case MenuCommand::GOTE: GOTE_Click(); break;
    case MenuCommand::LEVEL1: LevelCommand(1); break;
    case MenuCommand::LEVEL2: LevelCommand(2); break;
    case MenuCommand::LEVEL3: LevelCommand(3); break;
    case MenuCommand::LEVEL4: LevelCommand(4); break;
    case MenuCommand::LEVEL5: LevelCommand(5); break;
    case MenuCommand::LEVEL6: LevelCommand(6); break;
    case MenuCommand::LEVEL7: LevelCommand(7); break;
    case MenuCommand::LEVEL8: LevelCommand(8); break;
    case MenuCommand::OWARI: 終了処理(); return true;
    case MenuCommand::CANCEL: CANCEL_Click(); break;
    case MenuCommand::REVERSE: REVERSE_Click(); break;
    case MenuCommand::REPLAY: REPLAY_Click(); break;
    case MenuCommand::AFTER: AFTER_Click(); break;
    case MenuCommand::LBEL_UP: HandicapStep(+1); break;
    case MenuCommand::LEBEL_DOWN: HandicapStep(-1); break;
    case MenuCommand::KIFU_READ: KIFU_READ_Click(); break;
    case MenuCommand::KIFU_WRITE: KIFU_WRITE_Click(); break;
    case MenuCommand::MIDORI: BackgroundCommand(MIDORI); break;
    case MenuCommand::TATAMI: BackgroundCommand(TATAMI); break;
    case MenuCommand::TAKE: BackgroundCommand(TAKE); break;
    case MenuCommand::UCHU: BackgroundCommand(UCHU); break;
    case MenuCommand::RENGA: BackgroundCommand(RENGA); break;
    case MenuCommand::SIDOU: SIDOU_Click(); break;
    case MenuCommand::KEIKA: KEIKA_Click(); break;
    case MenuCommand::BGM: BGM_Click(); break;
    case MenuCommand::UREI: PlacementCommand(true); break;
    case MenuCommand::SAREI: PlacementCommand(false); break;
    case MenuCommand::KAISETU: KAISETU_Click(); break;
    case MenuCommand::VER: VER_Click(); break;
    case MenuCommand::HINT: HINT_Click(); break;
    case MenuCommand::ANALYSIS: ANALYSIS_Click(); break;
    case MenuCommand::OPEN_TAIKYOKU:
    case MenuCommand::OPEN_STOP:
    case MenuCommand::OPEN_OPTION:
      描画_可視(false, false, false);
      描画_棋譜_IO(1);
      break;
  }
  return false;
}

bool Game::KeyPress(int key) {
  if (key != 27) return false;
  終了処理();
  return true;
}

void Game::Drive1Change(const std::string& drive) {
  if (!ports.panel->setDirectoryPath(drive)) {
    Message("ｴﾗｰ", "ﾃﾞﾊﾞｲｽが準備できていません");
    return;
  }
  // The directory list announces its new path to the file list.
  Dir1Change();
}

void Game::Dir1Change() { ports.panel->setFilePath(ports.panel->directoryPath()); }

void Game::File1Click(const std::string& fileName) { ReadRecordFile(fileName); }

void Game::Command1Click() { WriteRecordFromPanel(); }

void Game::終了処理() {
  ports.sound->dsFree(sounds.SndOther);
  ports.sound->dsFree(sounds.SndForbidden);
  ports.sound->dsFree(sounds.SndPiece);
  ports.sound->dsFree(sounds.SndBgm);
  SoundTerm();
}

void Game::repaint() { ports.canvas->refresh(); }

}  // namespace qz
