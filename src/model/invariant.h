// Invariants said in code: QZ_ASSERT(condition) stops the program with the
// condition, file and line when the condition does not hold. It is checked
// in debug builds and in the sanitizer build (QZ_ASSERTIONS); in a release
// build it compiles to nothing and its condition is not evaluated.
#pragma once

#if !defined(NDEBUG) || defined(QZ_ASSERTIONS)
#include <cstdio>
#include <cstdlib>

namespace qz {
[[noreturn]] inline void InvariantBroken(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
  std::abort();
}
}  // namespace qz

#define QZ_ASSERT(condition) \
  ((condition) ? static_cast<void>(0) : ::qz::InvariantBroken(#condition, __FILE__, __LINE__))
#define QZ_ASSERTIONS_ON 1
#else
#define QZ_ASSERT(condition) static_cast<void>(0)
#define QZ_ASSERTIONS_ON 0
#endif
