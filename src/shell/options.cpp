// The ｵﾌﾟｼｮﾝ menu (background, move guidance, music) and the その他 menu
// (help page, version box).
#include <filesystem>
#include <string>

#include "shell/game.h"

namespace qz {

namespace {

// A browser that never stops being busy must not hang the game.
constexpr int kMaxBusyPolls = 10000;
constexpr double kMaxBusySeconds = 10.0;

}  // namespace

void Game::チェック設定(int code) {
  checks.MIDORI = code == MIDORI;
  checks.TATAMI = code == TATAMI;
  checks.TAKE = code == TAKE;
  checks.UCHU = code == UCHU;
  checks.RENGA = code == RENGA;
}

void Game::BackgroundCommand(int code) {
  const bool checked = (code == MIDORI && checks.MIDORI) || (code == TATAMI && checks.TATAMI) ||
                       (code == TAKE && checks.TAKE) || (code == UCHU && checks.UCHU) ||
                       (code == RENGA && checks.RENGA);
  if (!checked) チェック設定(code);
  // Also when the entry was already checked: 畳 carries its check mark from
  // the start even while no background has been applied yet.
  screen.CurrentBackground = code;
  書込_環境設定ファイル();
  画面_再描画();
}

void Game::SIDOU_Click() {
  if (checks.SIDOU) {
    for (int x = 1; x <= 10; ++x) {
      for (int y = 1; y <= 10; ++y) 描画_桝輪郭(screen.EraseColour, x, y);
    }
    for (int i = 1; i <= 9; ++i) {
      描画_桝輪郭(screen.EraseColour, -1, i);
      描画_桝輪郭(screen.EraseColour, 12, i + 1);
    }
    checks.SIDOU = false;
    flags.GuidanceOn = 0;
    screen.GuidanceColour = screen.EraseColour;
  } else {
    checks.SIDOU = true;
    flags.GuidanceOn = 1;
    screen.GuidanceColour = ColourWhite;
  }
  書込_環境設定ファイル();
}

void Game::BGM_Click() {
  if (checks.BGM) {
    checks.BGM = false;
    ports.sound->dsStop(sounds.SndBgm);
  } else {
    checks.BGM = true;
    ports.sound->dsPlayLooping(sounds.SndBgm);
  }
  書込_環境設定ファイル();
}

void Game::KAISETU_Click() {
  const std::string page = StartDir + "/" + HelpPageName;
  // A folder or device of that name is no page to show.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(page, ec)) return;
  OpenInBrowser(page);
}

void Game::VER_Click() {
  描画_可視(false, false, false);
  描画_棋譜_IO(1);
  Play(sounds.SndOther);
  // The game has no web page of its own: ホームページ opens its help page.
  if (ports.dialogs->versionBox() == VersionChoice::HomePage) KAISETU_Click();
}

bool Game::OpenInBrowser(const std::string& address) {
  Browser* browser = ports.browser;
  if (browser == nullptr || !browser->create()) return false;
  browser->setOptions(false, true, false);
  if (!browser->navigate(address)) return false;
  const double start = Now();
  for (int polls = 0; browser->busy(); ++polls) {
    if (polls >= kMaxBusyPolls || 調査_経過秒(start, Now()) > kMaxBusySeconds) return false;
    ports.time->waitBriefly();
  }
  browser->setVisible(true);
  return true;
}

}  // namespace qz
