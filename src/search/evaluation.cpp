#include "search/evaluation.h"

#include <algorithm>
#include <initializer_list>

#include "model/geometry.h"

namespace qz::search {

namespace {

// Placement by kind and advance: rows from the own back row (0) to the far
// row (9), for the lower army; the upper army's squares are mirrored.
struct Placement {
  int kind;
  int byAdvance[10];
};

constexpr Placement kPlacement[] = {
    {Pawn, {0, 0, 0, 3, 6, 10, 14, 20, 28, 0}},
    {Lance, {0, 0, 0, 0, 2, 4, 6, 10, 10, 0}},
    {Knight, {-15, -5, 0, 8, 14, 18, 18, 10, 0, 0}},
    // One jump from the zone (advance 4..6) the 嶺 threatens to become a gold.
    {Rei, {-10, -5, 0, 10, 25, 35, 35, 0, 0, 0}},
    {Silver, {0, 5, 8, 10, 10, 12, 15, 15, 10, 5}},
    {Gold, {5, 8, 6, 4, 2, 2, 2, 2, 2, 0}},
    {Dou, {0, 5, 8, 8, 8, 10, 10, 10, 5, 0}},
    {King, {30, 25, 5, -25, -50, -70, -80, -80, -80, -80}},
    {Tokin, {0, 0, 0, 5, 10, 15, 20, 25, 25, 20}},
    {PLance, {0, 0, 0, 5, 10, 15, 20, 25, 25, 20}},
    {PKnight, {0, 0, 0, 5, 10, 15, 20, 25, 25, 20}},
    {PRei, {0, 0, 0, 5, 10, 15, 20, 25, 25, 20}},
    {PSilver, {0, 0, 0, 5, 10, 15, 20, 25, 25, 20}},
    {PDou, {0, 0, 0, 5, 10, 15, 20, 25, 25, 20}},
};

// How much a jumping piece without a way on is exposed, by its advance:
// nothing at home, most where enemy pawns reach it.
constexpr int kTrappedByAdvance[10] = {0, 0, 1, 3, 4, 4, 4, 4, 4, 4};

// The king stands better away from the middle files.
constexpr int kKingFile[11] = {0, 12, 10, 6, 2, 0, 0, 2, 6, 10, 12};

constexpr EvalWeights kDefault = {
    // NoKind Pawn Lance Knight Rei Silver Gold Dou Bishop Rook King
    // Tokin PLance PKnight PRei PSilver (16) PDou Horse Dragon
    .board = {0, 100, 300, 330, 350, 480, 540, 450, 850,  1000,
              0, 540, 520, 520, 530, 520, 0,   520, 1100, 1300},
    .hand = {0, 115, 320, 350, 380, 520, 580, 490, 950, 1100},
    .handPawnAfterFour = 70,
    .tempo = 20,
    .defenderGold = 30,
    .defenderSilver = 22,
    .defenderDou = 24,
    .defenderOther = 6,
    .attackUnitsMax = 40,
    .kingDangerScale = 5,
    .reiTargetPiece = 30,
    .reiTargetKing = 25,
    .reiPromotionThreat = 10,
    .reiStuck = 20,
    .douForwardAttack = 20,
    .douGuard = 15,
    .sliderMobility = 3,
    .reiTrapped = 60,
    .knightTrapped = 40,
};

constexpr bool IsGoldLike(int kind) {
  return kind == Gold || kind == Tokin || kind == PLance || kind == PKnight || kind == PRei ||
         kind == PSilver || kind == PDou;
}

// Danger an enemy piece near the king brings, by kind.
constexpr int AttackWeight(int kind) {
  switch (kind) {
    case Dragon:
    case Horse: return 3;
    case Rook:
    case Bishop:
    case Silver:
    case Dou: return 2;
    case Pawn:
    case Lance:
    case Knight:
    case Rei: return 1;
    case King: return 0;
    default: return 2;  // gold and the promoted small pieces
  }
}

// Danger a piece in the enemy hand brings (it may be dropped next to the king).
constexpr int kDropThreat[10] = {0, 1, 1, 2, 1, 3, 3, 2, 3, 4};

constexpr int Chebyshev(int a, int b) {
  const int dx = XOf(a) - XOf(b), dy = YOf(a) - YOf(b);
  return std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
}

}  // namespace

const EvalWeights& DefaultWeights() { return kDefault; }

Evaluator::Evaluator(const EvalWeights& weights) : weights_(weights) {
  int place[KindCount][10] = {};
  for (const Placement& p : kPlacement)
    for (int a = 0; a < 10; ++a) place[p.kind][a] = p.byAdvance[a];
  for (int kind = 1; kind < KindCount; ++kind) {
    if (kind == 16) continue;
    captureGain_[kind] =
        kind == King ? 20000 : weights_.board[kind] + weights_.hand[BaseKind(kind)];
    for (int y = 1; y <= 10; ++y)
      for (int x = 1; x <= 10; ++x) {
        // The lower army's piece on (x, y), and the upper army's on the
        // mirrored square, which stands just as well for its side.
        const int a = 10 - y;
        int v = weights_.board[kind] + place[kind][a];
        if (kind == King) v += kKingFile[x];
        if (kind == Rei && (x == 1 || x == 10)) v -= 10;  // one jump instead of two
        table_.board[MakePiece(SITA, kind)][Sq(x, y)] = static_cast<std::int16_t>(v);
        table_.board[MakePiece(UE, kind)][Sq(11 - x, 11 - y)] = static_cast<std::int16_t>(-v);
      }
  }
  for (int kind = 1; kind <= HandKinds; ++kind) {
    int sum = 0;
    for (int n = 0; n < 32; ++n) {
      table_.hand[SITA][kind][n] = static_cast<std::int16_t>(std::min(sum, 32000));
      table_.hand[UE][kind][n] = static_cast<std::int16_t>(-std::min(sum, 32000));
      sum += kind == Pawn && n >= 4 ? weights_.handPawnAfterFour : weights_.hand[kind];
    }
  }
}

int Evaluator::KingSafety(const FastPosition& pos, Side owner) const {
  const int k = pos.kingSquare(owner);
  if (k == 0) return 0;
  const Side enemy = Opponent(owner);
  const Piece ownBit = SideBit(owner);
  int defence = 0, attack = 0, emptyNeighbours = 0;
  for (int dy = -2; dy <= 2; ++dy)
    for (int dx = -2; dx <= 2; ++dx) {
      if (dx == 0 && dy == 0) continue;
      const int y = YOf(k) + dy, x = XOf(k) + dx;
      if (y < 1 || y > 10 || x < 1 || x > 10) continue;
      const Piece p = pos.at(Sq(x, y));
      const bool near = dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
      if (p == 0) {
        if (near) ++emptyNeighbours;
        continue;
      }
      const int kind = KindOf(p);
      if ((p & 0x60) == ownBit) {
        if (!near) continue;
        defence += IsGoldLike(kind) ? weights_.defenderGold
                   : kind == Silver ? weights_.defenderSilver
                   : kind == Dou    ? weights_.defenderDou
                                    : weights_.defenderOther;
      } else {
        attack += AttackWeight(kind) * (near ? 2 : 1);
      }
    }
  int handThreat = 0;
  for (int kind = 1; kind <= HandKinds; ++kind)
    if (pos.hand(enemy, kind) > 0) handThreat += kDropThreat[kind];
  attack += handThreat * (1 + emptyNeighbours) / 4;
  attack = std::min(attack, weights_.attackUnitsMax);
  return defence - attack * attack * weights_.kingDangerScale / 16;
}

int Evaluator::PieceTerms(const FastPosition& pos, Side s) const {
  const int f = Forward(s);
  const Piece ownBit = SideBit(s);
  const int enemyKing = pos.kingSquare(Opponent(s));
  const int ownKing = pos.kingSquare(s);
  int v = 0;
  auto forEach = [&](std::uint64_t bits, int base, auto&& fn) {
    while (bits) {
      fn(SqOfIndex(base + __builtin_ctzll(bits)));
      bits &= bits - 1;
    }
  };
  auto forKind = [&](int kind, auto&& fn) {
    forEach(pos.occupancy(s, kind, 0), 0, fn);
    forEach(pos.occupancy(s, kind, 1), 64, fn);
  };
  const Piece enemyPawn = MakePiece(Opponent(s), Pawn);
  auto advance = [&](int sq) { return s == SITA ? 10 - YOf(sq) : YOf(sq) - 1; };
  // A jump target is a way out unless an enemy pawn guards it (a lesser
  // piece standing there is no way out either).
  auto wayOut = [&](int t, Piece p, int ownValue) {
    return pos.at(t + f) != enemyPawn || (p != 0 && weights_.board[KindOf(p)] >= ownValue);
  };
  const ArmyGeometry& g = Geometry(s);
  forKind(Rei, [&](int sq) {
    int stuck = 0, ways = 0;
    for (int i = 0; i < g.moves[Rei].stepCount; ++i) {
      const int t = sq + g.moves[Rei].steps[i];
      const Piece p = pos.at(t);
      if (p == Wall || (p & 0x60) == ownBit) {
        ++stuck;
        continue;
      }
      if (wayOut(t, p, weights_.board[Rei])) ++ways;
      if (p != 0) v += std::min(captureGain_[KindOf(p)] / 10, weights_.reiTargetPiece);
      if (enemyKing != 0 && Chebyshev(t, enemyKing) <= 1) v += weights_.reiTargetKing;
      if (p == 0 && FarRow(s, t) <= kPromotionRows) v += weights_.reiPromotionThreat;
    }
    if (stuck == 2) v -= weights_.reiStuck;
    // Out in the field without a way on, it waits for a pawn to take it.
    if (ways == 0) v -= weights_.reiTrapped * kTrappedByAdvance[advance(sq)] / 4;
  });
  forKind(Knight, [&](int sq) {
    int ways = 0;
    for (int i = 0; i < g.moves[Knight].stepCount; ++i) {
      const int t = sq + g.moves[Knight].steps[i];
      const Piece p = pos.at(t);
      if (p != Wall && (p & 0x60) != ownBit && wayOut(t, p, weights_.board[Knight])) ++ways;
    }
    if (ways == 0) v -= weights_.knightTrapped * kTrappedByAdvance[advance(sq)] / 4;
  });
  forKind(Dou, [&](int sq) {
    // The three squares in front (the first neighbours of the attack view).
    for (int i = 0; i < 3; ++i) {
      const Piece p = pos.at(sq + g.neighbour[i]);
      if (p == 0 || p == Wall || (p & 0x60) == ownBit) continue;
      if (weights_.board[KindOf(p)] > weights_.board[Dou] || KindOf(p) == King)
        v += weights_.douForwardAttack;
    }
    // Straight in front of its own king the 銅 guards the file and can step back.
    if (ownKing != 0 && sq == ownKing + f) v += weights_.douGuard;
  });
  for (const int kind : {Rook, Dragon, Bishop, Horse}) {
    const KindMoves& lines = g.moves[kind];
    forKind(kind, [&](int sq) {
      for (int i = 0; i < lines.slideCount; ++i)
        for (int t = sq + lines.slides[i]; pos.at(t) == 0; t += lines.slides[i])
          v += weights_.sliderMobility;
    });
  }
  return v;
}

int Evaluator::Evaluate(const FastPosition& pos) const {
  int v = pos.incremental();  // the lower army's view
  v += KingSafety(pos, SITA) - KingSafety(pos, UE);
  v += PieceTerms(pos, SITA) - PieceTerms(pos, UE);
  const int forMover = (pos.sideToMove() == SITA ? v : -v) + weights_.tempo;
  return std::clamp(forMover, -kLimit, kLimit);
}

}  // namespace qz::search
