#include "search/evaluation.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <string>

#include "model/geometry.h"

namespace qz::search {

namespace {

// The defaults (docs/search.md tells how they were found).
constexpr EvalWeights kDefault =
    {
        // NoKind Pawn Lance Knight Rei Silver Gold Dou Bishop Rook King
        // Tokin PLance PKnight PRei PSilver (16) PDou Horse Dragon
        .board = {0, 111, 302, 331, 349, 481, 541, 449, 844,  998,
                  0, 539, 520, 520, 529, 520, 0,   520, 1100, 1300},
        .hand = {0, 118, 315, 345, 386, 515, 578, 487, 943, 1097},
        .handPawnAfterFour = 68,
        .placement =
            {
                {},
                {0, 0, 11, -1, 0, 15, 18, 21, 29, 0},            // pawn
                {9, -5, -2, 1, 2, 4, 6, 10, 10, 0},              // lance
                {-18, -5, 4, 8, 12, 19, 19, 10, 0, 0},           // knight
                {-2, -5, 0, 4, 25, 34, 32, 0, 0, 0},             // 嶺
                {-2, 8, 8, 9, 10, 12, 15, 15, 10, 5},            // silver
                {9, 6, 6, 4, 2, 2, 2, 2, 2, 0},                  // gold
                {1, 2, 9, 8, 8, 10, 10, 10, 5, 0},               // 銅
                {-2, -3, 0, -1, 1, -1, 1, 0, 0, 0},              // bishop
                {0, -9, 0, -1, 3, 2, 2, 0, 0, 0},                // rook
                {29, 26, 5, -25, -50, -70, -80, -80, -80, -80},  // king
                {0, 0, 0, 5, 10, 15, 20, 26, 25, 18},            // と
                {0, 0, 0, 5, 10, 15, 20, 25, 25, 20},            // promoted lance
                {0, 0, 0, 5, 10, 15, 20, 25, 25, 20},            // promoted knight
                {0, 0, 0, 5, 10, 15, 20, 25, 25, 19},            // promoted 嶺
                {0, 0, 0, 5, 10, 15, 20, 25, 25, 20},            // promoted silver
                {},
                {0, 0, 0, 5, 10, 15, 20, 25, 25, 20},  // promoted 銅
                {0, 0, 0, 0, 0, 0, 0, -1, 0, 0},       // horse
                {0, 0, 0, 0, 0, -1, 0, 0, 0, 1},       // dragon
            },
        // The king stands better away from the middle files.
        .kingFile = {0, 12, 10, 6, 0, 3, 0, 2, 6, 10, 12},
        .reiEdgeFile = 11,
        .tempo = 14,
        .defenderGold = 34,
        .defenderSilver = 17,
        .defenderDou = 22,
        .defenderOther = 2,
        .kingZoneOwn = {},
        .kingZoneEnemy = {},
        // Danger an enemy piece near the king brings: 3 for the promoted
        // sliders, 2 for rook, bishop, silver, 銅 and the gold-like pieces, 1 for
        // the small jumpers and the pawn.
        .attackWeight = {0, 1, 1, 1, 1, 2, 2, 2, 2, 2, 0, 2, 2, 2, 2, 2, 0, 2, 3, 3},
        // Danger a piece in the enemy hand brings (it may be dropped next to the king).
        .dropThreat = {0, 1, 1, 2, 1, 3, 3, 2, 3, 4},
        .attackUnitsMax = 40,
        .kingDangerScale = 5,
        // The squares next to the king the enemy attacks (more where only
        // the king guards them), and the kinds in the enemy hand that could
        // be dropped to attack the king where they would stand safe.
        .ringAttacked = 1,
        .ringWeak = 3,
        .dropCheck = {0, 1, 3, 4, 3, 4, 4, 4, 4, 6},
        .reiTargetPiece = 30,
        .reiTargetKing = 23,
        .reiPromotionThreat = 5,
        .reiStuck = 20,
        .douForwardAttack = 20,
        .douGuard = 14,
        .sliderMobility = 13,
        .reiTrapped = 60,
        .knightTrapped = 40,
        // How much a jumping piece without a way on is exposed, by its advance:
        // nothing at home, most where enemy pawns reach it.
        .trappedByAdvance = {0, 0, 1, 3, 4, 4, 4, 4, 4, 4},
        .kingRelativeOwn = {},
        .kingRelativeEnemy = {},
        .stepMobility = {},
        .pawnAttacked = {},
};

// The weights' names: each field with its length, in the struct's order.
struct Field {
  const char* name;
  int length;
};
constexpr Field kFields[] = {
    {"board", KindCount},
    {"hand", 10},
    {"handPawnAfterFour", 1},
    {"placement", KindCount * 10},
    {"kingFile", 11},
    {"reiEdgeFile", 1},
    {"tempo", 1},
    {"defenderGold", 1},
    {"defenderSilver", 1},
    {"defenderDou", 1},
    {"defenderOther", 1},
    {"kingZoneOwn", 25},
    {"kingZoneEnemy", 25},
    {"attackWeight", KindCount},
    {"dropThreat", 10},
    {"attackUnitsMax", 1},
    {"kingDangerScale", 1},
    {"ringAttacked", 1},
    {"ringWeak", 1},
    {"dropCheck", 10},
    {"reiTargetPiece", 1},
    {"reiTargetKing", 1},
    {"reiPromotionThreat", 1},
    {"reiStuck", 1},
    {"douForwardAttack", 1},
    {"douGuard", 1},
    {"sliderMobility", 1},
    {"reiTrapped", 1},
    {"knightTrapped", 1},
    {"trappedByAdvance", 10},
    {"kingRelativeOwn", KindCount* kKingRelativeSquares},
    {"kingRelativeEnemy", KindCount* kKingRelativeSquares},
    {"stepMobility", KindCount},
    {"pawnAttacked", KindCount},
};
constexpr int FieldTotal() {
  int n = 0;
  for (const Field& f : kFields) n += f.length;
  return n;
}
static_assert(FieldTotal() * sizeof(int) == sizeof(EvalWeights),
              "every weight is an int and named in kFields");

// The index of a weight, from its place in the struct.
#define QZ_WEIGHT(field) static_cast<int>(offsetof(EvalWeights, field) / sizeof(int))
constexpr int kBoard = QZ_WEIGHT(board), kHand = QZ_WEIGHT(hand),
              kHandPawnAfterFour = QZ_WEIGHT(handPawnAfterFour), kPlacement = QZ_WEIGHT(placement),
              kKingFile = QZ_WEIGHT(kingFile), kReiEdgeFile = QZ_WEIGHT(reiEdgeFile),
              kTempo = QZ_WEIGHT(tempo), kDefenderGold = QZ_WEIGHT(defenderGold),
              kDefenderSilver = QZ_WEIGHT(defenderSilver), kDefenderDou = QZ_WEIGHT(defenderDou),
              kDefenderOther = QZ_WEIGHT(defenderOther), kKingZoneOwn = QZ_WEIGHT(kingZoneOwn),
              kKingZoneEnemy = QZ_WEIGHT(kingZoneEnemy),
              kKingDangerScale = QZ_WEIGHT(kingDangerScale),
              kReiTargetPiece = QZ_WEIGHT(reiTargetPiece),
              kReiTargetKing = QZ_WEIGHT(reiTargetKing),
              kReiPromotionThreat = QZ_WEIGHT(reiPromotionThreat), kReiStuck = QZ_WEIGHT(reiStuck),
              kDouForwardAttack = QZ_WEIGHT(douForwardAttack), kDouGuard = QZ_WEIGHT(douGuard),
              kSliderMobility = QZ_WEIGHT(sliderMobility), kReiTrapped = QZ_WEIGHT(reiTrapped),
              kKnightTrapped = QZ_WEIGHT(knightTrapped),
              kKingRelativeOwn = QZ_WEIGHT(kingRelativeOwn),
              kKingRelativeEnemy = QZ_WEIGHT(kingRelativeEnemy),
              kStepMobility = QZ_WEIGHT(stepMobility), kPawnAttacked = QZ_WEIGHT(pawnAttacked);
#undef QZ_WEIGHT

constexpr bool IsGoldLike(int kind) {
  return kind == Gold || kind == Tokin || kind == PLance || kind == PKnight || kind == PRei ||
         kind == PSilver || kind == PDou;
}

constexpr int Chebyshev(int a, int b) {
  const int dx = XOf(a) - XOf(b), dy = YOf(a) - YOf(b);
  return std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
}

// Whether a piece of `by` other than its king attacks square sq.
bool Guarded(const FastPosition& pos, int sq, Side by) {
  return pos.Attacked<~KindBit(King)>(sq, by);
}

}  // namespace

const EvalWeights& DefaultWeights() { return kDefault; }

int WeightCount() { return FieldTotal(); }

std::string WeightName(int index) {
  for (const Field& f : kFields) {
    if (index < f.length)
      return f.length == 1 ? std::string(f.name)
                           : std::string(f.name) + "." + std::to_string(index);
    index -= f.length;
  }
  return {};
}

int& WeightAt(EvalWeights& w, int index) {
  return *reinterpret_cast<int*>(reinterpret_cast<char*>(&w) + index * sizeof(int));
}
int WeightAt(const EvalWeights& w, int index) {
  return *reinterpret_cast<const int*>(reinterpret_cast<const char*>(&w) + index * sizeof(int));
}

int WeightIndex(std::string_view name) {
  const std::size_t dot = name.find('.');
  const std::string_view base = name.substr(0, dot);
  int element = 0;
  if (dot != std::string_view::npos) {
    const std::string_view digits = name.substr(dot + 1);
    if (digits.empty() || digits.size() > 4) return -1;
    for (const char c : digits) {
      if (c < '0' || c > '9') return -1;
      element = element * 10 + (c - '0');
    }
  }
  int first = 0;
  for (const Field& f : kFields) {
    if (base == f.name) {
      if ((f.length == 1) != (dot == std::string_view::npos) || element >= f.length) return -1;
      return first + element;
    }
    first += f.length;
  }
  return -1;
}

std::string FormatWeights(const EvalWeights& w) {
  std::string out;
  for (int i = 0; i < WeightCount(); ++i)
    out += WeightName(i) + "=" + std::to_string(WeightAt(w, i)) + "\n";
  return out;
}

bool ParseWeights(std::string_view text, EvalWeights& w, std::string& problem) {
  EvalWeights result = w;
  int line = 1;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of(",\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view item = text.substr(start, end - start);
    while (!item.empty() && (item.back() == '\r' || item.back() == ' ' || item.back() == '\t'))
      item.remove_suffix(1);
    while (!item.empty() && (item.front() == ' ' || item.front() == '\t')) item.remove_prefix(1);
    if (!item.empty() && item.front() != '#') {
      const std::size_t eq = item.find('=');
      const int index = eq == std::string_view::npos ? -1 : WeightIndex(item.substr(0, eq));
      if (index < 0) {
        problem = "line " + std::to_string(line) + ": unknown weight \"" +
                  std::string(item.substr(0, eq)) + "\"";
        return false;
      }
      std::string_view digits = item.substr(eq + 1);
      const bool negative = !digits.empty() && digits.front() == '-';
      if (negative) digits.remove_prefix(1);
      long value = 0;
      bool ok = !digits.empty() && digits.size() <= 6;
      for (const char c : digits) {
        if (c < '0' || c > '9') ok = false;
        value = value * 10 + (c - '0');
      }
      if (!ok) {
        problem = "line " + std::to_string(line) + ": \"" + std::string(item) +
                  "\" needs a whole number from -999999 to 999999";
        return false;
      }
      WeightAt(result, index) = static_cast<int>(negative ? -value : value);
    }
    if (end < text.size() && text[end] == '\n') ++line;
    start = end + 1;
  }
  w = result;
  return true;
}

Evaluator::Evaluator(const EvalWeights& weights) : weights_(weights) {
  // The terms of each piece cost a walk over the pieces, those of the squares
  // around a king attack tests: each skipped while its weights are zero.
  ringTerms_ = weights_.ringAttacked != 0 || weights_.ringWeak != 0;
  for (int kind = 1; kind <= HandKinds; ++kind)
    ringTerms_ = ringTerms_ || weights_.dropCheck[kind] != 0;
  for (int kind = 0; kind < KindCount; ++kind) {
    perPiece_ = perPiece_ || weights_.stepMobility[kind] != 0 || weights_.pawnAttacked[kind] != 0;
    for (int i = 0; i < kKingRelativeSquares; ++i)
      perPiece_ = perPiece_ || weights_.kingRelativeOwn[kind][i] != 0 ||
                  weights_.kingRelativeEnemy[kind][i] != 0;
  }
  for (int kind = 1; kind < KindCount; ++kind) {
    if (kind == 16) continue;
    captureGain_[kind] =
        kind == King ? 20000 : weights_.board[kind] + weights_.hand[BaseKind(kind)];
    for (int y = 1; y <= 10; ++y)
      for (int x = 1; x <= 10; ++x) {
        // The lower army's piece on (x, y), and the upper army's on the
        // mirrored square, which stands just as well for its side.
        const int a = 10 - y;
        int v = weights_.board[kind] + weights_.placement[kind][a];
        if (kind == King) v += weights_.kingFile[x];
        if (kind == Rei && (x == 1 || x == 10)) v -= weights_.reiEdgeFile;
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

template <bool Counting>
int Evaluator::KingSafety(const FastPosition& pos, Side owner, double* counts, double sign) const {
  const int k = pos.kingSquare(owner);
  if (k == 0) return 0;
  const Side enemy = Opponent(owner);
  const Piece ownBit = SideBit(owner);
  // The zone's squares seen from the owner's side: the upper army's turned.
  const int turn = owner == SITA ? 1 : -1;
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
      const int zone = (turn * dy + 2) * 5 + turn * dx + 2;
      const int kind = KindOf(p);
      if ((p & 0x60) == ownBit) {
        defence += weights_.kingZoneOwn[zone];
        if constexpr (Counting) counts[kKingZoneOwn + zone] += sign;
        if (!near) continue;
        const int which = IsGoldLike(kind) ? kDefenderGold
                          : kind == Silver ? kDefenderSilver
                          : kind == Dou    ? kDefenderDou
                                           : kDefenderOther;
        defence += WeightAt(weights_, which);
        if constexpr (Counting) counts[which] += sign;
      } else {
        defence += weights_.kingZoneEnemy[zone];
        if constexpr (Counting) counts[kKingZoneEnemy + zone] += sign;
        attack += weights_.attackWeight[kind] * (near ? 2 : 1);
      }
    }
  int handThreat = 0;
  for (int kind = 1; kind <= HandKinds; ++kind)
    if (pos.hand(enemy, kind) > 0) handThreat += weights_.dropThreat[kind];
  attack += handThreat * (1 + emptyNeighbours) / 4;
  if (ringTerms_) {
    // The squares next to the king: attacked by the enemy, and weak where
    // no own piece but the king guards them as well. A weak square is also
    // where a drop would stand safe next to the king.
    int attacked = 0, weak = 0;
    bool weakAt[9] = {};
    for (int i = 0; i < 9; ++i) {
      const int t = k + (i / 3 - 1) * kRowWidth + i % 3 - 1;
      if (t == k || pos.at(t) == Wall || !pos.Attacked(t, enemy)) continue;
      ++attacked;
      if (!Guarded(pos, t, owner)) {
        ++weak;
        weakAt[i] = true;
      }
    }
    attack += attacked * weights_.ringAttacked + weak * weights_.ringWeak;
    // A drop attacking the king is safe where no own piece but the king
    // guards the square, and the king cannot take it (not next to it, or
    // guarded by the enemy as well).
    const int kx = XOf(k), ky = YOf(k);
    auto safe = [&](int t) {
      const int dx = XOf(t) - kx, dy = YOf(t) - ky;
      if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) return weakAt[(dy + 1) * 3 + dx + 1];
      return !Guarded(pos, t, owner);
    };
    const ArmyGeometry& g = Geometry(enemy);
    for (int kind = 1; kind <= HandKinds; ++kind) {
      if (weights_.dropCheck[kind] == 0 || pos.hand(enemy, kind) == 0) continue;
      const KindMoves& m = g.moves[kind];
      bool found = false;
      for (int i = 0; i < m.stepCount && !found; ++i) {
        const int t = k - m.steps[i];
        found = pos.at(t) == 0 && (kind != Pawn || !pos.hasPawnInColumn(enemy, XOf(t))) && safe(t);
      }
      for (int i = 0; i < m.slideCount && !found; ++i)
        for (int t = k - m.slides[i]; pos.at(t) == 0 && !found; t -= m.slides[i]) found = safe(t);
      if (found) attack += weights_.dropCheck[kind];
    }
  }
  attack = std::min(attack, weights_.attackUnitsMax);
  if constexpr (Counting) counts[kKingDangerScale] -= sign * attack * attack / 16.0;
  return defence - attack * attack * weights_.kingDangerScale / 16;
}

template <bool Counting>
int Evaluator::PerPiece(const FastPosition& pos, Side s, double* counts, double sign) const {
  const int own = pos.kingSquare(s), enemy = pos.kingSquare(Opponent(s));
  if (own == 0 || enemy == 0) return 0;
  const int turn = s == SITA ? 1 : -1;
  const int ownX = XOf(own), ownY = YOf(own), enemyX = XOf(enemy), enemyY = YOf(enemy);
  const ArmyGeometry& g = Geometry(s);
  const Piece ownBit = SideBit(s);
  const Piece enemyPawn = MakePiece(Opponent(s), Pawn);
  const int f = Forward(s);
  int v = 0;
  for (int half = 0; half < 2; ++half)
    for (std::uint64_t bits = pos.occupancy(s, half); bits; bits &= bits - 1) {
      const int sq = SqOfIndex(half * 64 + __builtin_ctzll(bits));
      const int kind = KindOf(pos.at(sq));
      // Steps and jumps onto squares free of the own army.
      const KindMoves& moves = g.moves[kind];
      int steps = 0;
      for (int i = 0; i < moves.stepCount; ++i) {
        const Piece t = pos.at(sq + moves.steps[i]);
        steps += t != Wall && (t & 0x60) != ownBit;
      }
      v += steps * weights_.stepMobility[kind];
      const bool attacked = pos.at(sq + f) == enemyPawn;
      if (attacked) v += weights_.pawnAttacked[kind];
      if constexpr (Counting) {
        counts[kStepMobility + kind] += sign * steps;
        if (attacked) counts[kPawnAttacked + kind] += sign;
      }
      if (kind == King) continue;
      const int x = XOf(sq), y = YOf(sq);
      const int toOwn = (turn * (y - ownY) + 9) * 10 + (x > ownX ? x - ownX : ownX - x);
      const int toEnemy = (turn * (y - enemyY) + 9) * 10 + (x > enemyX ? x - enemyX : enemyX - x);
      v += weights_.kingRelativeOwn[kind][toOwn] + weights_.kingRelativeEnemy[kind][toEnemy];
      if constexpr (Counting) {
        counts[kKingRelativeOwn + kind * kKingRelativeSquares + toOwn] += sign;
        counts[kKingRelativeEnemy + kind * kKingRelativeSquares + toEnemy] += sign;
      }
    }
  return v;
}

template <bool Counting>
int Evaluator::PieceTerms(const FastPosition& pos, Side s, double* counts, double sign) const {
  const int f = Forward(s);
  const Piece ownBit = SideBit(s);
  const int enemyKing = pos.kingSquare(Opponent(s));
  const int ownKing = pos.kingSquare(s);
  int v = 0;
  auto count = [&](int index, double n) {
    if constexpr (Counting) counts[index] += sign * n;
  };
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
      if (p != 0) {
        const int gain = captureGain_[KindOf(p)] / 10;
        v += std::min(gain, weights_.reiTargetPiece);
        // Below the cap the target counts what it wins, which no weight scales.
        if (gain >= weights_.reiTargetPiece) count(kReiTargetPiece, 1);
      }
      if (enemyKing != 0 && Chebyshev(t, enemyKing) <= 1) {
        v += weights_.reiTargetKing;
        count(kReiTargetKing, 1);
      }
      if (p == 0 && FarRow(s, t) <= kPromotionRows) {
        v += weights_.reiPromotionThreat;
        count(kReiPromotionThreat, 1);
      }
    }
    if (stuck == 2) {
      v -= weights_.reiStuck;
      count(kReiStuck, -1);
    }
    // Out in the field without a way on, it waits for a pawn to take it.
    if (ways == 0) {
      v -= weights_.reiTrapped * weights_.trappedByAdvance[advance(sq)] / 4;
      count(kReiTrapped, -weights_.trappedByAdvance[advance(sq)] / 4.0);
    }
  });
  forKind(Knight, [&](int sq) {
    int ways = 0;
    for (int i = 0; i < g.moves[Knight].stepCount; ++i) {
      const int t = sq + g.moves[Knight].steps[i];
      const Piece p = pos.at(t);
      if (p != Wall && (p & 0x60) != ownBit && wayOut(t, p, weights_.board[Knight])) ++ways;
    }
    if (ways == 0) {
      v -= weights_.knightTrapped * weights_.trappedByAdvance[advance(sq)] / 4;
      count(kKnightTrapped, -weights_.trappedByAdvance[advance(sq)] / 4.0);
    }
  });
  forKind(Dou, [&](int sq) {
    // The three squares in front (the first neighbours of the attack view).
    for (int i = 0; i < 3; ++i) {
      const Piece p = pos.at(sq + g.neighbour[i]);
      if (p == 0 || p == Wall || (p & 0x60) == ownBit) continue;
      if (weights_.board[KindOf(p)] > weights_.board[Dou] || KindOf(p) == King) {
        v += weights_.douForwardAttack;
        count(kDouForwardAttack, 1);
      }
    }
    // Straight in front of its own king the 銅 guards the file and can step back.
    if (ownKing != 0 && sq == ownKing + f) {
      v += weights_.douGuard;
      count(kDouGuard, 1);
    }
  });
  for (const int kind : {Rook, Dragon, Bishop, Horse}) {
    const KindMoves& lines = g.moves[kind];
    forKind(kind, [&](int sq) {
      int reach = 0;
      for (int i = 0; i < lines.slideCount; ++i)
        for (int t = sq + lines.slides[i]; pos.at(t) == 0; t += lines.slides[i]) ++reach;
      v += reach * weights_.sliderMobility;
      count(kSliderMobility, reach);
    });
  }
  return v;
}

