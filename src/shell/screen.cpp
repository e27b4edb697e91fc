// The painted window: the cell grid, pictures, frames, shadowed text, and the
// routines that paint the board, both hands, the labels and captions.
#include <cstdlib>
#include <string>

#include "shell/game.h"
#include "shell/grid.h"

namespace qz {

namespace {

using grid::TwipsX;
using grid::TwipsY;

// Row numerals of the board and the kanji form of 描画_数値.
constexpr const char* kKanjiNumeral[11] = {"",   "一", "二", "三", "四", "五",
                                           "六", "七", "八", "九", "十"};

// Captions of the handicap levels -6..6.
constexpr const char* kHandicapCaption[13] = {
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２段", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:初段",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:１級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:２級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:３級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:４級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:５級",
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:６級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:７級", "ﾊﾝﾃﾞｨｷｬｯﾌﾟ:８級"};

constexpr int kMoveNumberCaption = 99;

// The platform's print form of a number: a blank (or the minus sign) in
// front, a blank behind.
std::string NumericPrintForm(long value) {
  std::string text = value < 0 ? "-" : " ";
  text += std::to_string(value < 0 ? -static_cast<long long>(value) : value);
  text += ' ';
  return text;
}

}  // namespace

void Game::ChooseTextColours(int& textColour, int& shadowColour) const {
  if (screen.CurrentBackground == MIDORI) {
    textColour = ColourLightRed;
    shadowColour = ColourGrey;
  } else {
    textColour = ColourWhite;
    shadowColour = ColourBlack;
  }
}

void Game::描画_絵(int code, double x, double y) {
  ports.canvas->drawPicture(code, TwipsX(x), TwipsY(y));
}

void Game::描画_桝輪郭(int colour, double x, double y) {
  ports.canvas->drawOutline(colour, TwipsX(x), TwipsY(y), grid::CellWidth, grid::CellHeight);
}

void Game::描画_数値(double x, double y, long value, int colour, int numeralForm, int size) {
  if (numeralForm == 0) {
    ports.canvas->drawText(NumericPrintForm(value), TwipsX(x), TwipsY(y), size, screen.FontBold,
                           colour);
    return;
  }
  if (value < 1 || value > 10) return;
  ports.canvas->drawText(kKanjiNumeral[value], TwipsX(x), TwipsY(y), size, screen.FontBold, colour);
}

void Game::描画_数値(double x, double y, std::string_view text, int colour, int numeralForm,
                     int size) {
  // The kanji form takes whole numbers only; a text has no kanji form.
  if (numeralForm != 0) return;
  ports.canvas->drawText(text, TwipsX(x), TwipsY(y), size, screen.FontBold, colour);
}

void Game::描画_文字列(double x, double y, int code, int colour, int size) {
  const char* caption = nullptr;
  if (code >= -6 && code <= 6) {
    caption = kHandicapCaption[code + 6];
  } else if (code == kMoveNumberCaption) {
    caption = "手目";
  }
  if (caption == nullptr) return;
  ports.canvas->drawText(caption, TwipsX(x) + 120, TwipsY(y) + 160, size, screen.FontBold, colour);
}

void Game::描画_背景(int code) {
  for (int x = -3; x <= 28; ++x) {
    for (int y = -2; y <= 17; ++y) {
      if (!OnBoard(x, y)) 描画_絵(code, x, y);
    }
  }
}

void Game::描画_桝_数値() {
  int text = 0, shadow = 0;
  ChooseTextColours(text, shadow);
  screen.FontBold = true;
  for (int i = 1; i <= 10; ++i) {
    描画_絵(screen.CurrentBackground, i, 0);
    描画_数値(i + 0.2, 0.5, 11 - i, shadow, 0, 16);
    描画_数値(i + 0.1, 0.4, 11 - i, text, 0, 16);
    描画_絵(screen.CurrentBackground, 11, i);
    描画_数値(11.2, i + 0.4, i, shadow, 1, 12);
    描画_数値(11.1, i + 0.3, i, text, 1, 12);
  }
}

void Game::描画_盤() {
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) {
      描画_絵(pos.Board[x][y], x, y);
      描画_桝輪郭(screen.GridColour, x, y);
    }
  }
}

