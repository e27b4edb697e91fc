#include "search/transposition_table.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "model/invariant.h"
#include "search/search_types.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace qz::search {

TranspositionTable::TranspositionTable(std::size_t megabytes) {
  const std::size_t wanted = (megabytes == 0 ? 1 : megabytes) * 1024 * 1024 / sizeof(Bucket);
  bucketCount_ = 1;
  while (bucketCount_ * 2 <= wanted) bucketCount_ *= 2;
  // Aligned to 2 MB so that the kernel can back the table with huge pages:
  // random probes then miss the address cache far less often.
  constexpr std::size_t kHugePage = 2 * 1024 * 1024;
  const std::size_t bytes = bucketCount_ * sizeof(Bucket);
  void* memory = std::aligned_alloc(kHugePage, (bytes + kHugePage - 1) / kHugePage * kHugePage);
  if (memory == nullptr) throw std::bad_alloc();
#if defined(MADV_HUGEPAGE)
  madvise(memory, bytes, MADV_HUGEPAGE);
#endif
  buckets_.reset(static_cast<Bucket*>(memory));
  Clear();
}

void TranspositionTable::Free::operator()(Bucket* p) const { std::free(p); }

void TranspositionTable::Clear() {
  age_ = 0;
  if (clean_) return;
  clean_ = true;
  std::memset(static_cast<void*>(buckets_.get()), 0, bucketCount_ * sizeof(Bucket));
}

const TTEntry* TranspositionTable::Probe(std::uint64_t key) const {
  const std::uint32_t check = static_cast<std::uint32_t>(key >> 32);
  Bucket& b = BucketOf(key);
  for (TTEntry& e : b.entries)
    if (e.check == check && e.bound() != BoundNone) return &e;
  return nullptr;
}

void TranspositionTable::Store(std::uint64_t key, Move move, int score, int eval, int depth,
                               Bound bound) {
  // Scores and evaluations fit the 16 bits they are kept in.
  QZ_ASSERT(score >= -kMate && score <= kMate);
  QZ_ASSERT(eval == kNoEval || (eval >= -kMate && eval <= kMate));
  QZ_ASSERT(bound <= BoundExact);
  const std::uint32_t check = static_cast<std::uint32_t>(key >> 32);
  Bucket& b = BucketOf(key);
  clean_ = false;
  TTEntry* target = nullptr;
  for (TTEntry& e : b.entries)
    if (e.check == check && e.bound() != BoundNone) {
      target = &e;
      break;
    }
  if (target != nullptr) {
    // Keep a deeper result of this search unless the new one is exact.
    if (bound != BoundExact && depth + 2 < target->depth && (target->boundAndAge & 0xFC) == age_)
      return;
    if (move == 0) move = target->move;
  } else {
    // Replace the entry that is oldest, then shallowest.
    int worst = 1 << 30;
    for (TTEntry& e : b.entries) {
      const int stale = ((age_ - (e.boundAndAge & 0xFC)) & 0xFC) != 0 || e.bound() == BoundNone;
      const int worth = e.depth - (stale ? 256 : 0);
      if (worth < worst) {
        worst = worth;
        target = &e;
      }
    }
  }
  target->check = check;
  target->move = move;
  target->score = static_cast<std::int16_t>(score);
  target->eval = static_cast<std::int16_t>(eval);
  target->depth = static_cast<std::uint8_t>(depth < 0 ? 0 : depth > 255 ? 255 : depth);
  target->boundAndAge = static_cast<std::uint8_t>(age_ | bound);
}

}  // namespace qz::search
