// How each kind moves, written once: its steps and jumps, its slides, the
// kinds that reach a square from each side, and the rows a kind may not be
// dropped on. The move generator, the attack test, the search's exchange
// evaluation and its evaluation all read these tables.
#pragma once

#include "model/fast_position.h"

namespace qz {

// A direction as its army sees it: columns to the side (+1 is x + 1) and rows
// towards the far end of the board.
struct Direction {
  int dx;
  int forward;
};

// The mailbox offset of a direction for a side.
constexpr int Offset(Direction d, Side s) { return d.dx + d.forward * Forward(s); }

constexpr unsigned KindBit(int kind) { return 1u << kind; }
// The gold and the small pieces that move as a gold once promoted.
constexpr unsigned kGoldLike = KindBit(Gold) | KindBit(Tokin) | KindBit(PLance) | KindBit(PKnight) |
                               KindBit(PRei) | KindBit(PSilver) | KindBit(PDou);
// The kinds a hand holds (pawn .. rook).
constexpr unsigned kHandKindBits = ((1u << (HandKinds + 1)) - 1) & ~1u;

// One kind's moves. Steps (one move to one square, jumps included) and the
// lines it slides along, in the order the generator lists them. The lines of
// the bishop, rook, horse and dragon are the same for both armies in board
// terms (they are symmetric), so their order does not turn with the army.
struct KindDescription {
  Direction steps[8];
  int stepCount;
  Direction slides[4];
  int slideCount;
  bool turnsWithArmy;
};

namespace geometry_detail {

constexpr Direction kGoldSteps[6] = {{-1, 1}, {0, 1}, {1, 1}, {-1, 0}, {1, 0}, {0, -1}};
// Board-fixed lines of the lower army's view: +kRowWidth is one row back.
constexpr Direction kDiagonals[4] = {{1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
constexpr Direction kOrthogonals[4] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}};

constexpr KindDescription Gold() {
  KindDescription d{};
  for (int i = 0; i < 6; ++i) d.steps[i] = kGoldSteps[i];
  d.stepCount = 6;
  d.turnsWithArmy = true;
  return d;
}

constexpr KindDescription Describe(int kind) {
  KindDescription d{};
  d.turnsWithArmy = true;
  auto step = [&d](int dx, int forward) { d.steps[d.stepCount++] = {dx, forward}; };
  switch (kind) {
    case Pawn: step(0, 1); break;
    case Lance: d.slides[d.slideCount++] = {0, 1}; break;
    case Knight:
      step(-1, 2);
      step(1, 2);
      break;
    case Rei:
      step(-1, 3);
      step(1, 3);
      break;
    case Silver:
      step(-1, 1), step(0, 1), step(1, 1);
      step(-1, -1), step(1, -1);
      break;
    case Dou:
      step(-1, 1), step(0, 1), step(1, 1);
      step(0, -1);
      break;
    case King:
      step(-1, 1), step(0, 1), step(1, 1), step(-1, 0), step(1, 0);
      step(-1, -1), step(0, -1), step(1, -1);
      break;
    case Bishop:
    case Horse:
      d.turnsWithArmy = false;
      for (const Direction line : kDiagonals) d.slides[d.slideCount++] = line;
      if (kind == Horse)
        for (const Direction s : kOrthogonals) step(s.dx, s.forward);
      break;
    case Rook:
    case Dragon:
      d.turnsWithArmy = false;
      for (const Direction line : kOrthogonals) d.slides[d.slideCount++] = line;
      if (kind == Dragon)
        for (const Direction s : kDiagonals) step(s.dx, s.forward);
      break;
    default:
      if ((kGoldLike >> kind) & 1u) return Gold();
      break;
  }
  return d;
}

}  // namespace geometry_detail

// One kind's moves for one army, as mailbox offsets.
struct KindMoves {
  int steps[8];
  int stepCount;
  int slides[4];
  int slideCount;
};

// Offsets a move may have: up to three rows and one column (a 嶺's jump).
constexpr int kMaxOffset = 3 * kRowWidth + 1;
constexpr int kOffsetSpan = 2 * kMaxOffset + 1;

// Everything about movement for one army.
struct ArmyGeometry {
  KindMoves moves[KindCount];
  // The kinds that reach the square `offset` away in one step or jump, and
  // the kinds that slide along `offset`; index offset + kMaxOffset.
  unsigned steppers[kOffsetSpan];
  unsigned sliders[kOffsetSpan];
  // The attack test's view of a square sq: a piece whose kind is in
  // neighbourKinds[i] attacks it from sq - neighbour[i] (forward, the two
  // forward diagonals, the two sides, back, the two back diagonals), one in
  // jumpKinds[i] from sq - jump[i], and the first piece on the line
  // sq + line[i], sq + 2 line[i], ... when its kind is in lineKinds[i]
  // (behind, in front, the two sides, then the four diagonals). Equal
  // attackers are taken in this order by the exchange evaluation.
  int neighbour[8];
  unsigned neighbourKinds[8];
  int jump[4];
  unsigned jumpKinds[4];
  int line[8];
  unsigned lineKinds[8];
};

namespace geometry_detail {

constexpr ArmyGeometry MakeArmy(Side s) {
  ArmyGeometry g{};
  for (int kind = Pawn; kind < KindCount; ++kind) {
    const KindDescription d = Describe(kind);
    const Side view = d.turnsWithArmy ? s : SITA;
    KindMoves& m = g.moves[kind];
    m.stepCount = d.stepCount;
    m.slideCount = d.slideCount;
    for (int i = 0; i < d.stepCount; ++i) {
      m.steps[i] = Offset(d.steps[i], view);
      g.steppers[m.steps[i] + kMaxOffset] |= KindBit(kind);
    }
    for (int i = 0; i < d.slideCount; ++i) {
      m.slides[i] = Offset(d.slides[i], view);
      g.sliders[m.slides[i] + kMaxOffset] |= KindBit(kind);
    }
  }
  constexpr Direction kNeighbours[8] = {{0, 1},  {-1, 1}, {1, 1},   {1, 0},
                                        {-1, 0}, {0, -1}, {-1, -1}, {1, -1}};
  // The horse and dragon move one square every way (a step or the first
  // square of a slide): they are found among the neighbours as well.
  constexpr unsigned kPromotedSliders = KindBit(Horse) | KindBit(Dragon);
  for (int i = 0; i < 8; ++i) {
    g.neighbour[i] = Offset(kNeighbours[i], s);
    const int o = g.neighbour[i] + kMaxOffset;
    g.neighbourKinds[i] = g.steppers[o] | (g.sliders[o] & kPromotedSliders);
  }
  constexpr Direction kJumps[4] = {{1, 2}, {-1, 2}, {1, 3}, {-1, 3}};
  for (int i = 0; i < 4; ++i) {
    g.jump[i] = Offset(kJumps[i], s);
    g.jumpKinds[i] = g.steppers[g.jump[i] + kMaxOffset];
  }
  constexpr Direction kStraight[4] = {{0, -1}, {0, 1}, {1, 0}, {-1, 0}};
  for (int i = 0; i < 4; ++i) g.line[i] = Offset(kStraight[i], s);
  for (int i = 0; i < 4; ++i) g.line[4 + i] = Offset(kDiagonals[i], SITA);
  // A piece on the line sq + k d attacks sq by sliding along -d.
  for (int i = 0; i < 8; ++i) g.lineKinds[i] = g.sliders[-g.line[i] + kMaxOffset];
  return g;
}

inline constexpr ArmyGeometry kArmies[2] = {MakeArmy(SITA), MakeArmy(UE)};

}  // namespace geometry_detail

constexpr const ArmyGeometry& Geometry(Side s) { return geometry_detail::kArmies[s]; }

// The kinds in hand that, dropped on the square one step away from a square,
// attack it in direction d (as the dropping army sees it): a step or the
// first square of a slide.
constexpr unsigned DropCheckers(Direction d) {
  const int o = Offset(d, SITA) + kMaxOffset;
  return (Geometry(SITA).steppers[o] | Geometry(SITA).sliders[o]) & kHandKindBits;
}

// The row of sq counted from the far end for side s: 1 is the row a piece of
// s can never leave forwards; rows 1..3 are its promotion zone.
constexpr int FarRow(Side s, int sq) { return s == SITA ? YOf(sq) : 11 - YOf(sq); }
constexpr int kPromotionRows = 3;

// How many rows from the far end a kind may not be dropped on (a piece that
// could never move again): pawn and lance 1, knight 2, 嶺 3.
constexpr int ForbiddenDropRows(int kind) {
  return kind == Pawn || kind == Lance ? 1 : kind == Knight ? 2 : kind == Rei ? 3 : 0;
}

}  // namespace qz
