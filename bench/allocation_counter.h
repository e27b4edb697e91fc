// Number of allocations made through the global operator new in the
// benchmark binary so far (the counting operator lives in
// allocation_counter.cpp).
#pragma once

namespace qz::bench {
long AllocationCount();
}
