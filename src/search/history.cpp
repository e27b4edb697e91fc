#include "search/history.h"

#include <algorithm>

#include "model/invariant.h"

namespace qz::search {

namespace {
constexpr std::size_t kMainSize = 2 * PieceIndexCount * kSquareCount;
constexpr std::size_t kContSize = static_cast<std::size_t>(kPieceToCount) * kPieceToCount;
constexpr std::size_t kCaptureSize = static_cast<std::size_t>(kPieceToCount) * KindCount;

template <typename T>
void Gravity(T& h, int delta) {
  QZ_ASSERT(delta >= -History::kMax && delta <= History::kMax);
  h = static_cast<T>(h + delta - h * (delta < 0 ? -delta : delta) / History::kMax);
  // Gravity keeps every score within its clamp.
  QZ_ASSERT(h >= -History::kMax && h <= History::kMax);
}
}  // namespace

History::History()
    : main_(std::make_unique<int[]>(kMainSize)),
      cont_(std::make_unique<std::int16_t[]>(kContSize)),
      counter_(std::make_unique<Move[]>(kPieceToCount)),
      capture_(std::make_unique<std::int16_t[]>(kCaptureSize)) {}

void History::Clear() {
  std::fill(main_.get(), main_.get() + kMainSize, 0);
  std::fill(cont_.get(), cont_.get() + kContSize, 0);
  std::fill(counter_.get(), counter_.get() + kPieceToCount, 0);
  std::fill(capture_.get(), capture_.get() + kCaptureSize, 0);
}

void History::Update(Move m, int delta, int previous1, int previous2) {
  Gravity(main_[MainIndex(m)], delta);
  const int to = PieceTo(m);
  if (previous1 >= 0)
    Gravity(cont_[static_cast<std::size_t>(previous1) * kPieceToCount + to], delta);
  if (previous2 >= 0)
    Gravity(cont_[static_cast<std::size_t>(previous2) * kPieceToCount + to], delta);
}

void History::Reward(Move best, int depth, const Move* tried, int triedCount, int previous1,
                     int previous2) {
  const int bonus = std::min(depth * depth * 8, 2000);
  Update(best, bonus, previous1, previous2);
  for (int i = 0; i < triedCount; ++i)
    if (tried[i] != best) Update(tried[i], -bonus, previous1, previous2);
  if (previous1 >= 0) counter_[previous1] = best;
}

void History::RewardCaptures(Move best, int depth, const Move* tried, int triedCount) {
  const int bonus = std::min(depth * depth * 8, 2000);
  if (IsCapture(best)) Gravity(capture_[CaptureIndex(best)], bonus);
  for (int i = 0; i < triedCount; ++i)
    if (tried[i] != best) Gravity(capture_[CaptureIndex(tried[i])], -bonus);
}

}  // namespace qz::search
