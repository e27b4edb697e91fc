#include "model/placement.h"

#include "model/make_move.h"

namespace qz {

namespace {

struct PlacedPiece {
  int x, y;
  PieceCode code;
};

// The squares the two set-ups disagree on, each written by either of them.
constexpr PlacedPiece k左嶺[16] = {
    {3, 1, GIN},   {4, 1, KIN},   {5, 1, OU},    {6, 1, KIN},   {7, 1, GIN},   {8, 1, REI},
    {5, 2, DOU},   {6, 2, EMPTY}, {5, 9, EMPTY}, {6, 9, -DOU},  {3, 10, -REI}, {4, 10, -GIN},
    {5, 10, -KIN}, {6, 10, -OU},  {7, 10, -KIN}, {8, 10, -GIN},
};
constexpr PlacedPiece k右嶺[16] = {
    {3, 1, REI},   {4, 1, GIN},   {5, 1, KIN},   {6, 1, OU},    {7, 1, KIN},   {8, 1, GIN},
    {5, 2, EMPTY}, {6, 2, DOU},   {5, 9, -DOU},  {6, 9, EMPTY}, {3, 10, -GIN}, {4, 10, -KIN},
    {5, 10, -OU},  {6, 10, -KIN}, {7, 10, -GIN}, {8, 10, -REI},
};

// Pieces both set-ups share besides the pawn rows.
constexpr PlacedPiece kCommon[12] = {
    {1, 1, KYOU},   {10, 1, KYOU},   {2, 1, KEI},   {9, 1, KEI},   {2, 2, SYA},   {9, 2, KAKU},
    {1, 10, -KYOU}, {10, 10, -KYOU}, {2, 10, -KEI}, {9, 10, -KEI}, {2, 9, -KAKU}, {9, 9, -SYA},
};

template <int N>
void Write(Position& pos, const PlacedPiece (&pieces)[N]) {
  for (const PlacedPiece& p : pieces) pos.Board[p.x][p.y] = p.code;
}

}  // namespace

void 設定_盤状態(Position& pos, std::string_view name) {
  if (name == "右嶺") {
    Write(pos, k右嶺);
  } else if (name == "左嶺") {
    Write(pos, k左嶺);
  }
}

void SetUpStartingPosition(Position& pos, bool 右嶺) {
  for (int s = 0; s < 2; ++s) {
    for (int i = 1; i <= HandKinds; ++i) pos.Hand[s][i] = 0;
  }
  for (int x = 1; x <= 10; ++x) {
    for (int y = 1; y <= 10; ++y) pos.Board[x][y] = EMPTY;
    pos.Board[x][8] = -HU;
    pos.Board[x][3] = HU;
  }
  Write(pos, kCommon);
  設定_盤状態(pos, 右嶺 ? "右嶺" : "左嶺");
  pos.HandTotal[SITA] = 調査_持駒数(pos, SITA);
  pos.HandTotal[UE] = 調査_持駒数(pos, UE);
  pos.winner = Victor::None;
}

}  // namespace qz
