// The transposition table: fixed size, allocated once, four entries a bucket
// of one cache line. An entry keeps the upper 32 bits of the key as its check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "model/fast_position.h"

namespace qz::search {

enum Bound : std::uint8_t { BoundNone = 0, BoundUpper = 1, BoundLower = 2, BoundExact = 3 };
// The eval field of an entry whose position was not judged (in check).
constexpr int kNoEval = -32768;

struct TTEntry {
  std::uint32_t check;
  Move move;
  std::int16_t score;
  std::int16_t eval;
  std::uint8_t depth;
  std::uint8_t boundAndAge;  // bound in the low two bits
  std::uint16_t unused;

  Bound bound() const { return static_cast<Bound>(boundAndAge & 3); }
};
static_assert(sizeof(TTEntry) == 16, "four entries fill a cache line");

class TranspositionTable {
 public:
  explicit TranspositionTable(std::size_t megabytes);

  void Clear();
  void NewSearch() { age_ = static_cast<std::uint8_t>((age_ + 4) & 0xFC); }

  // The entry for key, or nullptr.
  const TTEntry* Probe(std::uint64_t key) const;
  // Starts loading the bucket of key into the cache.
  void Prefetch(std::uint64_t key) const { __builtin_prefetch(&BucketOf(key)); }
  void Store(std::uint64_t key, Move move, int score, int eval, int depth, Bound bound);

  std::size_t bytes() const { return bucketCount_ * sizeof(Bucket); }

 private:
  struct alignas(64) Bucket {
    TTEntry entries[4];
  };
  Bucket& BucketOf(std::uint64_t key) const { return buckets_[key & (bucketCount_ - 1)]; }

  struct Free {
    void operator()(Bucket* p) const;
  };
  std::unique_ptr<Bucket[], Free> buckets_;
  std::size_t bucketCount_ = 0;
  std::uint8_t age_ = 0;
  bool clean_ = false;  // nothing stored since the last Clear
};

}  // namespace qz::search