int Evaluator::Evaluate(const FastPosition& pos) const {
  int v = pos.incremental();  // the lower army's view
  v += KingSafety<false>(pos, SITA, nullptr, 0) - KingSafety<false>(pos, UE, nullptr, 0);
  v += PieceTerms<false>(pos, SITA, nullptr, 0) - PieceTerms<false>(pos, UE, nullptr, 0);
  if (perPiece_) v += PerPiece<false>(pos, SITA, nullptr, 0) - PerPiece<false>(pos, UE, nullptr, 0);
  const int forMover = (pos.sideToMove() == SITA ? v : -v) + weights_.tempo;
  return std::clamp(forMover, -kLimit, kLimit);
}

void Evaluator::AddCounts(const FastPosition& pos, double* counts) const {
  // Material and placement, as the incremental table sums them.
  for (int i = 0; i < 100; ++i) {
    const int sq = SqOfIndex(i);
    const Piece p = pos.at(sq);
    if (p == 0) continue;
    const Side s = SideOf(p);
    const int kind = KindOf(p);
    const double sign = s == SITA ? 1 : -1;
    const int x = s == SITA ? XOf(sq) : 11 - XOf(sq);
    const int a = s == SITA ? 10 - YOf(sq) : YOf(sq) - 1;
    counts[kBoard + kind] += sign;
    counts[kPlacement + kind * 10 + a] += sign;
    if (kind == King) counts[kKingFile + x] += sign;
    if (kind == Rei && (x == 1 || x == 10)) counts[kReiEdgeFile] -= sign;
  }
  for (const Side s : {SITA, UE}) {
    const double sign = s == SITA ? 1 : -1;
    for (int kind = 1; kind <= HandKinds; ++kind) {
      const int n = pos.hand(s, kind);
      if (kind == Pawn) {
        counts[kHand + Pawn] += sign * std::min(n, 4);
        counts[kHandPawnAfterFour] += sign * std::max(n - 4, 0);
      } else {
        counts[kHand + kind] += sign * n;
      }
    }
  }
  counts[kTempo] += pos.sideToMove() == SITA ? 1 : -1;
  KingSafety<true>(pos, SITA, counts, 1);
  KingSafety<true>(pos, UE, counts, -1);
  PieceTerms<true>(pos, SITA, counts, 1);
  PieceTerms<true>(pos, UE, counts, -1);
  PerPiece<true>(pos, SITA, counts, 1);
  PerPiece<true>(pos, UE, counts, -1);
}

}  // namespace qz::search
