// The two elapsed-time clocks: the timer tick, the hh:mm:ss texts and the
// 経過時間 switch.
#include <cmath>
#include <string>

#include "shell/game.h"

namespace qz {

namespace {

constexpr double kSecondsPerDay = 86400;

}  // namespace

double Game::Now() { return ports.time->secondsSinceMidnight(); }

void Game::SetTimer1(bool enabled) {
  clocks.Timer1Enabled = enabled;
  ports.timer->setEnabled(enabled);
}

void Game::Timer1_Timer() {
  // The computer's turn calls this directly, so the timer state is checked here.
  if (flags.Winner != NoTurn || !clocks.Timer1Enabled) return;
  const float now = static_cast<float>(Now());
  clocks.TurnElapsed = 調査_経過秒(clocks.TurnStartTime, now);
  const int second = static_cast<int>(std::floor(clocks.TurnElapsed));
  if (second == clocks.LastShownSecond) return;
  clocks.LastShownSecond = second;
  if (flags.Turn == flags.UpperSideToken) {
    描画_所有時間(flags.UpperSideToken, clocks.TurnElapsed + clocks.UpperClock);
  } else if (flags.Turn == flags.LowerSideToken) {
    描画_所有時間(flags.LowerSideToken, clocks.TurnElapsed + clocks.LowerClock);
  }
  ports.canvas->refresh();
}

double Game::調査_経過秒(double start, double now) {
  if (start <= now) return now - start;
  return now - start + kSecondsPerDay;  // midnight has passed
}

void Game::描画_所有時間(int sideToken, double seconds) {
  if (!checks.KEIKA) return;
  int text = 0, shadow = 0;
  ChooseTextColours(text, shadow);
  const std::string time = 調査_時間秒追加結果(seconds);
  消去_所有時間(sideToken);
  if (sideToken == flags.LowerSideToken) {
    描画_数値(14.1, 11.3, time, shadow, 0, 12);
    描画_数値(14, 11.2, time, text, 0, 12);
  } else if (sideToken == flags.UpperSideToken) {
    描画_数値(-1.5, 11.3, time, shadow, 0, 12);
    描画_数値(-1.6, 11.2, time, text, 0, 12);
  }
}

void Game::消去_所有時間(int sideToken) {
  int first = 0;
  if (sideToken == flags.LowerSideToken) {
    first = 13;
  } else if (sideToken == flags.UpperSideToken) {
    first = -2;
  } else {
    return;
  }
  for (int x = first; x <= first + 2; ++x) 描画_絵(screen.CurrentBackground, x, 11);
}

std::string Game::調査_時間秒追加結果(double seconds) {
  // Whole seconds split with integers: the same fields as dividing the real
  // value, without a rounding error turning 59.99... into "-1" seconds.
  // A negative or non-finite total shows as zero.
  long long total = 0;
  if (std::isfinite(seconds) && seconds > 0) {
    const double whole = std::floor(seconds);
    total = whole > 1e15 ? 1000000000000000LL : static_cast<long long>(whole);
  }
  const long long h = total / 3600;
  const long long m = total % 3600 / 60;
  const long long s = total % 60;
  // Beyond 99 hours the hour field is empty.
  const long hours = h > 999 ? 999 : static_cast<long>(h);
  return 変換_数字から文字(hours) + ":" + 変換_数字から文字(static_cast<long>(m)) + ":" +
         変換_数字から文字(static_cast<long>(s));
}

std::string Game::変換_数字から文字(long n) {
  const std::string digits = std::to_string(n);
  if (digits.size() == 1) return "0" + digits;
  if (digits.size() == 2) return digits;
  return "";
}

void Game::KEIKA_Click() {
  if (checks.KEIKA) {
    checks.KEIKA = false;
    SetTimer1(false);
    消去_所有時間(flags.LowerSideToken);
    消去_所有時間(flags.UpperSideToken);
  } else {
    checks.KEIKA = true;
    SetTimer1(true);
    描画_所有時間(flags.UpperSideToken, clocks.UpperClock);
    描画_所有時間(flags.LowerSideToken, clocks.LowerClock);
  }
  書込_環境設定ファイル();
}

void Game::tick() { Timer1_Timer(); }

}  // namespace qz
