// Each side's last move beside the board: file, rank and piece name, each
// with a drop shadow.
#include "play/notation.h"
#include "shell/game.h"
#include "shell/grid.h"

namespace qz {

namespace {

struct TextArea {
  double x, y;
};
constexpr TextArea kUeArea{-1.5, 10.5};
constexpr TextArea kSitaArea{14.5, 4.5};

}  // namespace

void Game::描画_移動駒種類(double column, double row, std::string_view text, int colour) {
  ports.canvas->drawText(text, grid::TwipsX(column), grid::TwipsY(row), 12, screen.FontBold,
                         colour);
}

void Game::描画_移動結果(int sideToken, int toX, int toY, PieceCode code) {
  const bool ue = sideToken == flags.UpperSideToken;
  if (!ue && sideToken != flags.LowerSideToken) return;
  int text = 0, shadow = 0;
  ChooseTextColours(text, shadow);
  消去_移動結果(sideToken);

  const TextArea base = ue ? kUeArea : kSitaArea;
  const MoveTexts texts = TextsOfMove(toX, toY, code);
  // The two-digit file "10" is wider than the full-width digits.
  const double w = texts.file == "10" ? 0.2 : 0.0;

  描画_移動駒種類(base.x, base.y, texts.file, shadow);
  描画_移動駒種類(base.x - 0.1, base.y - 0.1, texts.file, text);
  描画_移動駒種類(base.x + 0.4 + w, base.y, texts.rank, shadow);
  描画_移動駒種類(base.x + 0.3 + w, base.y - 0.1, texts.rank, text);
  描画_移動駒種類(base.x + 1.0 + w, base.y, texts.name, shadow);
  描画_移動駒種類(base.x + 0.9 + w, base.y - 0.1, texts.name, text);

  if (ue) {
    // The upper side's text runs over the frames of its hand's lowest cell
    // and of the board's bottom-left square.
    描画_桝輪郭(screen.GridColour, -1, 9);
    描画_桝輪郭(screen.GridColour, 1, 10);
  }
}

void Game::消去_移動結果(int sideToken) {
  if (sideToken == flags.UpperSideToken) {
    消去_思考中();
  } else if (sideToken == flags.LowerSideToken) {
    for (int x = 14; x <= 16; ++x) 描画_絵(screen.CurrentBackground, x, 4);
  }
}

}  // namespace qz
