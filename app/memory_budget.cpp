#include "app/memory_budget.h"

#include <unistd.h>

#include <algorithm>

namespace qv {

uint64_t MemoryBudgetFor(uint64_t physical_bytes) {
    constexpr uint64_t kCeiling = uint64_t{4} << 30;
    return std::min(physical_bytes / 4, kCeiling);
}

uint64_t DefaultMemoryBudget() {
    static const uint64_t budget = [] {
        const long pages = sysconf(_SC_PHYS_PAGES);
        const long page_size = sysconf(_SC_PAGE_SIZE);
        // Without an answer, assume a small machine rather than none at all.
        if (pages <= 0 || page_size <= 0) return MemoryBudgetFor(uint64_t{2} << 30);
        return MemoryBudgetFor(uint64_t(pages) * uint64_t(page_size));
    }();
    return budget;
}

}  // namespace qv
