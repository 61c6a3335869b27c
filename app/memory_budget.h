#pragma once

#include <cstdint>

namespace qv {

// How much memory one composition or export may ask for: a quarter of the machine's physical
// memory, at most 4 GiB. Work that would need more is refused up front with kOutOfMemory, in
// well under a second, instead of driving the machine into swap.
uint64_t DefaultMemoryBudget();

// The budget for a given physical memory size (the rule above as a pure function).
uint64_t MemoryBudgetFor(uint64_t physical_bytes);

// a + b, or UINT64_MAX when it would overflow: costs of impossible work stay impossible.
inline uint64_t AddCost(uint64_t a, uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }
inline uint64_t MulCost(uint64_t a, uint64_t b) {
    return (a != 0 && b > UINT64_MAX / a) ? UINT64_MAX : a * b;
}

}  // namespace qv
