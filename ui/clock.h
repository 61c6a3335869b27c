#pragma once

#include <cstdint>
#include <functional>

namespace qv::ui {

// Milliseconds on a clock that never goes back. Replaceable so that tests need not wait for
// the loading screen's five seconds.
using Clock = std::function<int64_t()>;

Clock SteadyClock();

}  // namespace qv::ui
