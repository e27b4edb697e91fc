// Forced wins by checks: a proof-number search (df-pn) in which the attacker
// plays only moves that attack the enemy king and the defender every move
// that keeps its king. A drop game is decided by such attacks, and their
// trees are narrow where the full search's are wide: a mate of nine plies
// behind sacrifices takes the solver thousands of nodes, the full search
// depths it may not reach in its time.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>

#include "model/fast_position.h"

namespace qz::search {

class MateSolver {
 public:
  // A table of 2^tableBits entries, allocated once.
  explicit MateSolver(int tableBits = 18);
  ~MateSolver();
  MateSolver(const MateSolver&) = delete;
  MateSolver& operator=(const MateSolver&) = delete;

  struct Answer {
    bool proven = false;
    Move move = 0;  // the first move of the win
    int plies = 0;  // plies from pos to the king's capture (or the defender's last move)
    std::uint64_t nodes = 0;
  };

  // Whether the side to move of pos wins by checks within maxPlies plies.
  // banPawnMates: a check by an unpromoted pawn move that leaves no answer
  // does not count (the deep search never chooses one). The search stops
  // after nodeLimit nodes, at the deadline (when given) or when stop is
  // set; then nothing is proven. pos is as before on return. Clears the
  // table first.
  Answer Solve(FastPosition& pos, bool banPawnMates, int maxPlies, std::uint64_t nodeLimit,
               std::chrono::steady_clock::time_point deadline = {},
               const std::atomic<bool>* stop = nullptr);

  static constexpr int kMaxPlies = 31;

 private:
  struct Entry;
  struct Ply;
  Entry* Find(std::uint64_t key) const;
  void Store(std::uint64_t key, std::uint32_t pn, std::uint32_t dn, Move move, int plies,
             int remaining);
  // The proof and disproof numbers of a child not yet expanded (or known).
  void Numbers(std::uint64_t key, int remaining, std::uint32_t& pn, std::uint32_t& dn) const;
  void Expand(int ply, bool attacker, bool afterPawn, int remaining, std::uint32_t thPn,
              std::uint32_t thDn);
  int GenerateChecks(Ply& p);
  int GenerateEvasions(Ply& p, bool& anyMove);
  int ProofPlies(std::uint64_t key) const;
  bool OutOfBudget();

  std::unique_ptr<Entry[]> table_;
  std::uint64_t mask_;
  std::unique_ptr<Ply[]> plies_;
  FastPosition* pos_ = nullptr;
  bool banPawnMates_ = false;
  std::uint8_t generation_ = 0;  // of the current search's entries
  std::uint64_t nodes_ = 0, nodeLimit_ = 0;
  std::chrono::steady_clock::time_point deadline_;
  const std::atomic<bool>* stop_ = nullptr;
  bool stopped_ = false;
};

}  // namespace qz::search