void Game::描画_敵持盤() {
  for (int r = 1; r <= 9; ++r) {
    描画_絵(EMPTY, -1, r);
    描画_絵(screen.CurrentBackground, 0, r);
    描画_桝輪郭(screen.GridColour, -1, r);
    const int i = 10 - r;
    const int count = pos.Hand[UE][i];
    if (count > 0) {
      描画_絵(UnpromotedCode(UE, i), -1, r);
      描画_桝輪郭(screen.GridColour, -1, r);
      // Hand counts keep their own colours on every background.
      描画_数値(0.1, r + 0.3, count, ColourBlack, 0, 14);
      描画_数値(0, r + 0.2, count, ColourLightRed, 0, 14);
    }
    // The tile at (0, r) covered the left frame line of the board square.
    描画_桝輪郭(screen.GridColour, 1, r);
  }
}

void Game::描画_自持盤() {
  for (int i = 1; i <= 9; ++i) {
    const int r = i + 1;
    描画_絵(EMPTY, 12, r);
    描画_絵(screen.CurrentBackground, 13, r);
    描画_桝輪郭(screen.GridColour, 12, r);
    const int count = pos.Hand[SITA][i];
    if (count > 0) {
      描画_絵(UnpromotedCode(SITA, i), 12, r);
      描画_桝輪郭(screen.GridColour, 12, r);
      描画_数値(13.1, r + 0.3, count, ColourBlack, 0, 14);
      描画_数値(13, r + 0.2, count, ColourLightRed, 0, 14);
    }
  }
}

void Game::描画_手数(int n) {
  int text = 0, shadow = 0;
  ChooseTextColours(text, shadow);
  描画_絵(screen.CurrentBackground, 14, 5);
  // Right-aligned by the number of digits.
  double x = 14.2;
  if (n >= 100) {
    x = 14.0;
  } else if (n >= 10) {
    x = 14.1;
  }
  描画_数値(x + 0.1, 5.4, n, shadow, 0, 12);
  描画_数値(x, 5.3, n, text, 0, 12);
  描画_文字列(14.9, 5.2, kMoveNumberCaption, shadow, 10);
  描画_文字列(14.8, 5.1, kMoveNumberCaption, text, 10);
}

void Game::描画_ハンデレベル(int level) {
  int text = 0, shadow = 0;
  ChooseTextColours(text, shadow);
  for (int x = 14; x <= 17; ++x) 描画_絵(screen.CurrentBackground, x, 3);
  描画_文字列(14.1, 3.1, level, shadow, 10);
  描画_文字列(14, 3, level, text, 10);
}

void Game::描画_将棋盤桝() {
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) 描画_桝輪郭(screen.EraseColour, x, y);
  }
}

void Game::描画_棋譜読込み部分消去() {
  描画_絵(screen.CurrentBackground, -1, 10);
  描画_絵(screen.CurrentBackground, 0, 10);
  for (int x = 1; x <= 10; ++x) {
    描画_絵(screen.CurrentBackground, x, 11);
    描画_桝輪郭(screen.GridColour, x, 10);
  }
}

void Game::消去_思考中() {
  for (int x = -2; x <= 0; ++x) 描画_絵(screen.CurrentBackground, x, 10);
  // The tiles covered the frames of the lowest upper-hand cell and of the
  // board's bottom-left square.
  描画_桝輪郭(screen.GridColour, -1, 9);
  描画_桝輪郭(screen.GridColour, 1, 10);
}

void Game::画面_再描画() {
  描画_背景(screen.CurrentBackground);
  描画_桝_数値();
  描画_自持盤();
  描画_敵持盤();
  描画_盤();
  描画_所有時間(flags.UpperSideToken, clocks.UpperClock);
  描画_所有時間(flags.LowerSideToken, clocks.LowerClock);
  if (flags.GameMode == ModeComputer) 描画_レベル(com.Level);
  if (flags.HandicapSet == 1) 描画_ハンデレベル(flags.HandicapLevel);
  描画_絵(TitleCode, 14.1, 0);
}

// ---- what 駒移動 repaints ------------------------------------------------

void Game::drawHand(Side side) {
  if (side == SITA) {
    描画_自持盤();
  } else {
    描画_敵持盤();
  }
}

void Game::drawPicture(PieceCode code, int x, int y) { 描画_絵(code, x, y); }

void Game::drawGridOutline(int x, int y) { 描画_桝輪郭(screen.GridColour, x, y); }

}  // namespace qz
